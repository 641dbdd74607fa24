#include "controls/TSkinScrollingText.h"

#include "controls/WindowPainter.h"
#include "core/Errors.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QThread>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>

using namespace lirasto::skin;

namespace {

// Posted by the worker for each step; an event of our own carries no closure across threads.
const QEvent::Type kStepEvent = QEvent::Type(QEvent::registerEventType());

// A premultiplied pixel over an opaque one, rounded as Qt's raster painter rounds, so that a
// step written straight to the window shows exactly what a repaint of the same place would.
inline QRgb sourceOver(QRgb source, QRgb target)
{
    const uint alpha = qAlpha(source);
    if (alpha == 255)
        return source;
    if (alpha == 0)
        return target;
    const uint rest = 255 - alpha;
    uint redBlue = (target & 0x00ff00ffu) * rest;
    redBlue = ((redBlue + ((redBlue >> 8) & 0x00ff00ffu) + 0x00800080u) >> 8) & 0x00ff00ffu;
    uint alphaGreen = ((target >> 8) & 0x00ff00ffu) * rest;
    alphaGreen = (alphaGreen + ((alphaGreen >> 8) & 0x00ff00ffu) + 0x00800080u) & 0xff00ff00u;
    return source + (redBlue | alphaGreen);
}

} // namespace

// Sleeps Interval milliseconds, then asks the GUI thread for one step. It does not wait to be
// told that the step is done: the next pause is lengthened by the time the last step took, which
// keeps the pace of a worker that waits for each step, with one wake-up per step instead of two.
// A step still pending when the pause ends is waited for, so steps never pile up. Every wait
// also ends when the control stops it, so stopping never depends on the GUI thread taking a step.
class TSkinScrollingText::Worker : public QThread
{
public:
    explicit Worker(TSkinScrollingText* owner) : owner_(owner) {}

protected:
    void run() override
    {
        TSkinScrollingText* o = owner_;
        std::unique_lock lock(o->mutex_);
        loop(o, lock);
        // Said under the control's own mutex, so its destructor knows the worker is done with
        // the control before the thread object is joined.
        o->workerExited_ = true;
        o->wake_.notify_all();
    }

private:
    using Clock = std::chrono::steady_clock;

    static void loop(TSkinScrollingText* o, std::unique_lock<std::mutex>& lock)
    {
        auto interval = [o] { return Clock::duration(std::chrono::milliseconds(std::max(0, o->interval_.load()))); };
        Clock::time_point wakeAt = Clock::now() + interval();
        Clock::time_point postedAt{};
        for (;;) {
            if (!o->running_) {
                o->wake_.wait(lock, [o] { return o->stopping_ || o->running_; });
                wakeAt = Clock::now() + interval();
            }
            if (o->stopping_)
                return;
            if (o->wake_.wait_until(lock, wakeAt, [o] { return o->stopping_ || !o->running_; })) {
                if (o->stopping_)
                    return;
                continue;
            }
            if (o->stepPending_) {
                o->workerWaitsForStep_ = true;
                o->wake_.wait(lock, [o] { return o->stopping_ || !o->stepPending_; });
                o->workerWaitsForStep_ = false;
                if (o->stopping_)
                    return;
                wakeAt = o->stepDoneAt_ + interval();
                continue;
            }
            // What the last step took, counted from its request to its end; a step held up by a
            // busy GUI thread counts for no more than one interval.
            const Clock::duration took =
                postedAt == Clock::time_point{}
                    ? Clock::duration::zero()
                    : std::clamp(o->stepDoneAt_ - postedAt, Clock::duration::zero(), interval());
            postedAt = Clock::now();
            o->stepPending_ = true;
            // Posted without the lock: the GUI thread wakes at once and takes it for the step, and
            // would otherwise wait for it here.
            lock.unlock();
            QCoreApplication::postEvent(o, new QEvent(kStepEvent));
            lock.lock();
            wakeAt = postedAt + interval() + took;
        }
    }

    TSkinScrollingText* owner_;
};

TSkinScrollingText::TSkinScrollingText(QWidget* parent)
    : QWidget(parent), TSkinWallpapered(this, [this] { invalidate(); }), TSkinShadowed(this)
{
    shadow_.Color = ButtonHighlight(palette());
    color_ = ButtonFace(palette());
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(97, 15);
    resetPosition();
}

TSkinScrollingText::~TSkinScrollingText()
{
    stopThread();
}

void TSkinScrollingText::stopThread()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        running_ = false;
    }
    wake_.notify_all();
    if (thread_) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return workerExited_; });
        }
        thread_->wait();
        thread_.reset();
    }
    // A step the worker posted before stopping is dropped with this object's posted events.
}

void TSkinScrollingText::SetActive(bool on)
{
    if (on == active_)
        return;
    active_ = on;
    configureTimer();
}

void TSkinScrollingText::SetInterval(int ms)
{
    interval_.store(std::max(1, ms));
    configureTimer();
}

void TSkinScrollingText::SetScrollDirection(TScrollDirection direction)
{
    direction_ = direction;
    resetPosition();
    update();
}

QString TSkinScrollingText::ScrollDirectionName() const
{
    return ScrollDirectionNames()[direction_];
}

void TSkinScrollingText::SetScrollDirectionName(const QString& name)
{
    SetScrollDirection(TScrollDirection(OrdinalFromName(name, ScrollDirectionNames(), "TScrollDirection")));
}

void TSkinScrollingText::SetStrings(const QStringList& strings)
{
    strings_ = strings;
    invalidate();
}

void TSkinScrollingText::SetTransparent(bool on)
{
    transparent_ = on;
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    if (on && Running())
        takeSnapshot();
    invalidate();
}

QString TSkinScrollingText::AlignmentName() const
{
    return AlignmentNames()[alignment_];
}

void TSkinScrollingText::SetAlignmentName(const QString& name)
{
    alignment_ = TAlignment(OrdinalFromName(name, AlignmentNames(), "TAlignment"));
    invalidate();
}

void TSkinScrollingText::Loaded()
{
    resetPosition();
    configureTimer();
}

QString TSkinScrollingText::Text() const
{
    return strings_.join(QLatin1Char('\n')) + QLatin1Char(' ');
}

QSize TSkinScrollingText::TextSize() const
{
    // Measured once per text, font and shadow: laying out the whole line at every step would
    // cost more than the step itself.
    if (!textSize_.isValid()) {
        const int extra = ShadowExtra(shadow_);
        textSize_ = fontMetrics().size(0, Text()) + QSize(extra, extra);
    }
    return textSize_;
}

bool TSkinScrollingText::Running() const
{
    std::lock_guard lock(mutex_);
    return running_;
}

QPoint TSkinScrollingText::startPosition() const
{
    switch (direction_) {
    case sdRightToLeft:
        return QPoint(width(), 0);
    case sdLeftToRight:
        return QPoint(-width(), 0);
    case sdBottomToTop:
        return QPoint(0, height());
    case sdTopToBottom:
        return QPoint(0, -height());
    }
    return QPoint(width(), 0);
}

void TSkinScrollingText::resetPosition()
{
    position_ = startPosition();
    stepped_ = false;
}

void TSkinScrollingText::Step()
{
    if (!stepped_)
        position_ = startPosition();
    const QPoint before = position_;
    const QSize text = TextSize();
    bool restartAtZero = false;
    auto finished = [&] {
        if (OnTextScrolled)
            OnTextScrolled(this, restartAtZero);
    };
    switch (direction_) {
    case sdRightToLeft:
        if (position_.x() <= -text.width()) {
            finished();
            position_.setX(restartAtZero ? 0 : width());
        } else {
            position_.rx() -= 1;
        }
        break;
    case sdLeftToRight:
        if (position_.x() >= width()) {
            finished();
            position_.setX(restartAtZero ? 0 : -width());
        } else {
            position_.rx() += 1;
        }
        break;
    case sdBottomToTop:
        if (position_.y() <= -text.height()) {
            finished();
            position_.setY(restartAtZero ? 0 : height());
        } else {
            position_.ry() -= 1;
        }
        break;
    case sdTopToBottom:
        if (position_.y() >= height()) {
            finished();
            position_.setY(restartAtZero ? 0 : -height());
        } else {
            position_.ry() += 1;
        }
        break;
    }
    stepped_ = true;
    // Written straight into the window where the line is all that shows there; otherwise painted
    // at once rather than through a posted update, so each step is one pass of the event loop.
    const QRect area = lineRect(before) | lineRect(position_);
    if (!paintStraightToWindow(area))
        repaint(area);
}

bool TSkinScrollingText::paintStraightToWindow(const QRect& area)
{
    // Only once a paint has kept the background and the line: until then a paint draws them.
    if (!prepared())
        return false;
    lirasto::skin::TWindowPainter window(*this, area);
    if (!window.IsActive())
        return false;
    QImage* pixels = window.Pixels();
    if (pixels && line_.devicePixelRatio() == 1.0) {
        compose(*pixels, window.Origin(), area);
    } else {
        QPainter painter(window.Device());
        painter.translate(window.Origin());
        paintArea(painter, area);
    }
    return true;
}

void TSkinScrollingText::compose(QImage& target, QPoint origin, const QRect& area) const
{
    const QPoint lineAt = Position() - QPoint(lineMargin(), lineMargin());
    const QRect lineArea = QRect(lineAt, line_.size()) & area;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(target.scanLine(origin.y() + y)) + origin.x() + area.left();
        std::memcpy(row, background_.constScanLine(y) + area.left() * sizeof(QRgb), area.width() * sizeof(QRgb));
        if (y < lineArea.top() || y > lineArea.bottom())
            continue;
        const auto* ink = reinterpret_cast<const QRgb*>(line_.constScanLine(y - lineAt.y())) + lineArea.left() - lineAt.x();
        QRgb* under = row + lineArea.left() - area.left();
        for (int x = 0; x < lineArea.width(); ++x)
            under[x] = sourceOver(ink[x], under[x]);
    }
}

QRect TSkinScrollingText::lineRect(QPoint position) const
{
    const int m = lineMargin();
    if (!line_.isNull())
        return inkRect_.translated(position - QPoint(m, m)) & rect();
    return QRect(position - QPoint(m, m), TextSize() + QSize(2 * m, 2 * m)) & rect();
}

int TSkinScrollingText::lineMargin() const
{
    return std::abs(shadow_.Size) + 2;
}

bool TSkinScrollingText::event(QEvent* event)
{
    if (event->type() != kStepEvent)
        return QWidget::event(event);
    workerAsksForStep();
    return true;
}

void TSkinScrollingText::workerAsksForStep()
{
    bool run;
    {
        std::lock_guard lock(mutex_);
        run = running_;
    }
    if (run)
        Step();
    bool wanted;
    {
        std::lock_guard lock(mutex_);
        stepPending_ = false;
        stepDoneAt_ = std::chrono::steady_clock::now();
        wanted = workerWaitsForStep_;
    }
    // The worker sleeping out its pause is not woken for this: that is the wake-up it saves.
    if (wanted)
        wake_.notify_all();
}

void TSkinScrollingText::configureTimer()
{
    // The credits line rests while its page is hidden, so the page in front costs no CPU.
    // It rests too while the window is minimised or covered by nothing at all (unmapped).
    const bool run = active_ && isVisible() && onScreen_ && !window()->isMinimized();
    bool started = false;
    {
        std::lock_guard lock(mutex_);
        if (stopping_)
            return;
        started = run && !running_;
        running_ = run;
    }
    wake_.notify_all();
    if (started) {
        if (transparent_)
            takeSnapshot();
        if (!thread_) {
            thread_ = std::make_unique<Worker>(this);
            thread_->start(QThread::LowestPriority);
            if (!thread_->isRunning() && !thread_->isFinished()) {
                // The system refused a thread: the text stands still rather than waiting on a worker that never ran.
                std::lock_guard lock(mutex_);
                workerExited_ = true;
            }
        }
    }
}

void TSkinScrollingText::takeSnapshot()
{
    snapshot_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    snapshot_.fill(color_);
    QPainter painter(&snapshot_);
    PaintParentBackground(this, painter, 0);
    painter.end();
    invalidate();
}

void TSkinScrollingText::invalidate()
{
    background_ = QImage();
    backgroundSize_ = QSize();
    line_ = QImage();
    inkRect_ = QRect();
    textSize_ = QSize();
    update();
}

void TSkinScrollingText::drawLine(QPainter& painter, QPoint at) const
{
    painter.setFont(font());
    DrawShadowText(painter, QRect(at, TextSize()), AlignmentFlags(alignment_) | Qt::AlignTop | Qt::TextDontClip, Text(),
                   WindowText(this), shadow_, isEnabled(), palette());
}

bool TSkinScrollingText::prepared() const
{
    const qreal ratio = devicePixelRatioF();
    return !line_.isNull() && line_.devicePixelRatio() == ratio && !background_.isNull() &&
           background_.devicePixelRatio() == ratio && backgroundSize_ == size();
}

void TSkinScrollingText::prepare()
{
    // Both pictures are kept at the screen's resolution, so that the text is as sharp as any
    // label's on a scaled screen; a window moved to a screen of another scale draws them again.
    const qreal ratio = devicePixelRatioF();
    if (line_.devicePixelRatio() != ratio)
        line_ = QImage();
    if (background_.isNull() || backgroundSize_ != size() || background_.devicePixelRatio() != ratio) {
        // Opaque, so that copying it to the window is a plain copy of rows, not a blend.
        backgroundSize_ = size();
        background_ = QImage((QSizeF(size()) * ratio).toSize(), QImage::Format_RGB32);
        background_.setDevicePixelRatio(ratio);
        background_.fill(color_);
        QPainter painter(&background_);
        if (transparent_ && !snapshot_.isNull())
            painter.drawImage(0, 0, snapshot_);
        if (!wallpaper_.Paint(painter, rect()) && !transparent_)
            painter.fillRect(rect(), color_);
    }
    const int m = lineMargin();
    const QSize lineSize = (QSizeF(TextSize() + QSize(2 * m, 2 * m)) * ratio).toSize();
    if (line_.isNull() && qint64(lineSize.width()) * lineSize.height() <= kMaxLinePixels) {
        line_ = QImage(lineSize, QImage::Format_ARGB32_Premultiplied);
        line_.setDevicePixelRatio(ratio);
        line_.fill(Qt::transparent);
        QPainter painter(&line_);
        drawLine(painter, QPoint(m, m));
        painter.end();
        const QRect ink = inkBounds(line_);
        inkRect_ = ink.isNull() ? QRect()
                                : QRectF(ink.x() / ratio, ink.y() / ratio, ink.width() / ratio, ink.height() / ratio)
                                      .toAlignedRect();
    }
}

QRect TSkinScrollingText::inkBounds(const QImage& line)
{
    // Rows and columns left fully transparent change nothing when the line moves, so a step
    // repaints only the pixels the text and its shadow really cover.
    int top = line.height(), bottom = -1, left = line.width(), right = -1;
    for (int y = 0; y < line.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(line.constScanLine(y));
        int first = -1, last = -1;
        for (int x = 0; x < line.width(); ++x) {
            if (qAlpha(row[x]) != 0) {
                if (first < 0)
                    first = x;
                last = x;
            }
        }
        if (first < 0)
            continue;
        top = std::min(top, y);
        bottom = y;
        left = std::min(left, first);
        right = std::max(right, last);
    }
    return bottom < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

void TSkinScrollingText::paintEvent(QPaintEvent* event)
{
    // The background and the line are each drawn once; a step only copies the line to its new
    // place over the background, in the few pixels it covers.
    prepare();
    QPainter painter(this);
    paintArea(painter, event->rect());
}

void TSkinScrollingText::paintArea(QPainter& painter, const QRect& dirty) const
{
    const qreal ratio = background_.devicePixelRatio();
    painter.drawImage(QRectF(dirty), background_,
                      QRectF(QPointF(dirty.topLeft()) * ratio, QSizeF(dirty.size()) * ratio));
    painter.setClipRect(dirty);
    if (!line_.isNull()) {
        const int m = lineMargin();
        painter.drawImage(Position() - QPoint(m, m), line_);
    } else {
        drawLine(painter, Position()); // a line too long to keep as a picture
    }
}

void TSkinScrollingText::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    watchWindow();
    // Shown means about to be on screen; the window system reports it when that is not so.
    onScreen_ = true;
    configureTimer();
}

void TSkinScrollingText::watchWindow()
{
    QWidget* top = window();
    if (top == this)
        return;
    if (top != watchedWidget_) {
        if (watchedWidget_)
            watchedWidget_->removeEventFilter(this);
        watchedWidget_ = top;
        top->installEventFilter(this);
    }
    QWindow* handle = top->windowHandle();
    if (handle && handle != watchedWindow_) {
        if (watchedWindow_)
            watchedWindow_->removeEventFilter(this);
        watchedWindow_ = handle;
        handle->installEventFilter(this);
    }
}

bool TSkinScrollingText::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == watchedWindow_ && event->type() == QEvent::Expose) {
        onScreen_ = watchedWindow_->isExposed();
        configureTimer();
    } else if (watched == watchedWidget_ && event->type() == QEvent::WindowStateChange) {
        configureTimer();
    }
    return QWidget::eventFilter(watched, event);
}

void TSkinScrollingText::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    configureTimer();
}

void TSkinScrollingText::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (transparent_ && Running())
        takeSnapshot();
    invalidate();
}

void TSkinScrollingText::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange ||
        event->type() == QEvent::EnabledChange)
        invalidate();
    QWidget::changeEvent(event);
}
