#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

class TSynthEngine;

namespace lirasto {
class TModuleWorker;
}

// The program's piano: a General MIDI SoundFont played by FluidSynth (from the
// sound module, which the worker loads) through the first audio output that
// opens. Everything slow (loading the module and the SoundFont, opening the
// output) happens on a worker thread of its own, so the calls made on the GUI
// thread return at once; notes asked for before the SoundFont is loaded are
// dropped, since a note sounding seconds after its key would teach the wrong
// thing.

// The player's keys and the notes the program plays by itself (the question,
// the right answer) sound on separate channels, so that releasing one never
// cuts the other short.
enum class TSoundChannel { Keys = 0, Prompt = 1 };

struct TSoundSetup
{
    // The SoundFont to load; empty: LIRASTO_SOUNDFONT, then the system's.
    QString SoundFont;
    // FluidSynth's audio drivers, tried in this order. None: no device at all,
    // the synthesizer is only rendered through TPianoSound::Render.
    QStringList Drivers{QStringLiteral("jack"), QStringLiteral("pulseaudio"), QStringLiteral("alsa")};
    double SampleRate = 48000.0;
    // Silence after which the output is closed, so that an idle program costs no CPU.
    std::chrono::milliseconds IdleStop{5000};
};

class TPianoSound : public QObject
{
    Q_OBJECT

public:
    enum class TStatus { Starting, Ready, NoSoundFont, NoOutput, NoModule };

    explicit TPianoSound(TSoundSetup setup = {}, QObject* parent = nullptr);
    // Closes the output before the synthesizer; waits for the worker.
    ~TPianoSound() override;

    // Loads the SoundFont and opens the output on the worker; returns at once.
    void Start();

    // Never block: they reach the synthesizer's event queue, and wake the
    // worker when the output has to be opened again.
    void NoteOn(int note, TSoundChannel channel = TSoundChannel::Keys);
    void NoteOff(int note, TSoundChannel channel = TSoundChannel::Keys);
    void AllNotesOff();
    // The metronome: count clicks, the first firstDelay from now, then one a beat, every
    // accentEvery-th accented; timed on the synthesizer's sample clock (see TSynthEngine).
    // Asked for before the sound is loaded or while its output opens, they wait and sound
    // from the moment it renders, on their beats (the bars gone by dropped).
    void ScheduleClicks(std::chrono::duration<double, std::milli> firstDelay,
                        std::chrono::duration<double, std::milli> beat, int count, int accentEvery);
    void CancelClicks();

    // 0..100 %, linear in amplitude: 50 % is 6 dB below 100 %.
    void SetVolume(int percent);
    int Volume() const { return volume_.load(); }
    // Muted, key presses are not played and what sounds stops.
    void SetMuted(bool muted);
    bool Muted() const { return muted_.load(); }

    TStatus Status() const { return status_.load(); }
    // What the Options page says when there is no sound; empty when there is.
    QString StatusText() const;
    // The SoundFont in use, once loaded.
    QString SoundFontPath() const;
    // The FluidSynth driver that plays, empty while the output is closed.
    QString OutputDriver() const;

    // Blocks until the start has finished (for tests and tools, not the GUI).
    bool WaitStarted(std::chrono::milliseconds timeout);
    // Renders into the two buffers when the setup names no driver; returns the
    // frames written (0 before the start or when a driver plays).
    int Render(float* left, float* right, int frames);

    // The system's General MIDI SoundFont: the Debian alternative first, then
    // any .sf2 in the same folder; empty when there is none.
    static QString FindSoundFont(const QString& folder = QStringLiteral("/usr/share/sounds/sf2"));

    static constexpr int kVelocity = 96;

signals:
    // Emitted from the worker; connect with the default (queued) connection.
    void StatusChanged();
    // A note the program itself starts or lets go, on the caller's thread; note -1 with on false: every
    // note. So that a microphone does not take the program's own sound for the player's.
    void Sounded(int note, bool on);
    // The metronome's clicks sound from `first` on, one every `beatMs`; on the caller's thread, for the same reason.
    void ClicksScheduled(std::chrono::steady_clock::time_point first, double beatMs, int count);
    void ClicksCancelled();

private:
    // On the worker, with what the sound module made: loads the SoundFont, opens the output and looks after it.
    void run(std::unique_ptr<TSynthEngine> engine, const QString& moduleProblem);
    bool load(std::unique_ptr<TSynthEngine> engine);
    bool openOutput();
    void closeOutput();
    void setStatus(TStatus status);
    void applyGain();
    void sendWaitingClicks();

    // Clicks asked for while nothing renders, kept on the steady clock.
    struct TClickBatch
    {
        std::chrono::steady_clock::time_point First;
        std::chrono::duration<double, std::milli> Beat;
        int Count, AccentEvery;
    };

    TSoundSetup setup_;
    std::unique_ptr<TSynthEngine> fs_;

    std::atomic<TStatus> status_{TStatus::Starting};
    std::atomic<bool> loaded_{false};
    std::atomic<int> volume_{100};
    std::atomic<bool> muted_{false};

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    bool outputWanted_ = false;
    bool outputOpen_ = false;
    bool startFinished_ = false;
    std::chrono::steady_clock::time_point lastNote_;
    QString soundFont_;
    QString moduleProblem_;
    QString soundFontProblem_; // why the SoundFont named was refused before it was read
    QString driverName_;
    QString lastDriver_; // worker only
    std::vector<TClickBatch> waitingClicks_;
    std::unique_ptr<lirasto::TModuleWorker> worker_;
};
