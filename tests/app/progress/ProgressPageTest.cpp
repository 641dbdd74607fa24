#include "app/progress/ProgressPage.h"
#include "app/progress/ExportProgress.h"
#include "app/progress/StaffNoteCursor.h"
#include "controls/SkinCtrls.h"
#include "game/MusicKeys.h"
#include "game/StaffLayout.h"
#include "history/HistoryReader.h"
#include "tests/app/window/MainWindowFixture.h"
#include "tests/support/EventWait.h"

#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QPainter>
#include <condition_variable>
#include <mutex>

namespace lirasto::test {
namespace {

// A history made by the test, counting how often the page reads it. Its reading for the export can be held
// after `heldAfter` answers, as a file held by another program holds it, until the export gives up.
class MadeHistory : public THistoryReader
{
public:
    std::vector<TAnswerRecord> answers;
    std::vector<TRunRecord> runs;
    QString problem;
    QString notice;
    mutable int reads = 0;
    std::size_t heldAfter = SIZE_MAX;
    mutable std::atomic<bool> held{false};

    // Answers of no level stand for the page's level, 5.
    std::vector<TAnswerRecord> Answers(int level) const override
    {
        ++reads;
        std::vector<TAnswerRecord> of;
        std::copy_if(answers.begin(), answers.end(), std::back_inserter(of),
                     [level](const TAnswerRecord& a) { return a.Level == 0 ? level == 5 : a.Level == level; });
        return of;
    }
    std::vector<TRunRecord> Runs(int level) const override { return level == 5 ? runs : std::vector<TRunRecord>{}; }
    QString ReadEveryAnswer(TAnswerSink& sink) const override
    {
        sink.Expect(int64_t(answers.size()));
        for (std::size_t i = 0; i < answers.size(); ++i) {
            if (i == heldAfter) {
                held = true;
                // Bounded, so that an export that blocks the window fails the test instead of hanging it.
                const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
                std::unique_lock lock(mutex_);
                while (sink.Wanted() && std::chrono::steady_clock::now() < until)
                    wake_.wait_for(lock, std::chrono::milliseconds(10));
            }
            if (!sink.Take(answers[i]))
                break;
        }
        return {};
    }
    QString Problem() const override { return problem; }
    QString Notice() const override { return notice; }

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable wake_;
};

class ProgressPageTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        open();
        for (int i = 0; i < 9; ++i) // F sharp 4 in D major: 4 of 9 right, slow
            add(1, 66, i < 4, 3000 + 100 * i);
        for (int i = 0; i < 3; ++i) // A2: always right at once
            add(2, 45, true, 900);
        add(2, 50, false, 2000); // D3: missed
        // The third run's score is damaged: the chart must still draw, with it at the top.
        history.runs = {{1, {}, {}, 5, 250, false}, {2, {}, {}, 5, 320, true}, {3, {}, {}, 5, INT_MAX, false}};
        page = std::make_unique<TProgressPage>(
            history, TStaffPictures{form->ImgClefs->Bitmap(), form->BMPNoteList, form->BMPKeyList}, form->SkinImages);
        page->LevelSource = [] { return 5; };
    }
    void TearDown() override
    {
        page.reset();
        MainWindowTest::TearDown();
    }
    void add(int clef, int note, bool right, int ms)
    {
        TAnswerRecord a;
        a.Key = 2;
        a.Clef = clef;
        a.Note = note;
        a.Right = right;
        a.AnswerMs = ms;
        a.RunId = 1;
        history.answers.push_back(a);
    }
    QColor pixelAt(int clef, int note) { return page->grab().toImage().pixelColor(page->NoteCentre(clef, note)); }

    MadeHistory history;
    std::unique_ptr<TProgressPage> page;
};

// Nothing is read until the page is first shown; then each note is drawn in its colour.
TEST_F(ProgressPageTest, ColoursEachNoteOnTheStaffByHowWellItIsKnown)
{
    EXPECT_EQ(history.reads, 0);
    EXPECT_FALSE(page->Built());
    page->show();
    QCoreApplication::processEvents();
    ASSERT_TRUE(page->Built());
    EXPECT_EQ(history.reads, 1);
    const std::tuple<int, int, QColor> cases[] = {
        {2, 45, MasteryColour(1)}, {2, 50, MasteryColour(0)}, {1, 88, UnseenNoteColour}, {2, 36, UnseenNoteColour}};
    for (const auto& [clef, note, colour] : cases)
        EXPECT_EQ(pixelAt(clef, note), colour) << "note " << note;
    // Half right and slow: between the missed note and the known one.
    EXPECT_GT(pixelAt(1, 66).hueF(), pixelAt(2, 50).hueF());
    EXPECT_LT(pixelAt(1, 66).hueF(), pixelAt(2, 45).hueF());
    EXPECT_EQ(page->TipAt(page->NoteCentre(1, 66)), "F\u266F4 (treble): 9 answers, 44 % right, median 3.4 s");
    EXPECT_EQ(page->TipAt(page->NoteCentre(1, 66) + QPoint(9, 0)), "");
    EXPECT_EQ(page->WeakestLines(), QStringList({"D3 \u2014 0 of 1 right, median 2.0 s",
                                                 "F\u266F4 (treble) \u2014 4 of 9 right, median 3.4 s",
                                                 "A2 \u2014 3 of 3 right, median 0.9 s"}));
    ASSERT_EQ(page->Chart()->Points().size(), 3u);
    EXPECT_EQ(page->Chart()->Points()[1].Score, 320);
    EXPECT_EQ(page->Chart()->ScoreTop(), 100000);
    // The damaged score is drawn at the top of the plot, not above it.
    EXPECT_LT(page->Chart()->ScorePoint(2).y(), page->Chart()->ScorePoint(1).y());
    EXPECT_GE(page->Chart()->ScorePoint(2).y(), page->Chart()->Plot().top() - 1);
    EXPECT_EQ(page->Chart()->Points()[0].MedianMs, 3200);
    EXPECT_EQ(page->Totals().Passed, 1);
}

// A practice's figures come from its answers at every level and its runs alone, on the clef it was read in; the
// level's answers stay out of them, and the level's figures come back when no practice is named.
TEST_F(ProgressPageTest, ShowsAPracticesFiguresInPlaceOfTheLevels)
{
    for (const auto& [level, note, right, ms] : {std::tuple(3, 60, true, 1000), std::tuple(7, 62, false, 2000)}) {
        TAnswerRecord a;
        a.Level = level;
        a.Key = 0;
        a.MusicKey = 7; // C major
        a.Clef = 3;     // alto
        a.Note = note;
        a.Right = right;
        a.AnswerMs = ms;
        a.RunId = 2;
        a.Practice = QStringLiteral("Viola");
        history.answers.push_back(a);
    }
    page->PracticeSource = [] { return QStringLiteral("Viola"); };
    page->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(page->WeakestLines(), QStringList({"D4 (alto) \u2014 0 of 1 right, median 2.0 s",
                                                 "C4 (alto) \u2014 1 of 1 right, median 1.0 s"}));
    ASSERT_EQ(page->Chart()->Points().size(), 1u);
    EXPECT_EQ(page->Chart()->Points()[0].Score, 320);
    EXPECT_EQ(pixelAt(1, 66), UnseenNoteColour);
    page->SetPractice({});
    EXPECT_EQ(page->WeakestLines().size(), 3);
    EXPECT_EQ(page->Chart()->Points().size(), 3u);
}

// A practice in C flat major sounds as B major, the level's key of that sound; its staff still shows seven flats
// and writes and names B as C flat and E as F flat, as the player read them.
TEST_F(ProgressPageTest, WritesAPracticeInItsOwnKeyNotInTheLevelsOfTheSameSound)
{
    for (const auto& [note, right] : {std::pair(59, false), std::pair(64, true)}) {
        TAnswerRecord a;
        a.Level = 6;
        a.Key = LevelKeyOfMusicKey(0);
        a.MusicKey = 0; // C flat major
        a.Clef = 1;
        a.Note = note;
        a.Right = right;
        a.AnswerMs = 2000;
        a.RunId = 4;
        a.Practice = QStringLiteral("Flats");
        history.answers.push_back(a);
    }
    page->PracticeSource = [] { return QStringLiteral("Flats"); };
    page->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(page->WeakestLines(), QStringList({"C\u266D4 (treble) \u2014 0 of 1 right, median 2.0 s",
                                                 "F\u266D4 (treble) \u2014 1 of 1 right, median 2.0 s"}));
    EXPECT_EQ(page->NoteCentre(1, 59).y(), page->NoteCentre(1, 60).y());

    const TStaffPictures pictures{form->ImgClefs->Bitmap(), form->BMPNoteList, form->BMPKeyList};
    const auto signature = [&](const TStaffKey& key) {
        return TProgressStaff::Compose(pictures, key, [](int, int) { return QColor(Qt::black); })
            .copy(KeySignatureLeft, TrebleKeySignatureTop, TProgressStaff::FirstNoteLeft - KeySignatureLeft, 140);
    };
    EXPECT_NE(signature(TStaffKey::OfMusicKey(0)), signature(TStaffKey(LevelKeyOfMusicKey(0))));
    EXPECT_EQ(signature(TStaffKey::OfMusicKey(0)), signature(TStaffKey::OfMusicKey(MusicKeyFromName("Abm"))));
}

// History that is not being kept is said on every visit while it lasts; a damaged file is told until the page has
// been seen once.
TEST_F(ProgressPageTest, SaysAStateWhileItLastsAndADamagedFileOnce)
{
    history.problem = "History is not being kept: the disk is full.";
    history.notice = "The history file was damaged.";
    const QString both = history.notice + "\n" + history.problem;
    const struct
    {
        bool visit;
        QString said;
    } steps[] = {{false, both}, {false, both}, {true, history.problem}, {false, history.problem}};
    page->show();
    QCoreApplication::processEvents();
    for (const auto& step : steps) {
        if (step.visit) {
            page->hide();
            page->show();
        }
        page->Refresh();
        EXPECT_EQ(page->Notice(), step.said);
    }
}

// Export writes the file the player chose; Reset clears only after a yes, then shows the empty page.
TEST_F(ProgressPageTest, ExportsAndResetsThroughItsSeams)
{
    page->show();
    QCoreApplication::processEvents();
    QStringList messages;
    page->ShowMessage = [&](const QString& text) { messages << text; };
    const QString path = QString::fromStdString((workDir() / "history.csv").string());
    page->ChooseExportFile = [&] { return path; };
    page->ExportButton()->click();
    ASSERT_TRUE(waitFor([&] { return !messages.isEmpty(); }, 10000));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count("\r\n"), 14);
    EXPECT_EQ(messages.value(0), QStringLiteral("13 answers written to %1").arg(path));

    int cleared = 0;
    page->OnResetHistory = [&] { ++cleared, history.answers.clear(); };
    page->ConfirmReset = [] { return false; };
    page->ResetButton()->click();
    EXPECT_EQ(cleared, 0);
    page->ConfirmReset = [] { return true; };
    page->ResetButton()->click();
    EXPECT_EQ(cleared, 1);
    EXPECT_TRUE(page->WeakestLines().isEmpty());
    EXPECT_EQ(pixelAt(2, 45), UnseenNoteColour);
}

// The export runs beside the window: the page shows how far it is in the buttons' place, and a cancel, by its
// button or by the page going away, leaves no file.
TEST_F(ProgressPageTest, ExportsBesideTheWindowAndCancelsWithoutAFile)
{
    for (int i = 0; i < 20000; ++i)
        add(1, 53 + i % 36, i % 4 != 0, 900 + i % 500);
    history.heldAfter = 10000;
    page->show();
    QCoreApplication::processEvents();
    QStringList messages;
    page->ShowMessage = [&](const QString& text) { messages << text; };
    const QDir dir(QString::fromStdString(workDir().string()));
    page->ChooseExportFile = [&] { return dir.filePath("history.csv"); };

    page->ExportButton()->click(); // returns while the history is held
    ASSERT_TRUE(
        waitFor([&] { return history.held.load() && page->ExportProgress()->Text() != "Exporting\u2026"; }, 10000));
    TExportProgress* progress = page->ExportProgress();
    EXPECT_TRUE(progress->isVisible() && progress->CancelButton()->isVisible());
    EXPECT_FALSE(page->ExportButton()->isVisible() || page->ResetButton()->isVisible());
    const int share = progress->Text().section(' ', 1, 1).toInt();
    EXPECT_TRUE(share > 0 && share <= 50) << progress->Text().toStdString();
    page->ExportButton()->click(); // hidden, and a second export would not start
    EXPECT_TRUE(progress->Running());

    progress->CancelButton()->click();
    ASSERT_TRUE(waitFor([&] { return !progress->Running(); }, 10000));
    EXPECT_TRUE(page->ExportButton()->isVisible() && page->ResetButton()->isVisible());
    EXPECT_FALSE(progress->isVisible());
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(dir.entryList(QDir::Files).filter("history.csv").isEmpty());

    history.held = false;
    page->ExportButton()->click();
    ASSERT_TRUE(waitFor([&] { return history.held.load(); }, 10000));
    page.reset(); // the window closes during an export
    EXPECT_TRUE(dir.entryList(QDir::Files).filter("history.csv").isEmpty());
}

// With the focus on the staff, the arrow keys take a ring from note to note, and the label over the staff says
// each note's figures, as the pointer's tip does.
TEST_F(ProgressPageTest, ArrowKeysBringEachNotesFiguresToTheLabel)
{
    page->show();
    page->activateWindow();
    QCoreApplication::processEvents();
    TStaffNoteCursor* cursor = page->NoteCursor();
    auto* label = cursor->findChild<TSkinLabel*>("lNoteFigures");
    ASSERT_TRUE(label);
    cursor->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    ASSERT_TRUE(cursor->Selected()); // the weakest note first
    EXPECT_EQ(std::pair(cursor->Selected()->Clef, cursor->Selected()->Note), std::pair(2, 50));
    EXPECT_EQ(label->Caption(), "D3: 1 answers, 0 % right, median 2.0 s");

    const struct
    {
        Qt::Key key;
        int clef, note;
    } steps[] = {{Qt::Key_Up, 1, 67},   {Qt::Key_Left, 1, 66}, {Qt::Key_Down, 2, 49}, {Qt::Key_Left, 2, 48},
                 {Qt::Key_Home, 2, 36}, {Qt::Key_Left, 2, 36}, {Qt::Key_End, 2, 67},  {Qt::Key_Right, 2, 67},
                 {Qt::Key_Up, 1, 84},   {Qt::Key_End, 1, 88},  {Qt::Key_Down, 2, 67}};
    for (const auto& step : steps) {
        QKeyEvent press(QEvent::KeyPress, step.key, Qt::NoModifier);
        QCoreApplication::sendEvent(cursor, &press);
        ASSERT_TRUE(cursor->Selected());
        EXPECT_EQ(std::pair(cursor->Selected()->Clef, cursor->Selected()->Note), std::pair(step.clef, step.note))
            << "after key " << step.key;
        EXPECT_EQ(label->Caption(), page->TipAt(page->NoteCentre(step.clef, step.note)));
        if (step.note == 66) {
            EXPECT_EQ(label->Caption(), "F\u266F4 (treble): 9 answers, 44 % right, median 3.4 s");
        }
    }
}

// The chart's title keeps its margin from the borders at every scale, on two lines when it must, and the top
// axis labels stay clear of it.
class ChartTitle : public testing::TestWithParam<std::tuple<int, int>>
{};

TEST_P(ChartTitle, KeepsClearOfTheBordersAndTheAxisLabels)
{
    const auto [ratio, width] = GetParam();
    const QRect area(0, 0, width, 218);
    const TRunChart chart({{{}, 250, false, 3, 2000}, {{}, 320, true, 3, 1500}}, area,
                          "Scores of this level's runs (dashed: the pass line, 300) and median answer time");
    QImage image(area.size() * ratio, QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        chart.Paint(painter);
    }
    // The title is the only black ink above the plot; the axis labels are coloured.
    int titleBottom = -1, labelTop = image.height();
    // Inside the frame.
    for (int y = 2 * ratio; y < (chart.Plot().top() - 1) * ratio; ++y)
        for (int x = 2 * ratio; x < image.width() - 2 * ratio; ++x) {
            const QColor c = image.pixelColor(x, y);
            const bool ink = c.value() < 160;
            if (ink && c.saturation() < 40) {
                EXPECT_GE(x, 6 * ratio) << "y " << y;
                EXPECT_LT(x, (width - 6) * ratio) << "y " << y;
                titleBottom = y;
            } else if (ink && c.saturation() >= 40 && c != QColor(ChartPassColour)) {
                labelTop = std::min(labelTop, y);
            }
        }
    EXPECT_GT(titleBottom, 0);
    EXPECT_LT(titleBottom, labelTop);
}

INSTANTIATE_TEST_SUITE_P(ProgressPage, ChartTitle, testing::Combine(testing::Values(1, 2), testing::Values(448, 300)));

} // namespace
} // namespace lirasto::test
