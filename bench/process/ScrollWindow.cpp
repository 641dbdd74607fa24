// The yardstick for the credits line's idle cost: the plainest scrolling line a Qt Widgets
// program can have. A window of the program's size holds a strip where the credits line
// stands; a precise 25 ms timer on the window's own thread moves a line of the same text and
// size one pixel left and asks for a repaint of the pixels it covered before and after, which
// a flat fill and the text then paint. No second thread, no wallpaper, no shadow.
#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

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

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Scroll window"));
    window.setFixedSize(794, 571);
    window.move(192, 110);
    auto* strip = new ScrollStrip(&window);
    strip->setGeometry(12, 537, 770, 22);
    window.show();
    return QApplication::exec();
}
