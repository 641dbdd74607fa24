#pragma once

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// Hears single notes in a stream of samples: aubio's YIN-FFT pitch with its
// confidence and aubio's onsets, and on top of them our own rules for when a
// note starts, how long it must hold still before it counts, and when the same
// note struck again is a new one. No thread, no clock but the samples it is
// fed: the capture's worker drives it, and the tests drive it with signals.
namespace lirasto::mic {

inline constexpr int kLowestNoteByDefault = 40;  // E2, a guitar's low string
inline constexpr int kHighestNoteByDefault = 96; // C7
inline constexpr float kGateByDefaultDb = -60.0f;

struct TDetectorSettings
{
    int SampleRate = 48000;
    int LowestNote = kLowestNoteByDefault;
    int HighestNote = kHighestNoteByDefault;
    // Hops quieter than this (RMS, dB below full scale) are silence.
    float GateDb = kGateByDefaultDb;
};

struct THeard
{
    bool On = true; // a note starts (an answer) or ends
    int Note = 0;
    int64_t Frame = 0; // the sample at which it was decided, counted from the first fed
    // Where the note began in the signal (its attack, or the first hop of its steady pitch); for an end, Frame.
    int64_t StartFrame = 0;
    // When the note began on the steady clock, as the capture stamps it; empty where nothing stamped it.
    std::chrono::steady_clock::time_point At{};
};

// What the tuner on the Options page shows.
struct TTuning
{
    float LevelDb = -120.0f;
    int Note = -1; // -1 while no steady pitch is heard
    float Cents = 0.0f;
};

class TPitchDetector
{
public:
    explicit TPitchDetector(const TDetectorSettings& settings);
    ~TPitchDetector();
    TPitchDetector(const TPitchDetector&) = delete;
    TPitchDetector& operator=(const TPitchDetector&) = delete;

    // The analysis window: at least 2048 samples, so that a low E (82 Hz) fits several periods.
    int Window() const { return window_; }
    int Hop() const { return hop_; }
    int64_t Frames() const { return frames_; }

    // Notes outside lowest..highest are never heard; a reversed range is put in order.
    void SetRange(int lowest, int highest);
    void SetGateDb(float db);
    const TDetectorSettings& Settings() const { return settings_; }

    // The program's own sound: while a note it plays sounds, and for a release
    // tail after, that note and its strong harmonics are not the player's, unless
    // the player strikes it anew well after the program's note began.
    void OwnNoteOn(int note);
    // The same, for a note that began to sound at `frame` of the signal: the notice may reach the detector
    // before or after that frame's audio, and the attack that follows is reckoned from the frame either way.
    void OwnNoteOn(int note, int64_t frame);
    void OwnNoteOff(int note);
    // The metronome's clicks: `count` clicks, the first at `frame` of the signal, one every `beatFrames`.
    // A click has a pitch of its own and a sharp attack: while one sounds, no note starts and no attack
    // counts; a note heard as it fades answers then, from its own start, and a note held under it is still one.
    void OwnClicks(int64_t frame, int64_t beatFrames, int count);
    void CancelClicks();

    // Feeds samples (mono, -1..1); appends what was heard to `heard`.
    void Process(const float* samples, std::size_t count, std::vector<THeard>& heard);

    TTuning Tuning() const { return tuning_; }
    // The loudest hop since the last call, for a level meter and for measuring the room's noise.
    float TakePeakDb();

private:
    struct TAubio;
    void step(std::vector<THeard>& heard);
    bool isOwn(int note) const;
    bool clicking(int64_t hopStart);
    double strength(double hz) const;
    int checkOctave(int note) const;
    void start(int note, std::vector<THeard>& heard);
    void stop(std::vector<THeard>& heard);

    TDetectorSettings settings_;
    int window_ = 2048;
    int hop_ = 256;
    std::unique_ptr<TAubio> aubio_;
    std::vector<float> hopBuffer_;
    std::size_t filled_ = 0;
    std::vector<float> recent_; // the last window of sound, as a ring
    std::vector<float> hann_;
    std::size_t recentAt_ = 0;
    int64_t frames_ = 0;
    int64_t hops_ = 0;

    std::array<double, 4> hopEnergy_{};
    std::array<float, 8> recentDb_{};
    int64_t onsetSeenHop_ = -1000;
    int64_t leapHop_ = -1000;
    int current_ = -1; // the note held now
    int lastNote_ = -1;
    bool answered_ = false; // whether current_ was told as an answer (not when it was our own)
    int candidate_ = -1;
    int steadyHops_ = 0;
    int quietHops_ = 0;
    int64_t onsetHop_ = -1000;
    int64_t currentSince_ = 0;
    // Per note, the hop until which the program's own sound may still be heard.
    std::array<int64_t, 128> ownUntil_{};
    std::array<bool, 128> ownOn_{};
    // Per note, the hop the program started it: its attack reaches us shortly after, a later one is the player's.
    std::array<int64_t, 128> ownSince_{};
    // The clicks still to come, and what a click hid: the level before it and the attack under it.
    int64_t clickFrame_ = 0;
    int64_t clickBeat_ = 0;
    int clicksLeft_ = 0;
    bool inClick_ = false;
    float beforeClickDb_ = -120.0f;
    int64_t clickAttackHop_ = -1000;
    TTuning tuning_;
    float peakDb_ = -120.0f;
};

// The gate "Measure the room's noise" sets from two seconds of silence: 10 dB over the loudest noise heard,
// so that a soft note still passes and the room's hum does not.
inline float GateFromNoise(float loudestNoiseDb)
{
    return std::clamp(loudestNoiseDb + 10.0f, -90.0f, -10.0f);
}

} // namespace lirasto::mic
