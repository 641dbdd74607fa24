// Latency of the MIDI input: a note-on played into JACK until keyDown reaches
// the GUI thread, beside the same note's trip to a bare JACK client in the same
// run. The JACK period dominates both; the ratio and the difference show what
// the hand-off to the GUI thread adds.
#include "midi/MidiInput.h"
#include "tests/support/JackServer.h"

#include <jack/jack.h>
#include <jack/midiport.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kNotes = 200;
constexpr int kSpacingMs = 15;

// Two JACK clients: one plays the note asked for, the other, a bare input beside
// ours, notes the time each note arrives. The input is a client of its own so
// that it sits after the player in the graph, as our port does.
struct TJackPair
{
    jack_client_t* client = nullptr;
    jack_client_t* receiver = nullptr;
    jack_port_t* out = nullptr;
    jack_port_t* in = nullptr;
    std::atomic<int> toSend{-1};
    // Arrival times in the order the notes came; they are spaced far wider than a period.
    std::array<std::atomic<int64_t>, kNotes> arrived{};
    std::atomic<int> arrivals{0};

    static int Play(jack_nframes_t frames, void* arg)
    {
        auto* self = static_cast<TJackPair*>(arg);
        void* outBuffer = jack_port_get_buffer(self->out, frames);
        jack_midi_clear_buffer(outBuffer);
        const int note = self->toSend.exchange(-1);
        if (note >= 0) {
            const jack_midi_data_t on[3] = {0x90, jack_midi_data_t(note), 100};
            jack_midi_event_write(outBuffer, 0, on, 3);
        }
        return 0;
    }

    static int Receive(jack_nframes_t frames, void* arg)
    {
        auto* self = static_cast<TJackPair*>(arg);
        void* inBuffer = jack_port_get_buffer(self->in, frames);
        const uint32_t count = jack_midi_get_event_count(inBuffer);
        for (uint32_t i = 0; i < count; ++i) {
            jack_midi_event_t ev;
            if (jack_midi_event_get(&ev, inBuffer, i) == 0 && ev.size == 3 && (ev.buffer[0] & 0xF0) == 0x90 &&
                self->arrivals < kNotes)
                self->arrived[self->arrivals++] = Clock::now().time_since_epoch().count();
        }
        return 0;
    }
};

double ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5))];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    lirasto::test::JackServer server;
    if (!server.Running()) {
        std::fprintf(stderr, "bench_midi_latency: %s\n", server.Error().c_str());
        return 1;
    }
    TMidiInput input;
    input.Start();
    QElapsedTimer waited;
    waited.start();
    while (input.JackPortName().isEmpty() && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);

    TJackPair jack;
    jack.client = jack_client_open("latency player", JackNoStartServer, nullptr);
    jack.receiver = jack_client_open("latency receiver", JackNoStartServer, nullptr);
    if (!jack.client || !jack.receiver || input.JackPortName().isEmpty()) {
        std::fprintf(stderr, "bench_midi_latency: JACK did not come up\n");
        return 1;
    }
    jack.out = jack_port_register(jack.client, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    jack.in = jack_port_register(jack.receiver, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    jack_set_process_callback(jack.client, &TJackPair::Play, &jack);
    jack_set_process_callback(jack.receiver, &TJackPair::Receive, &jack);
    auto gone = [](jack_status_t, const char* reason, void* name) {
        std::fprintf(stderr, "bench_midi_latency: JACK dropped the %s: %s\n", static_cast<const char*>(name), reason);
    };
    jack_on_info_shutdown(jack.client, gone, const_cast<char*>("player"));
    jack_on_info_shutdown(jack.receiver, gone, const_cast<char*>("receiver"));
    jack_activate(jack.client);
    jack_activate(jack.receiver);
    jack_connect(jack.client, jack_port_name(jack.out), jack_port_name(jack.in));
    jack_connect(jack.client, jack_port_name(jack.out), input.JackPortName().toUtf8().constData());
    // New connections reach the running graph a period or two later.
    waited.restart();
    while (waited.elapsed() < 200)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);

    // One note at a time: the next is played a little after the last one
    // reached keyDown. The GUI thread sleeps in its event loop meanwhile, as
    // the program's does; a note that does not come within two seconds ends the run.
    std::vector<Clock::time_point> sent(kNotes);
    std::vector<double> module, baseline;
    int next = 0;
    QEventLoop loop;
    QTimer stall;
    stall.setSingleShot(true);
    stall.setInterval(2000);
    QObject::connect(&stall, &QTimer::timeout, &loop, &QEventLoop::quit);
    auto playNext = [&] {
        sent[next] = Clock::now();
        jack.toSend = next % 128;
        ++next;
        stall.start();
    };
    QObject::connect(&input, &TMidiInput::KeyDown, [&](int note, auto) {
        if (int(module.size()) >= next || note != (next - 1) % 128)
            return;
        module.push_back(ms(Clock::now() - sent[next - 1]));
        if (next < kNotes)
            QTimer::singleShot(kSpacingMs, playNext);
        else
            loop.quit();
    });
    playNext();
    loop.exec();
    // The bare input may see the last note a period after ours did.
    waited.restart();
    while (jack.arrivals < int(module.size()) && waited.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    jack_client_close(jack.client);
    jack_client_close(jack.receiver);
    input.Stop();
    // On a machine loaded far beyond its cores the JACK graph itself can stall
    // for seconds; the figures then cover the notes measured before it did.
    const int measured = std::min(int(module.size()), jack.arrivals.load());
    if (measured < kNotes / 10) {
        std::fprintf(stderr, "bench_midi_latency: only %d of %d notes arrived\n", measured, kNotes);
        return 1;
    }
    if (measured < kNotes)
        std::printf("warning: the JACK graph stalled; %d of %d notes measured\n", measured, kNotes);
    module.resize(size_t(measured));
    for (int i = 0; i < measured; ++i)
        baseline.push_back(ms(Clock::time_point(Clock::duration(jack.arrived[i].load())) - sent[i]));
    const double m50 = percentile(module, 0.5), m99 = percentile(module, 0.99);
    const double b50 = percentile(baseline, 0.5), b99 = percentile(baseline, 0.99);
    std::printf("MIDI note-on to keyDown on the GUI thread (%d notes): median %.2f ms, p99 %.2f ms\n", measured, m50,
                m99);
    std::printf("the same notes to a bare JACK client (baseline):      median %.2f ms, p99 %.2f ms\n", b50, b99);
    std::printf("ratio to the baseline: median %.2f, p99 %.2f; the hand-off adds %.2f ms at the median\n", m50 / b50,
                m99 / b99, m50 - b50);
    return 0;
}
