#pragma once

#include "microphone/PitchDetector.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>

// What listens to a capture device for the microphone input, as the microphone module
// (lirasto-microphone.so) makes it: RtAudio, libjack and aubio live in the module, so that the program maps
// none of them before its window is up. The capture's callback only copies frames into a lock-free ring;
// a worker of the module's own runs the detector and calls the functions of TSetup from its thread.
// Every call below may be made from any one thread (the input's worker).
class TMicrophoneCapture
{
public:
    // Raised whenever the calls below or TSetup change.
    static constexpr int kVersion = 3;

    struct TSetup
    {
        // A note the player started or ended.
        std::function<void(const lirasto::mic::THeard&)> Heard;
        // About twenty times a second: the loudest level since the last call and the tuner's reading.
        std::function<void(float peakDb, const lirasto::mic::TTuning&)> Meter;
        // The loudest level over the seconds measureNoise asked for.
        std::function<void(float loudestDb)> NoiseMeasured;
        // The audio system closed the stream on its own (a JACK server that stopped): nothing is heard
        // until the device is opened again.
        std::function<void(const QString& why)> Lost;
    };

    virtual ~TMicrophoneCapture() = default;

    // The capture devices of the audio system in use (JACK when a server runs, else PulseAudio, else ALSA).
    virtual QStringList Devices() = 0;
    // Opens `device` (empty: the system's default capture) and starts listening. Returns why it could not,
    // or an empty text.
    virtual QString Open(const QString& device, const lirasto::mic::TDetectorSettings& settings) = 0;
    virtual void Close() = 0;
    // Our JACK port's full name ("...:audio in"), empty when not on JACK.
    virtual QString JackPortName() const = 0;
    virtual void SetRange(int lowest, int highest) = 0;
    virtual void SetGateDb(float db) = 0;
    // The notes the program sounds itself, so that they are not taken for the player's.
    virtual void OwnNoteOn(int note) = 0;
    virtual void OwnNoteOff(int note) = 0;
    virtual void MeasureNoise(double seconds) = 0;
    // The metronome's clicks, on the steady clock; a new schedule replaces the last, count 0 cancels it.
    virtual void OwnClicks(std::chrono::steady_clock::time_point first, double beatMs, int count) = 0;
};

// The module's one export: makes a capture when `version` is its kVersion, nothing otherwise.
extern "C" TMicrophoneCapture* lirasto_microphone_create(int version, const TMicrophoneCapture::TSetup& setup);

namespace lirasto {
inline constexpr char kMicrophoneModule[] = "lirasto-microphone.so";
inline constexpr char kMicrophoneFactory[] = "lirasto_microphone_create";
} // namespace lirasto
