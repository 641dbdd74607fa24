// The adaptive chooser and the answer history, each beside a baseline in the
// same run: a question drawn by the chooser against today's uniform draw, an
// answer committed to the history against a line appended to a file and
// flushed, and the simulated players' figures as counters (adaptive against
// uniform).
#include "history/HistoryStore.h"
#include "tests/game/SimulatedPlayers.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

void UniformDraw(benchmark::State& state)
{
    RandSeed = 1;
    for (auto _ : state) {
        const int clef = 1 + Random(2);
        benchmark::DoNotOptimize(clef == 1 ? 53 + Random(36) : 36 + Random(32));
    }
}
BENCHMARK(UniformDraw);

void AdaptiveChoice(benchmark::State& state)
{
    TAdaptiveChooser chooser;
    WeakNotesPlayer(&chooser, 1, 300, {{{1, 61}, true}}); // a history of 300 questions
    int previous = 0;
    for (auto _ : state)
        previous = chooser.Choose(1, 0, previous).Note;
}
BENCHMARK(AdaptiveChoice);

void WeakNotes(benchmark::State& state)
{
    const std::map<TItem, bool> weak{{{1, 61}, true}, {{1, 70}, true}, {{2, 45}, true}};
    double adaptive = 0, uniform = 0;
    for (auto _ : state) {
        adaptive = uniform = 0;
        for (uint32_t seed = 1; seed <= 200; ++seed) {
            TAdaptiveChooser chooser;
            for (auto* shown : {&adaptive, &uniform})
                for (const auto& [item, count] :
                     WeakNotesPlayer(shown == &adaptive ? &chooser : nullptr, seed, 100, weak))
                    *shown += weak.count(item) ? count : 0;
        }
    }
    state.counters["weak_shown_adaptive_per_uniform"] = adaptive / uniform;
}
BENCHMARK(WeakNotes)->Iterations(1)->Unit(benchmark::kMillisecond);

void LearnerMedian(benchmark::State& state)
{
    std::vector<int> adaptive, uniform;
    for (auto _ : state) {
        adaptive.clear(), uniform.clear();
        for (uint32_t seed = 1; seed <= 200; ++seed) {
            TAdaptiveChooser chooser;
            adaptive.push_back(Learner(&chooser, seed));
            uniform.push_back(Learner(nullptr, seed));
        }
    }
    std::sort(adaptive.begin(), adaptive.end());
    std::sort(uniform.begin(), uniform.end());
    state.counters["questions_adaptive"] = adaptive[100];
    state.counters["questions_uniform"] = uniform[100];
    state.counters["adaptive_per_uniform"] = double(adaptive[100]) / uniform[100];
}
BENCHMARK(LearnerMedian)->Iterations(1)->Unit(benchmark::kMillisecond);

void AppendLineAndFlush(benchmark::State& state)
{
    QTemporaryDir dir;
    FILE* file = std::fopen(qPrintable(dir.filePath("lines.txt")), "a");
    for (auto _ : state)
        std::fprintf(file, "1,2,3,4,5,6,7,8,9,10,11\n"), std::fflush(file);
    std::fclose(file);
}
BENCHMARK(AppendLineAndFlush)->Unit(benchmark::kMicrosecond);

// An answer through a fresh store: with `commit`, until it is committed; without, only what the
// window's thread pays (the commit is the worker's).
void AddAnswer(benchmark::State& state, bool commit)
{
    QTemporaryDir dir;
    THistoryStore store(dir.filePath("history.sqlite3"));
    store.Open();
    store.Flush();
    TAnswerRecord answer{0, 0, {}, 2, 5, 1, 65, {65}, 0x20, true, 900, TInputSource::Mouse};
    for (auto _ : state) {
        store.AddAnswer(answer);
        if (!commit)
            state.PauseTiming();
        store.Flush();
        if (!commit)
            state.ResumeTiming();
    }
}
BENCHMARK_CAPTURE(AddAnswer, committed, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(AddAnswer, on_the_window_thread, false)->Unit(benchmark::kMicrosecond);

void OpenHundredThousandAnswers(benchmark::State& state)
{
    QTemporaryDir dir;
    {
        THistoryStore store(dir.filePath("history.sqlite3"));
        store.Open();
        for (int i = 0; i < 100000; ++i)
            store.AddAnswer({0, 0, {}, 1 + i % 12, 0, 1, 53 + i % 36, {60}, 1, i % 3 != 0, 900, TInputSource::Mouse});
    }
    for (auto _ : state) {
        THistoryStore store(dir.filePath("history.sqlite3"));
        store.Open();
        store.Flush();
        benchmark::DoNotOptimize(store.AllAnswers().size());
    }
}
BENCHMARK(OpenHundredThousandAnswers)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
