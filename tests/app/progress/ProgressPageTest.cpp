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
    std::vector<TAnswerRecord> answers_;
    std::vector<TRunRecord> runs_;
    QString problem_;
    QString notice_;
    mutable int reads_ = 0;
    std::size_t heldAfter_ = SIZE_MAX;
    mutable std::atomic<bool> held_{false};

    // Answers of no level stand for the page's level, 5.
    std::vector<TAnswerRecord> Answers(int level) const override
    {
        ++reads_;
        std::vector<TAnswerRecord> of;
        std::copy_if(answers_.begin(), answers_.end(), std::back_inserter(of),
                     [level](const TAnswerRecord& a) { return a.Level == 0 ? level == 5 : a.Level == level; });
        return of;
    }
    std::vector<TRunRecord> Runs(int level) const override { return level == 5 ? runs_ : std::vector<TRunRecord>{}; }
    QString ReadEveryAnswer(TAnswerSink& sink) const override
    {
        sink.Expect(int64_t(answers_.size()));
        for (std::size_t i = 0; i < answers_.size(); ++i) {
            if (i == heldAfter_) {
                held_ = true;
                // Bounded, so that an export that blocks the window fails the test instead of hanging it.
                const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
                std::unique_lock lock(mutex_);
                while (sink.Wanted() && std::chrono::steady_clock::now() < until)
                    wake_.wait_for(lock, std::chrono::milliseconds(10));
            }
            if (!sink.Take(answers_[i]))
                break;
        }
        return {};
    }
    QString Problem() const override { return problem_; }
    QString Notice() const override { return notice_; }

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
        Open();
        for (int i = 0; i < 9; ++i) // F sharp 4 in D major: 4 of 9 right, slow
            Add(1, 66, i < 4, 3000 + 100 * i);
        for (int i = 0; i < 3; ++i) // A2: always right at once
            Add(2, 45, true, 900);
        Add(2, 50, false, 2000); // D3: missed
        // The third run's score is damaged: the chart must still draw, with it at the top.
        history_.runs_ = {{1, {}, {}, 5, 250, false}, {2, {}, {}, 5, 320, true}, {3, {}, {}, 5, INT_MAX, false}};
        page_ = std::make_unique<TProgressPage>(
            history_, TStaffPictures{form_->ImgClefs->Bitmap(), form_->BMPNoteList, form_->BMPKeyList},
            form_->SkinImages);
        page_->LevelSource = [] { return 5; };
    }
    void TearDown() override
    {
        page_.reset();
        MainWindowTest::TearDown();
    }
    void Add(int clef, int note, bool right, int ms)
    {
        TAnswerRecord a;
        a.Key = 2;
        a.Clef = clef;
        a.Note = note;
        a.Right = right;
        a.AnswerMs = ms;
        a.RunId = 1;
        history_.answers_.push_back(a);
    }
    QColor PixelAt(int clef, int note) { return page_->grab().toImage().pixelColor(page_->NoteCentre(clef, note)); }

    MadeHistory history_;
    std::unique_ptr<TProgressPage> page_;
};

// Nothing is read until the page is first shown; then each note is drawn in its colour.
TEST_F(ProgressPageTest, ColoursEachNoteOnTheStaffByHowWellItIsKnown)
{
    EXPECT_EQ(history_.reads_, 0);
    EXPECT_FALSE(page_->Built());
    page_->show();
    QCoreApplication::processEvents();
    ASSERT_TRUE(page_->Built());
    EXPECT_EQ(history_.reads_, 1);
    const std::tuple<int, int, QColor> cases[] = {
        {2, 45, MasteryColour(1)}, {2, 50, MasteryColour(0)}, {1, 88, kUnseenNoteColour}, {2, 36, kUnseenNoteColour}};
    for (const auto& [clef, note, colour] : cases)
        EXPECT_EQ(PixelAt(clef, note), colour) << "note " << note;
    // Half right and slow: between the missed note and the known one.
    EXPECT_GT(PixelAt(1, 66).hueF(), PixelAt(2, 50).hueF());
    EXPECT_LT(PixelAt(1, 66).hueF(), PixelAt(2, 45).hueF());
    EXPECT_EQ(page_->TipAt(page_->NoteCentre(1, 66)), "F\u266F4 (treble): 9 answers, 44 % right, median 3.4 s");
    EXPECT_EQ(page_->TipAt(page_->NoteCentre(1, 66) + QPoint(9, 0)), "");
    EXPECT_EQ(page_->WeakestLines(), QStringList({"D3 \u2014 0 of 1 right, median 2.0 s",
                                                  "F\u266F4 (treble) \u2014 4 of 9 right, median 3.4 s",
                                                  "A2 \u2014 3 of 3 right, median 0.9 s"}));
    ASSERT_EQ(page_->Chart()->Points().size(), 3u);
    EXPECT_EQ(page_->Chart()->Points()[1].Score, 320);
    EXPECT_EQ(page_->Chart()->ScoreTop(), 100000);
    // The damaged score is drawn at the top of the plot, not above it.
    EXPECT_LT(page_->Chart()->ScorePoint(2).y(), page_->Chart()->ScorePoint(1).y());
    EXPECT_GE(page_->Chart()->ScorePoint(2).y(), page_->Chart()->Plot().top() - 1);
    EXPECT_EQ(page_->Chart()->Points()[0].MedianMs, 3200);
    EXPECT_EQ(page_->Totals().Passed, 1);
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
        history_.answers_.push_back(a);
    }
    page_->PracticeSource = [] { return QStringLiteral("Viola"); };
    page_->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(page_->WeakestLines(), QStringList({"D4 (alto) \u2014 0 of 1 right, median 2.0 s",
                                                  "C4 (alto) \u2014 1 of 1 right, median 1.0 s"}));
    ASSERT_EQ(page_->Chart()->Points().size(), 1u);
    EXPECT_EQ(page_->Chart()->Points()[0].Score, 320);
    EXPECT_EQ(PixelAt(1, 66), kUnseenNoteColour);
    page_->SetPractice({});
    EXPECT_EQ(page_->WeakestLines().size(), 3);
    EXPECT_EQ(page_->Chart()->Points().size(), 3u);
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
        history_.answers_.push_back(a);
    }
    page_->PracticeSource = [] { return QStringLiteral("Flats"); };
    page_->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(page_->WeakestLines(), QStringList({"C\u266D4 (treble) \u2014 0 of 1 right, median 2.0 s",
                                                  "F\u266D4 (treble) \u2014 1 of 1 right, median 2.0 s"}));
    EXPECT_EQ(page_->NoteCentre(1, 59).y(), page_->NoteCentre(1, 60).y());

    const TStaffPictures pictures{form_->ImgClefs->Bitmap(), form_->BMPNoteList, form_->BMPKeyList};
    const auto signature = [&](const TStaffKey& key) {
        return TProgressStaff::Compose(pictures, key, [](int, int) { return QColor(Qt::black); })
            .copy(kKeySignatureLeft, kTrebleKeySignatureTop, TProgressStaff::kFirstNoteLeft - kKeySignatureLeft, 140);
    };
    EXPECT_NE(signature(TStaffKey::OfMusicKey(0)), signature(TStaffKey(LevelKeyOfMusicKey(0))));
    EXPECT_EQ(signature(TStaffKey::OfMusicKey(0)), signature(TStaffKey::OfMusicKey(MusicKeyFromName("Abm"))));
}

// History that is not being kept is said on every visit while it lasts; a damaged file is told until the page has
// been seen once.
TEST_F(ProgressPageTest, SaysAStateWhileItLastsAndADamagedFileOnce)
{
    history_.problem_ = "History is not being kept: the disk is full.";
    history_.notice_ = "The history file was damaged.";
    const QString both = history_.notice_ + "\n" + history_.problem_;
    const struct
    {
        bool visit;
        QString said;
    } steps[] = {{false, both}, {false, both}, {true, history_.problem_}, {false, history_.problem_}};
    page_->show();
    QCoreApplication::processEvents();
    for (const auto& step : steps) {
        if (step.visit) {
            page_->hide();
            page_->show();
        }
        page_->Refresh();
        EXPECT_EQ(page_->Notice(), step.said);
    }
}

// Export writes the file the player chose; Reset clears only after a yes, then shows the empty page.
TEST_F(ProgressPageTest, ExportsAndResetsThroughItsSeams)
{
    page_->show();
    QCoreApplication::processEvents();
    QStringList messages;
    page_->ShowMessage = [&](const QString& text) { messages << text; };
    const QString path = QString::fromStdString((WorkDir() / "history.csv").string());
    page_->ChooseExportFile = [&] { return path; };
    page_->ExportButton()->click();
    ASSERT_TRUE(WaitFor([&] { return !messages.isEmpty(); }, 10000));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count("\r\n"), 14);
    EXPECT_EQ(messages.value(0), QStringLiteral("13 answers written to %1").arg(path));

    int cleared = 0;
    page_->OnResetHistory = [&] { ++cleared, history_.answers_.clear(); };
    page_->ConfirmReset = [] { return false; };
    page_->ResetButton()->click();
    EXPECT_EQ(cleared, 0);
    page_->ConfirmReset = [] { return true; };
    page_->ResetButton()->click();
    EXPECT_EQ(cleared, 1);
    EXPECT_TRUE(page_->WeakestLines().isEmpty());
    EXPECT_EQ(PixelAt(2, 45), kUnseenNoteColour);
}

// The export runs beside the window: the page shows how far it is in the buttons' place, and a cancel, by its
// button or by the page going away, leaves no file.
TEST_F(ProgressPageTest, ExportsBesideTheWindowAndCancelsWithoutAFile)
{
    for (int i = 0; i < 20000; ++i)
        Add(1, 53 + i % 36, i % 4 != 0, 900 + i % 500);
    history_.heldAfter_ = 10000;
    page_->show();
    QCoreApplication::processEvents();
    QStringList messages;
    page_->ShowMessage = [&](const QString& text) { messages << text; };
    const QDir dir(QString::fromStdString(WorkDir().string()));
    page_->ChooseExportFile = [&] { return dir.filePath("history.csv"); };

    page_->ExportButton()->click(); // returns while the history is held
    ASSERT_TRUE(
        WaitFor([&] { return history_.held_.load() && page_->ExportProgress()->Text() != "Exporting\u2026"; }, 10000));
    TExportProgress* progress = page_->ExportProgress();
    EXPECT_TRUE(progress->isVisible() && progress->CancelButton()->isVisible());
    EXPECT_FALSE(page_->ExportButton()->isVisible() || page_->ResetButton()->isVisible());
    const int share = progress->Text().section(' ', 1, 1).toInt();
    EXPECT_TRUE(share > 0 && share <= 50) << progress->Text().toStdString();
    page_->ExportButton()->click(); // hidden, and a second export would not start
    EXPECT_TRUE(progress->Running());

    progress->CancelButton()->click();
    ASSERT_TRUE(WaitFor([&] { return !progress->Running(); }, 10000));
    EXPECT_TRUE(page_->ExportButton()->isVisible() && page_->ResetButton()->isVisible());
    EXPECT_FALSE(progress->isVisible());
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(dir.entryList(QDir::Files).filter("history.csv").isEmpty());

    history_.held_ = false;
    page_->ExportButton()->click();
    ASSERT_TRUE(WaitFor([&] { return history_.held_.load(); }, 10000));
    page_.reset(); // the window closes during an export
    EXPECT_TRUE(dir.entryList(QDir::Files).filter("history.csv").isEmpty());
}

// With the focus on the staff, the arrow keys take a ring from note to note, and the label over the staff says
// each note's figures, as the pointer's tip does.
TEST_F(ProgressPageTest, ArrowKeysBringEachNotesFiguresToTheLabel)
{
    page_->show();
    page_->activateWindow();
    QCoreApplication::processEvents();
    TStaffNoteCursor* cursor = page_->NoteCursor();
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
        EXPECT_EQ(label->Caption(), page_->TipAt(page_->NoteCentre(step.clef, step.note)));
        if (step.note == 66) {
            EXPECT_EQ(label->Caption(), "F\u266F4 (treble): 9 answers, 44 % right, median 3.4 s");
        }
    }
}

// The chart's title keeps its margin from the borders at every scale, on two lines when it must, and the top
// axis labels stay clear of it.
class TChartTitle : public testing::TestWithParam<std::tuple<int, int>>
{};

TEST_P(TChartTitle, KeepsClearOfTheBordersAndTheAxisLabels)
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
            } else if (ink && c.saturation() >= 40 && c != QColor(kChartPassColour)) {
                labelTop = std::min(labelTop, y);
            }
        }
    EXPECT_GT(titleBottom, 0);
    EXPECT_LT(titleBottom, labelTop);
}

INSTANTIATE_TEST_SUITE_P(ProgressPage, TChartTitle, testing::Combine(testing::Values(1, 2), testing::Values(448, 300)));

} // namespace
} // namespace lirasto::test
