#include "app/window/WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace {

int fittedStart(int areaStart, int areaLength, int length)
{
    return length >= areaLength ? areaStart : areaStart + (areaLength - length) / 2;
}

// Watches the window's frame: before the window manager has drawn one the frame is the client area alone,
// and its final size is known only after the window is mapped.
class TPlacementWatch : public QObject
{
public:
    TPlacementWatch(QWidget* window) : QObject(window), window_(window), designed_(window->pos()) { place(); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window_ &&
            (event->type() == QEvent::Show || event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
            window_->frameGeometry().size() != placedWith_)
            place();
        return false;
    }

private:
    void place()
    {
        QScreen* screen = QGuiApplication::screenAt(designed_);
        if (!screen)
            screen = window_->screen();
        if (!screen)
            return;
        placedWith_ = window_->frameGeometry().size();
        const QPoint at = FittedPosition(screen->availableGeometry(), placedWith_, designed_);
        if (at != window_->pos())
            window_->move(at);
    }

    QWidget* window_;
    QPoint designed_;
    QSize placedWith_;
};

} // namespace

QPoint FittedPosition(const QRect& available, const QSize& frame, const QPoint& designed)
{
    if (available.contains(QRect(designed, frame)))
        return designed;
    return {fittedStart(available.left(), available.width(), frame.width()),
            fittedStart(available.top(), available.height(), frame.height())};
}

void KeepWindowOnScreen(QWidget* window)
{
    window->installEventFilter(new TPlacementWatch(window));
}
