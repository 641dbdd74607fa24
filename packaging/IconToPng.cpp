// Turns the window icon file that the artwork painter writes into the PNG that
// desktop menus take, at the icon's own size.
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s ICON.ico OUT.png\n", argv[0]);
        return 2;
    }
    QImageReader reader(QString::fromLocal8Bit(argv[1]), "ico");
    const QImage icon = reader.read();
    if (icon.isNull()) {
        std::fprintf(stderr, "cannot read %s: %s\n", argv[1], qPrintable(reader.errorString()));
        return 1;
    }
    if (icon.width() != 128 || icon.height() != 128) {
        std::fprintf(stderr, "%s is %dx%d, not 128x128\n", argv[1], icon.width(), icon.height());
        return 1;
    }
    if (!icon.convertToFormat(QImage::Format_ARGB32).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
