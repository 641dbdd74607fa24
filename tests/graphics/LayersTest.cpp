#include "graphics/Layers.h"

#include "core/Errors.h"

#include <gtest/gtest.h>
#include <ostream>

#include <cmath>
#include <limits>
#include <string>
#include <type_traits>
#include <vector>

using lirasto::EAssertionFailed;
using lirasto::EListError;
using lirasto::ERangeError;

namespace {

// A bitmap layer whose paint step a test can run on a buffer of its own.
class PaintableLayer : public TBitmapLayer
{
public:
    using TBitmapLayer::Paint;
    using TBitmapLayer::TBitmapLayer;
};

// Counts what a collection tells its owner.
struct CollectionSpy
{
    explicit CollectionSpy(TLayerCollection& c)
    {
        c.OnChanging = [this](TLayerCollection*) { ++changing; };
        c.OnChange = [this](TLayerCollection*) { ++change; };
        c.OnGDIUpdate = [this](TLayerCollection*) { ++gdiUpdate; };
    }
    int changing = 0;
    int change = 0;
    int gdiUpdate = 0;
};

void fillBitmap(TBitmap32& b, int w, int h, TColor32 color)
{
    b.SetSize(w, h);
    b.Clear(color);
}

} // namespace

// Freeing a layer lowers the index of every layer above it; those below keep theirs.
struct IndexAfterFreeRow
{
    int count;
    int freed;
};

void PrintTo(const IndexAfterFreeRow& r, std::ostream* os)
{
    *os << "free " << r.freed << " of " << r.count;
}

class LayerIndexAfterFree : public testing::TestWithParam<IndexAfterFreeRow>
{};

TEST_P(LayerIndexAfterFree, LowersLayersAboveAndKeepsLayersBelow)
{
    const auto row = GetParam();
    TLayerCollection layers;
    std::vector<TCustomLayer*> made;
    for (int i = 0; i < row.count; ++i)
        made.push_back(new TBitmapLayer(&layers));
    delete made[static_cast<std::size_t>(row.freed)];
    ASSERT_EQ(layers.Count(), row.count - 1);
    for (int i = 0; i < row.count; ++i) {
        if (i == row.freed)
            continue;
        const int expected = i < row.freed ? i : i - 1;
        EXPECT_EQ(made[static_cast<std::size_t>(i)]->Index(), expected) << "layer made " << i;
        EXPECT_EQ(layers.Items(expected), made[static_cast<std::size_t>(i)]);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, LayerIndexAfterFree,
                         testing::Values(IndexAfterFreeRow{5, 2}, IndexAfterFreeRow{5, 4}, IndexAfterFreeRow{6, 3},
                                         IndexAfterFreeRow{3, 2}, IndexAfterFreeRow{1, 0}));

// A new layer goes on top of all earlier ones; a layer without a collection has index -1.
TEST(LayerIndex, NewLayerGoesOnTopAndLoneLayerHasNone)
{
    TLayerCollection layers;
    for (int i = 0; i < 4; ++i) {
        auto* layer = new TBitmapLayer(&layers);
        EXPECT_EQ(layer->Index(), i);
        EXPECT_EQ(layers.Items(layers.Count() - 1), layer);
    }
    TBitmapLayer lone(nullptr);
    EXPECT_EQ(lone.Index(), -1);
    EXPECT_NO_THROW(lone.SetLocation(FloatRect(1, 2, 3, 4)));
}

// Items accepts 0..Count-1 and reports any other index in the list error.
class LayerItemsOutOfRange : public testing::TestWithParam<int>
{};

TEST_P(LayerItemsOutOfRange, RaisesListErrorNamingTheIndex)
{
    TLayerCollection layers;
    for (int i = 0; i < 3; ++i)
        new TBitmapLayer(&layers);
    try {
        layers.Items(GetParam());
        FAIL() << "no error";
    } catch (const EListError& e) {
        EXPECT_EQ(std::string(e.what()), "List index out of bounds (" + std::to_string(GetParam()) + ")");
    }
    EXPECT_EQ(layers.Count(), 3);
}

INSTANTIATE_TEST_SUITE_P(Rows, LayerItemsOutOfRange,
                         testing::Values(-1, 3, 4, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()));

// Clear frees the layers last first and tells the owner once.
TEST(LayerCollection, ClearFreesLastFirstInOneBracket)
{
    TLayerCollection layers;
    std::vector<int> freed;
    for (int i = 0; i < 4; ++i) {
        auto* layer = new TBitmapLayer(&layers);
        layer->Tag = i;
        layer->OnDestroy = [&freed](TCustomLayer* l) { freed.push_back(l->Tag); };
    }
    CollectionSpy spy(layers);
    layers.Clear();
    EXPECT_EQ(freed, (std::vector<int>{3, 2, 1, 0}));
    EXPECT_EQ(layers.Count(), 0);
    EXPECT_EQ(spy.changing, 1);
    EXPECT_EQ(spy.change, 1);
}

// The collection bracket tells OnChanging on the way in and OnChange on the way out,
// once each; a layer's own change is passed on whatever the bracket.
TEST(LayerCollection, UpdateBracketNotifiesAtItsOuterEdges)
{
    TLayerCollection layers;
    CollectionSpy spy(layers);
    layers.BeginUpdate();
    layers.BeginUpdate();
    TCustomLayer* layer = new TCustomLayer(&layers);
    layers.EndUpdate();
    EXPECT_EQ(spy.changing, 1);
    EXPECT_EQ(spy.change, 0);
    layer->Changed();
    EXPECT_EQ(spy.change, 1);
    layers.EndUpdate();
    EXPECT_EQ(spy.change, 2);
    layers.Changed();
    EXPECT_EQ(spy.change, 3);
}

// An EndUpdate without its BeginUpdate is a programming error and changes nothing.
TEST(LayerCollection, UnpairedEndUpdateRaisesAssertion)
{
    TLayerCollection layers;
    CollectionSpy spy(layers);
    try {
        layers.EndUpdate();
        FAIL() << "no error";
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(std::string(e.what()), "Unpaired EndUpdate");
    }
    EXPECT_EQ(layers.UpdateCount(), 0);
    EXPECT_EQ(spy.change, 0);
}

// Each layer kind starts with its own options and place.
TEST(LayerDefaults, EachKindStartsWithItsOptions)
{
    TLayerCollection layers;
    TCustomLayer* custom = new TCustomLayer(&layers);
    auto* positioned = new TPositionedLayer(&layers);
    auto* bitmap = new TBitmapLayer(&layers);
    EXPECT_EQ(custom->LayerOptions(), loVisible);
    EXPECT_EQ(positioned->LayerOptions(), loVisible | loMouseEvents);
    EXPECT_EQ(positioned->Location(), FloatRect(0, 0, 64, 64));
    EXPECT_EQ(bitmap->LayerOptions(), loVisible | loMouseEvents);
    EXPECT_TRUE(bitmap->Bitmap()->Empty());
}

// A layer change reaches the owner only from a visible layer without loNoUpdate;
// an invisible overlay layer asks for an overlay repaint instead; hiding repaints.
struct LayerNoticeRow
{
    const char* what;
    uint32_t options;
    bool hide; // hide the layer instead of moving it
    int change;
    int gdiUpdate;
};

void PrintTo(const LayerNoticeRow& r, std::ostream* os)
{
    *os << r.what;
}

class LayerChangeNotice : public testing::TestWithParam<LayerNoticeRow>
{};

TEST_P(LayerChangeNotice, ReachesOwnerAsTheOptionsSay)
{
    const auto row = GetParam();
    TLayerCollection layers;
    auto* layer = new TBitmapLayer(&layers);
    layer->SetLayerOptions(row.options);
    CollectionSpy spy(layers);
    if (row.hide)
        layer->SetVisible(false);
    else
        layer->SetLocation(FloatRect(5, 5, 25, 25));
    EXPECT_EQ(spy.change, row.change) << row.what;
    EXPECT_EQ(spy.gdiUpdate, row.gdiUpdate) << row.what;
}

INSTANTIATE_TEST_SUITE_P(Rows, LayerChangeNotice,
                         testing::Values(LayerNoticeRow{"visible moved", loVisible, false, 1, 0},
                                         LayerNoticeRow{"invisible moved", loMouseEvents, false, 0, 0},
                                         LayerNoticeRow{"no-update moved", loVisible | loNoUpdate, false, 0, 0},
                                         LayerNoticeRow{"invisible overlay moved", loGdiOverlay, false, 0, 1},
                                         LayerNoticeRow{"visible hidden", loVisible, true, 1, 0},
                                         LayerNoticeRow{"no-update hidden", loVisible | loNoUpdate, true, 0, 0},
                                         LayerNoticeRow{"invisible hidden again", 0, true, 0, 0}));

// Re-picturing a layer copies the picture: the caller's bitmap is neither kept nor changed.
TEST(BitmapLayer, SetBitmapCopiesThePicture)
{
    TLayerCollection layers;
    auto* layer = new TBitmapLayer(&layers);
    TBitmap32 source;
    fillBitmap(source, 3, 2, 0x80112233);
    CollectionSpy spy(layers);
    layer->SetBitmap(&source);
    EXPECT_EQ(spy.change, 1);
    source.Clear(0xFF000000);
    ASSERT_EQ(layer->Bitmap()->Width(), 3);
    ASSERT_EQ(layer->Bitmap()->Height(), 2);
    EXPECT_EQ(layer->Bitmap()->Pixel(2, 1), 0x80112233u);
    EXPECT_NE(layer->Bitmap(), &source);
}

// Destruction tells OnDestroy while the layer is whole, then the watchers last first,
// then leaves the collection in one bracket.
TEST(LayerDestruction, RunsOnDestroyThenWatchersThenLeaves)
{
    struct Watcher : TCustomLayer
    {
        Watcher(std::vector<std::string>& log, std::string name) : TCustomLayer(nullptr), log_(log), name_(name) {}
        void Notification(TCustomLayer*) override { log_.push_back(name_); }
        std::vector<std::string>& log_;
        std::string name_;
    };
    std::vector<std::string> log;
    TLayerCollection layers;
    new TBitmapLayer(&layers);
    auto* layer = new TBitmapLayer(&layers);
    fillBitmap(*layer->Bitmap(), 2, 2, 0xFF0000FF);
    Watcher first(log, "first");
    Watcher second(log, "second");
    layer->AddNotification(&first);
    layer->AddNotification(&second);
    layer->OnDestroy = [&log](TCustomLayer* l) {
        auto* b = static_cast<TBitmapLayer*>(l);
        log.push_back("destroy index " + std::to_string(l->Index()) + " width " + std::to_string(b->Bitmap()->Width()));
    };
    CollectionSpy spy(layers);
    delete layer;
    EXPECT_EQ(log, (std::vector<std::string>{"destroy index 1 width 2", "second", "first"}));
    EXPECT_EQ(layers.Count(), 1);
    EXPECT_EQ(spy.changing, 1);
    EXPECT_EQ(spy.change, 1);
}

// Setting the index moves the layer, clamped to the list.
TEST(LayerIndex, SetIndexMovesClamped)
{
    TLayerCollection layers;
    auto* a = new TBitmapLayer(&layers);
    auto* b = new TBitmapLayer(&layers);
    auto* c = new TBitmapLayer(&layers);
    a->SetIndex(99);
    EXPECT_EQ(a->Index(), 2);
    EXPECT_EQ(b->Index(), 0);
    c->SetIndex(-5);
    EXPECT_EQ(c->Index(), 0);
    EXPECT_EQ(b->Index(), 1);
}

// A positioned layer is hit on the half-open rectangle of its location.
struct HitRow
{
    int x;
    int y;
    bool hit;
};

void PrintTo(const HitRow& r, std::ostream* os)
{
    *os << "(" << r.x << ", " << r.y << ") hit " << r.hit;
}

class PositionedLayerHitTest : public testing::TestWithParam<HitRow>
{};

TEST_P(PositionedLayerHitTest, AcceptsHalfOpenLocation)
{
    TLayerCollection layers;
    auto* layer = new TPositionedLayer(&layers);
    layer->SetLocation(FloatRect(10, 20, 30, 40));
    EXPECT_EQ(layer->HitTest(GetParam().x, GetParam().y), GetParam().hit);
}

INSTANTIATE_TEST_SUITE_P(Rows, PositionedLayerHitTest,
                         testing::Values(HitRow{10, 20, true}, HitRow{29, 39, true}, HitRow{30, 20, false},
                                         HitRow{9, 20, false}, HitRow{10, 40, false}, HitRow{10, 19, false}));

// With AlphaHit a bitmap layer is hit only where its picture is not fully transparent.
TEST(BitmapLayer, AlphaHitNeedsAVisiblePixel)
{
    TLayerCollection layers;
    auto* layer = new TBitmapLayer(&layers);
    fillBitmap(*layer->Bitmap(), 4, 1, 0xFF00FF00);
    layer->Bitmap()->Pixel(1, 0) = 0x00FFFFFF;
    layer->SetLocation(FloatRect(100, 0, 104, 1));
    layer->SetAlphaHit(true);
    EXPECT_TRUE(layer->HitTest(100, 0));
    EXPECT_FALSE(layer->HitTest(101, 0));
    EXPECT_TRUE(layer->HitTest(103, 0));
}

// A left press on a layer makes it the mouse listener unless it refuses capture; the
// release of the last held button ends it; a right press captures nothing.
TEST(LayerMouse, LeftPressCapturesAndReleaseEndsTheListener)
{
    TLayerCollection layers;
    auto* bottom = new TPositionedLayer(&layers);
    auto* top = new TPositionedLayer(&layers);
    bottom->SetLocation(FloatRect(0, 0, 100, 100));
    top->SetLocation(FloatRect(50, 0, 100, 100));
    int topDowns = 0;
    top->OnMouseDown = [&topDowns](TCustomLayer*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { ++topDowns; };

    EXPECT_EQ(layers.MouseDown(Qt::RightButton, {}, 60, 5), top);
    EXPECT_EQ(layers.MouseListener(), nullptr);
    EXPECT_EQ(topDowns, 0);
    layers.MouseUp(Qt::RightButton, {}, 60, 5);

    EXPECT_EQ(layers.MouseDown(Qt::LeftButton, {}, 60, 5), top);
    EXPECT_EQ(layers.MouseListener(), top);
    EXPECT_EQ(topDowns, 1);
    // While it listens, the listener gets everything, wherever the pointer is.
    EXPECT_EQ(layers.MouseMove({}, 10, 5), top);
    EXPECT_EQ(layers.MouseUp(Qt::LeftButton, {}, -7, 5), top);
    EXPECT_EQ(layers.MouseListener(), nullptr);

    top->SetLayerOptions(top->LayerOptions() | loNoCapture);
    EXPECT_EQ(layers.MouseDown(Qt::LeftButton, {}, 60, 5), top);
    EXPECT_EQ(layers.MouseListener(), nullptr);
    EXPECT_EQ(layers.MouseDown(Qt::LeftButton, {}, 10, 5), bottom);
    EXPECT_EQ(layers.MouseListener(), bottom);
}

// Freeing the mouse listener leaves the collection with none.
TEST(LayerMouse, FreeingTheListenerLeavesNone)
{
    TLayerCollection layers;
    auto* layer = new TPositionedLayer(&layers);
    layers.MouseDown(Qt::LeftButton, {}, 1, 1);
    ASSERT_EQ(layers.MouseListener(), layer);
    delete layer;
    EXPECT_EQ(layers.MouseListener(), nullptr);
    EXPECT_EQ(layers.MouseUp(Qt::LeftButton, {}, 1, 1), nullptr);
}

// A layer that frees itself in its own mouse handler is not reported afterwards.
TEST(LayerMouse, LayerFreedByItsHandlerIsNotReported)
{
    TLayerCollection layers;
    auto* layer = new TPositionedLayer(&layers);
    layer->OnMouseDown = [](TCustomLayer* l, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { delete l; };
    EXPECT_EQ(layers.MouseDown(Qt::LeftButton, {}, 1, 1), nullptr);
    EXPECT_EQ(layers.Count(), 0);
    EXPECT_EQ(layers.MouseListener(), nullptr);
}

// A location edge is drawn at the nearest whole pixel, halves to the even one.
struct RoundRow
{
    float in;
    int out;
};

void PrintTo(const RoundRow& r, std::ostream* os)
{
    *os << r.in << " -> " << r.out;
}

class LayerLocationRounding : public testing::TestWithParam<RoundRow>
{};

TEST_P(LayerLocationRounding, RoundsHalvesToEven)
{
    const auto row = GetParam();
    EXPECT_EQ(RoundLocation(FloatRect(row.in, 0, 0, 0)).Left, row.out);
    EXPECT_EQ(RoundLocation(FloatRect(0, 0, 0, row.in)).Bottom, row.out);
}

INSTANTIATE_TEST_SUITE_P(Rows, LayerLocationRounding,
                         testing::Values(RoundRow{10.5f, 10}, RoundRow{30.5f, 30}, RoundRow{11.5f, 12},
                                         RoundRow{-0.5f, 0}, RoundRow{-1.5f, -2}, RoundRow{2.4f, 2}, RoundRow{2.6f, 3},
                                         RoundRow{140.0f, 140}));

// An edge no pixel can hold is an error, not a wrapped coordinate.
TEST(LayerLocationRounding, RaisesForEdgesBeyondPixels)
{
    EXPECT_THROW(RoundLocation(FloatRect(3e9f, 0, 0, 0)), ERangeError);
    EXPECT_THROW(RoundLocation(FloatRect(0, -3e9f, 0, 0)), ERangeError);
    EXPECT_THROW(RoundLocation(FloatRect(0, 0, std::nanf(""), 0)), ERangeError);
    EXPECT_THROW(RoundLocation(FloatRect(0, 0, 0, std::numeric_limits<float>::infinity())), ERangeError);
}

// A bitmap layer blends its picture 1:1 at its rounded location, clipped to the buffer.
struct LayerPaintRow
{
    const char* what;
    TFloatRect location;
    int pictureWidth;
    int firstX; // first buffer column the picture covers
    int lastX;  // last buffer column it covers
};

void PrintTo(const LayerPaintRow& r, std::ostream* os)
{
    *os << r.what;
}

class BitmapLayerPaint : public testing::TestWithParam<LayerPaintRow>
{};

TEST_P(BitmapLayerPaint, CoversOnlyItsRoundedColumnsInsideTheBuffer)
{
    const auto row = GetParam();
    TBitmap32 buffer;
    fillBitmap(buffer, 60, 3, 0xFF000000);
    TLayerCollection layers;
    auto* layer = new PaintableLayer(&layers);
    fillBitmap(*layer->Bitmap(), row.pictureWidth, 3, 0xFFFFFFFF);
    layer->Bitmap()->SetDrawMode(dmBlend);
    layer->SetLocation(row.location);
    layer->Paint(&buffer);
    for (int x = 0; x < buffer.Width(); ++x) {
        const TColor32 expected = (x >= row.firstX && x <= row.lastX) ? 0xFFFFFFFF : 0xFF000000;
        EXPECT_EQ(buffer.Pixel(x, 1), expected) << row.what << " x " << x;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BitmapLayerPaint,
    testing::Values(LayerPaintRow{"half-pixel location", FloatRect(10.5f, 0, 30.5f, 3), 20, 10, 29},
                    LayerPaintRow{"reaching left of the buffer", FloatRect(-5, 0, 15, 3), 20, 0, 14},
                    LayerPaintRow{"reaching right of the buffer", FloatRect(50, 0, 70, 3), 20, 50, 59},
                    LayerPaintRow{"wholly outside", FloatRect(70, 0, 90, 3), 20, -1, -1}));

// Pixels of alpha 0 leave what lies below; opaque ones replace it; others blend.
TEST(BitmapLayerPaint, TransparentPixelsLeaveTheBufferAlone)
{
    TBitmap32 buffer;
    fillBitmap(buffer, 3, 1, 0xFF000000);
    TLayerCollection layers;
    auto* layer = new PaintableLayer(&layers);
    layer->Bitmap()->SetSize(3, 1);
    layer->Bitmap()->Pixel(0, 0) = 0x00FFFFFF;
    layer->Bitmap()->Pixel(1, 0) = 0xFF123456;
    layer->Bitmap()->Pixel(2, 0) = 0x80FF0000;
    layer->Bitmap()->SetDrawMode(dmBlend);
    layer->SetLocation(FloatRect(0, 0, 3, 1));
    layer->Paint(&buffer);
    EXPECT_EQ(buffer.Pixel(0, 0), 0xFF000000u);
    EXPECT_EQ(buffer.Pixel(1, 0), 0xFF123456u);
    EXPECT_EQ(buffer.Pixel(2, 0), 0xC0800000u);
}

// Freeing a layer never raises, even when the handlers it runs on the way out do, and
// the layer leaves its collection all the same.
TEST(LayerLifetime, FreeingSurvivesRaisingHandlers)
{
    static_assert(std::is_nothrow_destructible_v<TBitmapLayer>);
    TLayerCollection layers;
    TBitmapLayer* keep = new TBitmapLayer(&layers);
    TBitmapLayer* layer = new TBitmapLayer(&layers);
    layer->OnDestroy = [](TCustomLayer*) { throw ERangeError("destroy"); };
    layers.OnChange = [](TLayerCollection*) { throw ERangeError("change"); };
    EXPECT_NO_THROW(delete layer);
    ASSERT_EQ(layers.Count(), 1);
    EXPECT_EQ(layers.Items(0), keep);
}

// A layer says it is unbounded exactly when its drawn area is "anywhere": a location whose
// edges no pixel can hold, or a paint handler, and never without a picture.
TEST(BitmapLayer, UnboundedExactlyWhenTheDrawnAreaIsAnywhere)
{
    TLayerCollection layers;
    TBitmapLayer layer(&layers);
    const float edges[] = {0.5f,
                           -2147483648.0f,
                           2147483520.0f,
                           2147483648.0f,
                           -2147483904.0f,
                           std::nanf(""),
                           std::numeric_limits<float>::infinity()};
    for (const bool picture : {false, true}) {
        layer.Bitmap()->SetSize(picture ? 2 : 0, 2);
        for (const float edge : edges) {
            for (const TFloatRect& where : {FloatRect(edge, 0, 10, 10), FloatRect(0, 0, 10, edge)}) {
                layer.SetLocation(where);
                EXPECT_EQ(layer.Unbounded(), layer.DrawnArea() == kAnyArea) << edge << " " << picture;
                EXPECT_EQ(layer.Unbounded(), picture && !(edge >= -2147483648.0f && edge < 2147483648.0f)) << edge;
            }
        }
    }
    layer.OnPaint = [](TCustomLayer*, TBitmap32*) {};
    EXPECT_TRUE(layer.Unbounded());
}
