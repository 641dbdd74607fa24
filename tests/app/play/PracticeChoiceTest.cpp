#include "tests/app/window/MainWindowFixture.h"

#include "app/hookups/HistoryHookup.h"
#include "app/options/OptionsPage.h"
#include "app/play/PianoHighlight.h"
#include "app/play/PracticeChoice.h"
#include "app/play/SightReading.h"
#include "game/ChordExercise.h"
#include "game/MusicKeys.h"
#include "game/StaffView.h"

#include <QMouseEvent>

using namespace lirasto::test;

namespace {

// As the player picks an item of a list.
void pick(TSkinComboBox* box, int index)
{
    ASSERT_GE(index, 0);
    box->setCurrentIndex(index);
    emit box->activated(index);
}

// A click on the small staff where it sets a note, found by asking the staff what each row sets.
void clickRange(TRangeStaff* staff, bool lowest, int note)
{
    const double x = staff->width() * (lowest ? 0.6 : 0.85);
    for (int y = 0; y < staff->height(); ++y) {
        const auto picked = staff->PickAt(QPointF(x, y));
        if (picked && picked->Note == note && picked->Lowest == lowest) {
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(x, y), staff->mapToGlobal(QPointF(x, y)),
                              Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(staff, &press);
            return;
        }
    }
    FAIL() << "no row of the small staff sets note " << note;
}

// Single notes chosen on the game page in the alto clef, C flat major and a range set by name and by a
// click on the small staff: every note asked lies in the range, is drawn on the C clef, and answers as
// a level's; the choice saved under a name is in the level list after the twelve levels at the next start.
TEST_F(MainWindowTest, PracticeChosenOnTheGamePageAndKeptByName)
{
    OpenShown();
    TPracticeChoice& choice = form_->PracticeChoice();
    pick(form_->SightReading().ExerciseChoice(), TSightReading::kNotesItem);
    pick(choice.ClefChoice(), static_cast<int>(TStaffChoice::Alto));
    pick(choice.KeyChoice(), choice.KeyChoice()->findText(QString::fromUtf8("C\u266D major")));
    pick(choice.LowestChoice(), choice.LowestChoice()->findData(48)); // C3
    clickRange(choice.RangeStaff(), false, 67);                       // G4
    EXPECT_EQ(choice.HighestChoice()->currentData().toInt(), 67);

    form_->bStartClick(form_->bStart);
    EXPECT_FALSE(choice.ClefChoice()->isEnabled());
    for (int question = 0; question < 149; ++question) {
        Tick();
        const TQuestion& q = Core().Question();
        EXPECT_EQ(q.MusicKey, MusicKeyFromName("Cb"));
        EXPECT_TRUE(q.Note >= 48 && q.Note <= 67 && InMusicScale(q.Note, q.MusicKey)) << q.Note;
        EXPECT_EQ(form_->Staff().UpperClef(), kAltoClef);
        EXPECT_EQ(form_->Staff().StavesShown(), TStaffView::TStaves::Upper);
        EXPECT_TRUE(form_->cbLevel->isHidden()) << "the key stands where the level list was";
        ASSERT_EQ(form_->Staff().LineLength(), 1);
        EXPECT_EQ(form_->Staff().LineNote(0).Note, q.Note);
        EXPECT_TRUE(form_->PianoHighlight().RangeShown());
        Answer((q.Note + 1) % 12);
        EXPECT_EQ(form_->Staff().NoteMark(0), TNoteMark::Wrong);
        Answer(q.Note % 12);
        EXPECT_EQ(form_->Staff().NoteMark(0), TNoteMark::Right);
    }
    Tick(); // the time is up
    EXPECT_EQ(Core().Score(), 149 * 5);
    // Passed, but a practice of one's own leads to no next level.
    EXPECT_EQ(Caption(form_->lProgress), QStringLiteral("Well done!! You reached the goal."));
    EXPECT_EQ(Core().Level(), 1);
    EXPECT_EQ(form_->cbLevel->currentIndex(), 0);
    EXPECT_FALSE(form_->cbLevel->isHidden());
    form_->bResetClick(form_->bReset);
    EXPECT_EQ(form_->Staff().LineLength(), 0);
    EXPECT_FALSE(form_->PianoHighlight().RangeShown());

    // The accidentals' choice drives the chords' chromatic flag too.
    pick(choice.AccidentalsChoice(), 1);
    pick(form_->SightReading().ExerciseChoice(), TSightReading::kFirstChordItem + 1);
    const auto* chords = dynamic_cast<const TChordExercise*>(&Core().Exercise());
    ASSERT_NE(chords, nullptr);
    EXPECT_TRUE(chords->Settings().Chromatic);
    pick(choice.AccidentalsChoice(), 0);
    pick(form_->SightReading().ExerciseChoice(), TSightReading::kNotesItem);

    choice.AskName = [] { return std::optional<QString>(QStringLiteral("Viola")); };
    emit form_->findChild<TSkinBtn*>(QStringLiteral("bSavePractice"))->clicked();
    EXPECT_EQ(form_->CurrentPractice(), QStringLiteral("Viola"));
    EXPECT_EQ(form_->cbLevel->count(), 13);
    const TPractice saved = choice.Choice();

    CloseForm();
    OpenShown();
    ASSERT_EQ(form_->cbLevel->count(), 13);
    EXPECT_EQ(form_->cbLevel->itemText(12), QStringLiteral("Viola"));
    EXPECT_EQ(form_->CurrentPractice(), QString());
    form_->cbLevel->setCurrentIndex(12);
    form_->cbLevelChange(form_->cbLevel);
    EXPECT_EQ(form_->CurrentPractice(), QStringLiteral("Viola"));
    EXPECT_EQ(form_->History().Recorder().Practice(), QStringLiteral("Viola")); // answers are kept under it
    EXPECT_EQ(form_->PracticeChoice().Choice(), saved);
    EXPECT_EQ(form_->SightReading().ExerciseChoice()->currentIndex(), TSightReading::kNotesItem);
    EXPECT_EQ(Core().Level(), 1);
    // Changed, the choice is no longer the practice saved.
    pick(form_->PracticeChoice().ClefChoice(), static_cast<int>(TStaffChoice::Tenor));
    EXPECT_EQ(form_->CurrentPractice(), QString());
    EXPECT_EQ(form_->History().Recorder().Practice(), QString());
    EXPECT_EQ(form_->cbLevel->currentIndex(), 0);
    EXPECT_TRUE(errors_.isEmpty()) << errors_.join('\n').toStdString();
}

// Every exercise of the list, lines of stacks too, comes back as itself from a practice's text.
TEST_F(MainWindowTest, EveryExerciseOfTheListIsKeptByAPractice)
{
    OpenShown();
    TPracticeChoice& choice = form_->PracticeChoice();
    TSkinComboBox* exercises = form_->SightReading().ExerciseChoice();
    for (int item = 1; item <= TSightReading::kNotesItem; ++item) {
        pick(exercises, item);
        const TPracticeRead read = PracticeFromText(PracticeText(choice.Choice()));
        ASSERT_TRUE(read.Practice) << read.Fault;
        pick(exercises, 0);
        choice.SetChoice(*read.Practice);
        EXPECT_EQ(exercises->currentIndex(), item);
    }
}

// The key list names the keys as the line's own key is named beside the level list, in the note names
// chosen, and follows a change of the naming without changing the key chosen.
TEST_F(MainWindowTest, KeyListNamesKeysInTheNoteNamesChosen)
{
    OpenShown();
    TSkinComboBox* keys = form_->PracticeChoice().KeyChoice();
    pick(keys, 1 + MusicKeyFromName("Eb"));
    const struct
    {
        int Naming; // the Options page's item: 1 English, 2 German, 3 fixed do
        const char* Key;
        const char* Shown;
    } kCases[] = {
        {1, "Cb", "C\u266D major"},   {1, "F# minor", "F\u266F minor"},
        {1, "C", "C major"},          {2, "Cb", "Ces major"},
        {2, "Bb", "B major"},         {2, "B", "H major"},
        {2, "F# minor", "Fis minor"}, {3, "Eb", "Mi\u266D major"},
        {3, "A minor", "La minor"},
    };
    for (const auto& c : kCases) {
        form_->OptionsPage().SetOption(lirasto::settings::TOption::NoteNames, c.Naming);
        const int key = MusicKeyFromName(c.Key);
        ASSERT_GE(key, 0) << c.Key;
        EXPECT_EQ(keys->itemText(1 + key), QString::fromUtf8(c.Shown)) << c.Naming << " " << c.Key;
        EXPECT_EQ(MusicKeyShown(key), QString::fromUtf8(c.Shown)) << c.Naming << " " << c.Key;
    }
    EXPECT_EQ(keys->count(), 1 + kMusicKeyCount + 1);
    EXPECT_EQ(keys->currentIndex(), 1 + MusicKeyFromName("Eb"));
    EXPECT_TRUE(errors_.isEmpty()) << errors_.join('\n').toStdString();
}

} // namespace
