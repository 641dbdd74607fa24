// The sound module: the synthesizer through FluidSynth, and libjack only to
// ask whether a JACK server runs before FluidSynth's driver is tried.
#include "audio/SynthEngine.h"
#include "core/JackServerRuns.h"

#include <QFile>
#include <QLoggingCategory>

#include <alsa/asoundlib.h>
#include <fluidsynth.h>
#include <jack/jack.h>

#include <algorithm>
#include <atomic>
#include <bitset>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <mutex>

namespace {

Q_LOGGING_CATEGORY(lcSynth, "lirasto.sound")

constexpr int kGrandPiano = 0;
// General MIDI percussion, where the metronome clicks.
constexpr int kPercussionChannel = 9;
constexpr int kReverbSend = 91;

// FluidSynth reports a missing JACK server or sound card as errors while we
// are only trying the next output; the sound's own status says what matters.
void logFromSynth(int level, const char* message, void*)
{
    if (level <= FLUID_ERR)
        qCInfo(lcSynth, "FluidSynth: %s", message);
    else
        qCDebug(lcSynth, "FluidSynth: %s", message);
}

void logFromJack(const char* message)
{
    qCDebug(lcSynth, "JACK: %s", message);
}

// ALSA's library writes its own lines about every device it cannot find.
void logFromAlsa(const char* file, int line, const char* function, int, const char* format, ...)
{
    char message[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);
    qCDebug(lcSynth, "ALSA: %s:%d (%s) %s", file, line, function, message);
}

void routeSynthLog()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, logFromSynth, nullptr);
        // A missing server is an ordinary case here, not worth a line on the terminal.
        jack_set_error_function(logFromJack);
        jack_set_info_function(logFromJack);
        snd_lib_error_set_handler(logFromAlsa);
    });
}

class TFluidSynthEngine final : public TSynthEngine
{
public:
    TFluidSynthEngine() { routeSynthLog(); }
    TFluidSynthEngine(const TFluidSynthEngine&) = delete;
    TFluidSynthEngine& operator=(const TFluidSynthEngine&) = delete;

    ~TFluidSynthEngine() override
    {
        // The driver's thread renders the synthesizer: it goes first.
        CloseOutput();
        if (sequencer_)
            delete_fluid_sequencer(sequencer_);
        if (synth_)
            delete_fluid_synth(synth_);
        if (settings_)
            delete_fluid_settings(settings_);
    }

    bool Create(double sampleRate) override
    {
        settings_ = new_fluid_settings();
        if (!settings_)
            return false;
        fluid_settings_setnum(settings_, "synth.sample-rate", sampleRate);
        fluid_settings_setint(settings_, "synth.chorus.active", 0);
        // The room comes with the piano's first note (see kRoomTailSeconds).
        fluid_settings_setint(settings_, "synth.reverb.active", 0);
        fluid_settings_setnum(settings_, "synth.gain", 0.0);
        synth_ = new_fluid_synth(settings_);
        if (!synth_)
            return false;
        // The clicks sound dry: a metronome needs no room, and they keep the reverb idle.
        fluid_synth_cc(synth_, kPercussionChannel, kReverbSend, 0);
        // The sequencer runs on the synthesizer's sample clock, one tick a sample.
        sequencer_ = new_fluid_sequencer2(0);
        if (sequencer_) {
            fluid_sequencer_set_time_scale(sequencer_, sampleRate);
            synthDestination_ = fluid_sequencer_register_fluidsynth(sequencer_, synth_);
            roomClient_ = fluid_sequencer_register_client(sequencer_, "room", &TFluidSynthEngine::roomTimer, this);
        }
        // Without a clock to let the room go by, it stays on, as the piano always had it.
        if (roomClient_ == FLUID_FAILED)
            setRoom(true);
        sampleRate_ = sampleRate;
        return true;
    }

    bool LoadPiano(const QString& path, int channels) override
    {
        const QByteArray name = QFile::encodeName(path);
        const int id = fluid_synth_sfload(synth_, name.constData(), 1);
        if (id == FLUID_FAILED)
            return false;
        bool piano = true;
        for (int channel = 0; channel < channels; ++channel)
            piano = piano && fluid_synth_program_select(synth_, channel, id, 0, kGrandPiano) == FLUID_OK;
        if (!piano)
            fluid_synth_sfunload(synth_, id, 1);
        return piano;
    }

    bool OpenOutput(const QString& driver, const QString& clientName) override
    {
        const QByteArray name = driver.toUtf8();
        if (fluid_settings_setstr(settings_, "audio.driver", name.constData()) != FLUID_OK)
            return false;
        if (driver == QLatin1String("jack")) {
            if (!lirasto::JackServerRuns())
                return false;
            fluid_settings_setstr(settings_, "audio.jack.id", clientName.toUtf8().constData());
            fluid_settings_setint(settings_, "audio.jack.autoconnect", 1);
            fluid_settings_setint(settings_, "audio.jack.multi", 0);
        }
        driver_ = new_fluid_audio_driver(settings_, synth_);
        return driver_ != nullptr;
    }

    void CloseOutput() override
    {
        if (driver_)
            delete_fluid_audio_driver(driver_);
        driver_ = nullptr;
    }

    void NoteOn(int channel, int note, int velocity) override
    {
        pianoStarts(channel, note);
        fluid_synth_noteon(synth_, channel, note, velocity);
    }
    void NoteOff(int channel, int note) override
    {
        fluid_synth_noteoff(synth_, channel, note);
        pianoStops(channel, note);
    }
    void AllNotesOff() override
    {
        fluid_synth_all_notes_off(synth_, -1);
        pianoStops(-1, -1);
    }
    void AllSoundsOff() override
    {
        fluid_synth_all_sounds_off(synth_, -1);
        pianoStops(-1, -1);
    }
    void SetGain(float gain) override { fluid_synth_set_gain(synth_, gain); }
    int ActiveVoices() override { return fluid_synth_get_active_voice_count(synth_); }

    void ScheduleClicks(double firstDelayMs, double beatMs, int count, int accentEvery) override
    {
        if (!sequencer_ || count <= 0 || beatMs <= 0)
            return;
        // The high wood block on the bar's first beat, the low one on the others.
        constexpr int kAccentClick = 76, kClick = 77;
        const double samplesPerMs = sampleRate_ / 1000.0;
        const double beat = beatMs * samplesPerMs;
        double first = fluid_sequencer_get_tick(sequencer_) + std::max(0.0, firstDelayMs) * samplesPerMs;
        // The caller reads its clock again for each batch, and the sample clock it is set against moves
        // a period at a time: a batch that goes on where the last one's grid left off keeps that grid.
        if (gridBeat_ == beat && std::abs(first - gridNext_) < kGridSnapMs * samplesPerMs)
            first = gridNext_;
        fluid_event_t* event = new_fluid_event();
        fluid_event_set_source(event, -1);
        fluid_event_set_dest(event, synthDestination_);
        for (int beatIndex = 0; beatIndex < count; ++beatIndex) {
            const bool accent = accentEvery > 0 && beatIndex % accentEvery == 0;
            fluid_event_note(event, kPercussionChannel, accent ? kAccentClick : kClick, accent ? 127 : 90,
                             static_cast<unsigned int>(50 * samplesPerMs));
            fluid_sequencer_send_at(sequencer_, event, static_cast<unsigned int>(std::lround(first + beatIndex * beat)),
                                    1);
        }
        gridBeat_ = beat;
        gridNext_ = first + count * beat;
        delete_fluid_event(event);
    }

    void CancelClicks() override
    {
        if (sequencer_)
            fluid_sequencer_remove_events(sequencer_, -1, synthDestination_, FLUID_SEQ_NOTE);
        gridBeat_ = 0;
    }

    bool Render(float* left, float* right, int frames) override
    {
        return fluid_synth_write_float(synth_, frames, left, 0, 1, right, 0, 1) == FLUID_OK;
    }

private:
    // The reverb is the piano's room. Rendering it costs more than everything else the synthesizer
    // does while only the metronome sounds, so it runs only while the piano may be heard: on with a
    // piano note, off once every piano note has been let go this long on the sample clock. By then
    // the release and the room's tail are below -120 dBFS (within 3.2 s on the highest keys of the
    // system's SoundFont), and the room comes back as it was left, so that a note after a pause
    // sounds as one that follows another does.
    static constexpr double kRoomTailSeconds = 5;

    void setRoom(bool on)
    {
        roomOn_.store(on);
        fluid_synth_reverb_on(synth_, -1, on ? 1 : 0);
    }

    void pianoStarts(int channel, int note)
    {
        if (channel >= 0 && channel < kPianoChannels && note >= 0 && note < 128) {
            std::lock_guard lock(heldMutex_);
            held_.set(std::size_t(channel * 128 + note));
        }
        // Counted before the room is asked for, so that a room going off meanwhile sees it.
        ++roomGeneration_;
        if (!roomOn_.exchange(true))
            fluid_synth_reverb_on(synth_, -1, 1);
    }

    // Every note, with channel -1.
    void pianoStops(int channel, int note)
    {
        bool silent = false;
        {
            std::lock_guard lock(heldMutex_);
            if (channel < 0)
                held_.reset();
            else if (channel < kPianoChannels && note >= 0 && note < 128)
                held_.reset(std::size_t(channel * 128 + note));
            silent = held_.none();
        }
        if (!silent || roomClient_ == FLUID_FAILED || !roomOn_.load())
            return;
        const std::uint64_t generation = ++roomGeneration_;
        fluid_event_t* event = new_fluid_event();
        fluid_event_set_source(event, -1);
        fluid_event_set_dest(event, roomClient_);
        fluid_event_timer(event, reinterpret_cast<void*>(static_cast<std::uintptr_t>(generation)));
        fluid_sequencer_send_at(sequencer_, event,
                                static_cast<unsigned int>(std::lround(kRoomTailSeconds * sampleRate_)), 0);
        delete_fluid_event(event);
    }

    // On the rendering thread, kRoomTailSeconds after the piano fell silent, unless a note came since.
    static void roomTimer(unsigned int, fluid_event_t* event, fluid_sequencer_t*, void* data)
    {
        if (fluid_event_get_type(event) != FLUID_SEQ_TIMER)
            return;
        auto* self = static_cast<TFluidSynthEngine*>(data);
        const auto generation =
            static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(fluid_event_get_data(event)));
        if (generation != self->roomGeneration_.load())
            return;
        self->setRoom(false);
        // A note that started while the room went off may have found it still on: it gets it back.
        if (generation != self->roomGeneration_.load())
            self->setRoom(true);
    }

    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_sequencer_t* sequencer_ = nullptr;
    fluid_seq_id_t synthDestination_ = -1;
    fluid_seq_id_t roomClient_ = FLUID_FAILED;
    // The keys held, by channel: every note told to the engine is the piano's.
    static constexpr int kPianoChannels = 16;
    std::mutex heldMutex_;
    std::bitset<kPianoChannels * 128> held_;
    std::atomic<bool> roomOn_{false};
    // Counts the piano's notes and silences: a room timer set before the last of them is stale.
    std::atomic<std::uint64_t> roomGeneration_{0};
    // Where the last batch of clicks would have put its next one, in samples, and its beat.
    static constexpr double kGridSnapMs = 25;
    double gridNext_ = 0;
    double gridBeat_ = 0;
    double sampleRate_ = 48000.0;
    fluid_audio_driver_t* driver_ = nullptr;
};

} // namespace

extern "C" __attribute__((visibility("default"))) TSynthEngine* lirasto_sound_create(int version)
{
    if (version != TSynthEngine::kVersion)
        return nullptr;
    return new TFluidSynthEngine;
}
