#pragma once

#include <QPoint>
#include <QRect>
#include <QRegion>

class QBackingStore;
class QImage;
class QPaintDevice;
class QWidget;
class QWindow;

namespace lirasto::skin {

// Paints part of a widget straight into its window's backing store and puts that part on screen
// when it goes out of scope, with no paint event. Qt's repaint pass (queueing the area, working
// out what lies under it, a painter set up for the widget) costs several times what a control
// that moves a few pixels forty times a second needs to do; this skips it.
//
// It is only right when the caller paints everything a paint event would show there, so it stays
// inactive, touching nothing, unless the whole area is visible: the widget shown, not covered by
// other widgets, in no native window of its own, and its window on screen. The caller then
// repaints the usual way.
class TWindowPainter
{
public:
    TWindowPainter(QWidget& widget, const QRect& area);
    ~TWindowPainter();
    TWindowPainter(const TWindowPainter&) = delete;
    TWindowPainter& operator=(const TWindowPainter&) = delete;

    bool IsActive() const { return store_ != nullptr; }
    // What to paint on, in the window's coordinates: the widget's (0, 0) is at Origin().
    QPaintDevice* Device() const;
    QPoint Origin() const { return origin_; }
    // The window's pixels when they can be written directly: 32 bits each, one per widget pixel,
    // holding the whole area. Null otherwise; then paint on Device().
    QImage* Pixels() const;

private:
    QBackingStore* store_ = nullptr;
    QWindow* window_ = nullptr;
    QRegion region_;
    QPoint origin_;
};

} // namespace lirasto::skin
