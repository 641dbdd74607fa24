#include "resources/artwork/PaintTools.h"

#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace lirasto::artwork {

QImage Canvas(int width, int height, QColor ground)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(ground);
    return image;
}

QRgb Mix(QRgb a, QRgb b, double t)
{
    auto channel = [t](int x, int y) { return int(std::lround(x + (y - x) * std::clamp(t, 0.0, 1.0))); };
    return qRgba(channel(qRed(a), qRed(b)), channel(qGreen(a), qGreen(b)), channel(qBlue(a), qBlue(b)),
                 channel(qAlpha(a), qAlpha(b)));
}

QImage Coverage(int width, int height, const QPainterPath& path, double haloWidth)
{
    QImage mask = Canvas(width, height, Qt::transparent);
    QPainter p(&mask);
    p.setRenderHint(QPainter::Antialiasing);
    if (haloWidth > 0)
        p.strokePath(path, QPen(Qt::black, haloWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.fillPath(path, Qt::black);
    return mask;
}

void FillHard(QImage& image, const QPainterPath& path, QRgb colour, double haloWidth)
{
    const QImage mask = Coverage(image.width(), image.height(), path, haloWidth);
    const QRgb stored = image.format() == QImage::Format_ARGB32_Premultiplied ? qPremultiply(colour) : colour;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* m = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(m[x]) >= 128)
                row[x] = stored;
    }
}

void FillInk(QImage& image, const QPainterPath& path, QRgb colour, int scale, double haloWidth)
{
    if (scale == 1) {
        FillHard(image, path, colour, haloWidth);
        return;
    }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink = QColor::fromRgba(colour);
    if (haloWidth > 0)
        p.strokePath(path, QPen(ink, haloWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.fillPath(path, ink);
}

void Dot(QImage& image, int x, int y, QRgb colour, int scale)
{
    for (int dy = 0; dy < scale; ++dy)
        for (int dx = 0; dx < scale; ++dx)
            image.setPixel(x * scale + dx, y * scale + dy, colour);
}

void HLine(QImage& image, int y, int x1, int x2, QRgb colour, int scale)
{
    for (int x = x1; x <= x2; ++x)
        Dot(image, x, y, colour, scale);
}

void VLine(QImage& image, int x, int y1, int y2, QRgb colour, int scale)
{
    for (int y = y1; y <= y2; ++y)
        Dot(image, x, y, colour, scale);
}

QPainterPath Scaled(const QPainterPath& path, int scale)
{
    // Left alone at 1, so that the pictures of the plain set keep every coordinate they had.
    if (scale == 1)
        return path;
    return QTransform::fromScale(scale, scale).map(path);
}

} // namespace lirasto::artwork
