#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>

namespace lirasto::artwork {

// Small tools the picture painters share.

QImage Canvas(int width, int height, QColor ground);

// a + (b - a) t per channel, alpha included, t clamped to 0..1.
QRgb Mix(QRgb a, QRgb b, double t);

// Coverage of a path, 0..255 per pixel, for shapes that must end up with hard edges.
QImage Coverage(int width, int height, const QPainterPath& path, double haloWidth = 0);

// Sets every pixel the path covers at least half to the colour.
void FillHard(QImage& image, const QPainterPath& path, QRgb colour, double haloWidth = 0);

// Ink of a glyph: hard-edged at 1, where a half-covered pixel of grey would blur so small a
// sign, and smoothly anti-aliased at finer scales, where the edge pixels are small enough.
void FillInk(QImage& image, const QPainterPath& path, QRgb colour, int scale, double haloWidth = 0);

// Lines and dots of a pixel design given in picture pixels, drawn at `scale` device
// pixels per picture pixel: a one-pixel line becomes `scale` pixels thick.
void HLine(QImage& image, int y, int x1, int x2, QRgb colour, int scale = 1);
void VLine(QImage& image, int x, int y1, int y2, QRgb colour, int scale = 1);
void Dot(QImage& image, int x, int y, QRgb colour, int scale);

// A path given in picture pixels, at `scale` device pixels per picture pixel.
QPainterPath Scaled(const QPainterPath& path, int scale);

} // namespace lirasto::artwork
