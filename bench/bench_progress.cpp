// The progress page with 100,000 stored answers, read and drawn whole, beside
// two baselines in the same run: the plainest page there is (the wallpaper
// filling it) and the bare copy of the answers a store hands over.
#include "app/progress/ProgressPage.h"
#include "app/window/Application.h"
#include "app/window/FormLoader.h"
#include "app/window/uMain.h"
#include "controls/SkinCtrls.h"
#include "game/uVariables.h"
#include "graphics/Image32.h"
#include "history/HistoryReader.h"
#include "resources/EmbeddedDesign.h"

#include <QPainter>
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

namespace {

// Answers spread over a year of runs of one level, 100 to a run, as a store
// would hand them back.
class BigHistory : public THistoryReader
{
public:
    explicit BigHistory(int count)
    {
        using namespace std::chrono;
        const auto start = system_clock::now() - hours(24 * 365);
        uint32_t seed = 12345;
        const auto next = [&seed](int n) {
            seed = seed * 134775813u + 1u;
            return static_cast<int>((static_cast<uint64_t>(n) * seed) >> 32);
        };
        for (int i = 0; i < count; ++i) {
            TAnswerRecord a;
            a.Id = i + 1;
            a.RunId = i / 100 + 1;
            a.At = start + minutes(5 * i);
            a.Level = 5;
            a.Key = LevelKeys[5];
            a.Clef = 1 + next(2);
            a.Note = a.Clef == 1 ? 53 + next(36) : 36 + next(32);
            a.Right = next(10) < 8;
            a.AnswerMs = 400 + next(6000);
            answers_.push_back(a);
            if (i % 100 == 99)
                runs_.push_back({a.RunId, a.At - minutes(3), a.At, 5, 200 + next(200), next(2) == 1});
        }
    }
    std::vector<TAnswerRecord> Answers(int) const override { return answers_; }
    std::vector<TRunRecord> Runs(int level) const override { return level == 5 ? runs_ : std::vector<TRunRecord>{}; }
    QString ReadEveryAnswer(TAnswerSink& sink) const override
    {
        sink.Expect(int64_t(answers_.size()));
        for (const TAnswerRecord& a : answers_)
            if (!sink.Take(a))
                break;
        return {};
    }
    QString Problem() const override { return {}; }

private:
    std::vector<TAnswerRecord> answers_;
    std::vector<TRunRecord> runs_;
};

TfMain* window()
{
    static std::unique_ptr<TfMain> form(CreateMainForm(embeddedDesignStream(), DesignBytes::Permanent));
    return form.get();
}

void BM_ProgressPage100k(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    TfMain* form = window();
    const BigHistory history(100000);
    TProgressPage page(history, {form->ImgClefs->Bitmap(), form->BMPNoteList, form->BMPKeyList}, form->SkinImages);
    page.SetLevel(5);
    page.show();
    QImage target(TProgressPage::kPageWidth, TProgressPage::kPageHeight, QImage::Format_ARGB32_Premultiplied);
    const QImage* wallpaper = form->SkinImages->ItemBitmap(0);
    double fillSeconds = 0, copySeconds = 0, pageSeconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        {
            QPainter painter(&target);
            lirasto::skin::TileWallpaper(painter, target.rect(), *wallpaper, false);
        }
        const auto t1 = Clock::now();
        benchmark::DoNotOptimize(history.Answers(5));
        const auto tCopy = Clock::now();
        page.Refresh();
        page.render(&target);
        const auto t2 = Clock::now();
        fillSeconds += std::chrono::duration<double>(t1 - t0).count();
        copySeconds += std::chrono::duration<double>(tCopy - t1).count();
        pageSeconds += std::chrono::duration<double>(t2 - tCopy).count();
        state.SetIterationTime(std::chrono::duration<double>(t2 - tCopy).count());
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["page_ms"] = pageSeconds / n * 1000;
    state.counters["fill_ms"] = fillSeconds / n * 1000;
    state.counters["copy_ms"] = copySeconds / n * 1000;
    state.counters["page_per_fill"] = pageSeconds / fillSeconds;
    // What the page adds to merely receiving the answers from the store.
    state.counters["page_per_copy"] = pageSeconds / copySeconds;
}
BENCHMARK(BM_ProgressPage100k)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    InstallFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
