#include "app/hookups/HistoryHookup.h"
#include "app/options/OptionsPage.h"
#include "app/progress/ProgressPage.h"
#include "history/HistoryStore.h"
#include "tests/app/window/MainWindowFixture.h"

#include <fstream>

using namespace lirasto::test;

namespace {

// A run's answers (the first wrong once) reach the file, the Progress page and, at its end, the summary.
TEST_F(MainWindowTest, HistoryKeepsTheRunAndShowsIt)
{
    openShown();
    form->StartSubsystems();
    std::vector<std::pair<int, int>> asked;
    form->bStartClick(form->bStart);
    for (int i = 0; i < 3; ++i, answer(core().CurrentNote() % 12)) {
        tick();
        asked.emplace_back(core().CurrentClef(), core().CurrentNote());
        if (i == 0)
            answer((core().CurrentNote() + 1) % 12);
    }
    while (core().Running())
        tick();
    EXPECT_TRUE(form->History().SummaryLabel()->Caption().contains("missed:"));
    THistoryStore reopened(form->History().Store().Path());
    reopened.Open();
    reopened.Flush();
    const std::vector<TAnswerRecord> stored = reopened.Answers(1);
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_EQ(std::make_tuple(stored[0].Right, stored[1].Right, stored[3].Note),
              std::make_tuple(false, true, asked[2].second));
    form->PageControl->setCurrentWidget(form->tsProgress);
    ASSERT_GE(form->History().ProgressPage()->StatsOf(asked[0].first, asked[0].second)->Answers, 2);
    form->PageControl->setCurrentWidget(form->tsMain);
    form->bStartClick(form->bStart);
    EXPECT_EQ(form->History().SummaryLabel()->Caption(), QString());
}

// A run cut short by closing the window is ended in the history as Reset ends it.
TEST_F(MainWindowTest, ClosingTheWindowEndsTheRunInTheHistory)
{
    openShown();
    form->StartSubsystems();
    form->bStartClick(form->bStart);
    tick();
    answer(core().CurrentNote() % 12);
    const QString path = form->History().Store().Path();
    form->close();
    EXPECT_FALSE(core().Running());
    THistoryStore reopened(path);
    reopened.Open();
    reopened.Flush();
    const std::vector<TRunRecord> runs = reopened.Runs(1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(std::make_tuple(runs[0].Score, runs[0].EndedBy), std::make_tuple(5, TRunEnd::Reset));
    EXPECT_GT(runs[0].Ended, runs[0].Started);
}

// With drilling off the questions are those of the plain draw from the same seed.
TEST_F(MainWindowTest, DrillingOffAsksThePlainDraw)
{
    openShown();
    form->OptionsPage().SetOption(lirasto::settings::TOption::DrillWeakNotes, 0);
    TGameCore plain;
    plain.FillLevelTable();
    plain.Start();
    form->bStartClick(form->bStart);
    for (int i = 0; i < 30; ++i) {
        const uint32_t seed = RandSeed;
        tick();
        RandSeed = seed;
        plain.Tick();
        EXPECT_EQ(std::make_pair(plain.CurrentClef(), plain.CurrentNote()),
                  std::make_pair(core().CurrentClef(), core().CurrentNote()));
        answer(core().CurrentNote() % 12);
        plain.KeyDown(plain.CurrentNote(), TInputSource::Mouse);
        plain.KeyUp(plain.CurrentNote(), TInputSource::Mouse);
    }
}

// A data folder that cannot be made: the game goes on, and the Progress page says history is not kept.
TEST_F(MainWindowTest, UnwritableHistoryFolderKeepsTheGameGoing)
{
    std::ofstream(workDir() / "blocked") << "a file where the folder should be";
    qputenv("XDG_DATA_HOME", QFile::encodeName(QString::fromStdString((workDir() / "blocked").string())));
    openShown();
    form->StartSubsystems();
    form->bStartClick(form->bStart);
    tick();
    answer(core().CurrentNote() % 12);
    form->History().Store().Flush();
    EXPECT_EQ(core().Score(), 5);
    form->PageControl->setCurrentWidget(form->tsProgress);
    EXPECT_TRUE(form->History().ProgressPage()->Notice().startsWith("History is not being kept"));
}

} // namespace
