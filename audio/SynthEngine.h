#pragma once

#include <QString>

// The synthesizer the piano sound drives, as the sound module (lirasto-sound.so)
// makes it: FluidSynth and its audio drivers live in the module, so that the
// program maps none of their libraries before its window is up. Made, loaded
// and opened on the sound's worker; the note calls and the gain also come from
// the GUI thread once loaded, and are safe from any thread.
class TSynthEngine
{
public:
    // Raised whenever the calls below change.
    static constexpr int kVersion = 2;

    virtual ~TSynthEngine() = default;

    // The synthesizer at that sample rate, silent until the gain is set; false when it cannot be made.
    virtual bool Create(double sampleRate) = 0;
    // Loads the SoundFont and gives its grand piano to the first `channels` channels; false when
    // either fails, and the SoundFont is let go again.
    virtual bool LoadPiano(const QString& path, int channels) = 0;
    // Opens the named audio driver; JACK only when a server already runs, under `clientName`.
    virtual bool OpenOutput(const QString& driver, const QString& clientName) = 0;
    // Closes the output, if one is open; the synthesizer stays.
    virtual void CloseOutput() = 0;

    virtual void NoteOn(int channel, int note, int velocity) = 0;
    virtual void NoteOff(int channel, int note) = 0;
    // Releases every note; sounds still ringing fade out.
    virtual void AllNotesOff() = 0;
    // Stops every sound at once.
    virtual void AllSoundsOff() = 0;
    virtual void SetGain(float gain) = 0;
    virtual int ActiveVoices() = 0;
    // Metronome clicks on the percussion channel, timed in the synthesizer's own samples from
    // now: the first after firstDelayMs, then one every beatMs; every accentEvery-th from the
    // first is accented. Clicks fall on the grid of rendered samples, whatever the caller's timing.
    virtual void ScheduleClicks(double firstDelayMs, double beatMs, int count, int accentEvery) = 0;
    // Drops the clicks not yet sounded.
    virtual void CancelClicks() = 0;
    // Renders into the two buffers; false when the synthesizer cannot.
    virtual bool Render(float* left, float* right, int frames) = 0;
};

// The module's one export: makes an engine when `version` is its kVersion, nothing otherwise.
extern "C" TSynthEngine* lirasto_sound_create(int version);

namespace lirasto {
inline constexpr char kSoundModule[] = "lirasto-sound.so";
inline constexpr char kSoundFactory[] = "lirasto_sound_create";
} // namespace lirasto
