// Plays MIDI into a JACK graph from outside, for the tests and benchmarks.
//
//   midi_send [--name CLIENT] [--physical] [--connect PORT] [--wait-connected SECONDS] [COMMAND ...]
//
// Commands come from the arguments, or from stdin one per line when none are given:
//   on NOTE [VELOCITY [CHANNEL]]   note-on (velocity 100, channel 1 by default)
//   off NOTE [VELOCITY [CHANNEL]]  note-off
//   raw HEX...                     one JACK MIDI event of exactly these bytes
//   sysex N                        a system exclusive message of N data bytes
//   flood N                        N note messages: note i % 128, on in even passes, off in odd ones
//   sleep MS
//   sync                           waits until everything is sent, then prints "sent"
// --physical marks the port as hardware, as a keyboard's would be. With --wait-connected the
// program waits until something connects to the port and prints "connected", or exits with 2.
#include <jack/jack.h>
#include <jack/midiport.h>
#include <jack/ringbuffer.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

jack_port_t* gPort = nullptr;
jack_ringbuffer_t* gQueue = nullptr;
int gTooLarge = 0; // events larger than a period's buffer, left out

// Each queued event is its length (two bytes) and its bytes, written in one piece.
int process(jack_nframes_t frames, void*)
{
    void* buffer = jack_port_get_buffer(gPort, frames);
    jack_midi_clear_buffer(buffer);
    uint16_t length = 0;
    while (jack_ringbuffer_peek(gQueue, reinterpret_cast<char*>(&length), 2) == 2 &&
           jack_ringbuffer_read_space(gQueue) >= 2u + length) {
        const bool fits = jack_midi_max_event_size(buffer) >= length;
        if (!fits && jack_midi_get_event_count(buffer) > 0)
            break; // full: the rest goes in the next period
        jack_midi_data_t* out = fits ? jack_midi_event_reserve(buffer, 0, length) : nullptr;
        jack_ringbuffer_read_advance(gQueue, 2);
        if (out)
            jack_ringbuffer_read(gQueue, reinterpret_cast<char*>(out), length);
        else {
            jack_ringbuffer_read_advance(gQueue, length);
            ++gTooLarge;
        }
    }
    return 0;
}

void sleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void send(const std::vector<uint8_t>& bytes)
{
    std::vector<char> record(2 + bytes.size());
    const uint16_t length = uint16_t(bytes.size());
    std::memcpy(record.data(), &length, 2);
    std::memcpy(record.data() + 2, bytes.data(), bytes.size());
    while (jack_ringbuffer_write_space(gQueue) < record.size())
        sleepMs(1);
    jack_ringbuffer_write(gQueue, record.data(), record.size());
}

void waitSent()
{
    while (jack_ringbuffer_read_space(gQueue) > 0)
        sleepMs(1);
    sleepMs(30); // the last period reaches the readers
}

bool run(const std::string& line)
{
    std::istringstream in(line);
    std::string cmd;
    if (!(in >> cmd))
        return true;
    if (cmd == "on" || cmd == "off") {
        int note = 0, velocity = cmd == "on" ? 100 : 64, channel = 1;
        in >> note >> velocity >> channel;
        send({uint8_t((cmd == "on" ? 0x90 : 0x80) | ((channel - 1) & 15)), uint8_t(note & 127),
              uint8_t(velocity & 127)});
    } else if (cmd == "raw") {
        std::vector<uint8_t> bytes;
        for (std::string hex; in >> hex;)
            bytes.push_back(uint8_t(std::stoul(hex, nullptr, 16)));
        send(bytes);
    } else if (cmd == "sysex") {
        int n = 0;
        in >> n;
        std::vector<uint8_t> bytes(size_t(n) + 2, 0x11);
        bytes.front() = 0xF0;
        bytes.back() = 0xF7;
        send(bytes);
    } else if (cmd == "flood") {
        int n = 0;
        in >> n;
        for (int i = 0; i < n; ++i)
            send({uint8_t((i / 128) % 2 ? 0x80 : 0x90), uint8_t(i % 128), 64});
    } else if (cmd == "sleep") {
        int ms = 0;
        in >> ms;
        sleepMs(ms);
    } else if (cmd == "sync") {
        waitSent();
        std::cout << "sent" << std::endl;
    } else {
        std::cerr << "midi_send: unknown command: " << line << "\n";
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    std::string name = "midi_send", connectTo;
    bool physical = false;
    double waitConnected = -1;
    std::vector<std::string> commands;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--name" && i + 1 < argc)
            name = argv[++i];
        else if (a == "--connect" && i + 1 < argc)
            connectTo = argv[++i];
        else if (a == "--wait-connected" && i + 1 < argc)
            waitConnected = std::stod(argv[++i]);
        else if (a == "--physical")
            physical = true;
        else
            commands.push_back(a);
    }
    jack_client_t* client = jack_client_open(name.c_str(), JackNoStartServer, nullptr);
    if (!client) {
        std::cerr << "midi_send: no JACK server\n";
        return 1;
    }
    unsigned long flags = JackPortIsOutput | (physical ? JackPortIsPhysical | JackPortIsTerminal : 0);
    gPort = jack_port_register(client, "out", JACK_DEFAULT_MIDI_TYPE, flags, 0);
    gQueue = jack_ringbuffer_create(1 << 20);
    jack_set_process_callback(client, process, nullptr);
    if (!gPort || jack_activate(client) != 0) {
        std::cerr << "midi_send: cannot open a MIDI port\n";
        return 1;
    }
    if (!connectTo.empty() && jack_connect(client, jack_port_name(gPort), connectTo.c_str()) != 0) {
        std::cerr << "midi_send: cannot connect to " << connectTo << "\n";
        return 1;
    }
    if (waitConnected >= 0) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(waitConnected);
        while (jack_port_connected(gPort) == 0 && std::chrono::steady_clock::now() < deadline)
            sleepMs(10);
        if (jack_port_connected(gPort) == 0) {
            std::cerr << "midi_send: not connected within " << waitConnected << " s\n";
            return 2;
        }
        std::cout << "connected" << std::endl;
    }
    // A new connection takes effect in the graph a period or two later.
    if (!connectTo.empty() || waitConnected >= 0)
        sleepMs(50);
    bool ok = true;
    if (commands.empty()) {
        for (std::string line; ok && std::getline(std::cin, line);)
            ok = run(line);
    } else {
        for (const std::string& c : commands)
            ok = ok && run(c);
    }
    waitSent();
    jack_client_close(client);
    jack_ringbuffer_free(gQueue);
    if (gTooLarge > 0) {
        std::cerr << "midi_send: " << gTooLarge << " events too large for a period, not sent\n";
        ok = false;
    }
    return ok ? 0 : 1;
}
