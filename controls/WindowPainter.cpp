#include "controls/WindowPainter.h"

#include <QBackingStore>
#include <QImage>
#include <QWidget>
#include <QWindow>

namespace lirasto::skin {

namespace {

bool coversArea(const QObject* object, const QRect& area)
{
    const auto* widget = qobject_cast<const QWidget*>(object);
    return widget && !widget->isWindow() && widget->isVisible() && widget->geometry().intersects(area);
}

// Whether everything in `area` of `widget` shows the widget's own pixels: it lies inside every
// ancestor, and no child and no widget stacked above it or above an ancestor reaches into it,
// transparent ones included. Nor may an effect stand between the widget and its window.
bool ownsArea(const QWidget& widget, QRect area)
{
    for (const QObject* child : widget.children()) {
        if (coversArea(child, area))
            return false;
    }
    for (const QWidget* w = &widget; !w->isWindow(); w = w->parentWidget()) {
        if (w->graphicsEffect())
            return false;
        const QWidget* parent = w->parentWidget();
        area.translate(w->pos());
        if (!parent->rect().contains(area))
            return false;
        // A parent's children are kept in stacking order, the topmost last.
        const QObjectList& siblings = parent->children();
        for (qsizetype i = siblings.indexOf(w) + 1; i < siblings.size(); ++i) {
            if (coversArea(siblings[i], area))
                return false;
        }
    }
    return true;
}

} // namespace

TWindowPainter::TWindowPainter(QWidget& widget, const QRect& area)
{
    if (area.isEmpty() || !widget.isVisible() || !widget.updatesEnabled())
        return;
    QWidget* top = widget.window();
    // A widget in a native window of its own, or under one, is shown through that window.
    if (&widget != top && (widget.internalWinId() || widget.nativeParentWidget() != top))
        return;
    QWindow* handle = top->windowHandle();
    QBackingStore* store = top->backingStore();
    if (!handle || !handle->isExposed() || !store)
        return;
    if (!widget.rect().contains(area) || !ownsArea(widget, area))
        return;
    origin_ = widget.mapTo(top, QPoint());
    region_ = QRegion(area.translated(origin_));
    store->beginPaint(region_);
    store_ = store;
    window_ = handle;
}

TWindowPainter::~TWindowPainter()
{
    if (!store_)
        return;
    store_->endPaint();
    store_->flush(region_, window_);
}

QPaintDevice* TWindowPainter::Device() const
{
    return store_ ? store_->paintDevice() : nullptr;
}

QImage* TWindowPainter::Pixels() const
{
    QPaintDevice* device = this->Device();
    if (!device || device->devType() != QInternal::Image)
        return nullptr;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format format = image->format();
    const bool fourBytes = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
                           format == QImage::Format_ARGB32_Premultiplied;
    if (!fourBytes || image->devicePixelRatio() != 1.0 || !image->rect().contains(region_.boundingRect()))
        return nullptr;
    return image;
}

} // namespace lirasto::skin
