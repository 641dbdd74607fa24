// The metronome of a line in time, heard from the real program's JACK output: how far its clicks
// fall from a beat grid, at 40 and 200 beats a minute. Beside it, the JACK period: the step a click
// started from the window's thread, at the next cycle, would be quantised to.
#include "tests/audio/SoundProbe.h"
#include "tests/e2e/XSession.h"
#include "tests/support/JackServer.h"
#include "tests/support/TempDir.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>

using namespace lirasto::e2e;
using namespace lirasto::test;
using namespace std::chrono_literals;

namespace {

struct TClick
{
    double At; // in samples
    float Peak;
};

// Each click's attack: where it first reaches a third of its peak, the peak taken over 20 ms. A click
// peaks above 0.1 at full volume; the reverb's tail stays below the level that starts one.
std::vector<TClick> clicksIn(const std::vector<float>& x, double rate, double beatSamples)
{
    std::vector<TClick> clicks;
    const auto window = size_t(0.02 * rate);
    for (size_t i = 0; i < x.size(); ++i) {
        if (std::abs(x[i]) < 0.02f || (!clicks.empty() && double(i) - clicks.back().At < beatSamples / 2))
            continue;
        float peak = 0;
        for (size_t j = i; j < std::min(x.size(), i + window); ++j)
            peak = std::max(peak, std::abs(x[j]));
        size_t onset = i;
        while (std::abs(x[onset]) < peak / 3)
            ++onset;
        clicks.push_back({double(onset), peak});
        i += window;
    }
    return clicks;
}

// The widest spread, in microseconds, of the clicks' offsets from the grid, like clicks with like
// (the accented ones are another sound, with another attack).
double spreadMicroseconds(const std::vector<TClick>& clicks, double beatSamples, double rate)
{
    if (clicks.size() < 3)
        return -1;
    std::vector<float> peaks;
    for (const TClick& c : clicks)
        peaks.push_back(c.Peak);
    std::sort(peaks.begin(), peaks.end());
    const float split = (peaks.front() + peaks.back()) / 2;
    double widest = 0;
    for (bool loud : {false, true}) {
        std::vector<double> offsets;
        for (const TClick& c : clicks)
            if ((c.Peak > split) == loud)
                offsets.push_back(std::remainder(c.At - clicks.front().At, beatSamples));
        if (offsets.size() < 2)
            continue;
        const auto [low, high] = std::minmax_element(offsets.begin(), offsets.end());
        widest = std::max(widest, (*high - *low) / rate * 1e6);
    }
    return widest;
}

} // namespace

int main()
{
    // LIRASTO_BENCH_PERIOD: a longer period for a loaded machine, where short cycles are missed.
    const char* periodText = std::getenv("LIRASTO_BENCH_PERIOD");
    const int period = periodText ? std::max(64, std::atoi(periodText)) : 256;
    JackServer server(48000, period);
    if (!server.Running()) {
        std::fprintf(stderr, "no JACK server: %s\n", server.Error().c_str());
        return 1;
    }
    // A cycle the dummy driver's clients missed shifts what is recorded by whole periods: counted beside.
    std::atomic<int> xruns{0};
    jack_client_t* watcher = jack_client_open("lirasto-xruns", JackNoStartServer, nullptr);
    if (watcher) {
        jack_set_xrun_callback(
            watcher, [](void* count) { return ++*static_cast<std::atomic<int>*>(count), 0; }, &xruns);
        jack_activate(watcher);
    }
    for (const int bpm : {40, 200}) {
        xruns = 0;
        JackCapture capture;
        std::atomic<bool> done{false};
        std::thread follower([&] {
            while (!done)
                capture.Connect("Lirasto Notes[^:]*:", 10ms);
        });
        TempDir workDir;
        VirtualDisplay display;
        ChildProcess program(
            {LIRASTO_PROGRAM, "--tempo", std::to_string(bpm), "--notes", "8"},
            {"DISPLAY=" + display.Name(), "QT_QPA_PLATFORM=xcb", "XDG_DATA_HOME=" + (workDir.Path() / "data").string()},
            workDir.Path());
        // The sound opens a few seconds after the window; the clicks are measured once it plays.
        const size_t from = capture.At(8.0), to = capture.At(28.0);
        while (capture.Frames() < to)
            std::this_thread::sleep_for(50ms);
        done = true;
        follower.join();
        const double beatSamples = capture.Rate() * 60.0 / bpm;
        const std::vector<TClick> clicks = clicksIn(capture.Take(from, to), capture.Rate(), beatSamples);
        std::printf("%3d BPM: %zu clicks, spread from the beat grid %.0f us; JACK period %.0f us, %d xruns\n", bpm,
                    clicks.size(), spreadMicroseconds(clicks, beatSamples, capture.Rate()),
                    period / capture.Rate() * 1e6, xruns.load());
    }
    if (watcher)
        jack_client_close(watcher);
    return 0;
}
