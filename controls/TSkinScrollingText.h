#pragma once

#include "controls/TSkinShadowed.h"
#include "controls/TSkinWallpaper.h"

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class QThread;
class QWindow;

// A text line that moves one pixel per step across the control. Steps come from a low-priority
// worker thread that only sleeps and asks the GUI thread to take the next step. A step repaints
// only the pixels the text covers before and after it, from a kept background and a kept line,
// and writes them straight into the window without a paint event where nothing else shows there.
class TSkinScrollingText : public QWidget, public TSkinWallpapered, public TSkinShadowed
{
    Q_OBJECT
    LIRASTO_SKIN_WALLPAPER_PROPERTIES
    LIRASTO_SKIN_SHADOW_PROPERTIES
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(int Interval READ Interval WRITE SetInterval)
    Q_PROPERTY(QString ScrollDirection READ ScrollDirectionName WRITE SetScrollDirectionName)
    Q_PROPERTY(QStringList Strings READ Strings WRITE SetStrings)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(QString Alignment READ AlignmentName WRITE SetAlignmentName)
public:
    explicit TSkinScrollingText(QWidget* parent = nullptr);
    ~TSkinScrollingText() override;

    bool Active() const { return active_; }
    void SetActive(bool on);
    int Interval() const { return interval_.load(); }
    void SetInterval(int ms);
    TScrollDirection ScrollDirection() const { return direction_; }
    void SetScrollDirection(TScrollDirection direction);
    QString ScrollDirectionName() const;
    void SetScrollDirectionName(const QString& name);
    QStringList Strings() const { return strings_; }
    void SetStrings(const QStringList& strings);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    QString AlignmentName() const;
    void SetAlignmentName(const QString& name);

    // Called once the design has been applied: the text goes back to its starting place.
    Q_INVOKABLE void Loaded();
    // Moves the text one pixel; the worker thread asks for this every Interval milliseconds.
    void Step();
    // Until the first step the text waits at the start for the control's current size.
    QPoint Position() const { return stepped_ ? position_ : startPosition(); }
    // The drawn text's measured extent (shadow copy included); the text has left the control
    // once it has moved this far past the edge.
    QSize TextSize() const;
    QString Text() const;
    // Whether the worker thread is stepping now: active, shown and not being destroyed.
    bool Running() const;
    // Whether a worker thread exists (it may be paused).
    bool HasThread() const { return thread_ != nullptr; }

    // Asked when the text has left the control; setting `restartAtZero` starts it at x = 0.
    std::function<void(QObject* sender, bool& restartAtZero)> OnTextScrolled;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Worker;
    friend class Worker;

    void resetPosition();
    QPoint startPosition() const;
    void configureTimer();
    void takeSnapshot();
    void stopThread();
    void shadowChanged() override { invalidate(); }
    // Drops the kept background and line, to be drawn again at the next paint.
    void invalidate();
    void prepare();
    // Whether the background and the line are kept for the control's size and screen.
    bool prepared() const;
    // The kept background with the line over it, in `dirty`.
    void paintArea(QPainter& painter, const QRect& dirty) const;
    // Puts a step on screen without a paint event; false when only a repaint can show it.
    bool paintStraightToWindow(const QRect& area);
    // paintArea into 32-bit pixels, where the control's (0, 0) lies at `origin`.
    void compose(QImage& target, QPoint origin, const QRect& area) const;
    void drawLine(QPainter& painter, QPoint at) const;
    int lineMargin() const;
    // The pixels the line covers at `position`, its shadow and antialiasing included.
    QRect lineRect(QPoint position) const;
    // The smallest rectangle holding every pixel of `line` that is not fully transparent.
    static QRect inkBounds(const QImage& line);
    void watchWindow();
    // Runs on the GUI thread when the worker asks: takes the step and notes when it ended.
    void workerAsksForStep();

    bool active_ = false;
    bool transparent_ = false;
    TScrollDirection direction_ = sdRightToLeft;
    TAlignment alignment_ = taLeftJustify;
    QStringList strings_;
    QPoint position_;
    bool stepped_ = false;
    QImage snapshot_;
    QImage background_;      // at the screen's pixel ratio, for backgroundSize_
    QSize backgroundSize_;
    QImage line_;            // at the screen's pixel ratio
    QRect inkRect_;          // within line_, in the control's pixels
    mutable QSize textSize_; // invalid until measured
    // A longer line is drawn at every step instead of being kept as a picture.
    static constexpr qint64 kMaxLinePixels = 4 * 1024 * 1024;
    QPointer<QWidget> watchedWidget_;
    QPointer<QWindow> watchedWindow_;
    bool onScreen_ = true;

    // Shared with the worker thread.
    std::atomic<int> interval_{25};
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool running_ = false;                             // guarded by mutex_
    bool stopping_ = false;                            // guarded by mutex_
    bool stepPending_ = false;                         // guarded by mutex_
    bool workerWaitsForStep_ = false;                  // guarded by mutex_
    std::chrono::steady_clock::time_point stepDoneAt_; // guarded by mutex_
    bool workerExited_ = false;                        // guarded by mutex_
    std::unique_ptr<QThread> thread_;
};
