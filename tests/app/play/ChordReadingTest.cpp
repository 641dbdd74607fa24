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
    openShown();
    TSightReading& reading = form->SightReading();
    const int item = TSightReading::kFirstChordItem + 1;
    reading.ExerciseChoice()->setCurrentIndex(item);
    emit reading.ExerciseChoice()->activated(item);
    ASSERT_EQ(reading.ExerciseChoice()->currentText(), QStringLiteral("Triads"));
    ASSERT_EQ(core().Exercise().Kind(), TExerciseKind::Chords);
    EXPECT_FALSE(reading.TempoChoice()->isVisible());
    form->bStartClick(form->bStart);
    tick();
    const auto& chords = dynamic_cast<const TChordExercise&>(core().Exercise());
    const std::vector<int> notes = chords.Chord().Notes();
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(form->Staff().LineLength(), 3);
    EXPECT_EQ(caption(form->lQuestion), QStringLiteral("Play the chord! "));
    TChordReading& shown = form->ChordReading();

    const int wrong = (notes[2] + 1) % 12;
    answer(notes[0] % 12);
    answer(notes[1] % 12);
    answer(wrong);
    EXPECT_EQ(caption(form->lAnswer), QStringLiteral("WRONG!"));
    EXPECT_EQ(shown.NameShown(), TChordReading::ChordName(chords.Chord()));
    ASSERT_EQ(shown.WrongShown().size(), 1u);
    EXPECT_EQ(shown.WrongShown()[0] % 12, wrong);
    ASSERT_EQ(form->Staff().LineLength(), 4);
    EXPECT_EQ(form->Staff().NoteMark(3), TNoteMark::Wrong);

    for (int note : notes)
        answer(note % 12);
    EXPECT_EQ(caption(form->lAnswer), QStringLiteral("RIGHT!"));
    EXPECT_TRUE(shown.WrongShown().empty());
    ASSERT_EQ(form->Staff().LineLength(), 3);
    EXPECT_EQ(form->Staff().NoteMark(0), TNoteMark::Right);
    EXPECT_EQ(core().Score(), 5);

    form->bResetClick(form->bReset);
    EXPECT_EQ(form->Staff().LineLength(), 0);
    EXPECT_EQ(shown.NameShown(), QString());
}

} // namespace

namespace {

// Wrong keys far from the stack (the lowest of a MIDI keyboard, octave-exact) are drawn near it,
// on the staff: never beyond the ledger lines it can draw.
TEST_F(MainWindowTest, WrongKeysFarAwayAreDrawnNearTheStack)
{
    openShown();
    form->SightReading().ChooseChords({TChordFamily::Triads, 0, true, TStaffChoice::Treble});
    core().SetOctaveExact(true);
    form->bStartClick(form->bStart);
    RandSeed = 3;
    for (int chord = 0; chord < 12; ++chord) {
        tick();
        const std::vector<int> notes = dynamic_cast<const TChordExercise&>(core().Exercise()).Chord().Notes();
        for (int note : {21, 22, 23})
            core().KeyDown(note, TInputSource::Midi);
        for (int note : {21, 22, 23})
            core().KeyUp(note, TInputSource::Midi);
        ASSERT_EQ(caption(form->lAnswer), QStringLiteral("WRONG!"));
        for (int shown : form->ChordReading().WrongShown()) {
            EXPECT_GE(shown, notes.front() - 6);
            EXPECT_LE(shown, notes.back() + 6);
        }
        for (int note : notes)
            core().KeyDown(note, TInputSource::Midi);
        for (int note : notes)
            core().KeyUp(note, TInputSource::Midi);
        ASSERT_EQ(caption(form->lAnswer), QStringLiteral("RIGHT!"));
    }
}

} // namespace
