#include "tests/app/window/MainWindowFixture.h"

#include "graphics/Bitmap32.h"

#include <cstring>
#include <fstream>
#include <sstream>

using namespace lirasto::test;

namespace {

const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);

class LevelPlay : public MainWindowTest
{
protected:
    void start() { form->bStartClick(form->bStart); }

    // Plays ticks until the run ends, answering right whenever a question is open
    // as long as `rightAnswers` lasts. Returns the number of questions posed.
    int playRun(int rightAnswers)
    {
        int ticks = 0;
        while (form->Timer->Enabled()) {
            tick();
            ++ticks;
            if (form->Timer->Enabled() && rightAnswers > 0 && core().QuestionDue() == core().QuestionsPosed()) {
                answer(core().CurrentNote() % 12);
                --rightAnswers;
            }
            EXPECT_LE(ticks, 150);
        }
        EXPECT_EQ(ticks, 150);
        return core().QuestionsPosed();
    }

    std::string settingsText()
    {
        std::ifstream in(workDir() / "vantrel.ini", std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

// Start: the timer runs, Start and the level list are off, the score and time are reset.
TEST_F(LevelPlay, StartBeginsTheCountdownWithNoNoteYet)
{
    openShown();
    start();
    EXPECT_TRUE(form->Timer->Enabled());
    EXPECT_FALSE(form->bStart->isEnabled());
    EXPECT_TRUE(form->bReset->isEnabled());
    EXPECT_FALSE(form->cbLevel->isEnabled());
    EXPECT_EQ(caption(form->lCountDown), QStringLiteral("150 SEC."));
    EXPECT_EQ(caption(form->lScore), QStringLiteral("0"));
    EXPECT_EQ(caption(form->lAnswer), QString());
    EXPECT_EQ(core().QuestionDue(), 1);
    EXPECT_EQ(core().QuestionsPosed(), 0);
    EXPECT_EQ(form->ImgClefs->Layers()->Count(), 2);
}

// The first note comes with the first tick, together with the step from 150 to 149.
TEST_F(LevelPlay, FirstNoteComesOneTickAfterStart)
{
    openShown();
    start();
    tick();
    EXPECT_EQ(caption(form->lCountDown), QStringLiteral("149 SEC."));
    EXPECT_EQ(core().QuestionsPosed(), 1);
    // key signatures, the neutral mark and the note
    EXPECT_GE(form->ImgClefs->Layers()->Count(), 4);
    EXPECT_TRUE(form->Staff().EvaluationMarkShown);
    EXPECT_EQ(core().CurrentKey(), 0);
    EXPECT_EQ(core().ExpectedKeys(), 1 << (core().CurrentNote() % 12));
    if (core().CurrentClef() == 1)
        EXPECT_TRUE(core().CurrentNote() >= 53 && core().CurrentNote() <= 88);
    else
        EXPECT_TRUE(core().CurrentNote() >= 36 && core().CurrentNote() <= 67);
}

// A right answer scores 5, shows "RIGHT!" in green and brings the next note at the next tick.
TEST_F(LevelPlay, RightAnswerScoresAndBringsTheNextNoteAtTheNextTick)
{
    openShown();
    start();
    tick();
    answer(core().CurrentNote() % 12);
    EXPECT_EQ(core().Score(), 5);
    EXPECT_EQ(caption(form->lScore), QStringLiteral("5"));
    EXPECT_EQ(caption(form->lAnswer), QStringLiteral("RIGHT!"));
    EXPECT_EQ(fontColour(form->lAnswer), kGreen);
    EXPECT_EQ(core().QuestionDue(), 2);
    EXPECT_EQ(core().QuestionsPosed(), 1);
    tick();
    EXPECT_EQ(core().QuestionsPosed(), 2);
    EXPECT_EQ(caption(form->lAnswer), QStringLiteral("RIGHT!"));
}

// A wrong answer keeps the note; every further wrong try shows "WRONG!" again.
TEST_F(LevelPlay, WrongAnswerKeepsTheNote)
{
    openShown();
    start();
    tick();
    const int note = core().CurrentNote();
    for (int attempt = 0; attempt < 3; ++attempt) {
        answer((note + 1) % 12);
        EXPECT_EQ(caption(form->lAnswer), QStringLiteral("WRONG!"));
        EXPECT_EQ(fontColour(form->lAnswer), kRed);
        EXPECT_EQ(core().Score(), 0);
        tick();
        EXPECT_EQ(core().CurrentNote(), note);
        EXPECT_EQ(core().QuestionsPosed(), 1);
    }
}

// Once the note on display has been answered right, further answers count for nothing.
TEST_F(LevelPlay, FurtherAnswersAfterARightOneNeitherScoreNorChangeTheVerdict)
{
    openShown();
    start();
    tick();
    const int pc = core().CurrentNote() % 12;
    answer(pc);
    answer(pc);
    answer((pc + 1) % 12);
    EXPECT_EQ(core().Score(), 5);
    EXPECT_EQ(core().QuestionDue(), 2);
    EXPECT_EQ(caption(form->lAnswer), QStringLiteral("RIGHT!"));
    EXPECT_EQ(form->imgPiano->Layers()->Count(), 0);
}

// A release before the run's first note is judged against nothing.
TEST_F(LevelPlay, ReleaseBeforeTheFirstNoteJudgesNothing)
{
    openShown();
    start();
    answer(0);
    EXPECT_EQ(caption(form->lAnswer), QString());
    EXPECT_EQ(core().Score(), 0);
    EXPECT_EQ(form->imgPiano->Layers()->Count(), 0);
    EXPECT_EQ(core().HeldKeyCount(), 0);
    EXPECT_EQ(core().PressedKeys(), 0);
}

// A run has 150 ticks; the 150th shows 0 and ends it, so at most 149 questions are posed.
TEST_F(LevelPlay, RunEndsOnTheHundredAndFiftiethTick)
{
    openShown();
    start();
    int posed = playRun(1000);
    EXPECT_EQ(posed, 149);
    EXPECT_EQ(caption(form->lCountDown), QStringLiteral("0 SEC."));
    EXPECT_FALSE(form->Timer->Enabled());
    EXPECT_TRUE(form->bStart->isEnabled());
    EXPECT_FALSE(form->bReset->isEnabled());
    EXPECT_TRUE(form->cbLevel->isEnabled());
}

// A score exactly at the goal passes and selects the next level; below it asks to repeat.
TEST_F(LevelPlay, ExactlyTheGoalPassesOneLessFails)
{
    openShown();
    start();
    playRun(60);
    EXPECT_EQ(core().Score(), 300);
    EXPECT_EQ(caption(form->lProgress), QStringLiteral("Congratulations!! Press \"Start\" to play the next level!"));
    EXPECT_EQ(fontColour(form->lProgress), kGreen);
    EXPECT_EQ(core().Level(), 2);
    EXPECT_EQ(form->cbLevel->currentIndex(), 1);
    EXPECT_EQ(caption(form->lScore), QStringLiteral("300"));
    // The run's end clears the staff: no note is left waiting for an answer.
    EXPECT_EQ(form->ImgClefs->Layers()->Count(), 2);
    EXPECT_FALSE(form->Staff().EvaluationMarkShown);

    start();
    playRun(59);
    EXPECT_EQ(core().Score(), 295);
    EXPECT_EQ(caption(form->lProgress), QStringLiteral("Please repeat this level!"));
    EXPECT_EQ(fontColour(form->lProgress), kRed);
    EXPECT_EQ(core().Level(), 2);
    EXPECT_EQ(form->cbLevel->currentIndex(), 1);
}

// Passing level 11 selects level 12; passing level 12 keeps it with its own message.
TEST_F(LevelPlay, LastLevelsAdvanceAndStay)
{
    openShown();
    form->cbLevel->setCurrentIndex(10);
    form->cbLevelChange(form->cbLevel);
    EXPECT_EQ(core().Level(), 11);
    start();
    playRun(60);
    EXPECT_EQ(core().Level(), 12);
    EXPECT_EQ(form->cbLevel->currentIndex(), 11);
    start();
    playRun(60);
    EXPECT_EQ(core().CurrentKey(), 6); // the last question was in Gb major
    EXPECT_EQ(core().Level(), 12);
    EXPECT_EQ(form->cbLevel->currentIndex(), 11);
    EXPECT_EQ(caption(form->lProgress), QStringLiteral("Congratulations!! You definitely know your notes!"));
    EXPECT_EQ(fontColour(form->lProgress), kGreen);
}

// Reset in the middle of a run: idle, score 0, full time, both staves empty in C.
TEST_F(LevelPlay, ResetInTheMiddleOfARun)
{
    openShown();
    form->cbLevel->setCurrentIndex(4); // D major
    form->cbLevelChange(form->cbLevel);
    start();
    for (int i = 0; i < 10; ++i) {
        tick();
        if (core().QuestionDue() == core().QuestionsPosed())
            answer(core().CurrentNote() % 12);
    }
    form->bResetClick(form->bReset);
    EXPECT_FALSE(form->Timer->Enabled());
    EXPECT_TRUE(form->bStart->isEnabled());
    EXPECT_FALSE(form->bReset->isEnabled());
    EXPECT_TRUE(form->cbLevel->isEnabled());
    EXPECT_EQ(core().Score(), 0);
    EXPECT_EQ(caption(form->lScore), QStringLiteral("0"));
    EXPECT_EQ(caption(form->lCountDown), QStringLiteral("150 SEC."));
    EXPECT_EQ(caption(form->lGoal), QStringLiteral("300"));
    EXPECT_EQ(caption(form->lAnswer), QString());
    EXPECT_EQ(caption(form->lProgress), QString());
    EXPECT_EQ(core().CurrentKey(), 0);
    EXPECT_EQ(form->ImgClefs->Layers()->Count(), 2);
    EXPECT_FALSE(form->Staff().EvaluationMarkShown);
    // A release after the Reset judges nothing.
    answer(0);
    EXPECT_EQ(caption(form->lAnswer), QString());
    // Start plays the same level from the beginning.
    start();
    tick();
    EXPECT_EQ(core().CurrentKey(), 2);
    EXPECT_EQ(core().QuestionsPosed(), 1);
}

// Leaving the game page pauses a run: the clock stops, the note stays, nothing is
// judged; coming back goes on with the score and the time left.
TEST_F(LevelPlay, PageSwitchDuringARunPausesAndResumes)
{
    openShown();
    start();
    tick();
    answer(core().CurrentNote() % 12);
    tick();
    const int note = core().CurrentNote();
    form->PageControl->setCurrentWidget(form->tsInfo);
    EXPECT_FALSE(form->Timer->Enabled());
    EXPECT_TRUE(core().Paused());
    tick();
    answer(note % 12);
    EXPECT_EQ(core().Score(), 5);
    EXPECT_EQ(caption(form->lCountDown), QStringLiteral("148 SEC."));
    form->PageControl->setCurrentWidget(form->tsMain);
    EXPECT_TRUE(form->Timer->Enabled());
    EXPECT_FALSE(form->bStart->isEnabled());
    EXPECT_EQ(caption(form->lScore), QStringLiteral("5"));
    EXPECT_EQ(caption(form->lCountDown), QStringLiteral("148 SEC."));
    EXPECT_EQ(core().CurrentNote(), note);
    EXPECT_GE(form->ImgClefs->Layers()->Count(), 4);
    tick();
    EXPECT_EQ(caption(form->lCountDown), QStringLiteral("147 SEC."));
    answer(note % 12);
    EXPECT_EQ(core().Score(), 10);
}

// A page switch while no run goes leaves the game as it was, with the full time.
TEST_F(LevelPlay, PageSwitchWhileIdleKeepsTheLevelsStart)
{
    openShown();
    form->PageControl->setCurrentWidget(form->tsInfo);
    form->PageControl->setCurrentWidget(form->tsMain);
    EXPECT_FALSE(form->Timer->Enabled());
    EXPECT_FALSE(core().Paused());
    EXPECT_EQ(caption(form->lCountDown), QStringLiteral("150 SEC."));
}

// Choosing a level loads its texts and time, clears the last verdict and its
// mark, and shows the level's key signature at once.
TEST_F(LevelPlay, LevelChangeLoadsTheLevelsRow)
{
    openShown();
    start();
    tick();
    answer(core().CurrentNote() % 12);
    form->bResetClick(form->bReset);
    start();
    tick();
    answer(core().CurrentNote() % 12);
    while (form->Timer->Enabled())
        tick();
    form->cbLevel->setCurrentIndex(3);
    form->cbLevelChange(form->cbLevel);
    EXPECT_EQ(core().Level(), 4);
    EXPECT_EQ(caption(form->lGoal), QStringLiteral("300"));
    EXPECT_EQ(caption(form->lCountDown), QStringLiteral("150 SEC."));
    EXPECT_EQ(caption(form->lScore), QStringLiteral("0"));
    EXPECT_EQ(caption(form->lAnswer), QString());
    EXPECT_EQ(caption(form->lProgress), QString());
    EXPECT_EQ(core().CurrentKey(), 10);
    EXPECT_EQ(form->ImgClefs->Layers()->Count(), 2);
    EXPECT_FALSE(form->Staff().EvaluationMarkShown);
    for (int staff = 0; staff < 2; ++staff) {
        const TBitmap32* shown = static_cast<TBitmapLayer*>(form->ImgClefs->Layers()->Items(staff))->Bitmap();
        const TBitmap32* wanted = form->BMPKeyList->Bitmap(2 * 10 + staff);
        ASSERT_EQ(shown->Width(), wanted->Width());
        ASSERT_EQ(shown->Height(), wanted->Height());
        EXPECT_EQ(std::memcmp(shown->Bits(), wanted->Bits(), size_t(shown->Width()) * shown->Height() * 4), 0);
    }
    start();
    tick();
    EXPECT_EQ(core().CurrentKey(), 10); // Bb major
}

// The level reached is written at close and read at the next start.
TEST_F(LevelPlay, LevelReachedIsKeptForTheNextStart)
{
    openShown();
    start();
    playRun(60);
    start();
    playRun(60);
    EXPECT_EQ(core().Level(), 3);
    closeForm();
    EXPECT_NE(settingsText().find("[Lirasto - Notes (demo)]"), std::string::npos);
    EXPECT_NE(settingsText().find("Level=3"), std::string::npos);
    openShown();
    EXPECT_EQ(core().Level(), 3);
    EXPECT_EQ(form->cbLevel->currentIndex(), 2);
}

// A stored level that is no level at all starts the game on level 1; closing keeps it as it was until the
// player chooses a level, and then writes that one.
TEST_F(LevelPlay, DamagedStoredLevelStartsOnLevelOne)
{
    for (const char* stored : {"abc", "13", "0", "-4", ""}) {
        for (const bool chosen : {false, true}) {
            const std::string before = std::string("[Lirasto - Notes (demo)]\r\nLevel=") + stored + "\r\n";
            std::ofstream(workDir() / "vantrel.ini", std::ios::binary) << before;
            openShown();
            EXPECT_EQ(core().Level(), 1) << stored;
            if (chosen)
                form->cbLevelChange(form->cbLevel);
            closeForm();
            EXPECT_EQ(settingsText(), *stored && !chosen ? before : "[Lirasto - Notes (demo)]\r\nLevel=1\r\n");
        }
    }
    EXPECT_TRUE(errors.isEmpty());
}

// A level that cannot be saved stays in play, and the player is told once which file and why.
TEST_F(LevelPlay, UnsavedLevelIsToldOnceWithFileAndReason)
{
    std::filesystem::create_directory(workDir() / "vantrel.ini");
    openShown();
    form->cbLevel->setCurrentIndex(4);
    form->cbLevelChange(form->cbLevel);
    form->close();
    form->close();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0].toStdString(), "The level reached (level 5) could not be saved in " + workDir().string() +
                                           "/vantrel.ini.\n\n./vantrel.ini is not a regular file.");
    EXPECT_EQ(core().Level(), 5);
}

// Every note of both staves comes up, on both staves, over many questions.
TEST_F(LevelPlay, QuestionsCoverBothStavesAndEveryNote)
{
    openShown();
    RandSeed = 12345;
    std::set<int> treble, bass;
    start();
    for (int i = 0; i < 3000; ++i) {
        tick();
        if (!form->Timer->Enabled())
            start();
        (core().CurrentClef() == 1 ? treble : bass).insert(core().CurrentNote());
        answer(core().CurrentNote() % 12);
    }
    EXPECT_EQ(treble.size(), 36u);
    EXPECT_EQ(*treble.begin(), 53);
    EXPECT_EQ(*treble.rbegin(), 88);
    EXPECT_EQ(bass.size(), 32u);
    EXPECT_EQ(*bass.begin(), 36);
    EXPECT_EQ(*bass.rbegin(), 67);
}

} // namespace

namespace {

enum class Change { Untouched, On, Off };

struct HandlerRow
{
    const char* name;
    void (TfMain::*handler)(QObject*);
    Change timer, start, reset, list;
    bool scoreReset, timeReset, goalSet, textsSet, progressEmptied, answerEmptied, stavesCleared;
};

// What each handler touches, from a window in the middle of a run with every
// label marked: a dash in the table means the mark is still there.
const HandlerRow kHandlers[] = {
    {"bStartClick", &TfMain::bStartClick, Change::On, Change::Off, Change::On, Change::Off, true, true, false, false,
     true, true, false},
    {"bResetClick", &TfMain::bResetClick, Change::Off, Change::On, Change::Off, Change::On, true, true, true, false,
     true, true, true},
    {"cbLevelChange", &TfMain::cbLevelChange, Change::Untouched, Change::Untouched, Change::Untouched,
     Change::Untouched, true, true, true, true, true, true, true},
    // Coming back to the page during a run resumes it as it was.
    {"tsMainShow", &TfMain::tsMainShow, Change::Untouched, Change::Untouched, Change::Untouched, Change::Untouched,
     false, false, true, true, false, false, false},
};

class HandlersCompared : public MainWindowTest, public testing::WithParamInterface<HandlerRow>
{};

TEST_P(HandlersCompared, TouchExactlyWhatTheirRowSays)
{
    const HandlerRow& row = GetParam();
    openShown();
    form->bStartClick(form->bStart);
    tick();
    answer(core().CurrentNote() % 12);
    tick();
    tick();
    const QString mark = QStringLiteral("mark");
    for (TSkinLabel* label : {form->lGoal, form->lQuestion, form->lExplanation, form->lProgress})
        label->SetCaption(mark);
    // Timer, buttons and list in the state opposite to the one the handler would set.
    form->Timer->SetEnabled(row.timer != Change::On);
    form->bStart->setEnabled(row.start != Change::On);
    form->bReset->setEnabled(row.reset != Change::On);
    form->cbLevel->setEnabled(row.list != Change::On);
    const bool timerBefore = form->Timer->Enabled();
    const int layersBefore = form->ImgClefs->Layers()->Count();
    ASSERT_GT(layersBefore, 2);

    (form.get()->*row.handler)(form->cbLevel);

    auto expectState = [](Change change, bool before, bool now, const char* what) {
        if (change == Change::Untouched)
            EXPECT_EQ(now, before) << what;
        else
            EXPECT_EQ(now, change == Change::On) << what;
    };
    expectState(row.timer, timerBefore, form->Timer->Enabled(), "Timer");
    expectState(row.start, row.start != Change::On, form->bStart->isEnabled(), "bStart");
    expectState(row.reset, row.reset != Change::On, form->bReset->isEnabled(), "bReset");
    expectState(row.list, row.list != Change::On, form->cbLevel->isEnabled(), "cbLevel");
    EXPECT_EQ(core().Score() == 0 && caption(form->lScore) == "0", row.scoreReset);
    EXPECT_EQ(core().SecondsLeft() == 150 && caption(form->lCountDown) == "150 SEC.", row.timeReset);
    EXPECT_EQ(caption(form->lGoal) == "300", row.goalSet);
    EXPECT_EQ(caption(form->lQuestion) == "What note is this? " &&
                  caption(form->lExplanation) == "Click on any corresponding key on the keyboard!",
              row.textsSet);
    EXPECT_EQ(caption(form->lProgress).isEmpty(), row.progressEmptied);
    EXPECT_EQ(caption(form->lAnswer).isEmpty(), row.answerEmptied);
    EXPECT_EQ(form->ImgClefs->Layers()->Count() == 2, row.stavesCleared);
    if (!row.stavesCleared) {
        EXPECT_EQ(form->ImgClefs->Layers()->Count(), layersBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, HandlersCompared, testing::ValuesIn(kHandlers),
                         [](const testing::TestParamInfo<HandlerRow>& info) { return std::string(info.param.name); });

} // namespace
