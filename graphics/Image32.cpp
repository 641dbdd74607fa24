#include "graphics/Image32.h"

#include "core/Checked.h"
#include "core/Errors.h"

#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QtMath>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

using lirasto::BitmapLock;
using lirasto::EAssertionFailed;
using lirasto::EConvertError;
using lirasto::EListError;

namespace {

// The client position of a mouse event: the pixel the pointer lies in.
QPoint clientPixel(const QMouseEvent* event)
{
    const QPointF p = event->position();
    return QPoint(qFloor(p.x()), qFloor(p.y()));
}

constexpr std::array<const char*, 4> kBitmapAlignNames{"baTopLeft", "baCenter", "baTile", "baCustom"};
constexpr std::array<const char*, 4> kScaleModeNames{"smNormal", "smStretch", "smScale", "smResize"};

template <std::size_t N>
int identifierIndex(const std::array<const char*, N>& names, const QString& name, const char* property)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (name == QLatin1String(names[i]))
            return static_cast<int>(i);
    }
    throw EConvertError("Invalid value \"" + name.toStdString() + "\" for property " + property);
}

} // namespace

TCustomImage32::TCustomImage32(QWidget* parent)
    : TCustomPaintBox32(parent), bitmap_(std::make_unique<TBitmap32>()),
      layers_(std::make_unique<TLayerCollection>(this)), paintStages_(std::make_unique<TPaintStages>()),
      color_(palette().color(QPalette::Window))
{
    bitmap_->OnChange = [this](TBitmap32*) { changedAll(); };
    bitmap_->OnResize = [this](TBitmap32*) { BitmapResized(); };
    layers_->SetHost(this);
    layers_->OnChange = [this](TLayerCollection*) { Changed(); };
    layers_->OnGDIUpdate = [this](TLayerCollection*) { repaint(); };
    InitDefaultStages();
    // Moves are reported with no button held too.
    setMouseTracking(true);
}

TCustomImage32::~TCustomImage32()
{
    // Never closed: nothing may repaint while the parts go away.
    BeginUpdate();
    paintStages_.reset();
    layers_->SetHost(nullptr);
    layers_->OnChange = nullptr;
    layers_->OnGDIUpdate = nullptr;
    layers_.reset();
    bitmap_->OnChange = nullptr;
    bitmap_->OnResize = nullptr;
    bitmap_.reset();
}

void TCustomImage32::SetBitmap(const TBitmap32* src)
{
    InvalidateCache();
    bitmap_->Assign(src);
}

void TCustomImage32::SetBitmapAlign(TBitmapAlign value)
{
    bitmapAlign_ = value;
    InvalidateCache();
    changedAll();
}

void TCustomImage32::SetScaleMode(TScaleMode value)
{
    if (value == scaleMode_)
        return;
    scaleMode_ = value;
    InvalidateCache();
    changedAll();
}

void TCustomImage32::SetScale(double value)
{
    if (!std::isfinite(value))
        throw EConvertError("Invalid scale");
    float scale = float(std::max(value, 0.001));
    if (scale == scale_)
        return;
    scale_ = scale;
    InvalidateCache();
    DoScaleChange();
    changedAll();
}

void TCustomImage32::SetColor(const QColor& value)
{
    if (value == color_)
        return;
    color_ = value;
    changedAll();
}

void TCustomImage32::BeginUpdate()
{
    ++updateCount_;
}

void TCustomImage32::EndUpdate()
{
    if (updateCount_ <= 0)
        throw EAssertionFailed("Unpaired EndUpdate call");
    --updateCount_;
}

void TCustomImage32::Changed()
{
    if (updateCount_ != 0)
        return;
    InvalidateCache();
    layers_->ReportChangedAreas();
    if (wholeChanged_ || needsWholeComposition())
        Invalidate();
    else
        InvalidateArea(changedArea_);
    wholeChanged_ = false;
    changedArea_.Clear();
    if (OnChange)
        OnChange(this);
}

void TCustomImage32::changedAll()
{
    wholeChanged_ = true;
    Changed();
}

void TCustomImage32::LayerAreaChanged(const TRect& area)
{
    const TRect r = IntersectRect(area, TRect{0, 0, width(), height()});
    if (r.IsEmpty())
        return;
    changedArea_.Add(r);
    otherChange_ = true;
}

void TCustomImage32::LayerShown(TCustomLayer* layer, const TRect& area)
{
    const TRect r = IntersectRect(area, TRect{0, 0, width(), height()});
    if (r.IsEmpty())
        return;
    changedArea_.Add(r);
    if (shownLayerCount_ < kShownLayersKept)
        shownLayers_[std::size_t(shownLayerCount_++)] = {layer, r};
    else
        otherChange_ = true;
}

bool TCustomImage32::needsWholeComposition() const
{
    if (paintStages_->Count() != int(composedStages_.size()))
        return true;
    for (int i = 0; i < paintStages_->Count(); ++i) {
        const TPaintStage& stage = paintStages_->Items(i);
        if (!(stage == composedStages_[std::size_t(i)]))
            return true;
        if (!stage.RunTime)
            continue;
        // A custom stage may draw anywhere; layers drawn under another mask are not the
        // ones that report their areas.
        if (stage.Stage == psCustom || (stage.Stage == psDrawLayers && stage.Parameter != loVisible))
            return true;
        if (stage.Stage == psDrawLayers && layers_->AnyUnboundedLayer(stage.Parameter))
            return true;
    }
    return false;
}

void TCustomImage32::composed()
{
    const int count = paintStages_->Count();
    bool same = count == int(composedStages_.size());
    for (int i = 0; i < count && same; ++i)
        same = paintStages_->Items(i) == composedStages_[std::size_t(i)];
    if (!same) {
        composedStages_.clear();
        for (int i = 0; i < count; ++i)
            composedStages_.push_back(paintStages_->Items(i));
    }
    layers_->MarkComposed();
    shownLayerCount_ = 0;
    // What a bracket still open has noted goes to the next composition, which must redo it all.
    otherChange_ = !changedArea_.IsEmpty();
}

bool TCustomImage32::paintShownLayersOnTop(const TChangedArea& area)
{
    // Notes of a bracket still open are left to a whole pass of the stages.
    if (otherChange_ || shownLayerCount_ == 0 || area.Spilled() || !changedArea_.IsEmpty())
        return false;
    // Painting layers over the buffer is the composition only where drawing the layers is its last step.
    int drawLayers = -1;
    for (int i = 0; i < paintStages_->Count(); ++i) {
        const TPaintStage& stage = paintStages_->Items(i);
        if (!stage.RunTime)
            continue;
        if (drawLayers >= 0 || stage.Stage == psCustom)
            return false;
        if (stage.Stage == psDrawLayers)
            drawLayers = i;
    }
    if (drawLayers < 0 || paintStages_->Items(drawLayers).Parameter != loVisible)
        return false;
    const std::span<const TShownLayer> shown(shownLayers_.data(), std::size_t(shownLayerCount_));
    for (const TRect& r : area.InlineRects()) {
        const bool covered = std::any_of(shown.begin(), shown.end(),
                                         [&r](const TShownLayer& s) { return IntersectRect(s.Area, r) == r; });
        if (!covered)
            return false;
    }
    TBitmap32& buffer = *Buffer();
    struct ClipReset
    {
        TBitmap32& b;
        ~ClipReset() { b.SetClipRect(b.BoundsRect()); }
    } reset{buffer};
    layers_->SetPaintScale(BufferScale());
    return layers_->PaintOnTop(&buffer, loVisible, shown);
}

QSize TCustomImage32::GetBitmapSize() const
{
    // Only the unscaled size is needed: every view shows its picture at scale 1,
    // so the other scale modes map like smNormal.
    if (bitmap_->Empty() || width() <= 0 || height() <= 0)
        return QSize(0, 0);
    return QSize(bitmap_->Width(), bitmap_->Height());
}

TRect TCustomImage32::GetBitmapRect() const
{
    // Every view is aligned top-left; the other alignments are kept as values only.
    const QSize size = GetBitmapSize();
    if (size.isEmpty())
        return TRect{};
    return TRect{0, 0, size.width(), size.height()};
}

void TCustomImage32::updateCache()
{
    if (cacheValid_)
        return;
    cachedBitmapRect_ = GetBitmapRect();
    cacheValid_ = true;
}

void TCustomImage32::BitmapResized()
{
    InvalidateCache();
    if (OnBitmapResize)
        OnBitmapResize(this);
}

void TCustomImage32::Loaded()
{
    DoInitStages();
}

void TCustomImage32::DoInitStages()
{
    if (OnInitStages)
        OnInitStages(this);
}

void TCustomImage32::DoScaleChange() {}

void TCustomImage32::InitDefaultStages()
{
    auto add = [this](bool designTime, bool runTime, uint32_t stage, uint32_t parameter = 0) {
        TPaintStage* s = paintStages_->Add();
        s->DsgnTime = designTime;
        s->RunTime = runTime;
        s->Stage = stage;
        s->Parameter = parameter;
    };
    add(true, true, psClearBackground);
    add(true, false, psControlFrame);
    add(true, true, psDrawBitmap);
    add(true, false, psBitmapFrame);
    add(true, true, psDrawLayers, loVisible);
}

void TCustomImage32::DoPaintBuffer()
{
    // Marked valid first: a stage that raises reports its error once, instead of on
    // every paint that follows.
    TCustomPaintBox32::DoPaintBuffer();
    updateCache();
    composed();
    runStages(*Buffer());
}

void TCustomImage32::DoPaintBufferArea(const TChangedArea& area)
{
    if (needsWholeComposition()) {
        DoPaintBuffer();
        update();
        return;
    }
    CountComposition();
    updateCache();
    if (paintShownLayersOnTop(area)) {
        composed();
        return;
    }
    composed();
    TBitmap32& buffer = *Buffer();
    // Every stage works pixel by pixel, so each part composed on its own within its clip
    // comes out as the same part of a whole composition.
    // The rectangles' list is taken for the pass and given back after it, so that it keeps its
    // storage and a composition started from within the pass cannot change it underfoot.
    struct Pass
    {
        TBitmap32& buffer;
        std::vector<TRect>& kept;
        std::vector<TRect> rects;
        ~Pass()
        {
            buffer.SetClipRect(buffer.BoundsRect());
            kept = std::move(rects);
        }
    } pass{buffer, compositionRects_, std::move(compositionRects_)};
    area.CompositionRects(pass.rects);
    for (const TRect& r : pass.rects) {
        buffer.SetClipRect(ScaleRect(r, BufferScale()));
        runStages(buffer);
    }
}

void TCustomImage32::runStages(TBitmap32& buffer)
{
    // There is no design mode in this program, so the run-time flags choose the stages.
    for (int i = 0; i < paintStages_->Count(); ++i) {
        const TPaintStage stage = paintStages_->Items(i);
        if (!stage.RunTime)
            continue;
        switch (stage.Stage) {
        case psCustom:
            ExecCustom(buffer, i);
            break;
        case psClearBuffer:
            ExecClearBuffer(buffer, i);
            break;
        case psClearBackground:
            ExecClearBackground(buffer, i);
            break;
        case psDrawBitmap:
            ExecDrawBitmap(buffer, i);
            break;
        case psDrawLayers:
            ExecDrawLayers(buffer, i);
            break;
        case psControlFrame:
            ExecControlFrame(buffer, i);
            break;
        case psBitmapFrame:
            ExecBitmapFrame(buffer, i);
            break;
        default:
            break;
        }
    }
}

int TCustomImage32::WantedBufferScale() const
{
    if (devicePixelRatioF() <= 1.0 || !paintStages_ || !layers_)
        return 1;
    for (int i = 0; i < paintStages_->Count(); ++i) {
        const TPaintStage& stage = paintStages_->Items(i);
        if (stage.RunTime && stage.Stage == psCustom)
            return 1;
    }
    return layers_->AnyUnboundedLayer(0xFFFFFFFFu) ? 1 : 2;
}

void TCustomImage32::DoPaintGDIOverlay(QPainter& canvas)
{
    layers_->PaintGDIOverlays(canvas);
    TCustomPaintBox32::DoPaintGDIOverlay(canvas);
}

namespace {

void frameRect(TBitmap32& dest, const TRect& r, TColor32 color)
{
    if (r.IsEmpty())
        return;
    dest.FillRect(r.Left, r.Top, r.Right, r.Top + 1, color);
    dest.FillRect(r.Left, r.Bottom - 1, r.Right, r.Bottom, color);
    dest.FillRect(r.Left, r.Top, r.Left + 1, r.Bottom, color);
    dest.FillRect(r.Right - 1, r.Top, r.Right, r.Bottom, color);
}

} // namespace

void TCustomImage32::ExecBitmapFrame(TBitmap32& dest, int)
{
    frameRect(dest, ScaleRect(cachedBitmapRect_, BufferScale()), clBlack32);
}

void TCustomImage32::ExecClearBuffer(TBitmap32& dest, int)
{
    dest.Clear(Color32(color_));
}

void TCustomImage32::ExecClearBackground(TBitmap32& dest, int)
{
    if (bitmap_->Empty() || bitmap_->DrawMode() != dmOpaque) {
        // Within the clip rectangle, which is all of the buffer for a whole composition.
        dest.FillRect(0, 0, dest.Width(), dest.Height(), Color32(color_));
        return;
    }
    // An opaque bitmap covers its own rectangle, so only the bands around it are filled.
    const int s = BufferScale();
    const TRect r = ScaleRect(cachedBitmapRect_, s);
    const int w = width() * s;
    const int h = height() * s;
    if (IntersectRect(dest.ClipRect(), r) == dest.ClipRect())
        return; // the part composed lies on the bitmap
    const TColor32 c = Color32(color_);
    if (r.Left > 0 || r.Right < w || r.Top > 0 || r.Bottom < h) {
        dest.FillRect(0, 0, w, r.Top, c);
        dest.FillRect(0, r.Bottom, w, h, c);
        dest.FillRect(0, r.Top, r.Left, r.Bottom, c);
        dest.FillRect(r.Right, r.Top, w, r.Bottom, c);
    }
}

void TCustomImage32::ExecControlFrame(TBitmap32& dest, int)
{
    frameRect(dest, ScaleRect(TRect{0, 0, width(), height()}, BufferScale()), clBlack32);
}

void TCustomImage32::ExecCustom(TBitmap32& dest, int stageNum)
{
    if (OnPaintStage)
        OnPaintStage(this, &dest, static_cast<unsigned>(stageNum));
}

void TCustomImage32::ExecDrawBitmap(TBitmap32& dest, int)
{
    const int s = BufferScale();
    if (bitmap_->Empty() || IntersectRect(ScaleRect(cachedBitmapRect_, s), dest.ClipRect()).IsEmpty())
        return; // also where the part composed lies beside the bitmap
    BitmapLock lock(*bitmap_);
    if (s == 1) {
        bitmap_->DrawTo(dest, cachedBitmapRect_);
        return;
    }
    // The picture at twice the resolution where there is one, else the plain one stretched.
    const TBitmap32* source = bitmap_.get();
    if (s == 2 && bitmap_->MasterAlpha() == 255 && bitmap_->CombineMode() == cmBlend)
        if (const TBitmap32* detail = bitmap_->DetailPicture())
            source = detail;
    Transfer(&dest, ScaleRect(cachedBitmapRect_, s), dest.ClipRect(), source, source->BoundsRect(),
             bitmap_->StretchFilter(), bitmap_->DrawMode(), bitmap_->OnPixelCombine);
}

void TCustomImage32::ExecDrawLayers(TBitmap32& dest, int stageNum)
{
    // Within part of the view, only the layers reaching into it need to paint.
    const bool partial = !(dest.ClipRect() == dest.BoundsRect());
    layers_->SetPaintScale(BufferScale());
    layers_->PaintLayers(&dest, paintStages_->Items(stageNum).Parameter, partial);
}

void TCustomImage32::MouseDownWithLayer(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y,
                                        TCustomLayer* layer)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y, layer);
}

void TCustomImage32::MouseMoveWithLayer(Qt::KeyboardModifiers shift, int x, int y, TCustomLayer* layer)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y, layer);
}

void TCustomImage32::MouseUpWithLayer(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y,
                                      TCustomLayer* layer)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y, layer);
}

// Qt grabs the mouse for the widget on every press, so the matching release
// arrives here even when the pointer has left the view, in client coordinates
// outside the view.
void TCustomImage32::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    const QPoint p = clientPixel(event);
    TCustomLayer* layer = nullptr;
    if (layers_->MouseEvents())
        layer = layers_->MouseDown(event->button(), event->modifiers(), p.x(), p.y());
    MouseDownWithLayer(event->button(), event->modifiers(), p.x(), p.y(), layer);
}

void TCustomImage32::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    const QPoint p = clientPixel(event);
    TCustomLayer* layer = nullptr;
    if (layers_->MouseEvents())
        layer = layers_->MouseMove(event->modifiers(), p.x(), p.y());
    MouseMoveWithLayer(event->modifiers(), p.x(), p.y(), layer);
}

void TCustomImage32::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    const QPoint p = clientPixel(event);
    TCustomLayer* layer = nullptr;
    if (layers_->MouseEvents())
        layer = layers_->MouseUp(event->button(), event->modifiers(), p.x(), p.y());
    MouseUpWithLayer(event->button(), event->modifiers(), p.x(), p.y(), layer);
}

void TCustomImage32::resizeEvent(QResizeEvent* event)
{
    InvalidateCache();
    TCustomPaintBox32::resizeEvent(event);
}

TImage32::TImage32(QWidget* parent) : TCustomImage32(parent) {}

QString TImage32::BitmapAlignName() const
{
    return QLatin1String(kBitmapAlignNames[static_cast<std::size_t>(BitmapAlign())]);
}

void TImage32::SetBitmapAlignName(const QString& name)
{
    SetBitmapAlign(static_cast<TBitmapAlign>(identifierIndex(kBitmapAlignNames, name, "BitmapAlign")));
}

QString TImage32::ScaleModeName() const
{
    return QLatin1String(kScaleModeNames[static_cast<std::size_t>(ScaleMode())]);
}

void TImage32::SetScaleModeName(const QString& name)
{
    SetScaleMode(static_cast<TScaleMode>(identifierIndex(kScaleModeNames, name, "ScaleMode")));
}
