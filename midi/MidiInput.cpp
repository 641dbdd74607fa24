#include "midi/MidiInput.h"

#include "core/ModuleWorker.h"
#include "midi/MidiPortWatcher.h"
#include "midi/MidiQueue.h"

#include <QDebug>
#include <QThread>

#include <algorithm>

namespace {

// Events handed on per turn of the event loop: a flood is spread over several
// turns so that painting and input go on between them.
constexpr std::size_t kBatch = 256;
// How long shutting down waits for a MIDI system before giving up on it.
constexpr int kStopWaitMs = 5000;

} // namespace

// Lives on the worker thread and owns the watcher the MIDI module made there, which goes with it as the
// thread ends.
class TMidiWorker : public QObject
{
public:
    void Take(std::unique_ptr<TMidiPortWatcher> watcher)
    {
        watcher_ = std::move(watcher);
        if (watcher_)
            watcher_->begin();
    }

    void SetDeviceEnabled(const QString& name, bool enabled)
    {
        if (watcher_)
            watcher_->SetDeviceEnabled(name, enabled);
    }

private:
    std::unique_ptr<TMidiPortWatcher> watcher_;
};

TMidiInput::TMidiInput(QObject* parent) : QObject(parent), queue_(std::make_shared<TMidiQueue>()) {}

TMidiInput::~TMidiInput()
{
    Stop();
}

void TMidiInput::Start()
{
    if (worker_ && worker_->Started())
        return;
    // Set here, not once, so that an input stopped and started again delivers.
    queue_->SetReceiver(this, [this] { drain(); });
    if (!worker_)
        worker_ = std::make_unique<lirasto::TModuleWorker>(QStringLiteral("MIDI ports"));
    std::weak_ptr<TMidiQueue> queue = queue_;
    auto report = [this, queue](const QList<TMidiDevice>& devices, const QStringList& systems, const QString& port) {
        if (auto q = queue.lock())
            q->Post([this, devices, systems, port] { takeReport(devices, systems, port); });
    };
    TMidiWorker* ports = ports_ = new TMidiWorker;
    ports->moveToThread(worker_->Thread());
    // The ports close on their own thread as it ends.
    connect(worker_->Thread(), &QThread::finished, ports, &QObject::deleteLater);
    worker_->Start<decltype(&lirasto_midi_create)>(
        lirasto::kMidiModule, lirasto::kMidiFactory, lirasto::TModuleWorker::TThen::RunEvents,
        [ports](std::unique_ptr<TMidiPortWatcher> watcher, const QString&) { ports->Take(std::move(watcher)); },
        [this](const QString& problem) {
            // Without the module there is no MIDI system: the search is over and found nothing.
            qWarning("MIDI: %s", qUtf8Printable(problem));
            takeReport({}, {}, {});
        },
        TMidiPortWatcher::kVersion, TMidiPortWatcher::TSetup{queue_, disabled_, report});
}

void TMidiInput::Stop()
{
    if (!worker_ || !worker_->Started())
        return;
    queue_->ClearReceiver();
    // A MIDI system that hangs keeps its thread, left to the process's exit: what runs there holds nothing of ours
    // but the queue, which it shares.
    if (!worker_->Stop(std::chrono::milliseconds(kStopWaitMs)))
        qWarning("MIDI: a MIDI system did not close within %d ms", kStopWaitMs);
    ports_ = nullptr;
    releaseHeld();
    // Nothing is listening any more; a later start searches afresh.
    const bool hadDevices = !devices_.isEmpty();
    devices_.clear();
    systems_.clear();
    jackPort_.clear();
    scanned_ = false;
    if (hadDevices)
        emit DevicesChanged();
}

QString TMidiInput::StatusText() const
{
    return devices_.isEmpty() ? tr("No MIDI input found") : QString();
}

void TMidiInput::SetDeviceEnabled(const QString& name, bool enabled)
{
    if (enabled)
        disabled_.remove(name);
    else
        disabled_.insert(name);
    bool changed = false;
    for (TMidiDevice& d : devices_) {
        if (d.Name == name && d.Enabled != enabled) {
            d.Enabled = enabled;
            changed = true;
        }
    }
    if (changed && !enabled)
        releaseHeld(); // its releases will not come through
    if (ports_) {
        TMidiWorker* ports = ports_;
        QMetaObject::invokeMethod(
            ports, [ports, name, enabled] { ports->SetDeviceEnabled(name, enabled); }, Qt::QueuedConnection);
    }
    if (changed)
        emit DevicesChanged();
}

std::size_t TMidiInput::DroppedEvents() const
{
    return queue_->Dropped();
}

void TMidiInput::drain()
{
    batch_.clear();
    const bool more = queue_->Take(batch_, kBatch);
    if (more)
        QMetaObject::invokeMethod(this, &TMidiInput::drain, Qt::QueuedConnection);
    deliver();
}

void TMidiInput::deliver()
{
    for (const TMidiParser::TNoteEvent& ev : batch_) {
        held_.set(std::size_t(ev.Note) % held_.size(), ev.Down);
        if (ev.Down)
            emit KeyDown(ev.Note, ev.At);
        else
            emit KeyUp(ev.Note);
    }
}

void TMidiInput::releaseHeld()
{
    // All of them: the notes of every device come through the one port of a system.
    for (std::size_t note = 0; note < held_.size(); ++note)
        if (held_.test(note)) {
            held_.reset(note);
            emit KeyUp(int(note));
        }
}

void TMidiInput::takeReport(const QList<TMidiDevice>& devices, const QStringList& systems, const QString& jackPort)
{
    QList<TMidiDevice> found = devices;
    // The choice made here wins over what the worker knew when it looked.
    for (TMidiDevice& d : found)
        d.Enabled = !disabled_.contains(d.Name);
    const auto gone = [&](const TMidiDevice& d) {
        return d.Enabled &&
               std::none_of(found.begin(), found.end(), [&](const TMidiDevice& f) { return f.Name == d.Name; });
    };
    const bool lost =
        std::any_of(devices_.begin(), devices_.end(), gone) ||
        std::any_of(systems_.begin(), systems_.end(), [&](const QString& s) { return !systems.contains(s); });
    if (lost) {
        // What the device sent before it went comes first, then the releases it never sent.
        batch_.clear();
        while (queue_->Take(batch_, kBatch)) {
        }
        deliver();
        releaseHeld();
    }
    // The first report always tells: the search is done, even when it found nothing.
    // Our port coming or going tells too, for the page that names it.
    const bool same = scanned_ && found == devices_ && jackPort == jackPort_;
    systems_ = systems;
    jackPort_ = jackPort;
    if (same)
        return;
    scanned_ = true;
    devices_ = found;
    emit DevicesChanged();
}
