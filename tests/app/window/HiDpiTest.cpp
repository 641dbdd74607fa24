// The window on a screen scaled by 2 (QT_SCALE_FACTOR=2 from the test's registration): the
// views compose at device resolution from the pictures at twice the resolution, while every
// coordinate the game and the mouse use stays logical.
#include "tests/app/window/MainWindowFixture.h"

#include "app/hookups/HistoryHookup.h"
#include "app/play/PianoHighlight.h"
#include "app/progress/ProgressPage.h"
#include "app/progress/ProgressStaff.h"
#include "game/uFunctions.h"
#include "tests/support/PaintRecorder.h"

#include <QBackingStore>
#include <QMouseEvent>

namespace {

class HiDpiWindow : public lirasto::test::MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        OpenShown();
        form_->bStartClick(form_->bStart);
        Tick();
    }
    static QRgb At(TImage32* view, int x, int y) { return view->Buffer()->Pixel(x, y) | 0xFF000000u; }
};

// Staff lines are two device rows at twice their row, shown by Qt pixel for pixel; the notehead's
// 2 x 2 device blocks differ within, where a plain picture blown up would repeat each pixel.
TEST_F(HiDpiWindow, ComposesTheStaffFromTheFinerPicturesAndShowsItUnscaled)
{
    TImage32* staff = form_->ImgClefs;
    staff->ForceCompose();
    ASSERT_EQ(staff->BufferScale(), 2);
    auto dark = [&](int y) { return qGray(At(staff, 600, y)) < 60; };
    for (int row : {80, 120, 180, 220})
        EXPECT_TRUE(dark(2 * row) && dark(2 * row + 1) && !dark(2 * row - 1) && !dark(2 * row + 2)) << row;
    const QImage shown = staff->grab().toImage();
    for (int y = 155; y < 245; ++y)
        ASSERT_EQ(shown.pixel(600, y) | 0xFF000000u, At(staff, 600, y)) << y;

    const TStaffView& drawn = form_->Staff();
    TBitmapLayer* note = drawn.TrebleSlots[1].Note ? drawn.TrebleSlots[1].NoteLayer : drawn.BassSlots[1].NoteLayer;
    ASSERT_NE(note, nullptr);
    const TRect box = ScaleRect(RoundLocation(note->Location()), 2);
    int uneven = 0;
    for (int y = box.Top; y < box.Bottom; y += 2)
        for (int x = box.Left; x < box.Right; x += 2)
            uneven += At(staff, x, y) != At(staff, x + 1, y) || At(staff, x, y) != At(staff, x, y + 1);
    EXPECT_GT(uneven, 20);
    EXPECT_EQ(form_->SkinImages->ItemDetail(0)->size(), QSize(1600, 752));
}

// A click at a logical point lights the key under it; only the key's rectangle, in device pixels,
// is composed again. Key names go on the finer keyboard too, and come off with the plain ones.
TEST_F(HiDpiWindow, MapsClicksInLogicalPixelsAndRecomposesOnlyTheKeysDeviceRectangle)
{
    TImage32* piano = form_->imgPiano;
    piano->ForceCompose();
    const TBitmap32& buffer = *piano->Buffer();
    const std::vector<TColor32> before(buffer.Bits(), buffer.Bits() + std::size_t(buffer.Width()) * buffer.Height());
    const QPointF point(ColumnOf(4, 1) + 0.5, 55.5); // E in the second octave
    QMouseEvent down(QEvent::MouseButtonPress, point, piano->mapToGlobal(point), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    lirasto::test::TPaintRecorder recorder(piano);
    QCoreApplication::sendEvent(piano, &down);
    ASSERT_EQ(form_->PianoHighlight().KeyHighlightLayers().size(), 1u);
    const TRect logical = RoundLocation(form_->PianoHighlight().KeyHighlightLayers()[0].Layer->Location());
    // On screen before the press returns, ahead of the sound and the history; the key alone.
    EXPECT_EQ(recorder.painted_, QRegion(logical.Left, logical.Top, 20, 70));
    piano->ForceCompose();
    const TRect key = ScaleRect(logical, 2);
    int changedInside = 0;
    for (int y = 0; y < buffer.Height(); ++y)
        for (int x = 0; x < buffer.Width(); ++x) {
            const bool inside = x >= key.Left && x < key.Right && y >= key.Top && y < key.Bottom;
            const bool changed = buffer.Pixel(x, y) != before[std::size_t(y) * buffer.Width() + x];
            ASSERT_TRUE(inside || !changed) << x << "," << y;
            changedInside += changed;
        }
    EXPECT_GT(changedInside, 1000);

    TBitmap32* keyboard = piano->Bitmap();
    const auto plain = keyboard->Detail();
    form_->PianoHighlight().SetKeyNames(true);
    ASSERT_NE(keyboard->DetailPicture(), nullptr);
    int named = 0; // the C at the foot of the first key, in device pixels
    for (int y = 108; y < 136; ++y)
        for (int x = 0; x < 40; ++x)
            named += keyboard->DetailPicture()->Pixel(x, y) != plain->Picture()->Pixel(x, y);
    EXPECT_GT(named, 20);
    form_->PianoHighlight().SetKeyNames(false);
    EXPECT_EQ(keyboard->Detail(), plain);
}

int unevenBlocks(const QImage& image)
{
    int uneven = 0;
    for (int y = 0; y + 1 < image.height(); y += 2)
        for (int x = 0; x + 1 < image.width(); x += 2)
            uneven += image.pixel(x, y) != image.pixel(x + 1, y) || image.pixel(x, y) != image.pixel(x, y + 1);
    return uneven;
}

// The Progress page is drawn at device resolution, its staff from the finer pictures: 2 x 2
// device blocks differ within, where a page drawn at 1x and blown up repeats each pixel.
TEST_F(HiDpiWindow, DrawsTheProgressPageAtDeviceResolution)
{
    const TStaffPictures pictures{form_->ImgClefs->Bitmap(), form_->BMPNoteList, form_->BMPKeyList};
    const auto ink = [](int, int) { return QColor(Qt::black); };
    const QImage staff = TProgressStaff::Compose(pictures, 2, ink, 2);
    ASSERT_EQ(staff.size(), TProgressStaff::Compose(pictures, 2, ink).size() * 2);
    EXPECT_EQ(staff.devicePixelRatio(), 2.0);
    EXPECT_GT(unevenBlocks(staff), 2000);

    form_->PageControl->setCurrentIndex(form_->PageControl->count() - 1);
    QCoreApplication::processEvents();
    TProgressPage* page = form_->History().ProgressPage();
    ASSERT_NE(page, nullptr);
    const QImage shown = page->grab().toImage();
    ASSERT_EQ(shown.size(), QSize(TProgressPage::kPageWidth, TProgressPage::kPageHeight) * 2);
    EXPECT_GT(unevenBlocks(shown), 5000);
}

// The credits line's text is drawn at device resolution, by a paint and by a step alike: its
// 2 x 2 device blocks differ within, where a line drawn at 1x and blown up repeats each pixel.
TEST_F(HiDpiWindow, DrawsTheCreditsLineAtDeviceResolution)
{
    form_->PageControl->setCurrentWidget(form_->tsInfo);
    TSkinScrollingText* credits = form_->SkinScrollingText;
    for (int step = 0; step < 300; ++step)
        credits->Step();
    QCoreApplication::processEvents();
    const QImage painted = credits->grab().toImage();
    ASSERT_EQ(painted.size(), QSize(1540, 44));
    EXPECT_GT(unevenBlocks(painted), 500);
    const auto* window = static_cast<const QImage*>(form_->backingStore()->paintDevice());
    const QRect place(credits->mapTo(form_.get(), QPoint()) * 2, QSize(1540, 44));
    EXPECT_EQ(window->copy(place).convertToFormat(QImage::Format_RGB32), painted.convertToFormat(QImage::Format_RGB32));
}

} // namespace
