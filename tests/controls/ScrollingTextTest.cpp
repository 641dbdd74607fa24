#include "controls/SkinCtrls.h"
#include "tests/controls/JpegFixture.h"
#include "tests/support/PaintRecorder.h"

#include <QCoreApplication>
#include <QBackingStore>
#include <QDeadlineTimer>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>

using lirasto::test::EncodeJpeg;
using lirasto::test::PatternImage;

namespace {

QFont creditFont()
{
    QFont font("DejaVu Sans");
    font.setPixelSize(13);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

std::unique_ptr<TSkinScrollingText> makeScroller(int width, int height, const QStringList& strings)
{
    auto scroller = std::make_unique<TSkinScrollingText>();
    scroller->setFont(creditFont());
    scroller->resize(width, height);
    scroller->SetStrings(strings);
    scroller->Loaded();
    return scroller;
}

// Handles the worker's posted steps until `done` holds; events arrive from the worker thread,
// so this waits for them rather than for time to pass. Gives up after five seconds.
template <typename Predicate>
bool processUntil(Predicate done)
{
    QDeadlineTimer deadline(5000);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}

const QString kCredit =
    "Lirasto Notes - a trainer for reading music notation - artwork, code and tests by the Lirasto team";

} // namespace

// Right to left: the text starts at x = width, moves one pixel per step until x = -(text width),
// then starts again at the right edge.
TEST(ScrollingPosition, LongCreditEntersFromRightAndLeavesCompletelyBeforeRestarting)
{
    auto scroller = makeScroller(100, 22, {kCredit});
    const int textWidth = scroller->TextSize().width();
    ASSERT_GT(textWidth, 100);
    EXPECT_EQ(scroller->Position(), QPoint(100, 0));
    scroller->Step();
    EXPECT_EQ(scroller->Position(), QPoint(99, 0));
    for (int i = 1; i < 100 + textWidth; ++i)
        scroller->Step();
    EXPECT_EQ(scroller->Position(), QPoint(-textWidth, 0));

    // At its last position nothing of the text (or its shadow) is left on the control.
    scroller->SetColor(Qt::white);
    const QImage shot = scroller->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x)
            ASSERT_EQ(shot.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
    }

    scroller->Step();
    EXPECT_EQ(scroller->Position(), QPoint(100, 0));
}

TEST(ScrollingPosition, TextIsJoinedLinesWithTrailingBlank)
{
    auto scroller = makeScroller(100, 22, {"one", "two"});
    EXPECT_EQ(scroller->Text(), QString("one\ntwo "));
    const QFontMetrics metrics(creditFont());
    EXPECT_EQ(scroller->TextSize(), metrics.size(0, "one\ntwo ") + QSize(1, 1));
}

// The other directions start one control size away and run until the far edge.
struct DirectionRow
{
    const char* name;
    TScrollDirection direction;
    QPoint start;
    QPoint afterOne;
    int stepsToEnd; // from start to the last position
    QPoint end;
};

class ScrollingDirection : public testing::TestWithParam<DirectionRow>
{};

TEST_P(ScrollingDirection, RunsFromStartToEndThenRestarts)
{
    auto scroller = makeScroller(100, 22, {"Credits"});
    scroller->SetScrollDirection(GetParam().direction);
    const QSize text = scroller->TextSize();
    auto resolve = [&](QPoint p) {
        // -1000 stands for minus the text height, which the row cannot know.
        return QPoint(p.x(), p.y() == -1000 ? -text.height() : p.y());
    };
    EXPECT_EQ(scroller->Position(), GetParam().start);
    scroller->Step();
    EXPECT_EQ(scroller->Position(), GetParam().afterOne);
    const int steps = GetParam().stepsToEnd == -1 ? 22 + text.height() : GetParam().stepsToEnd;
    for (int i = 1; i < steps; ++i)
        scroller->Step();
    EXPECT_EQ(scroller->Position(), resolve(GetParam().end));
    scroller->Step();
    EXPECT_EQ(scroller->Position(), GetParam().start);
}

INSTANTIATE_TEST_SUITE_P(AllButRightToLeft, ScrollingDirection,
                         testing::Values(DirectionRow{"LeftToRight", sdLeftToRight, {-100, 0}, {-99, 0}, 200, {100, 0}},
                                         DirectionRow{"BottomToTop", sdBottomToTop, {0, 22}, {0, 21}, -1, {0, -1000}},
                                         DirectionRow{"TopToBottom", sdTopToBottom, {0, -22}, {0, -21}, 44, {0, 22}}),
                         [](const testing::TestParamInfo<DirectionRow>& info) { return std::string(info.param.name); });

TEST(ScrollingPosition, TextScrolledHandlerMayRestartAtZero)
{
    auto scroller = makeScroller(50, 22, {"ab"});
    int calls = 0;
    scroller->OnTextScrolled = [&](QObject* sender, bool& restartAtZero) {
        EXPECT_EQ(sender, scroller.get());
        ++calls;
        restartAtZero = true;
    };
    const int steps = 50 + scroller->TextSize().width();
    for (int i = 0; i < steps; ++i)
        scroller->Step();
    EXPECT_EQ(calls, 0);
    scroller->Step();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(scroller->Position(), QPoint(0, 0));
}

TEST(ScrollingPosition, DesignSizeBeforeFirstStepMovesTheStart)
{
    TSkinScrollingText scroller;
    EXPECT_EQ(scroller.size(), QSize(97, 15));
    EXPECT_EQ(scroller.Position(), QPoint(97, 0));
    scroller.resize(770, 22);
    EXPECT_EQ(scroller.Position(), QPoint(770, 0));
    scroller.Step();
    scroller.resize(700, 22);
    EXPECT_EQ(scroller.Position(), QPoint(769, 0));
    scroller.Loaded();
    EXPECT_EQ(scroller.Position(), QPoint(700, 0));
}

// Each step is painted from the tiled wallpaper with the text over it.
TEST(ScrollingPaint, TextMovesOverTiledWallpaper)
{
    TSkinImages store;
    store.AddPicture("TJPEGImage", EncodeJpeg(PatternImage(37, 23)));
    auto scroller = makeScroller(120, 22, {"Hi"});
    scroller->SetSkinImages(&store);
    scroller->SetIdWallpaper(0);
    for (int i = 0; i < 60; ++i)
        scroller->Step();
    const QImage shot = scroller->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage& wallpaper = *store.ItemBitmap(0);
    int differing = 0;
    for (int y = 0; y < 22; ++y) {
        for (int x = 0; x < 120; ++x) {
            if (shot.pixel(x, y) != wallpaper.pixel(x % 37, y % 23)) {
                ++differing;
                EXPECT_GE(x, 60);
                EXPECT_LT(x, 60 + scroller->TextSize().width());
            }
        }
    }
    EXPECT_GT(differing, 0);
}

// A step is written straight into its window with no paint event, and shows exactly what a
// repaint would: wallpaper, antialiased text and shadow, to the last rounding of the blend. Where
// another widget reaches into the line, even a transparent one, the step is a plain repaint.
struct StraightStepCase {
    const char* name;
    QRect cover; // a transparent label stacked over the scroller; empty for none
    bool coverShown;
    bool painted;
};

class ScrollingStraightStep : public testing::TestWithParam<StraightStepCase>
{};

TEST_P(ScrollingStraightStep, ShowsWhatARepaintWould)
{
    const StraightStepCase& c = GetParam();
    TSkinImages store;
    store.AddPicture("TJPEGImage", EncodeJpeg(PatternImage(37, 23)));
    QWidget window;
    window.resize(340, 50);
    auto* scroller = new TSkinScrollingText(&window);
    scroller->setGeometry(10, 9, 300, 22);
    QFont font("DejaVu Sans");
    font.setPixelSize(13);
    scroller->setFont(font);
    scroller->SetSkinImages(&store);
    scroller->SetIdWallpaper(0);
    scroller->SetStrings({"Hi there, reader"});
    scroller->Loaded();
    if (!c.cover.isEmpty()) {
        auto* cover = new QWidget(&window);
        cover->setGeometry(c.cover);
        cover->setVisible(c.coverShown);
    }
    window.show();
    ASSERT_TRUE(processUntil([&] { return window.windowHandle() && window.windowHandle()->isExposed(); }));
    QCoreApplication::processEvents();
    scroller->Step(); // the first paint keeps the background and the line

    lirasto::test::TPaintRecorder recorder(scroller);
    for (int i = 0; i < 150; ++i)
        scroller->Step();
    EXPECT_EQ(!recorder.painted_.isEmpty(), c.painted);
    if (c.painted)
        return;
    const auto* inWindow = static_cast<const QImage*>(window.backingStore()->paintDevice());
    const QImage shown = inWindow->copy(scroller->geometry()).convertToFormat(QImage::Format_RGB32);
    const QImage repainted = scroller->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, repainted);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScrollingStraightStep,
                         testing::Values(StraightStepCase{"Alone", {}, false, false},
                                         StraightStepCase{"UnderAHiddenWidget", {200, 10, 40, 10}, false, false},
                                         StraightStepCase{"BesideAWidget", {0, 35, 340, 10}, true, false},
                                         StraightStepCase{"UnderATransparentWidget", {200, 10, 40, 10}, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// With Transparent, the control shows the snapshot of its parent's background taken when it starts.
TEST(ScrollingPaint, TransparentControlShowsParentSnapshot)
{
    TSkinImages store;
    store.AddPicture("TJPEGImage", EncodeJpeg(PatternImage(37, 23)));
    TSkinPanel panel;
    panel.SetSkinImages(&store);
    panel.SetIdWallpaper(0);
    panel.resize(200, 80);
    auto* scroller = new TSkinScrollingText(&panel);
    scroller->setGeometry(7, 50, 150, 22);
    scroller->SetTransparent(true);
    scroller->SetStrings({"x"});
    panel.show();
    scroller->SetInterval(1000);
    scroller->SetActive(true);
    ASSERT_TRUE(scroller->Running());
    const QImage shot = scroller->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage& wallpaper = *store.ItemBitmap(0);
    EXPECT_EQ(shot.pixel(0, 0), wallpaper.pixel(7 % 37, 50 % 23));
    EXPECT_EQ(shot.pixel(20, 10), wallpaper.pixel(27 % 37, 60 % 23));
}

// The worker steps only while the control is active and shown: a hidden page costs nothing.
TEST(ScrollingTimer, PausesWhileHiddenOrInactive)
{
    QWidget page;
    page.resize(300, 100);
    auto* scroller = new TSkinScrollingText(&page);
    scroller->resize(200, 22);
    scroller->SetInterval(1);
    scroller->SetActive(true);
    EXPECT_FALSE(scroller->Running());
    page.show();
    EXPECT_TRUE(scroller->Running());
    EXPECT_TRUE(scroller->HasThread());

    const QPoint before = scroller->Position();
    ASSERT_TRUE(processUntil([&] { return scroller->Position() != before; }));

    page.hide();
    EXPECT_FALSE(scroller->Running());
    // A step posted just before the hide may still arrive, but it changes nothing.
    QCoreApplication::processEvents();
    const QPoint paused = scroller->Position();
    QCoreApplication::processEvents();
    EXPECT_EQ(scroller->Position(), paused);

    page.show();
    EXPECT_TRUE(scroller->Running());
    ASSERT_TRUE(processUntil([&] { return scroller->Position() != paused; }));

    scroller->SetActive(false);
    EXPECT_FALSE(scroller->Running());
}

// Nor does a minimised window: the worker rests until the window is back.
TEST(ScrollingTimer, PausesWhileTheWindowIsMinimised)
{
    QWidget window;
    window.resize(300, 100);
    auto* scroller = new TSkinScrollingText(&window);
    scroller->resize(200, 22);
    scroller->SetActive(true);
    window.show();
    ASSERT_TRUE(scroller->Running());
    window.setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(scroller->Running());
    window.setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(scroller->Running());
}

// Destroying the control while it scrolls ends the worker with no step left behind.
TEST(ScrollingTimer, DestroyingWhileRunningEndsTheThreadCleanly)
{
    QWidget page;
    page.resize(300, 60);
    page.show();
    for (int round = 0; round < 300; ++round) {
        auto* scroller = new TSkinScrollingText(&page);
        scroller->resize(200, 22);
        scroller->SetStrings({kCredit});
        scroller->SetInterval(1);
        scroller->SetActive(true);
        scroller->show();
        ASSERT_TRUE(scroller->Running());
        // Vary the moment of destruction: right away, after a posted step, and mid-run.
        if (round % 3 == 1) {
            const QPoint start = scroller->Position();
            ASSERT_TRUE(processUntil([&] { return scroller->Position() != start; }));
        } else if (round % 3 == 2) {
            QCoreApplication::processEvents();
        }
        delete scroller;
        // Anything the worker posted went with the control; handling events now must not touch it.
        QCoreApplication::processEvents();
    }
}

TEST(ScrollingTimer, DestroyingThePageWithScrollerInsideDoesNotHang)
{
    for (int round = 0; round < 50; ++round) {
        auto page = std::make_unique<QWidget>();
        auto* scroller = new TSkinScrollingText(page.get());
        scroller->SetInterval(1);
        scroller->SetActive(true);
        page->show();
        QCoreApplication::processEvents();
        page.reset();
        QCoreApplication::processEvents();
    }
}
