// Press-to-sound latency and idle cost of the piano sound, through a private
// JACK server on the dummy driver at a 256-frame period. The latency is the
// time from noteOn to the first JACK cycle that delivers the tone to a client
// listening to the program's ports; the period itself is printed beside it as
// the yardstick. The idle cost is the process's CPU over ten quiet seconds with
// the output open, and again once it has closed after the silence.
#include "audio/PianoSound.h"
#include "tests/support/JackServer.h"

#include <jack/jack.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <sys/resource.h>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kPeriod = 256;
constexpr int kPresses = 100;

struct Listener
{
    jack_client_t* client = nullptr;
    jack_port_t* port = nullptr;
    std::atomic<bool> armed{false};
    std::atomic<bool> quiet{false};
    std::atomic<Clock::rep> heardAt{0};

    static int Process(jack_nframes_t frames, void* self)
    {
        auto* l = static_cast<Listener*>(self);
        const auto* in = static_cast<const float*>(jack_port_get_buffer(l->port, frames));
        float peak = 0;
        for (jack_nframes_t i = 0; i < frames; ++i)
            peak = std::max(peak, std::fabs(in[i]));
        l->quiet.store(peak < 0.002f);
        if (l->armed.load() && peak > 0.02f) {
            l->heardAt.store(Clock::now().time_since_epoch().count());
            l->armed.store(false);
        }
        return 0;
    }
};

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double cpuPercentOver(std::chrono::seconds span)
{
    const double before = cpuSeconds();
    std::this_thread::sleep_for(span);
    return 100.0 * (cpuSeconds() - before) / double(span.count());
}

} // namespace

int main()
{
    lirasto::test::JackServer server(48000, kPeriod);
    if (!server.Running()) {
        std::fprintf(stderr, "bench_sound: %s\n", server.Error().c_str());
        return 1;
    }
    TSoundSetup setup;
    setup.IdleStop = 20s;
    TPianoSound sound(setup);
    sound.Start();
    if (!sound.WaitStarted(10s) || sound.OutputDriver() != QLatin1String("jack")) {
        std::fprintf(stderr, "bench_sound: no JACK output (%s)\n", qPrintable(sound.StatusText()));
        return 1;
    }
    Listener listener;
    listener.client = jack_client_open("bench-listener", JackNoStartServer, nullptr);
    listener.port = jack_port_register(listener.client, "in", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    jack_set_process_callback(listener.client, Listener::Process, &listener);
    jack_activate(listener.client);
    const char** ports = jack_get_ports(listener.client, "^Lirasto Notes:", nullptr, JackPortIsOutput);
    if (!ports || jack_connect(listener.client, ports[0], jack_port_name(listener.port)) != 0) {
        std::fprintf(stderr, "bench_sound: cannot listen to the program's ports\n");
        return 1;
    }
    jack_free(ports);

    // Presses fall at random points of the period, as a player's do.
    std::mt19937 random(7);
    std::vector<double> latencies;
    for (int i = 0; i < kPresses; ++i) {
        while (!listener.quiet.load())
            std::this_thread::sleep_for(5ms);
        std::this_thread::sleep_for(std::chrono::microseconds(20000 + random() % 20000));
        const int note = 60 + i % 12;
        listener.armed.store(true);
        const auto pressed = Clock::now();
        sound.NoteOn(note);
        const auto deadline = pressed + 1s;
        while (listener.armed.load() && Clock::now() < deadline)
            std::this_thread::sleep_for(200us);
        sound.NoteOff(note);
        if (!listener.armed.load())
            latencies.push_back(
                double((Clock::duration(listener.heardAt.load()) - pressed.time_since_epoch()).count()) / 1e6);
        listener.armed.store(false);
        sound.AllNotesOff();
    }
    std::sort(latencies.begin(), latencies.end());
    if (latencies.empty()) {
        std::fprintf(stderr, "bench_sound: no press was heard\n");
        return 1;
    }
    const auto at = [&](double q) { return latencies[size_t(q * double(latencies.size() - 1) + 0.5)]; };
    std::printf("press to sound, %zu of %d presses heard, period %.2f ms: median %.2f ms, p99 %.2f ms, max %.2f ms\n",
                latencies.size(), kPresses, 1000.0 * kPeriod / 48000.0, at(0.5), at(0.99), latencies.back());

    jack_client_close(listener.client);
    std::this_thread::sleep_for(3s); // the last release and the reverb die away
    const double open = cpuPercentOver(10s);
    std::this_thread::sleep_for(20s - 13s + 2s); // past the idle stop
    const bool closed = sound.OutputDriver().isEmpty();
    const double idle = cpuPercentOver(10s);
    std::printf("CPU while silent: %.2f %% with the output open, %.2f %% once it has closed%s\n", open, idle,
                closed ? "" : " (it had NOT closed)");
    return 0;
}
