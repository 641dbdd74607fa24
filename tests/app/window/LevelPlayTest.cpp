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
    void Start() { form_->bStartClick(form_->bStart); }

    // Plays ticks until the run ends, answering right whenever a question is open
    // as long as `rightAnswers` lasts. Returns the number of questions posed.
    int PlayRun(int rightAnswers)
    {
        int ticks = 0;
        while (form_->Timer->Enabled()) {
            Tick();
            ++ticks;
            if (form_->Timer->Enabled() && rightAnswers > 0 && Core().QuestionDue() == Core().QuestionsPosed()) {
                Answer(Core().CurrentNote() % 12);
                --rightAnswers;
            }
            EXPECT_LE(ticks, 150);
        }
        EXPECT_EQ(ticks, 150);
        return Core().QuestionsPosed();
    }

    std::string SettingsText()
    {
        std::ifstream in(WorkDir() / "vantrel.ini", std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

// Start: the timer runs, Start and the level list are off, the score and time are reset.
TEST_F(LevelPlay, StartBeginsTheCountdownWithNoNoteYet)
{
    OpenShown();
    Start();
    EXPECT_TRUE(form_->Timer->Enabled());
    EXPECT_FALSE(form_->bStart->isEnabled());
    EXPECT_TRUE(form_->bReset->isEnabled());
    EXPECT_FALSE(form_->cbLevel->isEnabled());
    EXPECT_EQ(Caption(form_->lCountDown), QStringLiteral("150 SEC."));
    EXPECT_EQ(Caption(form_->lScore), QStringLiteral("0"));
    EXPECT_EQ(Caption(form_->lAnswer), QString());
    EXPECT_EQ(Core().QuestionDue(), 1);
    EXPECT_EQ(Core().QuestionsPosed(), 0);
    EXPECT_EQ(form_->ImgClefs->Layers()->Count(), 2);
}

// The first note comes with the first tick, together with the step from 150 to 149.
TEST_F(LevelPlay, FirstNoteComesOneTickAfterStart)
{
    OpenShown();
    Start();
    Tick();
    EXPECT_EQ(Caption(form_->lCountDown), QStringLiteral("149 SEC."));
    EXPECT_EQ(Core().QuestionsPosed(), 1);
    // key signatures, the neutral mark and the note
    EXPECT_GE(form_->ImgClefs->Layers()->Count(), 4);
    EXPECT_TRUE(form_->Staff().EvaluationMarkShown);
    EXPECT_EQ(Core().CurrentKey(), 0);
    EXPECT_EQ(Core().ExpectedKeys(), 1 << (Core().CurrentNote() % 12));
    if (Core().CurrentClef() == 1)
        EXPECT_TRUE(Core().CurrentNote() >= 53 && Core().CurrentNote() <= 88);
    else
        EXPECT_TRUE(Core().CurrentNote() >= 36 && Core().CurrentNote() <= 67);
}

// A right answer scores 5, shows "RIGHT!" in green and brings the next note at the next tick.
TEST_F(LevelPlay, RightAnswerScoresAndBringsTheNextNoteAtTheNextTick)
{
    OpenShown();
    Start();
    Tick();
    Answer(Core().CurrentNote() % 12);
    EXPECT_EQ(Core().Score(), 5);
    EXPECT_EQ(Caption(form_->lScore), QStringLiteral("5"));
    EXPECT_EQ(Caption(form_->lAnswer), QStringLiteral("RIGHT!"));
    EXPECT_EQ(FontColour(form_->lAnswer), kGreen);
    EXPECT_EQ(Core().QuestionDue(), 2);
    EXPECT_EQ(Core().QuestionsPosed(), 1);
    Tick();
    EXPECT_EQ(Core().QuestionsPosed(), 2);
    EXPECT_EQ(Caption(form_->lAnswer), QStringLiteral("RIGHT!"));
}

// A wrong answer keeps the note; every further wrong try shows "WRONG!" again.
TEST_F(LevelPlay, WrongAnswerKeepsTheNote)
{
    OpenShown();
    Start();
    Tick();
    const int note = Core().CurrentNote();
    for (int attempt = 0; attempt < 3; ++attempt) {
        Answer((note + 1) % 12);
        EXPECT_EQ(Caption(form_->lAnswer), QStringLiteral("WRONG!"));
        EXPECT_EQ(FontColour(form_->lAnswer), kRed);
        EXPECT_EQ(Core().Score(), 0);
        Tick();
        EXPECT_EQ(Core().CurrentNote(), note);
        EXPECT_EQ(Core().QuestionsPosed(), 1);
    }
}

// Once the note on display has been answered right, further answers count for nothing.
TEST_F(LevelPlay, FurtherAnswersAfterARightOneNeitherScoreNorChangeTheVerdict)
{
    OpenShown();
    Start();
    Tick();
    const int pc = Core().CurrentNote() % 12;
    Answer(pc);
    Answer(pc);
    Answer((pc + 1) % 12);
    EXPECT_EQ(Core().Score(), 5);
    EXPECT_EQ(Core().QuestionDue(), 2);
    EXPECT_EQ(Caption(form_->lAnswer), QStringLiteral("RIGHT!"));
    EXPECT_EQ(form_->imgPiano->Layers()->Count(), 0);
}

// A release before the run's first note is judged against nothing.
TEST_F(LevelPlay, ReleaseBeforeTheFirstNoteJudgesNothing)
{
    OpenShown();
    Start();
    Answer(0);
    EXPECT_EQ(Caption(form_->lAnswer), QString());
    EXPECT_EQ(Core().Score(), 0);
    EXPECT_EQ(form_->imgPiano->Layers()->Count(), 0);
    EXPECT_EQ(Core().HeldKeyCount(), 0);
    EXPECT_EQ(Core().PressedKeys(), 0);
}

// A run has 150 ticks; the 150th shows 0 and ends it, so at most 149 questions are posed.
TEST_F(LevelPlay, RunEndsOnTheHundredAndFiftiethTick)
{
    OpenShown();
    Start();
    int posed = PlayRun(1000);
    EXPECT_EQ(posed, 149);
    EXPECT_EQ(Caption(form_->lCountDown), QStringLiteral("0 SEC."));
    EXPECT_FALSE(form_->Timer->Enabled());
    EXPECT_TRUE(form_->bStart->isEnabled());
    EXPECT_FALSE(form_->bReset->isEnabled());
    EXPECT_TRUE(form_->cbLevel->isEnabled());
}

// A score exactly at the goal passes and selects the next level; below it asks to repeat.
TEST_F(LevelPlay, ExactlyTheGoalPassesOneLessFails)
{
    OpenShown();
    Start();
    PlayRun(60);
    EXPECT_EQ(Core().Score(), 300);
    EXPECT_EQ(Caption(form_->lProgress), QStringLiteral("Congratulations!! Press \"Start\" to play the next level!"));
    EXPECT_EQ(FontColour(form_->lProgress), kGreen);
    EXPECT_EQ(Core().Level(), 2);
    EXPECT_EQ(form_->cbLevel->currentIndex(), 1);
    EXPECT_EQ(Caption(form_->lScore), QStringLiteral("300"));
    // The run's end clears the staff: no note is left waiting for an answer.
    EXPECT_EQ(form_->ImgClefs->Layers()->Count(), 2);
    EXPECT_FALSE(form_->Staff().EvaluationMarkShown);

    Start();
    PlayRun(59);
    EXPECT_EQ(Core().Score(), 295);
    EXPECT_EQ(Caption(form_->lProgress), QStringLiteral("Please repeat this level!"));
    EXPECT_EQ(FontColour(form_->lProgress), kRed);
    EXPECT_EQ(Core().Level(), 2);
    EXPECT_EQ(form_->cbLevel->currentIndex(), 1);
}

// Passing level 11 selects level 12; passing level 12 keeps it with its own message.
TEST_F(LevelPlay, LastLevelsAdvanceAndStay)
{
    OpenShown();
    form_->cbLevel->setCurrentIndex(10);
    form_->cbLevelChange(form_->cbLevel);
    EXPECT_EQ(Core().Level(), 11);
    Start();
    PlayRun(60);
    EXPECT_EQ(Core().Level(), 12);
    EXPECT_EQ(form_->cbLevel->currentIndex(), 11);
    Start();
    PlayRun(60);
    EXPECT_EQ(Core().CurrentKey(), 6); // the last question was in Gb major
    EXPECT_EQ(Core().Level(), 12);
    EXPECT_EQ(form_->cbLevel->currentIndex(), 11);
    EXPECT_EQ(Caption(form_->lProgress), QStringLiteral("Congratulations!! You definitely know your notes!"));
    EXPECT_EQ(FontColour(form_->lProgress), kGreen);
}

// Reset in the middle of a run: idle, score 0, full time, both staves empty in C.
TEST_F(LevelPlay, ResetInTheMiddleOfARun)
{
    OpenShown();
    form_->cbLevel->setCurrentIndex(4); // D major
    form_->cbLevelChange(form_->cbLevel);
    Start();
    for (int i = 0; i < 10; ++i) {
        Tick();
        if (Core().QuestionDue() == Core().QuestionsPosed())
            Answer(Core().CurrentNote() % 12);
    }
    form_->bResetClick(form_->bReset);
    EXPECT_FALSE(form_->Timer->Enabled());
    EXPECT_TRUE(form_->bStart->isEnabled());
    EXPECT_FALSE(form_->bReset->isEnabled());
    EXPECT_TRUE(form_->cbLevel->isEnabled());
    EXPECT_EQ(Core().Score(), 0);
    EXPECT_EQ(Caption(form_->lScore), QStringLiteral("0"));
    EXPECT_EQ(Caption(form_->lCountDown), QStringLiteral("150 SEC."));
    EXPECT_EQ(Caption(form_->lGoal), QStringLiteral("300"));
    EXPECT_EQ(Caption(form_->lAnswer), QString());
    EXPECT_EQ(Caption(form_->lProgress), QString());
    EXPECT_EQ(Core().CurrentKey(), 0);
    EXPECT_EQ(form_->ImgClefs->Layers()->Count(), 2);
    EXPECT_FALSE(form_->Staff().EvaluationMarkShown);
    // A release after the Reset judges nothing.
    Answer(0);
    EXPECT_EQ(Caption(form_->lAnswer), QString());
    // Start plays the same level from the beginning.
    Start();
    Tick();
    EXPECT_EQ(Core().CurrentKey(), 2);
    EXPECT_EQ(Core().QuestionsPosed(), 1);
}

// Leaving the game page pauses a run: the clock stops, the note stays, nothing is
// judged; coming back goes on with the score and the time left.
TEST_F(LevelPlay, PageSwitchDuringARunPausesAndResumes)
{
    OpenShown();
    Start();
    Tick();
    Answer(Core().CurrentNote() % 12);
    Tick();
    const int note = Core().CurrentNote();
    form_->PageControl->setCurrentWidget(form_->tsInfo);
    EXPECT_FALSE(form_->Timer->Enabled());
    EXPECT_TRUE(Core().Paused());
    Tick();
    Answer(note % 12);
    EXPECT_EQ(Core().Score(), 5);
    EXPECT_EQ(Caption(form_->lCountDown), QStringLiteral("148 SEC."));
    form_->PageControl->setCurrentWidget(form_->tsMain);
    EXPECT_TRUE(form_->Timer->Enabled());
    EXPECT_FALSE(form_->bStart->isEnabled());
    EXPECT_EQ(Caption(form_->lScore), QStringLiteral("5"));
    EXPECT_EQ(Caption(form_->lCountDown), QStringLiteral("148 SEC."));
    EXPECT_EQ(Core().CurrentNote(), note);
    EXPECT_GE(form_->ImgClefs->Layers()->Count(), 4);
    Tick();
    EXPECT_EQ(Caption(form_->lCountDown), QStringLiteral("147 SEC."));
    Answer(note % 12);
    EXPECT_EQ(Core().Score(), 10);
}

// A page switch while no run goes leaves the game as it was, with the full time.
TEST_F(LevelPlay, PageSwitchWhileIdleKeepsTheLevelsStart)
{
    OpenShown();
    form_->PageControl->setCurrentWidget(form_->tsInfo);
    form_->PageControl->setCurrentWidget(form_->tsMain);
    EXPECT_FALSE(form_->Timer->Enabled());
    EXPECT_FALSE(Core().Paused());
    EXPECT_EQ(Caption(form_->lCountDown), QStringLiteral("150 SEC."));
}

// Choosing a level loads its texts and time, clears the last verdict and its
// mark, and shows the level's key signature at once.
TEST_F(LevelPlay, LevelChangeLoadsTheLevelsRow)
{
    OpenShown();
    Start();
    Tick();
    Answer(Core().CurrentNote() % 12);
    form_->bResetClick(form_->bReset);
    Start();
    Tick();
    Answer(Core().CurrentNote() % 12);
    while (form_->Timer->Enabled())
        Tick();
    form_->cbLevel->setCurrentIndex(3);
    form_->cbLevelChange(form_->cbLevel);
    EXPECT_EQ(Core().Level(), 4);
    EXPECT_EQ(Caption(form_->lGoal), QStringLiteral("300"));
    EXPECT_EQ(Caption(form_->lCountDown), QStringLiteral("150 SEC."));
    EXPECT_EQ(Caption(form_->lScore), QStringLiteral("0"));
    EXPECT_EQ(Caption(form_->lAnswer), QString());
    EXPECT_EQ(Caption(form_->lProgress), QString());
    EXPECT_EQ(Core().CurrentKey(), 10);
    EXPECT_EQ(form_->ImgClefs->Layers()->Count(), 2);
    EXPECT_FALSE(form_->Staff().EvaluationMarkShown);
    for (int staff = 0; staff < 2; ++staff) {
        const TBitmap32* shown = static_cast<TBitmapLayer*>(form_->ImgClefs->Layers()->Items(staff))->Bitmap();
        const TBitmap32* wanted = form_->BMPKeyList->Bitmap(2 * 10 + staff);
        ASSERT_EQ(shown->Width(), wanted->Width());
        ASSERT_EQ(shown->Height(), wanted->Height());
        EXPECT_EQ(std::memcmp(shown->Bits(), wanted->Bits(), size_t(shown->Width()) * shown->Height() * 4), 0);
    }
    Start();
    Tick();
    EXPECT_EQ(Core().CurrentKey(), 10); // Bb major
}

// The level reached is written at close and read at the next start.
TEST_F(LevelPlay, LevelReachedIsKeptForTheNextStart)
{
    OpenShown();
    Start();
    PlayRun(60);
    Start();
    PlayRun(60);
    EXPECT_EQ(Core().Level(), 3);
    CloseForm();
    EXPECT_NE(SettingsText().find("[Lirasto - Notes (demo)]"), std::string::npos);
    EXPECT_NE(SettingsText().find("Level=3"), std::string::npos);
    OpenShown();
    EXPECT_EQ(Core().Level(), 3);
    EXPECT_EQ(form_->cbLevel->currentIndex(), 2);
}

// A stored level that is no level at all starts the game on level 1; closing keeps it as it was until the
// player chooses a level, and then writes that one.
TEST_F(LevelPlay, DamagedStoredLevelStartsOnLevelOne)
{
    for (const char* stored : {"abc", "13", "0", "-4", ""}) {
        for (const bool chosen : {false, true}) {
            const std::string before = std::string("[Lirasto - Notes (demo)]\r\nLevel=") + stored + "\r\n";
            std::ofstream(WorkDir() / "vantrel.ini", std::ios::binary) << before;
            OpenShown();
            EXPECT_EQ(Core().Level(), 1) << stored;
            if (chosen)
                form_->cbLevelChange(form_->cbLevel);
            CloseForm();
            EXPECT_EQ(SettingsText(), *stored && !chosen ? before : "[Lirasto - Notes (demo)]\r\nLevel=1\r\n");
        }
    }
    EXPECT_TRUE(errors_.isEmpty());
}

// A level that cannot be saved stays in play, and the player is told once which file and why.
TEST_F(LevelPlay, UnsavedLevelIsToldOnceWithFileAndReason)
{
    std::filesystem::create_directory(WorkDir() / "vantrel.ini");
    OpenShown();
    form_->cbLevel->setCurrentIndex(4);
    form_->cbLevelChange(form_->cbLevel);
    form_->close();
    form_->close();
    ASSERT_EQ(errors_.size(), 1);
    EXPECT_EQ(errors_[0].toStdString(), "The level reached (level 5) could not be saved in " + WorkDir().string() +
                                            "/vantrel.ini.\n\n./vantrel.ini is not a regular file.");
    EXPECT_EQ(Core().Level(), 5);
}

// Every note of both staves comes up, on both staves, over many questions.
TEST_F(LevelPlay, QuestionsCoverBothStavesAndEveryNote)
{
    OpenShown();
    RandSeed = 12345;
    std::set<int> treble, bass;
    Start();
    for (int i = 0; i < 3000; ++i) {
        Tick();
        if (!form_->Timer->Enabled())
            Start();
        (Core().CurrentClef() == 1 ? treble : bass).insert(Core().CurrentNote());
        Answer(Core().CurrentNote() % 12);
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
    OpenShown();
    form_->bStartClick(form_->bStart);
    Tick();
    Answer(Core().CurrentNote() % 12);
    Tick();
    Tick();
    const QString mark = QStringLiteral("mark");
    for (TSkinLabel* label : {form_->lGoal, form_->lQuestion, form_->lExplanation, form_->lProgress})
        label->SetCaption(mark);
    // Timer, buttons and list in the state opposite to the one the handler would set.
    form_->Timer->SetEnabled(row.timer != Change::On);
    form_->bStart->setEnabled(row.start != Change::On);
    form_->bReset->setEnabled(row.reset != Change::On);
    form_->cbLevel->setEnabled(row.list != Change::On);
    const bool timerBefore = form_->Timer->Enabled();
    const int layersBefore = form_->ImgClefs->Layers()->Count();
    ASSERT_GT(layersBefore, 2);

    (form_.get()->*row.handler)(form_->cbLevel);

    auto expectState = [](Change change, bool before, bool now, const char* what) {
        if (change == Change::Untouched)
            EXPECT_EQ(now, before) << what;
        else
            EXPECT_EQ(now, change == Change::On) << what;
    };
    expectState(row.timer, timerBefore, form_->Timer->Enabled(), "Timer");
    expectState(row.start, row.start != Change::On, form_->bStart->isEnabled(), "bStart");
    expectState(row.reset, row.reset != Change::On, form_->bReset->isEnabled(), "bReset");
    expectState(row.list, row.list != Change::On, form_->cbLevel->isEnabled(), "cbLevel");
    EXPECT_EQ(Core().Score() == 0 && Caption(form_->lScore) == "0", row.scoreReset);
    EXPECT_EQ(Core().SecondsLeft() == 150 && Caption(form_->lCountDown) == "150 SEC.", row.timeReset);
    EXPECT_EQ(Caption(form_->lGoal) == "300", row.goalSet);
    EXPECT_EQ(Caption(form_->lQuestion) == "What note is this? " &&
                  Caption(form_->lExplanation) == "Click on any corresponding key on the keyboard!",
              row.textsSet);
    EXPECT_EQ(Caption(form_->lProgress).isEmpty(), row.progressEmptied);
    EXPECT_EQ(Caption(form_->lAnswer).isEmpty(), row.answerEmptied);
    EXPECT_EQ(form_->ImgClefs->Layers()->Count() == 2, row.stavesCleared);
    if (!row.stavesCleared) {
        EXPECT_EQ(form_->ImgClefs->Layers()->Count(), layersBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, HandlersCompared, testing::ValuesIn(kHandlers),
                         [](const testing::TestParamInfo<HandlerRow>& info) { return std::string(info.param.name); });

} // namespace
