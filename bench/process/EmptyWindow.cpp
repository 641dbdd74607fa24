// The yardstick for whole-process figures: the least a Qt Widgets program does
// to show a painted 800 x 600 window.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Empty window"));
    window.setFixedSize(800, 600);
    // A plain background that Qt paints, so the first frame shows on screen like any other.
    window.setAutoFillBackground(true);
    window.show();
    return QApplication::exec();
}
