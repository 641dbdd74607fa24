#include "tests/app/window/MainWindowFixture.h"

#include "app/play/ChordReading.h"
#include "app/play/PianoHighlight.h"
#include "app/play/SightReading.h"
#include "controls/SkinCtrls.h"
#include "game/MusicKeys.h"
#include "game/StaffLayout.h"
#include "game/StaffView.h"
#include "game/uFunctions.h"
#include "graphics/Image32.h"
#include "graphics/Layers.h"

using namespace lirasto::test;

namespace {

// A line played at one's own pace through the window: chosen from the game page's list,
// drawn whole, the due note pointed at, each played note marked where it stands, a wrong
// key leaving its note waiting, the summary and a fresh page when the line is done.
TEST_F(MainWindowTest, SightReadingLinePlayedAtOnesPace)
{
    OpenShown();
    TSightReading& reading = form_->SightReading();
    reading.ExerciseChoice()->setCurrentIndex(1); // as the player picks "Sight-reading"
    emit reading.ExerciseChoice()->activated(1);
    ASSERT_EQ(reading.ExerciseChoice()->currentText(), QStringLiteral("Sight-reading"));
    ASSERT_TRUE(reading.TempoChoice()->isVisible());
    ASSERT_EQ(Core().Exercise().Kind(), TExerciseKind::Line);
    // A line has no time limit and no goal, so none is shown.
    EXPECT_EQ(std::pair(Caption(form_->lCountDown), Caption(form_->lGoal)),
              std::pair(QString("\u2013"), QString("\u2013")));
    form_->bStartClick(form_->bStart);
    EXPECT_FALSE(reading.ExerciseChoice()->isEnabled());
    Tick();
    const TQuestion line = Core().Question();
    ASSERT_EQ(line.Notes.size(), 8u);
    // Two key signatures, the cursor, and per note its head with any accidental and ledger lines.
    EXPECT_GE(form_->ImgClefs->Layers()->Count(), 2 + 1 + 8);
    EXPECT_NEAR(reading.CursorLeft(), TSightReading::LineNoteLeft(0, 8), 0.01);

    Answer(line.Notes[0].Note % 12);
    Answer((line.Notes[1].Note + 1) % 12); // wrong: the note waits
    EXPECT_EQ(reading.MarkAt(0), kRightMarkPicture);
    EXPECT_EQ(reading.MarkAt(1), kWrongMarkPicture);
    EXPECT_NEAR(reading.CursorLeft(), TSightReading::LineNoteLeft(1, 8), 0.01);
    for (int place = 1; place < 7; ++place)
        Answer(line.Notes[place].Note % 12);
    EXPECT_EQ(reading.MarkAt(1), kRightMarkPicture);
    EXPECT_NEAR(reading.CursorLeft(), TSightReading::LineNoteLeft(7, 8), 0.01);
    EXPECT_EQ(Caption(form_->lProgress), QString());
    Answer(line.Notes[7].Note % 12);
    Tick();
    EXPECT_EQ(reading.MarkAt(7), kRightMarkPicture) << "seen for half a second before the page turns";
    const auto later = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    Core().SetClock([later] { return later; });
    Tick();

    EXPECT_TRUE(Caption(form_->lProgress).startsWith(QStringLiteral("Right at the first try: 7 of 8 \u00B7 misses: 1")))
        << Caption(form_->lProgress).toStdString();
    EXPECT_EQ(Core().QuestionsPosed(), 2); // the page turned
    EXPECT_EQ(reading.MarkAt(0), -1);
    EXPECT_NEAR(reading.CursorLeft(), TSightReading::LineNoteLeft(0, 8), 0.01);

    form_->bResetClick(form_->bReset);
    EXPECT_EQ(form_->ImgClefs->Layers()->Count(), 2);
    EXPECT_TRUE(reading.ExerciseChoice()->isEnabled());
    reading.ExerciseChoice()->setCurrentIndex(0);
    emit reading.ExerciseChoice()->activated(0);
    EXPECT_EQ(Core().Exercise().Kind(), TExerciseKind::Levels);
    EXPECT_EQ(std::pair(Caption(form_->lCountDown), Caption(form_->lGoal)),
              std::pair(QString("150 SEC."), QString("300")));
    EXPECT_TRUE(errors_.isEmpty()) << errors_.join('\n').toStdString();
}

// A line of triads through the window: the list's item after the single stacks, seven stacks
// drawn with one pointer, a stack answered by its keys held together and marked as one, a wrong
// key leaving it waiting.
TEST_F(MainWindowTest, LineOfTriadsPlayedAtOnesPace)
{
    OpenShown();
    TSightReading& reading = form_->SightReading();
    const int item = TSightReading::kFirstChordLineItem + 1;
    reading.ExerciseChoice()->setCurrentIndex(item);
    emit reading.ExerciseChoice()->activated(item);
    EXPECT_EQ(reading.ExerciseChoice()->currentText(), QStringLiteral("Sight-reading: Triads"));
    EXPECT_TRUE(reading.TempoChoice()->isVisible());
    form_->bStartClick(form_->bStart);
    Tick();
    const TQuestion line = Core().Question();
    ASSERT_EQ(line.Notes.size(), 3u * TLineSettings::kMostStacks);
    const auto play = [this, &line](int place, int off) {
        for (int tone = 0; tone < 3; ++tone)
            Core().KeyDown(line.Notes[std::size_t(place * 3 + tone)].Note + (tone == 2 ? off : 0), TInputSource::Midi);
        for (int tone = 0; tone < 3; ++tone)
            Core().KeyUp(line.Notes[std::size_t(place * 3 + tone)].Note + (tone == 2 ? off : 0), TInputSource::Midi);
    };
    play(0, 0);
    play(1, 1);
    EXPECT_EQ(std::tuple(reading.MarkAt(0), reading.MarkAt(1), reading.MarkAt(2)),
              std::tuple(kRightMarkPicture, kWrongMarkPicture, -1));
    EXPECT_EQ(std::tuple(form_->Staff().NoteMark(2), form_->Staff().NoteMark(5)),
              std::tuple(TNoteMark::Right, TNoteMark::Wrong));
    EXPECT_NEAR(reading.CursorLeft(), TSightReading::LineNoteLeft(1, TLineSettings::kMostStacks), 0.01);
    play(1, 0);
    EXPECT_EQ(reading.MarkAt(1), kRightMarkPicture);
    // The stack just judged is named beside the verdict, as a single stack is.
    const auto& stacks = dynamic_cast<const TLineExercise&>(Core().Exercise()).Stacks();
    EXPECT_EQ(form_->ChordReading().NameShown(), TChordReading::ChordName(stacks.at(1)));
    EXPECT_NE(TChordReading::ChordName(stacks.at(1)), QString());
    EXPECT_EQ(form_->Staff().PlaceMark(2), TNoteMark::Due);
    EXPECT_TRUE(errors_.isEmpty()) << errors_.join('\n').toStdString();
}

// A line on the alto clef in C flat major over C3..G4: the staff shows the alto clef, and the piano
// dims the keys below C3 and above G4, and only those; single notes take the dimming away.
TEST_F(MainWindowTest, SightReadingLineOnTheAltoClefShowsItsStaffAloneAndDimsThePianoOutsideItsRange)
{
    OpenShown();
    TSightReading& reading = form_->SightReading();
    TLineSettings settings;
    settings.Staff = TStaffChoice::Alto;
    settings.MusicKey = MusicKeyFromName("Cb");
    settings.ClefLowest = 48;
    settings.ClefHighest = 67;
    reading.Choose(settings);
    form_->bStartClick(form_->bStart);
    Tick();
    EXPECT_EQ(form_->Staff().UpperClef(), kAltoClef);
    // The line's own key stands where the level list was.
    EXPECT_TRUE(form_->cbLevel->isHidden());
    EXPECT_EQ(form_->SkinLabel12->Caption(), QString::fromUtf8("Key: C\u266D major"));
    for (const TWrittenNote& n : Core().Question().Notes)
        EXPECT_TRUE(n.Clef == kAltoClef && n.Note >= 48 && n.Note <= 67) << n.Note;
    const auto grey = [this](int x) {
        form_->imgPiano->ForceCompose();
        return qGray(form_->imgPiano->Buffer()->Pixel(x, 60));
    };
    ASSERT_TRUE(form_->PianoHighlight().RangeShown());
    // White keys' faces: B2 below the range, C3 and G4 in it, A4 above it.
    const int b2 = 6 * 20 + 10, c3 = 7 * 20 + 10, g4 = 18 * 20 + 10, a4 = 19 * 20 + 10;
    const int dimB2 = grey(b2), dimC3 = grey(c3), dimG4 = grey(g4), dimA4 = grey(a4);
    // The bass staff's top line, at a column no note of the line takes.
    const auto bassLine = [this] {
        TImage32& view = form_->Staff().ImgClefs();
        view.ForceCompose();
        return qGray(view.Buffer()->Pixel(TStaffView::PlaceLeft(0, 8) - 20, lirasto::staff::kBassTopLine));
    };
    const int bassLineInAlto = bassLine();
    form_->bResetClick(form_->bReset);
    reading.Choose(std::nullopt);
    form_->bStartClick(form_->bStart);
    Tick();
    EXPECT_FALSE(form_->PianoHighlight().RangeShown());
    EXPECT_FALSE(form_->cbLevel->isHidden());
    EXPECT_EQ(form_->SkinLabel12->Caption(), "<-- SELECT YOUR LEVEL HERE");
    EXPECT_LT(dimB2, grey(b2) - 60);
    EXPECT_LT(dimA4, grey(a4) - 60);
    EXPECT_EQ(dimC3, grey(c3));
    EXPECT_EQ(dimG4, grey(g4));
    EXPECT_GT(bassLineInAlto, 200);
    EXPECT_LT(bassLine(), 100);
}

} // namespace
