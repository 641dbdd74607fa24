// The yardstick for input latency: the least a Qt Widgets program does to answer
// a mouse button. A press fills the left half; a release clears it and fills the
// right half, green and red in turn, as a verdict would change.
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

namespace {

class PressWindow : public QWidget
{
protected:
    void mousePressEvent(QMouseEvent*) override
    {
        down_ = true;
        update(leftHalf());
    }
    void mouseReleaseEvent(QMouseEvent*) override
    {
        down_ = false;
        right_ = !right_;
        update();
    }
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(leftHalf(), down_ ? QColor(40, 60, 220) : Qt::white);
        painter.fillRect(QRect(width() / 2, 0, width() - width() / 2, height()), right_ ? Qt::green : Qt::red);
    }

private:
    QRect leftHalf() const { return QRect(0, 0, width() / 2, height()); }
    bool down_ = false;
    bool right_ = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    PressWindow window;
    window.setWindowTitle(QStringLiteral("Press window"));
    window.setAttribute(Qt::WA_OpaquePaintEvent);
    window.setGeometry(1300, 40, 200, 100);
    window.show();
    return QApplication::exec();
}
