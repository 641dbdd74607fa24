#include "midi/MidiPorts.h"

#include "midi/MidiQueue.h"

#include <RtMidi.h>
#include <jack/jack.h>
#include <jack/midiport.h>

#include <QFile>
#include <QLoggingCategory>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>
#include <tuple>
#include <vector>

Q_LOGGING_CATEGORY(lcMidi, "lirasto.midi", QtWarningMsg)

namespace {

const char* const kClientName = "Lirasto Notes";
const char* const kPortName = "MIDI in";
// Lists and connects JACK ports; it owns no port, so patchbays do not show it.
const char* const kControlClientName = "Lirasto Notes control";
const QString kAlsa = QStringLiteral("ALSA");
const QString kJack = QStringLiteral("JACK");

// libjack reports a missing server on stderr; looking for one every second
// is normal here, so its messages go to the debug log instead.
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

    static void onError(RtMidiError::Type type, const std::string& text, void* user)
    {
        qCDebug(lcMidi, "RtMidi (%d): %s", int(type), text.c_str());
        if (type != RtMidiError::WARNING && type != RtMidiError::DEBUG_WARNING)
            static_cast<TOpenInput*>(user)->failed = true;
    }

    // On the MIDI system's thread: nothing here may touch Qt objects but the queue.
    static void onMessage(double, std::vector<unsigned char>* message, void* user)
    {
        auto* self = static_cast<TOpenInput*>(user);
        if (!message)
            return;
        self->parser.feed(std::span<const uint8_t>(message->data(), message->size()),
                          [self](const TMidiParser::TNoteEvent& ev) { self->queue->push(ev); });
        self->parser.endMessage();
    }
};

TMidiPorts::TMidiPorts(std::shared_ptr<TMidiQueue> queue, QSet<QString> disabled, TReport report)
    : queue_(std::move(queue)), disabled_(std::move(disabled)), report_(std::move(report))
{
    timer_.setInterval(kPollMs);
    connect(&timer_, &QTimer::timeout, this, &TMidiPorts::poll);
}

TMidiPorts::~TMidiPorts()
{
    alsaDevices_.clear();
    alsaIn_.reset();
    closeJack();
}

void TMidiPorts::begin()
{
    jack_set_error_function(jackMessage);
    jack_set_info_function(jackMessage);
    poll();
    timer_.start();
}

void TMidiPorts::setDeviceEnabled(const QString& name, bool enabled)
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
    poll();
}

std::unique_ptr<TMidiPorts::TOpenInput> TMidiPorts::makeInput(int api)
{
    auto input = std::make_unique<TOpenInput>();
    input->queue = queue_.get();
    // RtMidi throws when it cannot open the system at all, before an error
    // callback can be set.
    input->in = std::make_unique<RtMidiIn>(RtMidi::Api(api), kClientName);
    input->in->setErrorCallback(&TOpenInput::onError, input.get());
    input->in->setCallback(&TOpenInput::onMessage, input.get());
    // The parser sees the whole stream: a system exclusive or a clock byte
    // that RtMidi dropped would leave running status standing where it ends.
    input->in->ignoreTypes(false, false, false);
    return input;
}

void TMidiPorts::poll()
{
    QList<TMidiDevice> found;
    pollAlsa(found);
    pollJack(found);
    report(std::move(found));
}

bool TMidiPorts::openJack()
{
    jackGone_ = false;
    jack_status_t status{};
    jack_ = jack_client_open(kControlClientName, JackNoStartServer, &status);
    if (!jack_)
        return false;
    jack_on_shutdown(
        jack_, [](void* self) { static_cast<TMidiPorts*>(self)->jackGone_ = true; }, this);
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
    return true;
}

void TMidiPorts::closeJack()
{
    jackIn_.reset();
    if (jack_)
        jack_client_close(jack_);
    jack_ = nullptr;
    jackPort_.clear();
    jackSeen_.clear();
}

void TMidiPorts::pollJack(QList<TMidiDevice>& found)
{
    if (jackGone_)
        closeJack();
    if (!jack_ && !openJack())
        return;
    std::map<std::string, bool> seen;
    for (const std::string& port : jackPorts(jack_, JackPortIsOutput | JackPortIsPhysical)) {
        // While the sequencer delivers its keyboards itself, the same ones
        // bridged into JACK would play every note twice.
        if (!alsaDevices_.empty() && bridgedFromAlsa(jack_, port))
            continue;
        const QString name = QString::fromStdString(port);
        const bool enabled = !disabled_.contains(name);
        auto before = jackSeen_.find(port);
        bool connected = before != jackSeen_.end() && before->second;
        // Only a port new to us is connected: one the user disconnected in a
        // patchbay stays as the user left it.
        if (before == jackSeen_.end() && enabled) {
            const int rc = jack_connect(jack_, port.c_str(), jackPort_.c_str());
            connected = rc == 0 || rc == EEXIST;
            if (!connected)
                qCDebug(lcMidi, "JACK: could not connect %s (%d)", port.c_str(), rc);
        }
        seen[port] = connected;
        found.push_back({name, kJack, enabled});
    }
    jackSeen_ = std::move(seen);
}

bool TMidiPorts::openAlsa()
{
    // Without the sequencer device the library would only print its failure.
    if (!QFile::exists(QStringLiteral("/dev/snd/seq")))
        return false;
    try {
        alsaIn_ = makeInput(RtMidi::LINUX_ALSA);
        alsaIn_->in->openVirtualPort(kPortName);
    } catch (const RtMidiError& e) {
        qCDebug(lcMidi, "ALSA input: %s", e.what());
    }
    if (!alsaIn_ || alsaIn_->failed) {
        alsaIn_.reset();
        return false;
    }
    return true;
}

void TMidiPorts::pollAlsa(QList<TMidiDevice>& found)
{
    if (!alsaIn_ && !openAlsa())
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
        if (!enabled || alsaDevices_.count(name))
            continue;
        try {
            std::unique_ptr<TOpenInput> device = makeInput(RtMidi::LINUX_ALSA);
            device->in->openPort(i, kPortName);
            if (device->in->isPortOpen() && !device->failed)
                alsaDevices_[name] = std::move(device);
        } catch (const RtMidiError& e) {
            qCDebug(lcMidi, "ALSA: could not open %s: %s", name.c_str(), e.what());
        }
    }
    // A device unplugged is let go quietly.
    for (auto it = alsaDevices_.begin(); it != alsaDevices_.end();)
        it = present.count(it->first) ? std::next(it) : alsaDevices_.erase(it);
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
