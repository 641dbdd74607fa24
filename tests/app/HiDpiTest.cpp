// The window on a screen scaled by 2 (QT_SCALE_FACTOR=2, set by the test's registration): the
// views compose at device resolution from the pictures at twice the resolution, while every
// coordinate the game and the mouse use stays logical.
#include "tests/app/MainWindowFixture.h"

#include "app/PianoHighlight.h"
#include "game/uFunctions.h"

#include <QMouseEvent>
#include <QPixmap>

using lirasto::test::MainWindowTest;

namespace {

class HiDpiWindow : public MainWindowTest
{
protected:
    static QRgb at(TImage32* view, int x, int y) { return view->Buffer()->Pixel(x, y) | 0xFF000000u; }
    static bool dark(QRgb p) { return qGray(p) < 60; }
};

// Each staff line of the picture is two device rows at twice its row, with white just off it.
TEST_F(HiDpiWindow, ComposesTheStaffAtTwiceWithLinesTwoDevicePixelsThick)
{
    openShown();
    TImage32* staff = form->ImgClefs;
    staff->ForceCompose();
    ASSERT_EQ(staff->BufferScale(), 2);
    ASSERT_GE(staff->Buffer()->Width(), 2 * staff->width());
    for (int row : {80, 90, 100, 110, 120, 180, 190, 200, 210, 220}) {
        EXPECT_TRUE(dark(at(staff, 600, 2 * row)) && dark(at(staff, 600, 2 * row + 1))) << row;
        EXPECT_FALSE(dark(at(staff, 600, 2 * row - 1)) || dark(at(staff, 600, 2 * row + 2))) << row;
    }
    // Qt shows the buffer pixel for pixel: the widget's own rendering holds the same rows.
    const QImage shown = staff->grab().toImage();
    ASSERT_EQ(shown.devicePixelRatio(), 2.0);
    for (int y = 155; y < 245; ++y)
        ASSERT_EQ(shown.pixel(600, y) | 0xFF000000u, at(staff, 600, y)) << y;
    EXPECT_EQ(form->SkinImages->itemDetail(0)->size(), QSize(1600, 752));
}

// A notehead drawn from its picture at twice the resolution has smoothly shaded edges: its
// 2 x 2 device blocks differ within, where a plain picture blown up would repeat each pixel.
TEST_F(HiDpiWindow, DrawsTheNoteheadWithAntiAliasedEdgesNotBlocks)
{
    openShown();
    form->bStartClick(form->bStart);
    tick();
    TImage32* staff = form->ImgClefs;
    staff->ForceCompose();
    TBitmapLayer* note = TrebleSlots[1].Note ? TrebleSlots[1].NoteLayer : BassSlots[1].NoteLayer;
    ASSERT_NE(note, nullptr);
    const TRect box = ScaleRect(RoundLocation(note->Location()), 2);
    int uneven = 0, navyEdge = 0;
    for (int y = box.Top; y < box.Bottom; y += 2)
        for (int x = box.Left; x < box.Right; x += 2) {
            const QRgb p = at(staff, x, y);
            uneven += p != at(staff, x + 1, y) || p != at(staff, x, y + 1) || p != at(staff, x + 1, y + 1);
            navyEdge += qBlue(p) > qRed(p) + 20 && qGray(p) > 80 && qGray(p) < 220;
        }
    EXPECT_GT(uneven, 20);
    EXPECT_GT(navyEdge, 3);
}

// A click at a logical point lights the key under it, and only the key's rectangle, mapped to
// device pixels, is composed again.
TEST_F(HiDpiWindow, MapsClicksInLogicalPixelsAndRecomposesOnlyTheKeysDeviceRectangle)
{
    openShown();
    form->bStartClick(form->bStart);
    tick();
    TImage32* piano = form->imgPiano;
    piano->ForceCompose();
    const TBitmap32& buffer = *piano->Buffer();
    const std::vector<TColor32> before(buffer.Bits(), buffer.Bits() + std::size_t(buffer.Width()) * buffer.Height());
    const long long compositions = piano->CompositionCount();
    const QPointF at(columnOf(4, 1) + 0.5, 55.5); // E in the second octave, low on its face
    QMouseEvent down(QEvent::MouseButtonPress, at, piano->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(piano, &down);
    ASSERT_EQ(form->PianoHighlight().KeyHighlightLayers().size(), 1u);
    TBitmapLayer* layer = form->PianoHighlight().KeyHighlightLayers()[0].Layer;
    const TRect logical = RoundLocation(layer->Location());
    EXPECT_EQ(piano->PendingRegion(), QRegion(logical.Left, logical.Top, 20, 70));
    const TRect key = ScaleRect(logical, 2);
    piano->ForceCompose();
    EXPECT_EQ(piano->CompositionCount(), compositions + 1);
    int changedInside = 0;
    for (int y = 0; y < buffer.Height(); ++y)
        for (int x = 0; x < buffer.Width(); ++x) {
            const bool inside = x >= key.Left && x < key.Right && y >= key.Top && y < key.Bottom;
            const bool changed = buffer.Pixel(x, y) != before[std::size_t(y) * buffer.Width() + x];
            ASSERT_TRUE(inside || !changed) << x << "," << y;
            changedInside += changed;
        }
    EXPECT_GT(changedInside, 1000);
}

// Key names go on the finer keyboard too, at twice the size, and come off with the plain ones.
TEST_F(HiDpiWindow, PaintsKeyNamesOnTheFinerKeyboardAndTakesThemOff)
{
    openShown();
    TBitmap32* keyboard = form->imgPiano->Bitmap();
    const auto plain = keyboard->Detail();
    ASSERT_NE(keyboard->DetailPicture(), nullptr);
    form->PianoHighlight().SetKeyNames(true);
    const TBitmap32* named = keyboard->DetailPicture();
    ASSERT_NE(named, nullptr);
    int differ = 0;
    for (int y = 2 * 54; y < 2 * 66; ++y)
        for (int x = 0; x < 2 * 40; ++x)
            differ += named->Pixel(x, y) != plain->Picture()->Pixel(x, y);
    EXPECT_GT(differ, 40); // C and D at the foot of the first two keys
    form->PianoHighlight().SetKeyNames(false);
    EXPECT_EQ(keyboard->Detail(), plain);
}

} // namespace
