#include "graphics/Image32.h"

#include "core/Checked.h"
#include "core/Errors.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>

using lirasto::BitmapLock;
using lirasto::EListError;

void TPaintStages::outOfBounds(int index)
{
    throw EListError(lirasto::ListIndexMessage(index));
}

TPaintStage* TPaintStages::Add()
{
    items_.emplace_back();
    return &items_.back();
}

TPaintStage* TPaintStages::Insert(int index)
{
    if (index < 0 || index > Count())
        throw EListError(lirasto::ListIndexMessage(index));
    return &*items_.emplace(items_.begin() + index);
}

void TPaintStages::Delete(int index)
{
    if (index < 0 || index >= Count())
        throw EListError(lirasto::ListIndexMessage(index));
    items_.erase(items_.begin() + index);
}

TCustomPaintBox32::TCustomPaintBox32(QWidget* parent) : QWidget(parent), buffer_(std::make_unique<TBitmap32>())
{
    // The buffer is held in a bracket for its whole life, so it never notifies.
    buffer_->BeginUpdate();
    // Every pixel is painted from the buffer, so erasing first would only make the window flash.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    resize(192, 192);
}

TCustomPaintBox32::~TCustomPaintBox32() = default;

void TCustomPaintBox32::Invalidate()
{
    bufferValid_ = false;
    pending_.Clear();
    update();
}

void TCustomPaintBox32::InvalidateRegion(const QRegion& region)
{
    if (region.isEmpty())
        return;
    if (bufferValid_)
        pending_.Add(region);
    InvalidatedFromOutside();
    update(region);
}

void TCustomPaintBox32::InvalidateArea(const TChangedArea& area)
{
    if (area.IsEmpty())
        return;
    if (bufferValid_)
        pending_.Add(area);
    if (area.Spilled()) {
        update(area.Region());
        return;
    }
    // Rectangle by rectangle: Qt joins them into the window's dirty region without a region of our own.
    for (const TRect& r : area.InlineRects())
        update(QRect(r.Left, r.Top, int(r.Width()), int(r.Height())));
}

void TCustomPaintBox32::ForceCompose()
{
    ResizeBuffer();
    if (!bufferValid_) {
        pending_.Clear();
        DoPaintBuffer();
    } else if (!pending_.IsEmpty()) {
        // Inline on the stack: taking the area allocates nothing unless it spilled.
        const TChangedArea area = pending_;
        pending_.Clear();
        DoPaintBufferArea(area);
    }
}

TRect TCustomPaintBox32::GetViewportRect() const
{
    return TRect{0, 0, width(), height()};
}

void TCustomPaintBox32::DoPaintBuffer()
{
    bufferValid_ = true;
    ++compositions_;
}

void TCustomPaintBox32::DoPaintBufferArea(const TChangedArea&)
{
    DoPaintBuffer();
}

void TCustomPaintBox32::DoPaintGDIOverlay(QPainter&)
{
    if (OnGDIOverlay)
        OnGDIOverlay(this);
}

void TCustomPaintBox32::MouseEnter()
{
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TCustomPaintBox32::MouseLeave()
{
    if (OnMouseLeave)
        OnMouseLeave(this);
}

int TCustomPaintBox32::WantedBufferScale() const
{
    // A plain paint box's subclass draws its buffer in logical pixels; Qt scales it.
    return 1;
}

// The buffer grows with some slack and keeps its size within that slack, so that
// small resizes do not reallocate it.
void TCustomPaintBox32::ResizeBuffer()
{
    const int scale = WantedBufferScale();
    if (scale != bufferScale_) {
        // A new scale (another screen, or a view that starts painting for itself) needs every pixel anew.
        bufferScale_ = scale;
        bufferValid_ = false;
        pending_.Clear();
        update();
    }
    const TRect viewport = ScaleRect(GetViewportRect(), bufferScale_);
    auto fit = [this](int64_t wanted, int current) {
        wanted = std::max<int64_t>(wanted, 0);
        int64_t size = current;
        if (wanted > current)
            size = lirasto::CheckedAdd<int64_t>(wanted, bufferOversize_);
        else if (wanted < int64_t(current) - bufferOversize_)
            size = wanted;
        return lirasto::CheckedCast<int>(std::max<int64_t>(size, 1));
    };
    const int newWidth = fit(viewport.Width(), buffer_->Width());
    const int newHeight = fit(viewport.Height(), buffer_->Height());
    if (newWidth != buffer_->Width() || newHeight != buffer_->Height()) {
        BitmapLock lock(*buffer_);
        buffer_->SetSize(newWidth, newHeight);
        bufferValid_ = false;
    }
}

void TCustomPaintBox32::paintEvent(QPaintEvent* event)
{
    ForceCompose();
    QPainter painter(this);
    if (!buffer_->Empty()) {
        BitmapLock lock(*buffer_);
        // Shown straight from the buffer's memory: RGB32 ignores the alpha byte, and Qt
        // draws it without converting the pixels.
        const int bw = buffer_->Width();
        const int bh = buffer_->Height();
        QImage view(reinterpret_cast<const uchar*>(buffer_->Bits()), bw, bh, qsizetype(bw) * 4, QImage::Format_RGB32);
        const int s = bufferScale_;
        const QRegion area = event->region() & QRect(0, 0, std::min(width(), bw / s), std::min(height(), bh / s));
        if (s == 1) {
            for (const QRect& r : area)
                painter.drawImage(r.topLeft(), view, r);
        } else if (devicePixelRatioF() == s) {
            // One buffer pixel to one device pixel: Qt copies the pixels as they are.
            view.setDevicePixelRatio(s);
            for (const QRect& r : area)
                painter.drawImage(QRectF(r), view, QRectF(r.x() * s, r.y() * s, r.width() * s, r.height() * s));
        } else {
            // Between whole ratios the finer buffer is scaled down smoothly, in one piece so that
            // no seams show where the repainted rectangles meet.
            view.setDevicePixelRatio(s);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.setClipRegion(area);
            painter.drawImage(QRectF(0, 0, double(bw) / s, double(bh) / s), view);
            painter.setClipping(false);
        }
    }
    DoPaintGDIOverlay(painter);
}

void TCustomPaintBox32::resizeEvent(QResizeEvent* event)
{
    // Qt also sends resize events that change nothing (before rendering a hidden
    // widget); only a real change of size calls for a new composition.
    if (event->size() != lastSize_) {
        lastSize_ = event->size();
        ResizeBuffer();
        bufferValid_ = false;
    }
    QWidget::resizeEvent(event);
}

void TCustomPaintBox32::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    MouseEnter();
}

void TCustomPaintBox32::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    MouseLeave();
}
