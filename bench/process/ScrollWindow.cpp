// Yardsticks for the credits line's idle cost, in a window of the program's size.
//
// By default, the plainest scrolling line a Qt Widgets program can have: a strip where the
// credits line stands, where a precise 25 ms timer on the window's own thread moves a line of
// the same text and size one pixel left and asks for a repaint of the pixels it covered before
// and after, which a flat fill and the text then paint. No second thread, no wallpaper, no shadow.
//
// With --floor, the least the credits line's design can cost: a worker thread that sleeps 25 ms
// and posts a step to the window's thread, which repaints one pixel.
#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstring>
#include <thread>

namespace {

const QString kText = QStringLiteral("Lirasto Notes v1.0.0 - made by Lirasto Software. Thanks to Qt, libjpeg-turbo "
                                     "and the LilyPond project's Emmentaler font, on which this program is built. ");

class ScrollStrip : public QWidget
{
public:
    explicit ScrollStrip(QWidget* parent) : QWidget(parent)
    {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(13);
        setFont(font);
        setAttribute(Qt::WA_OpaquePaintEvent);
        textWidth_ = fontMetrics().horizontalAdvance(kText);
        timer_.setTimerType(Qt::PreciseTimer);
        connect(&timer_, &QTimer::timeout, this, &ScrollStrip::step);
        timer_.start(25);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), QColor(222, 184, 135));
        painter.drawText(x_, fontMetrics().ascent(), kText);
    }

private:
    void step()
    {
        const QRect before = textRect();
        x_ = x_ <= -textWidth_ ? width() : x_ - 1;
        update((before | textRect()) & rect());
    }
    QRect textRect() const { return QRect(x_, 0, textWidth_ + 1, height()); }

    QTimer timer_;
    int textWidth_ = 0;
    int x_ = 0;
};

const QEvent::Type kStepEvent = QEvent::Type(QEvent::registerEventType());

class FloorStrip : public QWidget
{
public:
    explicit FloorStrip(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() != kStepEvent)
            return QWidget::event(event);
        x_ = (x_ + 1) % width();
        repaint(x_, 0, 1, 1);
        return true;
    }
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), x_ % 2 ? QColor(222, 184, 135) : QColor(0, 0, 0));
    }

private:
    int x_ = 0;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const bool floor = argc > 1 && std::strcmp(argv[1], "--floor") == 0;
    QWidget window;
    window.setWindowTitle(QStringLiteral("Scroll window"));
    window.setFixedSize(794, 571);
    window.move(192, 110);
    QWidget* strip = floor ? static_cast<QWidget*>(new FloorStrip(&window)) : new ScrollStrip(&window);
    strip->setGeometry(12, 537, 770, 22);
    window.show();
    // Stopped and joined before the window goes, so that no step is posted to a deleted strip.
    std::jthread worker;
    if (floor) {
        worker = std::jthread([strip](std::stop_token stop) {
            while (!stop.stop_requested()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(25));
                QCoreApplication::postEvent(strip, new QEvent(kStepEvent));
            }
        });
    }
    return QApplication::exec();
}
