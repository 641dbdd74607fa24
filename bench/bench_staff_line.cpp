// Advancing along a line of notes on the real staff view, with the program's artwork: the note
// just played marked right, the next marked due, and the view composed again. Beside it in the
// same run, the yardstick: a memcpy of the staff view's whole buffer.
#include "bench/SummaryReporter.h"
#include "tests/game/StaffFixture.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

namespace {

// The game page's staff (the view at its size over the staff picture, and its lists, from the
// program's artwork) with a line of 16 notes in Eb over both staves, some with signs and ledger
// lines.
struct Staff : StaffFixture
{
    Staff()
    {
        CreateKeySignatureLayers(drawing);
        const int pitches[] = {57, 40, 61, 47, 64, 60, 71, 55, 72, 36, 76, 62, 81, 66, 88, 43};
        for (int place = 0; place < 16; ++place)
            line.push_back({place % 2 ? 2 : 1, pitches[place], place});
        drawing.SetLine(line, 3);
        view.ForceCompose();
    }

    std::vector<TWrittenNote> line;
};

Staff& staff()
{
    static Staff s;
    return s;
}

constexpr const char* kRate = "pixels/s";

void setRate(benchmark::State& state)
{
    const TBitmap32* buffer = staff().view.Buffer();
    state.counters[kRate] =
        benchmark::Counter(double(buffer->Width()) * buffer->Height(), benchmark::Counter::kIsIterationInvariantRate);
}

void copyViewBuffer(benchmark::State& state)
{
    const TBitmap32* buffer = staff().view.Buffer();
    const std::size_t pixels = std::size_t(buffer->Width()) * buffer->Height();
    std::vector<TColor32> dst(pixels);
    for (auto _ : state) {
        std::memcpy(dst.data(), buffer->Bits(), pixels * sizeof(TColor32));
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    setRate(state);
}

// One step along the line as the game takes it; at the line's end the marks go back to plain
// outside the timing, as a new page would bring them.
void advanceOneNote(benchmark::State& state)
{
    Staff& s = staff();
    TStaffView& drawing = s.drawing;
    const int last = drawing.LineLength() - 1;
    int at = 0;
    drawing.MarkNote(0, TNoteMark::Due);
    s.view.ForceCompose();
    for (auto _ : state) {
        drawing.MarkNote(at, TNoteMark::Right);
        drawing.MarkNote(at + 1, TNoteMark::Due);
        s.view.ForceCompose();
        benchmark::DoNotOptimize(s.view.Buffer()->Bits());
        if (++at == last) {
            state.PauseTiming();
            for (int i = 0; i <= last; ++i)
                drawing.MarkNote(i, i == 0 ? TNoteMark::Due : TNoteMark::Plain);
            s.view.ForceCompose();
            at = 0;
            state.ResumeTiming();
        }
    }
    setRate(state);
}

} // namespace

int main(int argc, char** argv)
{
    // The view is a widget, never shown here.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    staff();
    benchmark::RegisterBenchmark("memcpy_view_buffer", copyViewBuffer);
    benchmark::RegisterBenchmark("line_advance_one_note", advanceOneNote);
    SummaryReporter reporter(kRate);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    auto& r = reporter.rates_;
    if (r.count("memcpy_view_buffer") && r.count("line_advance_one_note")) {
        const TBitmap32* buffer = staff().view.Buffer();
        std::printf("\nSummary:\n  next note of a line (right, due, composed) / memcpy of the %d x %d buffer: "
                    "%.3f (target <= 0.3)\n",
                    buffer->Width(), buffer->Height(), r["memcpy_view_buffer"] / r["line_advance_one_note"]);
    }
    return 0;
}
