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
    void post(F f)
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
        connect(&reopen_, &QTimer::timeout, this, [this] { open(device_, settings_); });
    }

    // For the capture's TSetup: the stream was lost, from any thread.
    std::function<void(const QString&)> lostCall()
    {
        return [this](const QString& why) {
            QMetaObject::invokeMethod(
                this, [this, why] { lost(why); }, Qt::QueuedConnection);
        };
    }

    // What the module made, before any open; without a capture the worker has told the input why.
    void take(std::unique_ptr<TMicrophoneCapture> capture) { capture_ = std::move(capture); }

    void open(const QString& device, const lirasto::mic::TDetectorSettings& settings)
    {
        device_ = device;
        settings_ = settings;
        reopen_.stop();
        if (!capture_)
            return;
        const QString problem = capture_->open(device, settings);
        if (!problem.isEmpty() && !lostWhy_.isEmpty()) {
            // Still gone: the player keeps being told why, and it is tried again.
            opened_(capture_->devices(), lostWhy_ + QStringLiteral(" (%1)").arg(problem), {});
            reopen_.start();
            return;
        }
        lostWhy_.clear();
        opened_(capture_->devices(), problem, capture_->jackPortName());
    }

    TMicrophoneCapture* capture() { return capture_.get(); }

private:
    // The stream the player was heard through was closed under us: say so, and try the device again
    // until it opens, as when a JACK server that stopped is started again.
    void lost(const QString& why)
    {
        if (!capture_)
            return;
        capture_->close();
        lostWhy_ = why;
        opened_(capture_->devices(), lostWhy_, {});
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
    stop();
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
            if (TMicrophoneCapture* capture = worker->capture())
                f(*capture);
        },
        Qt::QueuedConnection);
}

void TMicrophoneInput::start(const QString& device, const lirasto::mic::TDetectorSettings& settings)
{
    if (!moduleWorker_ || !moduleWorker_->started()) {
        {
            std::lock_guard lock(relay_->Mutex);
            relay_->Receiver = this;
        }
        std::weak_ptr<lirasto::mic::TRelay> weak = relay_;
        auto opened = [this, weak](const QStringList& devices, const QString& problem, const QString& port) {
            if (auto relay = weak.lock())
                relay->post([this, devices, problem, port] { this->opened(devices, problem, port); });
        };
        if (!moduleWorker_)
            moduleWorker_ = std::make_unique<lirasto::TModuleWorker>(QStringLiteral("Microphone"));
        TMicrophoneWorker* worker = worker_ = new TMicrophoneWorker(std::move(opened));
        worker->moveToThread(moduleWorker_->thread());
        connect(moduleWorker_->thread(), &QThread::finished, worker, &QObject::deleteLater);
        TMicrophoneCapture::TSetup setup;
        setup.Heard = [this, weak](const lirasto::mic::THeard& h) {
            if (auto relay = weak.lock())
                relay->post([this, h] { h.On ? emit keyDown(h.Note, h.At) : emit keyUp(h.Note); });
        };
        setup.Meter = [this, weak](float peak, const lirasto::mic::TTuning& t) {
            if (auto relay = weak.lock())
                relay->post([this, peak, t] { emit meter(peak, t.Note, t.Cents); });
        };
        setup.NoiseMeasured = [this, weak](float loudest) {
            if (auto relay = weak.lock())
                relay->post([this, loudest] { emit noiseMeasured(loudest); });
        };
        setup.Lost = worker->lostCall();
        moduleWorker_->start<decltype(&lirasto_microphone_create)>(
            lirasto::kMicrophoneModule, lirasto::kMicrophoneFactory, lirasto::TModuleWorker::TThen::RunEvents,
            [worker](std::unique_ptr<TMicrophoneCapture> capture, const QString&) { worker->take(std::move(capture)); },
            [this](const QString& problem) { this->opened({}, problem, {}); }, TMicrophoneCapture::kVersion,
            std::move(setup));
    }
    TMicrophoneWorker* worker = worker_;
    QMetaObject::invokeMethod(
        worker, [worker, device, settings] { worker->open(device, settings); }, Qt::QueuedConnection);
}

void TMicrophoneInput::stop()
{
    if (!moduleWorker_ || !moduleWorker_->started())
        return;
    {
        std::lock_guard lock(relay_->Mutex);
        relay_->Receiver = nullptr;
    }
    // An audio system that hangs keeps its thread, left to the process's exit: what runs there reaches us only
    // through the relay, now closed.
    if (!moduleWorker_->stop(std::chrono::milliseconds(kStopWaitMs)))
        qWarning("Microphone: the capture did not close within %d ms", kStopWaitMs);
    worker_ = nullptr;
    const bool was = listening_ || !problem_.isEmpty();
    listening_ = false;
    problem_.clear();
    jackPort_.clear();
    if (was)
        emit statusChanged();
}

void TMicrophoneInput::opened(const QStringList& devices, const QString& problem, const QString& port)
{
    devices_ = devices;
    problem_ = problem;
    jackPort_ = port;
    listening_ = problem.isEmpty();
    emit statusChanged();
}

void TMicrophoneInput::setRange(int lowest, int highest)
{
    toWorker([=](TMicrophoneCapture& c) { c.setRange(lowest, highest); });
}

void TMicrophoneInput::setGateDb(float db)
{
    toWorker([=](TMicrophoneCapture& c) { c.setGateDb(db); });
}

void TMicrophoneInput::ownNoteOn(int note)
{
    toWorker([=](TMicrophoneCapture& c) { c.ownNoteOn(note); });
}

void TMicrophoneInput::ownNoteOff(int note)
{
    toWorker([=](TMicrophoneCapture& c) { c.ownNoteOff(note); });
}

void TMicrophoneInput::ownClicks(std::chrono::steady_clock::time_point first, double beatMs, int count)
{
    toWorker([=](TMicrophoneCapture& c) { c.ownClicks(first, beatMs, count); });
}

void TMicrophoneInput::measureNoise(double seconds)
{
    toWorker([=](TMicrophoneCapture& c) { c.measureNoise(seconds); });
}
