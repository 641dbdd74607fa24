#include "tests/app/window/MainWindowFixture.h"

#include "app/play/ChordReading.h"
#include "app/play/SightReading.h"
#include "controls/SkinCtrls.h"
#include "game/StaffView.h"

using namespace lirasto::test;

namespace {

// A stack's name: the root by its letter and sign, the type, and the inversion when not in root
// position; an interval has no root.
TEST(ChordName, NamesRootTypeAndInversion)
{
    EXPECT_EQ(TChordReading::ChordName(*BuildChord(*ChordTypeNamed("%1 minor"), 62, 62, 1)),
              QStringLiteral("D minor, first inversion"));
    EXPECT_EQ(TChordReading::ChordName(*BuildChord(*ChordTypeNamed("%1 dominant seventh"), 70, 71, 0)),
              QStringLiteral("B\u266D dominant seventh"));
    EXPECT_EQ(TChordReading::ChordName(*BuildChord(*ChordTypeNamed("major sixth"), 60, 60, 0)),
              QStringLiteral("major sixth"));
}

// Triads chosen from the game page's list and answered with the drawn piano, one key after
// another: a wrong answer shows the chord's name beside the verdict and the wrong key drawn in
// red beside the stack; the right one marks the stack right.
TEST_F(MainWindowTest, TriadsAnsweredWithTheMouse)
{
    OpenShown();
    TSightReading& reading = form_->SightReading();
    const int item = TSightReading::kFirstChordItem + 1;
    reading.ExerciseChoice()->setCurrentIndex(item);
    emit reading.ExerciseChoice()->activated(item);
    ASSERT_EQ(reading.ExerciseChoice()->currentText(), QStringLiteral("Triads"));
    ASSERT_EQ(Core().Exercise().Kind(), TExerciseKind::Chords);
    EXPECT_FALSE(reading.TempoChoice()->isVisible());
    form_->bStartClick(form_->bStart);
    Tick();
    const auto& chords = dynamic_cast<const TChordExercise&>(Core().Exercise());
    const std::vector<int> notes = chords.Chord().Notes();
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(form_->Staff().LineLength(), 3);
    EXPECT_EQ(Caption(form_->lQuestion), QStringLiteral("Play the chord! "));
    TChordReading& shown = form_->ChordReading();

    const int wrong = (notes[2] + 1) % 12;
    Answer(notes[0] % 12);
    Answer(notes[1] % 12);
    Answer(wrong);
    EXPECT_EQ(Caption(form_->lAnswer), QStringLiteral("WRONG!"));
    EXPECT_EQ(shown.NameShown(), TChordReading::ChordName(chords.Chord()));
    ASSERT_EQ(shown.WrongShown().size(), 1u);
    EXPECT_EQ(shown.WrongShown()[0] % 12, wrong);
    ASSERT_EQ(form_->Staff().LineLength(), 4);
    EXPECT_EQ(form_->Staff().NoteMark(3), TNoteMark::Wrong);

    for (int note : notes)
        Answer(note % 12);
    EXPECT_EQ(Caption(form_->lAnswer), QStringLiteral("RIGHT!"));
    EXPECT_TRUE(shown.WrongShown().empty());
    ASSERT_EQ(form_->Staff().LineLength(), 3);
    EXPECT_EQ(form_->Staff().NoteMark(0), TNoteMark::Right);
    EXPECT_EQ(Core().Score(), 5);

    form_->bResetClick(form_->bReset);
    EXPECT_EQ(form_->Staff().LineLength(), 0);
    EXPECT_EQ(shown.NameShown(), QString());
}

} // namespace

namespace {

// Wrong keys far from the stack (the lowest of a MIDI keyboard, octave-exact) are drawn near it,
// on the staff: never beyond the ledger lines it can draw.
TEST_F(MainWindowTest, WrongKeysFarAwayAreDrawnNearTheStack)
{
    OpenShown();
    form_->SightReading().ChooseChords({TChordFamily::Triads, 0, true, TStaffChoice::Treble});
    Core().SetOctaveExact(true);
    form_->bStartClick(form_->bStart);
    RandSeed = 3;
    for (int chord = 0; chord < 12; ++chord) {
        Tick();
        const std::vector<int> notes = dynamic_cast<const TChordExercise&>(Core().Exercise()).Chord().Notes();
        for (int note : {21, 22, 23})
            Core().KeyDown(note, TInputSource::Midi);
        for (int note : {21, 22, 23})
            Core().KeyUp(note, TInputSource::Midi);
        ASSERT_EQ(Caption(form_->lAnswer), QStringLiteral("WRONG!"));
        for (int shown : form_->ChordReading().WrongShown()) {
            EXPECT_GE(shown, notes.front() - 6);
            EXPECT_LE(shown, notes.back() + 6);
        }
        for (int note : notes)
            Core().KeyDown(note, TInputSource::Midi);
        for (int note : notes)
            Core().KeyUp(note, TInputSource::Midi);
        ASSERT_EQ(Caption(form_->lAnswer), QStringLiteral("RIGHT!"));
    }
}

} // namespace
