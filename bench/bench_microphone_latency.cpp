// The microphone through a private JACK server: from a note's first sample entering the graph to the game
// judging the answer (median and 99th percentile), beside the same sound's trip to a bare JACK client in
// the same run; and what listening costs, as the process's CPU with the microphone listening against the
// same playback with it closed.
#include "game/GameCore.h"
#include "microphone/MicrophoneInput.h"
#include "tests/microphone/JackPlayer.h"
#include "tests/microphone/Signals.h"
#include "tests/support/EventWait.h"
#include "tests/support/JackServer.h"

#include <QCoreApplication>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <thread>

using namespace lirasto::test;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kRounds = 2;

// Asks for the note about to be played.
struct TAsk : TQuestionChooser
{
    int note_ = 60;
    TChoice Choose(int, int, int) override { return {note_ >= 60 ? 1 : 2, note_}; }
};

struct TJudged : TGameListener
{
    Clock::time_point at_{};
    bool right_ = false;
    int count_ = 0;
    void AnswerJudged(const TJudgement& j) override
    {
        at_ = Clock::now();
        right_ = j.Right;
        ++count_;
    }
};

// A bare JACK input beside ours: when the sound's first sample reaches a client at all.
struct TBareClient
{
    jack_client_t* Client = nullptr;
    jack_port_t* In = nullptr;
    std::atomic<bool> Armed{false};
    std::atomic<int64_t> Heard{0};

    explicit TBareClient(const char* source)
    {
        jack_status_t status{};
        Client = jack_client_open("bare input", JackNoStartServer, &status);
        In = jack_port_register(Client, "in", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
        jack_set_process_callback(Client, &TBareClient::Process, this);
        jack_activate(Client);
        jack_connect(Client, source, jack_port_name(In));
    }
    ~TBareClient() { jack_client_close(Client); }
    static int Process(jack_nframes_t frames, void* self)
    {
        auto* b = static_cast<TBareClient*>(self);
        const auto* x = static_cast<const float*>(jack_port_get_buffer(b->In, frames));
        if (b->Armed.load())
            for (jack_nframes_t i = 0; i < frames; ++i)
                if (std::fabs(x[i]) > 1e-4f) {
                    const double ahead = double(i) / jack_get_sample_rate(b->Client);
                    b->Heard = (Clock::now() +
                                std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(ahead)))
                                   .time_since_epoch()
                                   .count();
                    b->Armed = false;
                    break;
                }
        return 0;
    }
};

double processCpu()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
}

double percentile(std::vector<double> v, int p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, v.size() * std::size_t(p) / 100)];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    JackServer server(48000, 256);
    if (!server.Running()) {
        std::fprintf(stderr, "%s\n", server.Error().c_str());
        return 1;
    }
    TGameCore core;
    TAsk ask;
    TJudged judged;
    core.SetChooser(&ask);
    core.AddListener(&judged);
    TMicrophoneInput input;
    QObject::connect(&input, &TMicrophoneInput::KeyDown,
                     [&](int n, auto) { core.KeyDown(n, TInputSource::Microphone); });
    QObject::connect(&input, &TMicrophoneInput::KeyUp, [&](int n) { core.KeyUp(n, TInputSource::Microphone); });
    input.Start({}, {});
    if (!WaitFor([&] { return input.Listening() || !input.Problem().isEmpty(); }, 10000) || !input.Listening()) {
        std::fprintf(stderr, "no microphone: %s\n", qPrintable(input.Problem()));
        return 1;
    }
    JackPlayer player(input.JackPortName().toStdString());
    TBareClient bare("microphone player:out");

    // Piano and guitar notes over the questions' whole range, each with its own start.
    std::vector<std::pair<int, std::vector<float>>> notes;
    for (int round = 0; round < kRounds; ++round)
        for (int note = 40; note <= 88; note += 1)
            notes.emplace_back(note, RenderNote(round == 0 ? 0 : 24, note, 90, 0.35, 0.15));

    std::vector<double> answerMs, bareMs;
    int right = 0;
    const auto playAll = [&](bool judging) {
        for (auto& [note, sound] : notes) {
            if (judging) {
                ask.note_ = note;
                core.Start();
                core.Tick();
            }
            const int before = judged.count_;
            const std::size_t played = player.Starts().size();
            bare.Armed = true;
            player.Play(sound);
            player.Play(std::vector<float>(kSignalRate / 10, 0.0f));
            // Waits without spinning, so that the CPU figures are the microphone's and not the wait's.
            for (int ms = 0; ms < 5000 && !player.Idle(); ++ms) {
                QCoreApplication::processEvents();
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            if (!judging || player.Starts().size() < played + 1)
                continue;
            const Clock::time_point start = player.Starts()[played];
            bareMs.push_back(
                std::chrono::duration<double, std::milli>(Clock::duration(bare.Heard.load()) - start.time_since_epoch())
                    .count());
            if (judged.count_ > before) {
                answerMs.push_back(std::chrono::duration<double, std::milli>(judged.at_ - start).count());
                right += judged.right_;
            }
        }
    };
    const double cpu0 = processCpu();
    const Clock::time_point t0 = Clock::now();
    playAll(true);
    const double listeningCpu = processCpu() - cpu0;
    const double listeningWall = std::chrono::duration<double>(Clock::now() - t0).count();
    input.Stop();
    const double cpu1 = processCpu();
    const Clock::time_point t1 = Clock::now();
    playAll(false);
    const double closedCpu = processCpu() - cpu1;
    const double closedWall = std::chrono::duration<double>(Clock::now() - t1).count();

    std::printf("%zu notes played, %zu answers judged, %d right\n", notes.size(), answerMs.size(), right);
    std::printf("note start to answer judged: median %.1f ms, p99 %.1f ms\n", percentile(answerMs, 50),
                percentile(answerMs, 99));
    std::printf("baseline, note start to a bare JACK client: median %.1f ms, p99 %.1f ms\n", percentile(bareMs, 50),
                percentile(bareMs, 99));
    std::printf("process CPU while listening: %.2f %% of one core; same playback, microphone closed: %.2f %%; "
                "listening adds %.2f %%\n",
                100 * listeningCpu / listeningWall, 100 * closedCpu / closedWall,
                100 * (listeningCpu / listeningWall - closedCpu / closedWall));
    return 0;
}
