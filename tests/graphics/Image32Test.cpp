#include "graphics/Image32.h"

#include "core/Errors.h"

#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>
#include <ostream>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

using lirasto::EAssertionFailed;
using lirasto::EConvertError;

namespace {

constexpr TColor32 kStaffColour = 0xFF336699;

void fillBitmap(TBitmap32& b, int w, int h, TColor32 color)
{
    b.SetSize(w, h);
    b.Clear(color);
}

// A view like the staff: 575 x 289 showing a 575 x 300 opaque picture on white.
std::unique_ptr<TImage32> staffView()
{
    auto view = std::make_unique<TImage32>();
    view->resize(575, 289);
    view->SetColor(Qt::white);
    TBitmap32 picture;
    fillBitmap(picture, 575, 300, kStaffColour);
    view->SetBitmap(&picture);
    return view;
}

TBitmapLayer* addLayer(TImage32& view, const TFloatRect& where, int w, int h, TColor32 color)
{
    auto* layer = new TBitmapLayer(view.Layers());
    fillBitmap(*layer->Bitmap(), w, h, color);
    layer->Bitmap()->SetDrawMode(dmBlend);
    layer->Bitmap()->SetMasterAlpha(255);
    layer->SetLocation(where);
    return layer;
}

// What the window shows, as 0xAARRGGBB values.
QImage shown(TImage32& view)
{
    return view.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

// Fills the buffer with a marker before the other stages, so a test can see which
// pixels the stages wrote.
void markBufferFirst(TImage32& view, TColor32 marker)
{
    TPaintStage* stage = view.PaintStages()->Insert(0);
    stage->RunTime = true;
    stage->Stage = psCustom;
    view.OnPaintStage = [marker](QObject*, TBitmap32* buffer, unsigned) { buffer->Clear(marker); };
}

} // namespace

// A new view is 192 x 192 and composes background, bitmap and visible layers at run time.
TEST(ImageView, StartsWithDefaultSizeAndStages)
{
    TImage32 view;
    EXPECT_EQ(view.width(), 192);
    EXPECT_EQ(view.height(), 192);
    const std::vector<TPaintStage> expected{{true, true, psClearBackground, 0},
                                            {true, false, psControlFrame, 0},
                                            {true, true, psDrawBitmap, 0},
                                            {true, false, psBitmapFrame, 0},
                                            {true, true, psDrawLayers, loVisible}};
    ASSERT_EQ(view.PaintStages()->Count(), 5);
    for (int i = 0; i < 5; ++i) {
        const TPaintStage& s = view.PaintStages()->Items(i);
        EXPECT_EQ(s.DsgnTime, expected[i].DsgnTime) << i;
        EXPECT_EQ(s.RunTime, expected[i].RunTime) << i;
        EXPECT_EQ(s.Stage, expected[i].Stage) << i;
        EXPECT_EQ(s.Parameter, expected[i].Parameter) << i;
    }
    EXPECT_TRUE(view.testAttribute(Qt::WA_OpaquePaintEvent));
}

// The buffer grows to the viewport + 40 and keeps its size while the viewport stays
// within 40 pixels below it; never smaller than 1 x 1.
TEST(ImageViewBuffer, KeepsFortyPixelsOfSlack)
{
    struct Step
    {
        int w, h;       // view size
        int bufW, bufH; // buffer size after the next composition
    };
    const std::vector<Step> steps{{575, 289, 615, 329}, {600, 300, 615, 329}, {615, 329, 615, 329},
                                  {616, 330, 656, 370}, {616, 330, 656, 370}, {617, 331, 656, 370},
                                  {575, 289, 575, 289}, {576, 290, 616, 330}, {0, 0, 1, 1},
                                  {1, 1, 1, 1},         {2, 200, 42, 240}};
    TImage32 view;
    for (const Step& s : steps) {
        view.resize(s.w, s.h);
        view.ForceCompose();
        EXPECT_EQ(view.Buffer()->Width(), s.bufW) << "view " << s.w << "x" << s.h;
        EXPECT_EQ(view.Buffer()->Height(), s.bufH) << "view " << s.w << "x" << s.h;
    }
}

// A burst of changes inside the update bracket costs one composition, and only after
// EndUpdate is followed by Changed.
TEST(ImageViewUpdate, OneCompositionPerBracket)
{
    auto view = staffView();
    int changes = 0;
    view->OnChange = [&changes](QObject*) { ++changes; };
    shown(*view);
    const long long base = view->CompositionCount();
    shown(*view);
    EXPECT_EQ(view->CompositionCount(), base) << "a valid buffer is only copied";

    view->BeginUpdate();
    TBitmapLayer* a = addLayer(*view, FloatRect(10, 10, 30, 30), 20, 20, 0xFFFF0000);
    TBitmapLayer* b = addLayer(*view, FloatRect(40, 10, 60, 30), 20, 20, 0xFF00FF00);
    b->SetLocation(FloatRect(50, 10, 70, 30));
    view->Changed();
    view->EndUpdate();
    EXPECT_EQ(changes, 0) << "nothing is told inside the bracket";
    EXPECT_EQ(view->UpdateCount(), 0);
    QImage before = shown(*view);
    EXPECT_EQ(view->CompositionCount(), base) << "EndUpdate alone never repaints";
    EXPECT_EQ(before.pixel(15, 15), kStaffColour);

    view->Changed();
    EXPECT_EQ(changes, 1);
    QImage after = shown(*view);
    EXPECT_EQ(view->CompositionCount(), base + 1);
    EXPECT_EQ(after.pixel(15, 15), 0xFFFF0000u);
    EXPECT_EQ(after.pixel(55, 15), 0xFF00FF00u);
    EXPECT_EQ(after.pixel(45, 15), kStaffColour);

    // Freeing a layer outside a bracket repaints by itself.
    delete a;
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(shown(*view).pixel(15, 15), kStaffColour);
    EXPECT_EQ(view->CompositionCount(), base + 2);
}

// An EndUpdate without its BeginUpdate is a programming error.
TEST(ImageViewUpdate, UnpairedEndUpdateRaisesAssertion)
{
    TImage32 view;
    try {
        view.EndUpdate();
        FAIL() << "no error";
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(std::string(e.what()), "Unpaired EndUpdate call");
    }
    EXPECT_EQ(view.UpdateCount(), 0);
}

// An opaque picture at least as large as the view covers it: the background colour
// fills nothing and the picture's rows beyond the view are not shown.
TEST(ImageViewCompose, OpaqueBitmapCoveringTheViewLeavesNoBackground)
{
    auto view = staffView();
    const TColor32 marker = 0xFF010203;
    markBufferFirst(*view, marker);
    view->ForceCompose();
    const TBitmap32& buffer = *view->Buffer();
    ASSERT_EQ(buffer.Width(), 615);
    ASSERT_EQ(buffer.Height(), 329);
    long long background = 0;
    for (int y = 0; y < buffer.Height(); ++y) {
        for (int x = 0; x < buffer.Width(); ++x) {
            const TColor32 expected = (x < 575 && y < 300) ? kStaffColour : marker;
            ASSERT_EQ(buffer.Pixel(x, y), expected) << x << "," << y;
            background += buffer.Pixel(x, y) == 0xFFFFFFFF;
        }
    }
    EXPECT_EQ(background, 0);
    const QImage picture = shown(*view);
    EXPECT_EQ(picture.size(), QSize(575, 289));
}

// A picture smaller than the view gets the background colour in the bands around it;
// an empty picture leaves the whole buffer in the background colour.
TEST(ImageViewCompose, BackgroundFillsAroundASmallerPicture)
{
    TImage32 view;
    view.resize(30, 20);
    view.SetColor(QColor(255, 0, 0));
    view.ForceCompose();
    EXPECT_EQ(view.Buffer()->Pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(view.Buffer()->Pixel(29, 19), 0xFFFF0000u);

    TBitmap32 picture;
    fillBitmap(picture, 10, 5, 0xFF0000FF);
    view.SetBitmap(&picture);
    const QImage img = shown(view);
    EXPECT_EQ(img.pixel(9, 4), 0xFF0000FFu);
    EXPECT_EQ(img.pixel(10, 4), 0xFFFF0000u);
    EXPECT_EQ(img.pixel(9, 5), 0xFFFF0000u);
    EXPECT_EQ(img.pixel(29, 19), 0xFFFF0000u);
}

// A 20-pixel layer at (10.5, 0, 30.5, 71) covers columns 10 to 29 of the view.
TEST(ImageViewCompose, HalfPixelLayerCoversColumnsTenToTwentyNine)
{
    TImage32 view;
    view.resize(560, 71);
    TBitmap32 keyboard;
    fillBitmap(keyboard, 561, 71, 0xFF000000);
    view.SetBitmap(&keyboard);
    addLayer(view, FloatRect(10.5f, 0, 30.5f, 71), 20, 71, 0xFFFFFFFF);
    view.ForceCompose();
    for (int x = 0; x < 40; ++x) {
        const TColor32 expected = (x >= 10 && x <= 29) ? 0xFFFFFFFF : 0xFF000000;
        EXPECT_EQ(view.Buffer()->Pixel(x, 0), expected) << x;
        EXPECT_EQ(view.Buffer()->Pixel(x, 70), expected) << x;
    }
}

// A layer reaching beyond the view is drawn where it overlaps; transparent pixels
// leave the picture below.
TEST(ImageViewCompose, LayerBeyondTheViewDrawsOnlyTheOverlap)
{
    auto view = staffView();
    TBitmapLayer* layer = addLayer(*view, FloatRect(-10, 280, 30, 320), 40, 40, 0xFFFFFF00);
    layer->Bitmap()->FillRect(0, 0, 40, 5, 0x00FFFFFF);
    const QImage img = shown(*view);
    EXPECT_EQ(img.pixel(0, 288), 0xFFFFFF00u);
    EXPECT_EQ(img.pixel(29, 288), 0xFFFFFF00u);
    EXPECT_EQ(img.pixel(30, 288), kStaffColour);
    EXPECT_EQ(img.pixel(0, 279), kStaffColour);
    // Rows 280..284 of the view hold the layer's transparent rows.
    EXPECT_EQ(img.pixel(5, 282), kStaffColour);
    EXPECT_EQ(img.pixel(5, 285), 0xFFFFFF00u);
}

// The window shows the composed buffer with its alpha ignored, pixel for pixel.
TEST(ImageViewShow, ShownPictureIsTheBufferWithAlphaIgnored)
{
    auto view = staffView();
    addLayer(*view, FloatRect(100, 50, 300, 150), 200, 100, 0x80FF0000);
    addLayer(*view, FloatRect(200, 100, 260, 200), 60, 100, 0x4000FF80);
    const QImage img = shown(*view);
    const TBitmap32& buffer = *view->Buffer();
    ASSERT_EQ(img.size(), QSize(575, 289));
    EXPECT_NE(buffer.Pixel(150, 75) >> 24, 0xFFu) << "the blend leaves the buffer's alpha below 255";
    long long differing = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            differing += img.pixel(x, y) != (buffer.Pixel(x, y) | 0xFF000000);
    EXPECT_EQ(differing, 0);
}

// Mouse presses and releases are reported with client pixel coordinates and the button
// pressed, whatever the button.
class ImageViewMouseButtons : public testing::TestWithParam<Qt::MouseButton>
{};

TEST_P(ImageViewMouseButtons, EveryButtonReachesDownAndUp)
{
    TImage32 view;
    view.resize(560, 71);
    std::vector<std::string> log;
    auto record = [&log](const char* what) {
        return
            [&log, what](QObject*, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y, TCustomLayer*) {
                log.push_back(std::string(what) + " " + std::to_string(int(button)) + " " + std::to_string(x) + "," +
                              std::to_string(y) + (shift & Qt::ShiftModifier ? " shift" : ""));
            };
    };
    view.OnMouseDown = record("down");
    view.OnMouseUp = record("up");
    const Qt::MouseButton button = GetParam();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(0, 0), view.mapToGlobal(QPointF(0, 0)), button, button,
                      Qt::ShiftModifier);
    QCoreApplication::sendEvent(&view, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(559, 70), view.mapToGlobal(QPointF(559, 70)), button,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &release);
    const std::string b = std::to_string(int(button));
    EXPECT_EQ(log, (std::vector<std::string>{"down " + b + " 0,0 shift", "up " + b + " 559,70"}));
}

INSTANTIATE_TEST_SUITE_P(Buttons, ImageViewMouseButtons,
                         testing::Values(Qt::LeftButton, Qt::RightButton, Qt::MiddleButton, Qt::BackButton));

// The second press of a double click is reported as a press too, so fast clicks all count.
TEST(ImageViewMouse, DoubleClickPressIsAPress)
{
    TImage32 view;
    int downs = 0;
    view.OnMouseDown = [&downs](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int, TCustomLayer*) { ++downs; };
    QMouseEvent press(QEvent::MouseButtonDblClick, QPointF(3, 4), view.mapToGlobal(QPointF(3, 4)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &press);
    EXPECT_EQ(downs, 1);
}

// A press inside the view and a release outside it reach the view through the window,
// the release with the outside (even negative) coordinates.
struct OutsideRow
{
    int releaseX;
    int releaseY;
};

void PrintTo(const OutsideRow& r, std::ostream* os)
{
    *os << "release at (" << r.releaseX << ", " << r.releaseY << ")";
}

class ImageViewMouseCapture : public testing::TestWithParam<OutsideRow>
{};

TEST_P(ImageViewMouseCapture, ReleaseOutsideReportsOutsideCoordinates)
{
    QWidget window;
    window.resize(800, 600);
    auto* view = new TImage32(&window);
    view->setGeometry(20, 333, 560, 71);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    std::vector<std::string> log;
    view->OnMouseDown = [&log](QObject* /*sender*/, Qt::MouseButton, Qt::KeyboardModifiers, int x, int y,
                               TCustomLayer*) { log.push_back("down " + std::to_string(x) + "," + std::to_string(y)); };
    view->OnMouseUp = [&log, view](QObject* sender, Qt::MouseButton, Qt::KeyboardModifiers, int x, int y,
                                   TCustomLayer*) {
        EXPECT_EQ(sender, view);
        log.push_back("up " + std::to_string(x) + "," + std::to_string(y));
    };
    QWindow* handle = window.windowHandle();
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(20, 333));
    const QPoint outside(20 + GetParam().releaseX, 333 + GetParam().releaseY);
    QTest::mouseMove(handle, outside);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, outside);
    EXPECT_EQ(log, (std::vector<std::string>{"down 0,0", "up " + std::to_string(GetParam().releaseX) + "," +
                                                             std::to_string(GetParam().releaseY)}));
}

INSTANTIATE_TEST_SUITE_P(Rows, ImageViewMouseCapture,
                         testing::Values(OutsideRow{-7, 10}, OutsideRow{600, 10}, OutsideRow{100, -30},
                                         OutsideRow{100, 80}));

// The view hands the layer under the pointer to its handlers; the game ignores it.
TEST(ImageViewMouse, ReportsTheLayerUnderThePointer)
{
    auto view = staffView();
    TBitmapLayer* layer = addLayer(*view, FloatRect(10, 10, 30, 30), 20, 20, 0xFFFF0000);
    TCustomLayer* seen = nullptr;
    view->OnMouseDown = [&seen](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int, TCustomLayer* l) {
        seen = l;
    };
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(12, 12), view->mapToGlobal(QPointF(12, 12)), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view.get(), &press);
    EXPECT_EQ(seen, layer);
    QMouseEvent elsewhere(QEvent::MouseButtonPress, QPointF(100, 12), view->mapToGlobal(QPointF(100, 12)),
                          Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view.get(), &elsewhere);
    EXPECT_EQ(seen, nullptr);
}

// The design's identifiers set the alignment and scale mode; anything else is refused.
TEST(ImageViewProperties, DesignIdentifiersSetTheValues)
{
    TImage32 view;
    EXPECT_EQ(view.property("BitmapAlign").toString(), "baTopLeft");
    EXPECT_EQ(view.property("ScaleMode").toString(), "smNormal");
    EXPECT_TRUE(view.setProperty("BitmapAlign", QString("baCenter")));
    EXPECT_EQ(view.BitmapAlign(), baCenter);
    EXPECT_TRUE(view.setProperty("ScaleMode", QString("smStretch")));
    EXPECT_EQ(view.ScaleMode(), smStretch);
    EXPECT_THROW(view.SetBitmapAlignName("baMiddle"), EConvertError);
    EXPECT_THROW(view.SetScaleModeName(""), EConvertError);
    EXPECT_EQ(view.BitmapAlign(), baCenter);
    EXPECT_TRUE(view.setProperty("Scale", 0.0));
    EXPECT_FLOAT_EQ(view.Scale(), 0.001f);
    EXPECT_TRUE(view.setProperty("Color", QColor(Qt::white)));
    EXPECT_EQ(view.Color(), QColor(Qt::white));
}

// Destroying the view frees its layers last first without telling anyone of a change.
TEST(ImageViewLifetime, DestructionFreesLayersLastFirstSilently)
{
    std::vector<int> freed;
    int changes = 0;
    {
        auto view = staffView();
        for (int i = 0; i < 3; ++i) {
            TBitmapLayer* layer = addLayer(*view, FloatRect(0, 0, 2, 2), 2, 2, 0xFFFFFFFF);
            layer->Tag = i;
            layer->OnDestroy = [&freed](TCustomLayer* l) { freed.push_back(l->Tag); };
        }
        view->OnChange = [&changes](QObject*) { ++changes; };
    }
    EXPECT_EQ(freed, (std::vector<int>{2, 1, 0}));
    EXPECT_EQ(changes, 0);
}

// After any sequence of layer operations, composing only what changed leaves the view's
// pixels exactly as a whole composition of the same state, and the part asked to be
// repainted is exactly where changed layers were and are.
TEST(ImageViewIncremental, EqualsWholeCompositionAndRepaintsOnlyTheChangedParts)
{
    auto view = staffView();
    TBitmap32 pictures[4], backgrounds[2];
    for (int i = 0; i < 4; ++i) {
        pictures[i].SetSize(5 + 9 * i, 31 - 7 * i);
        for (int p = 0; p < pictures[i].Width() * pictures[i].Height(); ++p)
            pictures[i].Bits()[p] = TColor32((p * 37 + i * 64) % 256) << 24 | (p * 2654435761u >> 8);
        pictures[i].SetDrawMode(i == 3 ? dmOpaque : dmBlend);
        fillBitmap(backgrounds[i / 2], 575 - 100 * (i / 2), 300, 0x80345678 << (i / 2));
    }
    backgrounds[1].SetDrawMode(dmBlend); // over the background colour, cleared first
    std::mt19937 rng(16);
    auto pick = [&rng](int n) { return int(rng() % unsigned(n)); };
    auto area = [&view](const TBitmapLayer* l) {
        const TRect r = IntersectRect(RoundLocation(l->Location()), TRect{0, 0, view->width(), view->height()});
        const bool shown = l->Visible() && !l->Bitmap()->Empty() && !r.IsEmpty();
        return shown ? QRegion(r.Left, r.Top, int(r.Width()), int(r.Height())) : QRegion();
    };
    std::vector<TBitmapLayer*> layers;
    view->ForceCompose();
    for (int step = 0; step < 10000; ++step) {
        const int op = layers.empty() ? 0 : pick(9);
        TBitmapLayer* l = layers.empty() ? nullptr : layers[std::size_t(pick(int(layers.size())))];
        const QRegion before = l && op != 0 ? area(l) : QRegion();
        const int index = l ? l->Index() : -1, alpha = l ? l->Bitmap()->MasterAlpha() : 0;
        view->BeginUpdate();
        if (op == 0) // created as the game does: a picture at a place
            layers.push_back(l = new TBitmapLayer(view->Layers()));
        if (op <= 1)
            l->SetBitmap(&pictures[pick(4)]);
        if (op <= 2) { // to half pixels, beyond the edges, stretched
            const float x = float(pick(1300) - 100) / 2, y = float(pick(700) - 100) / 2;
            l->SetLocation(FloatRect(x, y, x + float(pick(2) ? l->Bitmap()->Width() : pick(40)), y + 20));
        } else if (op == 3) {
            l->SetVisible(!l->Visible());
        } else if (op == 4) {
            layers.erase(std::find(layers.begin(), layers.end(), l));
            delete l;
        } else if (op == 5) {
            l->SetIndex(pick(int(layers.size())));
        } else if (op == 6) { // a new alpha, or no change at all
            l->Bitmap()->SetMasterAlpha(alpha ^ (pick(2) << 6));
        } else if (op == 7) {
            view->SetBitmap(&backgrounds[pick(2)]);
        } else { // silent layers still count at the next composition
            l->SetLayerOptions(l->LayerOptions() ^ loNoUpdate);
        }
        view->EndUpdate();
        view->Changed();
        ASSERT_EQ(view->BufferValid(), op != 7) << step;
        const bool same = (op == 5 && l->Index() == index) || (op == 6 && l->Bitmap()->MasterAlpha() == alpha);
        if (op != 7) {
            ASSERT_EQ(view->PendingRegion(), same ? QRegion() : op == 4 ? before : before | area(l)) << step;
        }
        view->ForceCompose();
        TBitmap32 incremental;
        incremental.Assign(view->Buffer());
        view->Invalidate();
        view->ForceCompose();
        for (int y = 0; y < view->height(); ++y)
            ASSERT_EQ(std::memcmp(incremental.ScanLine(y), view->Buffer()->ScanLine(y), 575 * 4), 0) << step;
    }
}

// A layer that comes into view is painted over the composed buffer only where it is the
// topmost change; beneath another layer, or beside other changes, the part is composed anew.
TEST(ImageViewIncremental, LayerComingIntoViewEqualsWholeComposition)
{
    using Step = std::function<void(TImage32&, TBitmapLayer * &old)>;
    const std::pair<const char*, Step> rows[] = {
        {"new on top", [](TImage32& v, TBitmapLayer*&) { addLayer(v, FloatRect(30, 30, 70, 50), 40, 20, 0x80FF0000); }},
        {"new sent under the old",
         [](TImage32& v, TBitmapLayer*&) { addLayer(v, FloatRect(30, 30, 70, 50), 40, 20, 0x80FF0000)->SendToBack(); }},
        {"hidden one shown under the old",
         [](TImage32&, TBitmapLayer*& old) {
             old->SendToBack();
             old->SetVisible(true);
         }},
        {"new beside the old moved",
         [](TImage32& v, TBitmapLayer*& old) {
             addLayer(v, FloatRect(30, 30, 70, 50), 40, 20, 0x80FF0000);
             old->SetLocation(FloatRect(21, 20, 61, 60));
         }},
        {"new over the old freed",
         [](TImage32& v, TBitmapLayer*& old) {
             addLayer(v, FloatRect(30, 30, 70, 50), 40, 20, 0x80FF0000);
             delete std::exchange(old, nullptr);
         }},
    };
    for (const auto& [name, step] : rows) {
        auto view = staffView();
        TBitmapLayer* old = addLayer(*view, FloatRect(20, 20, 60, 60), 40, 40, 0x8000FF00);
        TBitmapLayer* hidden = addLayer(*view, FloatRect(25, 25, 45, 45), 20, 20, 0xC00000FF);
        hidden->SetVisible(false);
        view->ForceCompose();
        TBitmapLayer* changed = std::string(name).starts_with("hidden") ? hidden : old;
        view->BeginUpdate();
        step(*view, changed);
        view->EndUpdate();
        view->Changed();
        view->ForceCompose();
        TBitmap32 incremental;
        incremental.Assign(view->Buffer());
        view->Invalidate();
        view->ForceCompose();
        EXPECT_EQ(std::memcmp(incremental.Bits(), view->Buffer()->Bits(),
                              std::size_t(incremental.Width()) * std::size_t(incremental.Height()) * 4),
                  0)
            << name;
    }
}
