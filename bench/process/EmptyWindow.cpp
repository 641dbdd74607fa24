// The yardstick for whole-process figures: the least a Qt Widgets program does
// to show a painted 800 x 600 window. Built a second time with one line of text,
// which is what it costs to bring up the font system.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Empty window"));
    window.setFixedSize(800, 600);
    // A plain background that Qt paints, so the first frame shows on screen like any other.
    window.setAutoFillBackground(true);
#ifdef LIRASTO_WITH_TEXT
    auto* label = new QLabel(QStringLiteral("Lirasto"), &window);
    label->move(20, 20);
#endif
    window.show();
    return QApplication::exec();
}
