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
    OpenShown();
    form_->StartSubsystems();
    std::vector<std::pair<int, int>> asked;
    form_->bStartClick(form_->bStart);
    for (int i = 0; i < 3; ++i, Answer(Core().CurrentNote() % 12)) {
        Tick();
        asked.emplace_back(Core().CurrentClef(), Core().CurrentNote());
        if (i == 0)
            Answer((Core().CurrentNote() + 1) % 12);
    }
    while (Core().Running())
        Tick();
    EXPECT_TRUE(form_->History().SummaryLabel()->Caption().contains("missed:"));
    THistoryStore reopened(form_->History().Store().Path());
    reopened.Open();
    reopened.Flush();
    const std::vector<TAnswerRecord> stored = reopened.Answers(1);
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_EQ(std::make_tuple(stored[0].Right, stored[1].Right, stored[3].Note),
              std::make_tuple(false, true, asked[2].second));
    form_->PageControl->setCurrentWidget(form_->tsProgress);
    ASSERT_GE(form_->History().ProgressPage()->StatsOf(asked[0].first, asked[0].second)->Answers, 2);
    form_->PageControl->setCurrentWidget(form_->tsMain);
    form_->bStartClick(form_->bStart);
    EXPECT_EQ(form_->History().SummaryLabel()->Caption(), QString());
}

// A run cut short by closing the window is ended in the history as Reset ends it.
TEST_F(MainWindowTest, ClosingTheWindowEndsTheRunInTheHistory)
{
    OpenShown();
    form_->StartSubsystems();
    form_->bStartClick(form_->bStart);
    Tick();
    Answer(Core().CurrentNote() % 12);
    const QString path = form_->History().Store().Path();
    form_->close();
    EXPECT_FALSE(Core().Running());
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
    OpenShown();
    form_->OptionsPage().SetOption(lirasto::settings::TOption::DrillWeakNotes, 0);
    TGameCore plain;
    plain.FillLevelTable();
    plain.Start();
    form_->bStartClick(form_->bStart);
    for (int i = 0; i < 30; ++i) {
        const uint32_t seed = RandSeed;
        Tick();
        RandSeed = seed;
        plain.Tick();
        EXPECT_EQ(std::make_pair(plain.CurrentClef(), plain.CurrentNote()),
                  std::make_pair(Core().CurrentClef(), Core().CurrentNote()));
        Answer(Core().CurrentNote() % 12);
        plain.KeyDown(plain.CurrentNote(), TInputSource::Mouse);
        plain.KeyUp(plain.CurrentNote(), TInputSource::Mouse);
    }
}

// A data folder that cannot be made: the game goes on, and the Progress page says history is not kept.
TEST_F(MainWindowTest, UnwritableHistoryFolderKeepsTheGameGoing)
{
    std::ofstream(WorkDir() / "blocked") << "a file where the folder should be";
    qputenv("XDG_DATA_HOME", QFile::encodeName(QString::fromStdString((WorkDir() / "blocked").string())));
    OpenShown();
    form_->StartSubsystems();
    form_->bStartClick(form_->bStart);
    Tick();
    Answer(Core().CurrentNote() % 12);
    form_->History().Store().Flush();
    EXPECT_EQ(Core().Score(), 5);
    form_->PageControl->setCurrentWidget(form_->tsProgress);
    EXPECT_TRUE(form_->History().ProgressPage()->Notice().startsWith("History is not being kept"));
}

} // namespace
