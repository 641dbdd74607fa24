#include "tests/app/window/MainWindowFixture.h"

#include "graphics/Bitmap32.h"

#include <QMouseEvent>

using namespace lirasto::test;

namespace {

class PianoInput : public MainWindowTest
{
protected:
    // A known treble note instead of the random draw.
    struct KnownQuestion : TQuestionChooser
    {
        int note = 60;
        TChoice Choose(int, int, int) override { return {1, note}; }
    } known;

    void startWithQuestion(int note)
    {
        known.note = note;
        OpenShown();
        Core().SetChooser(&known);
        form_->bStartClick(form_->bStart);
        Tick();
    }

    // Sends a real mouse event to the keyboard view, as the window system would.
    void mouse(QEvent::Type type, int x, int y, Qt::MouseButton button)
    {
        const QPointF local(x, y);
        const QPointF global = form_->imgPiano->mapToGlobal(local);
        Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, local, global, button, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(form_->imgPiano, &event);
    }

    TCustomLayer* highlight() { return form_->imgPiano->Layers()->Items(0); }
    float highlightLeft() { return static_cast<TPositionedLayer*>(highlight())->Location().Left; }
};

// A press lays the key's highlight at its left edge; the release removes it and judges.
TEST_F(PianoInput, PressHighlightsReleaseJudges)
{
    startWithQuestion(61); // C sharp
    mouse(QEvent::MouseButtonPress, 291, 10, Qt::LeftButton);
    ASSERT_EQ(form_->imgPiano->Layers()->Count(), 1);
    EXPECT_EQ(highlightLeft(), 291.0f);
    auto* layer = static_cast<TBitmapLayer*>(highlight());
    EXPECT_EQ(layer->Bitmap()->Width(), 12);
    EXPECT_EQ(layer->Bitmap()->Height(), 39);
    EXPECT_EQ(layer->Bitmap()->DrawMode(), dmBlend);
    EXPECT_EQ(Core().HeldKeyCount(), 1);
    EXPECT_EQ(Core().PressedKeys(), 1 << 1);
    mouse(QEvent::MouseButtonRelease, 291, 10, Qt::LeftButton);
    EXPECT_EQ(form_->imgPiano->Layers()->Count(), 0);
    EXPECT_EQ(Caption(form_->lAnswer), QStringLiteral("RIGHT!"));
    EXPECT_EQ(Core().HeldKeyCount(), 0);
    EXPECT_EQ(Core().PressedKeys(), 0);
}

struct KeyRow
{
    int x, y, left, width, height;
};

void PrintTo(const KeyRow& r, std::ostream* os)
{
    *os << "(" << r.x << ", " << r.y << ") -> left " << r.left << " size " << r.width << "x" << r.height;
}

// The highlights of the edge cases lie where the keys are, with their own pictures.
class HighlightPlacement : public PianoInput, public testing::WithParamInterface<KeyRow>
{};

TEST_P(HighlightPlacement, LiesOnTheKey)
{
    const KeyRow& row = GetParam();
    startWithQuestion(60);
    Press(row.x, row.y);
    ASSERT_EQ(form_->imgPiano->Layers()->Count(), 1);
    auto* layer = static_cast<TBitmapLayer*>(highlight());
    const TFloatRect location = layer->Location();
    EXPECT_EQ(location.Left, row.left);
    EXPECT_EQ(location.Top, 0);
    EXPECT_EQ(location.Right, row.left + row.width);
    EXPECT_EQ(location.Bottom, row.height);
    Release(row.x, row.y);
}

INSTANTIATE_TEST_SUITE_P(EdgeCases, HighlightPlacement,
                         testing::Values(KeyRow{150, 60, 140, 20, 71}, KeyRow{161, 60, 161, 20, 71},
                                         KeyRow{291, 0, 291, 12, 39}, KeyRow{50, 50, 41, 20, 70},
                                         KeyRow{130, 70, 121, 20, 70}, KeyRow{0, 0, 0, 20, 71}));

// Every octave answers alike: each of the four A keys is right for an A.
TEST_F(PianoInput, EveryOctaveAnswersAlike)
{
    for (int octave = 0; octave < 4; ++octave) {
        startWithQuestion(69);
        int x = ColumnOf(9, octave);
        Press(x, 60);
        Release(x, 60);
        EXPECT_EQ(Caption(form_->lAnswer), QStringLiteral("RIGHT!")) << "octave " << octave;
        form_.reset();
    }
}

// The right, middle and left mouse buttons all answer.
TEST_F(PianoInput, EveryMouseButtonAnswers)
{
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        startWithQuestion(64);
        int x = ColumnOf(4);
        mouse(QEvent::MouseButtonPress, x, 60, button);
        EXPECT_EQ(form_->imgPiano->Layers()->Count(), 1);
        mouse(QEvent::MouseButtonRelease, x, 60, button);
        EXPECT_EQ(Caption(form_->lAnswer), QStringLiteral("RIGHT!"));
        form_.reset();
    }
}

// While no level runs the piano takes no input at all.
TEST_F(PianoInput, NoInputWhileIdle)
{
    OpenShown();
    mouse(QEvent::MouseButtonPress, 100, 60, Qt::LeftButton);
    EXPECT_EQ(form_->imgPiano->Layers()->Count(), 0);
    EXPECT_EQ(Core().HeldKeyCount(), 0);
    EXPECT_EQ(Core().PressedKeys(), 0);
    mouse(QEvent::MouseButtonRelease, 100, 60, Qt::LeftButton);
    EXPECT_EQ(Caption(form_->lAnswer), QStringLiteral("-"));
}

// A release outside the keyboard still completes the answer pressed on it.
TEST_F(PianoInput, ReleaseOutsideTheKeyboardCompletesTheAnswer)
{
    startWithQuestion(62);
    int x = ColumnOf(2);
    mouse(QEvent::MouseButtonPress, x, 60, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, -30, 200, Qt::LeftButton);
    EXPECT_EQ(form_->imgPiano->Layers()->Count(), 0);
    EXPECT_EQ(Caption(form_->lAnswer), QStringLiteral("RIGHT!"));
}

// A key held while the run ends loses its highlight at the release, and counts in no later run.
TEST_F(PianoInput, KeyHeldWhileTheRunEndsLeavesNothingBehind)
{
    startWithQuestion(60);
    Press(ColumnOf(0), 60);
    while (form_->Timer->Enabled())
        Tick();
    EXPECT_EQ(form_->imgPiano->Layers()->Count(), 1);
    Release(ColumnOf(0), 60);
    EXPECT_EQ(form_->imgPiano->Layers()->Count(), 0);
    EXPECT_EQ(Core().HeldKeyCount(), 0);
    EXPECT_EQ(Core().PressedKeys(), 0);

    // Held through the end and still held at the next Start: the new run starts clean.
    form_->bStartClick(form_->bStart);
    Tick();
    Press(ColumnOf(0), 60);
    while (form_->Timer->Enabled())
        Tick();
    form_->bStartClick(form_->bStart);
    EXPECT_EQ(form_->imgPiano->Layers()->Count(), 0);
    EXPECT_EQ(Core().HeldKeyCount(), 0);
    EXPECT_EQ(Core().PressedKeys(), 0);
}

// A second button pressed before the release: the release removes both highlights.
TEST_F(PianoInput, SecondPressBeforeTheReleaseLeavesNoHighlight)
{
    startWithQuestion(60);
    Press(ColumnOf(0), 60, Qt::LeftButton);
    Press(ColumnOf(2), 60, Qt::RightButton);
    EXPECT_EQ(form_->imgPiano->Layers()->Count(), 2);
    Press(ColumnOf(4), 60, Qt::MiddleButton); // a third is not taken
    EXPECT_EQ(form_->imgPiano->Layers()->Count(), 2);
    Release(ColumnOf(0), 60);
    EXPECT_EQ(form_->imgPiano->Layers()->Count(), 0);
    EXPECT_EQ(Caption(form_->lAnswer), QStringLiteral("WRONG!")); // C and D together are not C
    Release(ColumnOf(2), 60, Qt::RightButton);
    EXPECT_EQ(Caption(form_->lAnswer), QStringLiteral("WRONG!"));
    EXPECT_EQ(Core().HeldKeyCount(), 0);
}

// The hit test agrees with the keyboard picture itself, column by column: in the upper
// band a black key's pitch class exactly where the picture shows a black key.
TEST_F(PianoInput, HitTestFollowsTheKeyboardPicture)
{
    OpenShown();
    TBitmap32* keyboard = form_->imgPiano->Bitmap();
    ASSERT_EQ(keyboard->Width(), 561);
    ASSERT_EQ(keyboard->Height(), 71);
    auto dark = [&](int x, int y) {
        TColor32 c = keyboard->PixelS(x, y);
        int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
        return r + g + b < 3 * 128;
    };
    const bool blackPitch[12] = {false, true, false, true, false, false, true, false, true, false, true, false};
    for (int x = 0; x < 560; ++x) {
        // Row 20 lies inside the black keys; row 55 only on white faces and their separators.
        auto upper = PianoKeyAt(x, 20);
        ASSERT_TRUE(upper);
        const bool onBlackKey = dark(x, 20) && dark(x, 30) && !dark(x, 55);
        const bool separator = dark(x, 55);
        if (!separator) {
            EXPECT_EQ(blackPitch[upper->PitchClass], onBlackKey) << "column " << x;
        }
        auto lower = PianoKeyAt(x, 55);
        ASSERT_TRUE(lower);
        EXPECT_FALSE(blackPitch[lower->PitchClass]);
        if (!separator) {
            // A white face belongs to the lower-band key whose 20-pixel slot holds it.
            const int whiteKey = x / 20;
            const int pcOfWhite[7] = {0, 2, 4, 5, 7, 9, 11};
            EXPECT_EQ(lower->PitchClass, pcOfWhite[whiteKey % 7]) << "column " << x;
        }
    }
}

} // namespace
