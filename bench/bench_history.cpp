// The adaptive chooser and the answer history, each beside a baseline in the
// same run: a question drawn by the chooser against today's uniform draw, an
// answer committed to the history against a line appended to a file and
// flushed, and the simulated players' figures as counters (adaptive against
// uniform).
#include "app/progress/HistoryCsv.h"
#include "history/HistoryStore.h"
#include "tests/game/SimulatedPlayers.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <filesystem>

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

// The export of a million answers, each way in a process of its own so that its peak memory is its own: a plain
// SQLite read of the same rows (the baseline), the export as the page runs it (streamed to the file), and the
// history held whole and written at once (as the export was made before).
constexpr int kMillion = 1000000;

long statusKb(const char* field)
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(strlen(field))).trimmed().split(' ')[0].toLong();
    return -1;
}

// Prints the seconds the way took and how far it raised the process's resident memory, in MB.
int exportChild(const QString& mode, const QString& db)
{
    THistoryStore store(db);
    if (mode != "read") {
        store.Open();
        store.Flush(); // the store holds the answers it shows, as in the program; that is not the export's
    }
    QFile clear("/proc/self/clear_refs");
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5"); // the peak starts again from here
    clear.close();
    const long before = statusKb("VmRSS:");
    const auto start = std::chrono::steady_clock::now();
    const QString csv = db + "." + mode + ".csv";
    if (mode == "read") {
        QSqlDatabase sql = QSqlDatabase::addDatabase("QSQLITE", "plain");
        sql.setDatabaseName(db);
        sql.open();
        QSqlQuery query(sql);
        query.setForwardOnly(true);
        query.exec("SELECT id, run_id, at_ms, level, key_index, clef, note, keys, pitch_classes, is_right, answer_ms,"
                   " input FROM answers ORDER BY id");
        int64_t sum = 0;
        while (query.next())
            for (int i = 0; i < 12; ++i)
                sum += query.value(i).toString().size();
        benchmark::DoNotOptimize(sum);
    } else if (mode == "stream") {
        std::atomic<bool> cancel{false};
        if (WriteHistoryCsv(store, csv, cancel).Written != kMillion)
            return 1;
    } else {
        QByteArray bytes;
        for (const TAnswerRecord& a : store.AllAnswers())
            AppendHistoryCsvRow(bytes, a);
        QFile file(csv);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return 1;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%f %f\n", seconds, (statusKb("VmHWM:") - before) / 1024.0);
    QFile::remove(csv);
    return 0;
}

void ExportMillionAnswers(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString db = dir.filePath("history.sqlite3");
    {
        THistoryStore store(db);
        store.Open();
        store.Flush();
    }
    {
        QSqlDatabase sql = QSqlDatabase::addDatabase("QSQLITE", "fill");
        sql.setDatabaseName(db);
        sql.open();
        QSqlQuery query(sql);
        query.exec("BEGIN");
        query.prepare("INSERT INTO answers(run_id, at_ms, level, key_index, clef, note, keys, pitch_classes,"
                      " is_right, answer_ms, input) VALUES (?, ?, ?, ?, 1, ?, ?, ?, ?, ?, ?)");
        for (int i = 0; i < kMillion; ++i) {
            const int level = 1 + i % 12;
            for (const QVariant& v :
                 {QVariant(1 + i / 40), QVariant(qint64(1765252800000) + i * 3000LL), QVariant(level),
                  QVariant(LevelKeys[level]), QVariant(53 + i % 36),
                  QVariant(i % 5 == 0 ? QStringLiteral("61 62") : QStringLiteral("60")), QVariant(1 << (i % 12)),
                  QVariant(i % 3 != 0), QVariant(700 + i % 4000), QVariant(i % 3)})
                query.addBindValue(v);
            query.exec();
        }
        query.exec("COMMIT");
    }
    QSqlDatabase::removeDatabase("fill");
    const std::string exe = std::filesystem::read_symlink("/proc/self/exe");
    std::map<std::string, std::pair<double, double>> figures;
    for (auto _ : state)
        for (const char* mode : {"read", "stream", "whole"}) {
            FILE* child = popen(("'" + exe + "' --export-child " + mode + " '" + db.toStdString() + "'").c_str(), "r");
            double seconds = 0, mb = 0;
            if (std::fscanf(child, "%lf %lf", &seconds, &mb) != 2)
                state.SkipWithError("an export child failed");
            pclose(child);
            figures[mode] = {seconds, mb};
        }
    for (const auto& [mode, figure] : figures) {
        state.counters[mode + "_s"] = figure.first;
        state.counters[mode + "_peak_MB"] = figure.second;
    }
    state.counters["stream_time_per_read"] = figures["stream"].first / figures["read"].first;
    state.counters["stream_peak_per_read"] = figures["stream"].second / std::max(figures["read"].second, 0.1);
    state.counters["whole_peak_per_read"] = figures["whole"].second / std::max(figures["read"].second, 0.1);
}
BENCHMARK(ExportMillionAnswers)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && std::string(argv[1]) == "--export-child")
        return exportChild(argv[2], argv[3]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
