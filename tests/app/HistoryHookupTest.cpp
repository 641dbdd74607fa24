#include "app/HistoryHookup.h"
#include "app/OptionsPage.h"
#include "app/ProgressPage.h"
#include "tests/app/MainWindowFixture.h"

#include <fstream>

using namespace lirasto::test;
using settings::TOption;

namespace {

class HistoryHookupTest : public MainWindowTest
{
protected:
    // Starts a run and answers `count` questions, the first of them wrong at its
    // first try; returns the notes asked.
    std::vector<std::pair<int, int>> play(int count)
    {
        std::vector<std::pair<int, int>> asked;
        form->bStartClick(form->bStart);
        for (int i = 0; i < count; ++i) {
            tick();
            asked.emplace_back(core().CurrentClef, core().CurrentNote);
            if (i == 0)
                answer((core().CurrentNote + 1) % 12);
            answer(core().CurrentNote % 12);
        }
        return asked;
    }
    THistoryStore& store() { return form->History().Store(); }
    TProgressPage* showProgress()
    {
        form->PageControl->setCurrentWidget(form->tsProgress);
        return form->History().ProgressPage();
    }
};

// Every answer of a run goes into the file as it is judged, and the Progress page shows it.
TEST_F(HistoryHookupTest, AnswersAreStoredAndShownOnTheProgressPage)
{
    openShown();
    form->StartSubsystems();
    const auto asked = play(4);
    form->bResetClick(form->bReset);
    store().Flush();
    EXPECT_EQ(store().Problem(), QString());

    THistoryStore reopened(store().Path());
    reopened.Open();
    reopened.Flush();
    EXPECT_TRUE(store().Path().startsWith(QString::fromStdString(workDir().string())));
    const std::vector<TAnswerRecord> answers = reopened.Answers(1);
    ASSERT_EQ(answers.size(), 5u);
    EXPECT_FALSE(answers[0].Right);
    for (std::size_t i = 1; i < answers.size(); ++i) {
        EXPECT_TRUE(answers[i].Right);
        EXPECT_EQ(std::make_pair(answers[i].Clef, answers[i].Note), asked[i - 1]);
    }
    ASSERT_EQ(reopened.Runs(1).size(), 1u);
    EXPECT_EQ(reopened.Runs(1)[0].EndedBy, TRunEnd::Reset);

    TProgressPage* page = showProgress();
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(page->Built());
    const TNoteStats* first = page->StatsOf(asked[0].first, asked[0].second);
    ASSERT_NE(first, nullptr);
    EXPECT_GE(first->Answers, 2);
    EXPECT_EQ(page->Notice(), QString());
}

// With drilling off the questions are those of the plain draw from the same seed.
TEST_F(HistoryHookupTest, DrillingOffAsksTheUniformDraw)
{
    openShown();
    form->OptionsPage().SetOption(TOption::DrillWeakNotes, 0);
    RandSeed = 4242;
    const auto asked = play(30);

    TGameCore plain;
    plain.FillLevelTable();
    RandSeed = 4242;
    plain.Start();
    for (const auto& question : asked) {
        plain.Tick();
        EXPECT_EQ(std::make_pair(plain.CurrentClef, plain.CurrentNote), question);
        plain.KeyDown(plain.CurrentNote, TInputSource::Mouse);
        plain.KeyUp(plain.CurrentNote, TInputSource::Mouse);
    }

    form->OptionsPage().SetOption(TOption::DrillWeakNotes, 1);
    form->bResetClick(form->bReset);
    RandSeed = 4242;
    EXPECT_NE(play(30), asked);
}

// The summary comes when the time is up and stays until the next Start.
TEST_F(HistoryHookupTest, RunSummaryShowsAtTheEndAndGoesAtStart)
{
    openShown();
    play(2);
    TSkinLabel* label = form->History().SummaryLabel();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Caption(), QString());
    while (core().Running())
        tick();
    EXPECT_TRUE(label->Caption().contains(QStringLiteral("missed:"))) << label->Caption().toStdString();
    form->bStartClick(form->bStart);
    EXPECT_EQ(label->Caption(), QString());
}

// A data folder that cannot be made: the game goes on, and the page says history is not kept.
TEST_F(HistoryHookupTest, UnwritableFolderKeepsTheGameGoing)
{
    std::ofstream(workDir() / "blocked") << "a file where the folder should be";
    qputenv("XDG_DATA_HOME", QFile::encodeName(QString::fromStdString((workDir() / "blocked").string())));
    openShown();
    form->StartSubsystems();
    play(3);
    store().Flush();
    EXPECT_EQ(core().Score, 15);
    TProgressPage* page = showProgress();
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->Notice().startsWith(QStringLiteral("History is not being kept"))) << page->Notice().toStdString();
    EXPECT_TRUE(errors.isEmpty());
}

} // namespace
