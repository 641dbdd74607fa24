#pragma once

#include "microphone/PitchDetector.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>
#include <memory>

class TMicrophoneWorker;

namespace lirasto {
class TModuleWorker;
}

namespace lirasto::mic {
struct TRelay;
}

// The microphone as an input: notes the player plays start and end as keys do. The microphone module is
// loaded and the device opened on a worker thread, so nothing here waits on the audio system; what the
// module hears reaches this object's thread in order, through queued calls.
class TMicrophoneInput : public QObject
{
    Q_OBJECT
public:
    explicit TMicrophoneInput(QObject* parent = nullptr);
    ~TMicrophoneInput() override;

    // Opens `device` (empty: the system's default) in the background; returns at once. Call it after the
    // window's first frame. Opening again closes what was open first.
    void Start(const QString& device, const lirasto::mic::TDetectorSettings& settings);
    // Stops listening and ends the worker. The destructor calls it.
    void Stop();
    bool Listening() const { return listening_; }

    // Known once the worker has opened the device.
    QStringList Devices() const { return devices_; }
    // Why nothing is heard, in words for the player; empty while listening or before the first try.
    QString Problem() const { return problem_; }
    QString JackPortName() const { return jackPort_; }

    void SetRange(int lowest, int highest);
    void SetGateDb(float db);
    void OwnNoteOn(int note);
    void OwnNoteOff(int note);
    void OwnClicks(std::chrono::steady_clock::time_point first, double beatMs, int count);
    // Two seconds of the room's own noise; noiseMeasured tells the loudest level heard.
    void MeasureNoise(double seconds = 2.0);

signals:
    // at: when the note began in the sound, on the steady clock (empty where the capture could not tell).
    void KeyDown(int note, std::chrono::steady_clock::time_point at);
    void KeyUp(int note);
    void Meter(float peakDb, int note, float cents);
    void NoiseMeasured(float loudestDb);
    // The device list, the problem or the listening state changed.
    void StatusChanged();

private:
    template <class F>
    void toWorker(F f);
    void opened(const QStringList& devices, const QString& problem, const QString& port);

    std::shared_ptr<lirasto::mic::TRelay> relay_;
    std::unique_ptr<lirasto::TModuleWorker> moduleWorker_;
    TMicrophoneWorker* worker_ = nullptr;
    QStringList devices_;
    QString problem_;
    QString jackPort_;
    bool listening_ = false;
};
