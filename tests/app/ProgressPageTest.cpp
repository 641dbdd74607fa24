#include "app/ProgressPage.h"
#include "controls/SkinCtrls.h"
#include "history/HistoryReader.h"
#include "tests/app/MainWindowFixture.h"

#include <QFile>

namespace lirasto::test {
namespace {

// A history made by the test, counting how often the page reads it.
class MadeHistory : public THistoryReader
{
public:
    std::vector<TAnswerRecord> answers;
    std::vector<TRunRecord> runs;
    QString problem;
    QString notice;
    mutable int reads = 0;

    std::vector<TAnswerRecord> Answers(int) const override { return ++reads, answers; }
    std::vector<TRunRecord> Runs(int level) const override { return level == 5 ? runs : std::vector<TRunRecord>{}; }
    std::vector<TAnswerRecord> AllAnswers() const override { return answers; }
    QString Problem() const override { return problem; }
    QString Notice() const override { return notice; }
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
    const std::tuple<int, int, QColor> cases[] = {{2, 45, MasteryColour(1)},
                                                  {2, 50, MasteryColour(0)},
                                                  {1, 66, MasteryColour(page->StatsOf(1, 66)->Mastery)},
                                                  {1, 88, UnseenNoteColour},
                                                  {2, 36, UnseenNoteColour}};
    for (const auto& [clef, note, colour] : cases)
        EXPECT_EQ(pixelAt(clef, note), colour) << "note " << note;
    EXPECT_EQ(page->TipAt(page->NoteCentre(1, 66)), "F\u266F4 (treble): 9 answers, 44 % right, median 3.4 s");
    EXPECT_EQ(page->TipAt(page->NoteCentre(1, 66) + QPoint(9, 0)), "");
    EXPECT_EQ(page->WeakestLines(), QStringList({"D3 \u2014 0 of 1 right, median 2.0 s",
                                                 "F\u266F4 (treble) \u2014 4 of 9 right, median 3.4 s",
                                                 "A2 \u2014 3 of 3 right, median 0.9 s"}));
    ASSERT_EQ(page->Chart()->Points().size(), 3u);
    EXPECT_EQ(page->Chart()->Points()[1].Score, 320);
    EXPECT_EQ(page->Chart()->ScoreTop(), 100000);
    EXPECT_EQ(page->Chart()->ScorePoint(2).y(), page->Chart()->Plot().top() - 1);
    EXPECT_EQ(page->Chart()->Points()[0].MedianMs, 3200);
    EXPECT_EQ(page->Totals().Passed, 1);
}

// History that is not being kept is said on every visit while it lasts; a damaged file is told until the page has
// been seen once.
TEST_F(ProgressPageTest, SaysAStateWhileItLastsAndADamagedFileOnce)
{
    history.problem = "History is not being kept: the disk is full.";
    history.notice = "The history file was damaged.";
    const QString both = history.notice + "\n" + history.problem;
    const struct {
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

} // namespace
} // namespace lirasto::test
