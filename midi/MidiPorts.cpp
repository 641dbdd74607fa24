#include "midi/MidiPorts.h"

#include "midi/MidiQueue.h"

#include <RtMidi.h>
#include <alsa/asoundlib.h>
#include <jack/jack.h>
#include <jack/midiport.h>

#include <QFile>
#include <QLoggingCategory>
#include <QSocketNotifier>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <tuple>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcMidi, "lirasto.midi", QtWarningMsg)

namespace {

const char* const kClientName = "Lirasto Notes";
const char* const kPortName = "MIDI in";
// Lists and connects JACK ports, and hears the sequencer's announcements; it
// owns no port others can use, so patchbays do not show it.
const char* const kControlClientName = "Lirasto Notes control";
const QString kAlsa = QStringLiteral("ALSA");
const QString kJack = QStringLiteral("JACK");
const char* const kSequencerDevice = "/dev/snd/seq";
// A JACK server's socket appears here as jack_<server>_<uid>_<n>.
const char* const kJackSocketFolder = "/dev/shm";
// A burst of announcements (a device with many ports, a bridge starting) is looked at once.
constexpr int kRescanDelayMs = 50;
// A port is announced before its client is active, and a connection to it fails until then:
// it is tried again at each rescan, for about 2 s.
constexpr int kJackConnectTries = 40;
// A socket may appear before its server answers: looked for again after 0.1, 0.2, 0.4 ... 3.2 s.
constexpr int kJackLookTries = 6;
constexpr int kJackFirstRetryMs = 100;
// Where the socket folder cannot be watched, a server is looked for this seldom.
constexpr int kJackSlowLookMs = 5000;
// A client of a server that went away is closed only after this long. Closing cancels libjack's
// own threads, and one cancelled while it still reports the lost server (formatting the message
// takes the C library's locale lock) leaves that lock taken for good: the next thread to load a
// message catalogue, a sound library starting for one, then waits forever.
constexpr int kDeadServerCloseDelayMs = 500;

// libjack reports a missing server on stderr; that is normal here, so its
// messages go to the debug log instead.
void jackMessage(const char* text)
{
    qCDebug(lcMidi, "JACK: %s", text);
}

// Names of JACK MIDI ports with the given flags, in the server's order.
std::vector<std::string> jackPorts(jack_client_t* client, unsigned long flags)
{
    std::vector<std::string> names;
    const char** ports = jack_get_ports(client, nullptr, JACK_DEFAULT_MIDI_TYPE, flags);
    if (!ports)
        return names;
    for (const char** p = ports; *p; ++p)
        names.emplace_back(*p);
    jack_free(ports);
    return names;
}

// Ports through which JACK shows the ALSA sequencer's devices: its bridge, the
// server's own sequencer driver and sound servers that stand in for JACK.
bool bridgedFromAlsa(jack_client_t* client, const std::string& name)
{
    if (name.rfind("a2j:", 0) == 0 || name.rfind("Midi-Bridge:", 0) == 0)
        return true;
    jack_port_t* port = jack_port_by_name(client, name.c_str());
    if (!port)
        return false;
    const std::size_t size = std::size_t(jack_port_name_size());
    std::vector<char> first(size), second(size);
    char* aliases[2] = {first.data(), second.data()};
    const int count = jack_port_get_aliases(port, aliases);
    for (int i = 0; i < count; ++i) {
        if (std::strncmp(aliases[i], "alsa", 4) == 0)
            return true;
    }
    return false;
}

// RtMidi names ALSA ports "client:port C:P"; kernel clients (below 128) are
// the hardware. The system client and the through port are not instruments.
bool alsaHardware(const std::string& rtName, std::string& name)
{
    const std::size_t space = rtName.find_last_of(' ');
    if (space == std::string::npos)
        return false;
    const std::string ids = rtName.substr(space + 1);
    const std::size_t colon = ids.find(':');
    if (colon == std::string::npos || colon == 0 || colon > 3)
        return false;
    int client = 0;
    for (std::size_t i = 0; i < colon; ++i) {
        if (ids[i] < '0' || ids[i] > '9')
            return false;
        client = client * 10 + (ids[i] - '0');
    }
    name = rtName.substr(0, space);
    return client > 0 && client < 128 && name.rfind("Midi Through", 0) != 0;
}

// The start of the socket names of the JACK server clients open by default.
std::string jackSocketPrefix()
{
    const QByteArray server = qgetenv("JACK_DEFAULT_SERVER");
    return "jack_" + (server.isEmpty() ? std::string("default") : server.toStdString()) + "_";
}

} // namespace

struct TMidiPorts::TOpenInput
{
    TMidiParser parser;
    TMidiQueue* queue = nullptr;
    // Declared last so that it closes, and stops calling back, before the parser goes.
    std::unique_ptr<RtMidiIn> in;
    // Set when RtMidi reports an error rather than a warning; a virtual port
    // leaves no other trace of having failed.
    bool failed = false;

    static void OnError(RtMidiError::Type type, const std::string& text, void* user)
    {
        qCDebug(lcMidi, "RtMidi (%d): %s", int(type), text.c_str());
        if (type != RtMidiError::WARNING && type != RtMidiError::DEBUG_WARNING)
            static_cast<TOpenInput*>(user)->failed = true;
    }

    // On the MIDI system's thread: nothing here may touch Qt objects but the queue.
    static void OnMessage(double, std::vector<unsigned char>* message, void* user)
    {
        auto* self = static_cast<TOpenInput*>(user);
        if (!message)
            return;
        // Stamped here, on the MIDI system's own thread: a note is judged by when it was played,
        // however long the window takes to get to it.
        const auto at = std::chrono::steady_clock::now();
        self->parser.Feed(std::span<const uint8_t>(message->data(), message->size()),
                          [self, at](TMidiParser::TNoteEvent ev) {
                              ev.At = at;
                              self->queue->Push(ev);
                          });
        self->parser.EndMessage();
    }
};

TMidiPorts::TMidiPorts(std::shared_ptr<TMidiQueue> queue, QSet<QString> disabled, TReport report)
    : queue_(std::move(queue)), disabled_(std::move(disabled)), report_(std::move(report))
{
    rescanTimer_.setSingleShot(true);
    rescanTimer_.setInterval(kRescanDelayMs);
    connect(&rescanTimer_, &QTimer::timeout, this, &TMidiPorts::rescan);
    jackLookTimer_.setSingleShot(true);
    connect(&jackLookTimer_, &QTimer::timeout, this, &TMidiPorts::lookForJackServer);
    jackCloseTimer_.setSingleShot(true);
    jackCloseTimer_.setInterval(kDeadServerCloseDelayMs);
    connect(&jackCloseTimer_, &QTimer::timeout, this, &TMidiPorts::rescan);
}

TMidiPorts::~TMidiPorts()
{
    closeAlsa();
    if (jackGone_ && jackCloseTimer_.isActive())
        QThread::msleep(std::max(0, jackCloseTimer_.remainingTime()));
    // Closing the client ends JACK's calls into this object before the eventfd goes.
    closeJack();
    stopWatchingForJackServer();
    delete foldersNotifier_;
    if (folders_ >= 0)
        ::close(folders_);
    delete jackWakeNotifier_;
    if (jackWake_ >= 0)
        ::close(jackWake_);
}

void TMidiPorts::begin()
{
    jack_set_error_function(jackMessage);
    jack_set_info_function(jackMessage);
    jackWake_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (jackWake_ >= 0) {
        jackWakeNotifier_ = new QSocketNotifier(qintptr(jackWake_), QSocketNotifier::Read, this);
        connect(jackWakeNotifier_, &QSocketNotifier::activated, this, &TMidiPorts::takeJackNews);
    }
    folders_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (folders_ >= 0) {
        foldersNotifier_ = new QSocketNotifier(qintptr(folders_), QSocketNotifier::Read, this);
        connect(foldersNotifier_, &QSocketNotifier::activated, this, &TMidiPorts::takeFolderNews);
    }
    openAlsa();
    if (!openJack())
        watchForJackServer(true);
    rescan();
}

void TMidiPorts::SetDeviceEnabled(const QString& name, bool enabled)
{
    if (enabled)
        disabled_.remove(name);
    else
        disabled_.insert(name);
    const std::string port = name.toStdString();
    auto seen = jackSeen_.find(port);
    if (jack_ && seen != jackSeen_.end() && seen->second != enabled) {
        if (enabled)
            jack_connect(jack_, port.c_str(), jackPort_.c_str());
        else
            jack_disconnect(jack_, port.c_str(), jackPort_.c_str());
        seen->second = enabled;
    }
    if (!enabled)
        alsaDevices_.erase(port);
    // Switched on again, a device that could not be opened gets another try.
    alsaFailed_.erase(port);
    rescan();
}

std::unique_ptr<TMidiPorts::TOpenInput> TMidiPorts::makeInput(int api)
{
    auto input = std::make_unique<TOpenInput>();
    input->queue = queue_.get();
    // RtMidi throws when it cannot open the system at all, before an error
    // callback can be set.
    input->in = std::make_unique<RtMidiIn>(RtMidi::Api(api), kClientName);
    input->in->setErrorCallback(&TOpenInput::OnError, input.get());
    input->in->setCallback(&TOpenInput::OnMessage, input.get());
    // The parser sees the whole stream: a system exclusive or a clock byte
    // that RtMidi dropped would leave running status standing where it ends.
    input->in->ignoreTypes(false, false, false);
    return input;
}

void TMidiPorts::rescan()
{
    rescanTimer_.stop();
    QList<TMidiDevice> found;
    scanAlsa(found);
    scanJack(found);
    report(std::move(found));
}

void TMidiPorts::rescanSoon()
{
    if (!rescanTimer_.isActive())
        rescanTimer_.start();
}

void TMidiPorts::jackPortRegistered(std::uint32_t, int, void* self)
{
    static_cast<TMidiPorts*>(self)->wakeFromJack();
}

void TMidiPorts::jackPortRenamed(std::uint32_t, const char*, const char*, void* self)
{
    static_cast<TMidiPorts*>(self)->wakeFromJack();
}

void TMidiPorts::jackShutDown(void* self)
{
    auto* ports = static_cast<TMidiPorts*>(self);
    ports->jackGone_ = true;
    ports->wakeFromJack();
}

void TMidiPorts::wakeFromJack()
{
    // A write to an eventfd takes no lock and allocates nothing, so JACK may
    // call this at any moment, even while it tears its thread down.
    const std::uint64_t one = 1;
    if (jackWake_ >= 0 && ::write(jackWake_, &one, sizeof one) < 0)
        qCDebug(lcMidi, "JACK: could not wake the MIDI worker (%d)", errno);
}

void TMidiPorts::takeJackNews()
{
    std::uint64_t count = 0;
    while (::read(jackWake_, &count, sizeof count) > 0) {
    }
    if (!jackGone_)
        rescanSoon();
    else if (!jackCloseTimer_.isActive())
        jackCloseTimer_.start(); // then lets go of the server and watches for the next one
}

bool TMidiPorts::openJack()
{
    jackGone_ = false;
    jack_status_t status{};
    jack_ = jack_client_open(kControlClientName, JackNoStartServer, &status);
    if (!jack_)
        return false;
    // Set before activation: JACK calls back from then on.
    jack_set_port_registration_callback(jack_, &TMidiPorts::jackPortRegistered, this);
    jack_set_port_rename_callback(jack_, &TMidiPorts::jackPortRenamed, this);
    jack_on_shutdown(jack_, &TMidiPorts::jackShutDown, this);
    if (jack_activate(jack_) != 0) {
        closeJack();
        return false;
    }
    // JACK renames a client whose name is taken (a second copy of the
    // program), so our port is found as the one that was not there before.
    const std::vector<std::string> before = jackPorts(jack_, JackPortIsInput);
    try {
        jackIn_ = makeInput(RtMidi::UNIX_JACK);
        jackIn_->in->openVirtualPort(kPortName);
    } catch (const RtMidiError& e) {
        qCDebug(lcMidi, "JACK input: %s", e.what());
    }
    for (const std::string& port : jackPorts(jack_, JackPortIsInput)) {
        if (std::find(before.begin(), before.end(), port) == before.end() && port.find(kClientName) == 0) {
            jackPort_ = port;
            break;
        }
    }
    if (!jackIn_ || jackIn_->failed || jackPort_.empty()) {
        closeJack();
        return false;
    }
    stopWatchingForJackServer();
    return true;
}

void TMidiPorts::closeJack()
{
    jackIn_.reset();
    if (jack_)
        jack_client_close(jack_);
    jack_ = nullptr;
    jackGone_ = false;
    jackPort_.clear();
    jackSeen_.clear();
}

void TMidiPorts::watchForJackServer(bool startingServerMayBeThere)
{
    jackLookTries_ = 0;
    if (folders_ >= 0 && shmWatch_ < 0)
        shmWatch_ = ::inotify_add_watch(folders_, kJackSocketFolder, IN_CREATE | IN_ONLYDIR);
    if (shmWatch_ < 0) {
        jackLookTimer_.start(kJackSlowLookMs);
        return;
    }
    // A server that was starting while we looked has its socket already: give it a few more tries.
    // After a shutdown the socket still there is the old server's, which may not answer as it goes.
    if (!startingServerMayBeThere)
        return;
    const std::string prefix = jackSocketPrefix();
    if (DIR* folder = ::opendir(kJackSocketFolder)) {
        while (const dirent* entry = ::readdir(folder)) {
            if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) == 0) {
                jackLookTimer_.start(kJackFirstRetryMs);
                break;
            }
        }
        ::closedir(folder);
    }
}

void TMidiPorts::stopWatchingForJackServer()
{
    jackLookTimer_.stop();
    if (shmWatch_ >= 0)
        ::inotify_rm_watch(folders_, shmWatch_);
    shmWatch_ = -1;
}

void TMidiPorts::takeFolderNews()
{
    alignas(inotify_event) char buffer[4096];
    bool jackSocket = false;
    bool sequencer = false;
    const std::string prefix = jackSocketPrefix();
    for (;;) {
        const ssize_t size = ::read(folders_, buffer, sizeof buffer);
        if (size <= 0)
            break;
        for (ssize_t at = 0; at + ssize_t(sizeof(inotify_event)) <= size;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += ssize_t(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                jackSocket = sequencer = true;
                continue;
            }
            if (event->len == 0)
                continue;
            const std::string name(event->name);
            if (event->wd == shmWatch_ && name.rfind(prefix, 0) == 0)
                jackSocket = true;
            else if (event->wd == sndWatch_ && name == "seq")
                sequencer = true;
        }
    }
    if (sequencer && !alsaIn_ && openAlsa())
        rescan();
    if (jackSocket && !jack_) {
        jackLookTries_ = 0;
        lookForJackServer();
    }
}

void TMidiPorts::lookForJackServer()
{
    if (jack_)
        return;
    if (openJack()) {
        rescan();
        return;
    }
    if (shmWatch_ < 0)
        jackLookTimer_.start(kJackSlowLookMs);
    else if (jackLookTries_ < kJackLookTries)
        jackLookTimer_.start(kJackFirstRetryMs << jackLookTries_++);
}

void TMidiPorts::scanJack(QList<TMidiDevice>& found)
{
    if (jackGone_) {
        if (jackCloseTimer_.isActive())
            return; // JACK's threads are still winding down; the server's ports are gone anyway
        closeJack();
        watchForJackServer(false);
    }
    if (!jack_)
        return;
    std::map<std::string, bool> seen;
    std::map<std::string, int> tries;
    for (const std::string& port : jackPorts(jack_, JackPortIsOutput | JackPortIsPhysical)) {
        // While the sequencer delivers its keyboards itself, the same ones
        // bridged into JACK would play every note twice.
        if (!alsaDevices_.empty() && bridgedFromAlsa(jack_, port))
            continue;
        const QString name = QString::fromStdString(port);
        const bool enabled = !disabled_.contains(name);
        found.push_back({name, kJack, enabled});
        auto before = jackSeen_.find(port);
        bool connected = before != jackSeen_.end() && before->second;
        // Only a port new to us is connected: one the user disconnected in a
        // patchbay stays as the user left it.
        if (before == jackSeen_.end() && enabled) {
            const int rc = jack_connect(jack_, port.c_str(), jackPort_.c_str());
            connected = rc == 0 || rc == EEXIST;
            if (!connected) {
                qCDebug(lcMidi, "JACK: could not connect %s (%d)", port.c_str(), rc);
                const auto tried = jackConnectTries_.find(port);
                const int count = (tried == jackConnectTries_.end() ? 0 : tried->second) + 1;
                if (count < kJackConnectTries) {
                    // Not yet remembered as seen, so that the next scan tries it again.
                    tries[port] = count;
                    continue;
                }
            }
        }
        seen[port] = connected;
    }
    jackSeen_ = std::move(seen);
    jackConnectTries_ = std::move(tries);
    if (!jackConnectTries_.empty())
        rescanSoon();
}

bool TMidiPorts::openAlsa()
{
    // Without the sequencer device the library would only print its failure;
    // the device folder is watched for it instead.
    if (!QFile::exists(QString::fromLatin1(kSequencerDevice))) {
        if (folders_ >= 0 && sndWatch_ < 0)
            sndWatch_ = ::inotify_add_watch(folders_, "/dev/snd", IN_CREATE | IN_ATTRIB | IN_ONLYDIR);
        return false;
    }
    try {
        alsaIn_ = makeInput(RtMidi::LINUX_ALSA);
        alsaIn_->in->openVirtualPort(kPortName);
    } catch (const RtMidiError& e) {
        qCDebug(lcMidi, "ALSA input: %s", e.what());
    }
    if (!alsaIn_ || alsaIn_->failed || !watchAlsaAnnouncements()) {
        closeAlsa();
        return false;
    }
    if (sndWatch_ >= 0)
        ::inotify_rm_watch(folders_, sndWatch_);
    sndWatch_ = -1;
    return true;
}

void TMidiPorts::closeAlsa()
{
    for (QSocketNotifier* notifier : announcementNotifiers_)
        delete notifier;
    announcementNotifiers_.clear();
    if (announcements_)
        snd_seq_close(announcements_);
    announcements_ = nullptr;
    alsaDevices_.clear();
    alsaIn_.reset();
}

bool TMidiPorts::watchAlsaAnnouncements()
{
    // The sequencer's system client tells every subscriber of its announce port
    // about clients and ports that come and go.
    if (snd_seq_open(&announcements_, "default", SND_SEQ_OPEN_INPUT, SND_SEQ_NONBLOCK) < 0) {
        announcements_ = nullptr;
        return false;
    }
    snd_seq_set_client_name(announcements_, kControlClientName);
    const int port =
        snd_seq_create_simple_port(announcements_, "announcements", SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_NO_EXPORT,
                                   SND_SEQ_PORT_TYPE_APPLICATION);
    if (port < 0 || snd_seq_connect_from(announcements_, port, SND_SEQ_CLIENT_SYSTEM, SND_SEQ_PORT_SYSTEM_ANNOUNCE) < 0)
        return false;
    const int count = snd_seq_poll_descriptors_count(announcements_, POLLIN);
    std::vector<pollfd> fds(std::size_t(std::max(count, 0)));
    const int filled = snd_seq_poll_descriptors(announcements_, fds.data(), unsigned(fds.size()), POLLIN);
    for (int i = 0; i < filled; ++i) {
        auto* notifier = new QSocketNotifier(qintptr(fds[std::size_t(i)].fd), QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, &TMidiPorts::takeAlsaAnnouncements);
        announcementNotifiers_.push_back(notifier);
    }
    return filled > 0;
}

void TMidiPorts::takeAlsaAnnouncements()
{
    bool changed = false;
    int overflows = 0;
    for (;;) {
        snd_seq_event_t* event = nullptr;
        const int rc = snd_seq_event_input(announcements_, &event);
        if (rc == -ENOSPC && ++overflows < 4) { // the kernel's queue overflowed: something was missed
            changed = true;
            continue;
        }
        if (rc < 0 || !event)
            break;
        switch (event->type) {
        case SND_SEQ_EVENT_CLIENT_START:
        case SND_SEQ_EVENT_CLIENT_EXIT:
        case SND_SEQ_EVENT_CLIENT_CHANGE:
        case SND_SEQ_EVENT_PORT_START:
        case SND_SEQ_EVENT_PORT_EXIT:
        case SND_SEQ_EVENT_PORT_CHANGE:
            changed = true;
            break;
        default:
            break;
        }
    }
    if (changed)
        rescanSoon();
}

void TMidiPorts::scanAlsa(QList<TMidiDevice>& found)
{
    if (!alsaIn_)
        return;
    std::set<std::string> present;
    const unsigned count = alsaIn_->in->getPortCount();
    for (unsigned i = 0; i < count; ++i) {
        std::string name;
        if (!alsaHardware(alsaIn_->in->getPortName(i), name) || !present.insert(name).second)
            continue;
        const QString qname = QString::fromStdString(name);
        const bool enabled = !disabled_.contains(qname);
        found.push_back({qname, kAlsa, enabled});
        if (!enabled || alsaDevices_.count(name) || alsaFailed_.count(name))
            continue;
        // Opening announces a client and a port of ours, which brings us here again: a device
        // that failed is not tried again until it is unplugged, or else that would never end.
        try {
            std::unique_ptr<TOpenInput> device = makeInput(RtMidi::LINUX_ALSA);
            device->in->openPort(i, kPortName);
            if (device->in->isPortOpen() && !device->failed)
                alsaDevices_[name] = std::move(device);
            else
                alsaFailed_.insert(name);
        } catch (const RtMidiError& e) {
            qCDebug(lcMidi, "ALSA: could not open %s: %s", name.c_str(), e.what());
            alsaFailed_.insert(name);
        }
    }
    // A device unplugged is let go quietly.
    for (auto it = alsaDevices_.begin(); it != alsaDevices_.end();)
        it = present.count(it->first) ? std::next(it) : alsaDevices_.erase(it);
    for (auto it = alsaFailed_.begin(); it != alsaFailed_.end();)
        it = present.count(*it) ? std::next(it) : alsaFailed_.erase(it);
}

void TMidiPorts::report(QList<TMidiDevice> found)
{
    std::sort(found.begin(), found.end(), [](const TMidiDevice& a, const TMidiDevice& b) {
        return std::tie(a.System, a.Name) < std::tie(b.System, b.Name);
    });
    QStringList systems;
    if (alsaIn_)
        systems << kAlsa;
    if (jack_)
        systems << kJack;
    if (reportedOnce_ && found == reported_ && systems == reportedSystems_)
        return;
    reportedOnce_ = true;
    reported_ = found;
    reportedSystems_ = systems;
    if (report_)
        report_(found, systems, QString::fromStdString(jackPort_));
}
