#include "microphone/MicrophoneInput.h"

#include "core/ModuleWorker.h"
#include "microphone/MicrophoneCapture.h"

#include <QThread>
#include <QTimer>

#include <mutex>

namespace {

// How long shutting down waits for the audio system before giving up on it.
constexpr int kStopWaitMs = 5000;
// After the audio system closed the stream by itself, the device is tried again this often.
constexpr int kReopenMs = 2000;

} // namespace

namespace lirasto::mic {

// Carries calls from the module's threads to the input's thread while the input is there.
struct TRelay
{
    template <class F>
    void Post(F f)
    {
        std::lock_guard lock(Mutex);
        if (Receiver)
            QMetaObject::invokeMethod(Receiver, std::move(f), Qt::QueuedConnection);
    }

    std::mutex Mutex;
    QObject* Receiver = nullptr;
};

} // namespace lirasto::mic

// Lives on the worker thread and owns the capture the microphone module made there, which closes as the
// thread ends.
class TMicrophoneWorker : public QObject
{
public:
    using TOpened = std::function<void(const QStringList&, const QString&, const QString&)>;

    explicit TMicrophoneWorker(TOpened opened) : opened_(std::move(opened))
    {
        reopen_.setParent(this); // to move to the worker's thread with it
        reopen_.setInterval(kReopenMs);
        connect(&reopen_, &QTimer::timeout, this, [this] { Open(device_, settings_); });
    }

    // For the capture's TSetup: the stream was lost, from any thread.
    std::function<void(const QString&)> LostCall()
    {
        return [this](const QString& why) {
            QMetaObject::invokeMethod(
                this, [this, why] { lost(why); }, Qt::QueuedConnection);
        };
    }

    // What the module made, before any open; without a capture the worker has told the input why.
    void Take(std::unique_ptr<TMicrophoneCapture> capture) { capture_ = std::move(capture); }

    void Open(const QString& device, const lirasto::mic::TDetectorSettings& settings)
    {
        device_ = device;
        settings_ = settings;
        reopen_.stop();
        if (!capture_)
            return;
        const QString problem = capture_->Open(device, settings);
        if (!problem.isEmpty() && !lostWhy_.isEmpty()) {
            // Still gone: the player keeps being told why, and it is tried again.
            opened_(capture_->Devices(), lostWhy_ + QStringLiteral(" (%1)").arg(problem), {});
            reopen_.start();
            return;
        }
        lostWhy_.clear();
        opened_(capture_->Devices(), problem, capture_->JackPortName());
    }

    TMicrophoneCapture* Capture() { return capture_.get(); }

private:
    // The stream the player was heard through was closed under us: say so, and try the device again
    // until it opens, as when a JACK server that stopped is started again.
    void lost(const QString& why)
    {
        if (!capture_)
            return;
        capture_->Close();
        lostWhy_ = why;
        opened_(capture_->Devices(), lostWhy_, {});
        reopen_.start();
    }

    TOpened opened_;
    std::unique_ptr<TMicrophoneCapture> capture_;
    QString device_;
    lirasto::mic::TDetectorSettings settings_;
    QString lostWhy_; // while the device is being tried again after the stream was lost
    QTimer reopen_;
};

TMicrophoneInput::TMicrophoneInput(QObject* parent) : QObject(parent), relay_(std::make_shared<lirasto::mic::TRelay>())
{}

TMicrophoneInput::~TMicrophoneInput()
{
    Stop();
}

template <class F>
void TMicrophoneInput::toWorker(F f)
{
    if (!worker_)
        return;
    TMicrophoneWorker* worker = worker_;
    QMetaObject::invokeMethod(
        worker,
        [worker, f] {
            if (TMicrophoneCapture* capture = worker->Capture())
                f(*capture);
        },
        Qt::QueuedConnection);
}

void TMicrophoneInput::Start(const QString& device, const lirasto::mic::TDetectorSettings& settings)
{
    if (!moduleWorker_ || !moduleWorker_->Started()) {
        {
            std::lock_guard lock(relay_->Mutex);
            relay_->Receiver = this;
        }
        std::weak_ptr<lirasto::mic::TRelay> weak = relay_;
        auto opened = [this, weak](const QStringList& devices, const QString& problem, const QString& port) {
            if (auto relay = weak.lock())
                relay->Post([this, devices, problem, port] { this->opened(devices, problem, port); });
        };
        if (!moduleWorker_)
            moduleWorker_ = std::make_unique<lirasto::TModuleWorker>(QStringLiteral("Microphone"));
        TMicrophoneWorker* worker = worker_ = new TMicrophoneWorker(std::move(opened));
        worker->moveToThread(moduleWorker_->Thread());
        connect(moduleWorker_->Thread(), &QThread::finished, worker, &QObject::deleteLater);
        TMicrophoneCapture::TSetup setup;
        setup.Heard = [this, weak](const lirasto::mic::THeard& h) {
            if (auto relay = weak.lock())
                relay->Post([this, h] { h.On ? emit KeyDown(h.Note, h.At) : emit KeyUp(h.Note); });
        };
        setup.Meter = [this, weak](float peak, const lirasto::mic::TTuning& t) {
            if (auto relay = weak.lock())
                relay->Post([this, peak, t] { emit Meter(peak, t.Note, t.Cents); });
        };
        setup.NoiseMeasured = [this, weak](float loudest) {
            if (auto relay = weak.lock())
                relay->Post([this, loudest] { emit NoiseMeasured(loudest); });
        };
        setup.Lost = worker->LostCall();
        moduleWorker_->Start<decltype(&lirasto_microphone_create)>(
            lirasto::kMicrophoneModule, lirasto::kMicrophoneFactory, lirasto::TModuleWorker::TThen::RunEvents,
            [worker](std::unique_ptr<TMicrophoneCapture> capture, const QString&) { worker->Take(std::move(capture)); },
            [this](const QString& problem) { this->opened({}, problem, {}); }, TMicrophoneCapture::kVersion,
            std::move(setup));
    }
    TMicrophoneWorker* worker = worker_;
    QMetaObject::invokeMethod(
        worker, [worker, device, settings] { worker->Open(device, settings); }, Qt::QueuedConnection);
}

void TMicrophoneInput::Stop()
{
    if (!moduleWorker_ || !moduleWorker_->Started())
        return;
    {
        std::lock_guard lock(relay_->Mutex);
        relay_->Receiver = nullptr;
    }
    // An audio system that hangs keeps its thread, left to the process's exit: what runs there reaches us only
    // through the relay, now closed.
    if (!moduleWorker_->Stop(std::chrono::milliseconds(kStopWaitMs)))
        qWarning("Microphone: the capture did not close within %d ms", kStopWaitMs);
    worker_ = nullptr;
    const bool was = listening_ || !problem_.isEmpty();
    listening_ = false;
    problem_.clear();
    jackPort_.clear();
    if (was)
        emit StatusChanged();
}

void TMicrophoneInput::opened(const QStringList& devices, const QString& problem, const QString& port)
{
    devices_ = devices;
    problem_ = problem;
    jackPort_ = port;
    listening_ = problem.isEmpty();
    emit StatusChanged();
}

void TMicrophoneInput::SetRange(int lowest, int highest)
{
    toWorker([=](TMicrophoneCapture& c) { c.SetRange(lowest, highest); });
}

void TMicrophoneInput::SetGateDb(float db)
{
    toWorker([=](TMicrophoneCapture& c) { c.SetGateDb(db); });
}

void TMicrophoneInput::OwnNoteOn(int note)
{
    toWorker([=](TMicrophoneCapture& c) { c.OwnNoteOn(note); });
}

void TMicrophoneInput::OwnNoteOff(int note)
{
    toWorker([=](TMicrophoneCapture& c) { c.OwnNoteOff(note); });
}

void TMicrophoneInput::OwnClicks(std::chrono::steady_clock::time_point first, double beatMs, int count)
{
    toWorker([=](TMicrophoneCapture& c) { c.OwnClicks(first, beatMs, count); });
}

void TMicrophoneInput::MeasureNoise(double seconds)
{
    toWorker([=](TMicrophoneCapture& c) { c.MeasureNoise(seconds); });
}
