#include "core/Errors.h"
#include "resources/artwork/ArtworkGeometry.h"
#include "resources/artwork/PaintTools.h"
#include "resources/artwork/Pictures.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <string>

namespace lirasto::artwork {

namespace {

constexpr QRgb kBlack = 0xFF000000;

bool inBlackKey(int column)
{
    return std::any_of(kBlackKeyColumns.begin(), kBlackKeyColumns.end(),
                       [column](const ColumnRange& r) { return column >= r.First && column <= r.Last; });
}

// Distance from a white face column to the nearest black key edge, in columns.
int distanceToBlackKey(int column)
{
    int best = 1000;
    for (const ColumnRange& r : kBlackKeyColumns)
        best = std::min({best, std::abs(column - r.First), std::abs(column - r.Last)});
    return best;
}

QRgb blackKeyPixel(int column, int row)
{
    const ColumnRange* key = nullptr;
    for (const ColumnRange& r : kBlackKeyColumns)
        if (column >= r.First && column <= r.Last)
            key = &r;
    if (row == kBlackKeyLastRow)
        return qRgb(30, 22, 34);
    const bool rim = column == key->First || column == key->Last;
    const QRgb top = qRgb(46, 35, 60);
    const QRgb lower = qRgb(60, 45, 58);
    const QRgb light = qRgb(85, 64, 51);
    // The front bevel of the key catches the light from above.
    if (row >= kBlackKeyLastRow - 6)
        return rim ? Mix(light, top, 0.4) : Mix(lower, light, (row - (kBlackKeyLastRow - 6)) / 6.0);
    if (rim)
        return Mix(top, light, 0.6);
    const double t = double(row - kTopEdgeRows) / (kBlackKeyLastRow - kTopEdgeRows);
    const int centre = (key->First + key->Last) / 2;
    const double sheen = column == centre - 2 || column == centre - 3 ? 0.35 : 0.0;
    return Mix(Mix(top, lower, t), light, sheen);
}

QRgb whiteFacePixel(int column, int row)
{
    const int offset = column % kWhiteKeyPitch;
    const double depth = double(row - kTopEdgeRows) / (kWhiteLipFirstRow - kTopEdgeRows);
    QRgb face = qRgb(255, int(std::lround(251 - 9 * depth)), 255);
    if (offset == kWhiteFaceFirstOffset || offset == kWhiteFaceLastOffset)
        face = qRgb(255, 234, 255);
    const QRgb shadow = qRgb(226, 204, 228);
    if (row <= kBlackKeyLastRow + 3) {
        const int d = distanceToBlackKey(column);
        const double besideKey = row <= kBlackKeyLastRow ? (d <= 2 ? (3 - d) / 3.0 : 0.0) : 0.0;
        const double underKey = row > kBlackKeyLastRow && inBlackKey(column) ? (kBlackKeyLastRow + 4 - row) / 4.0 : 0;
        face = Mix(face, shadow, std::max(besideKey, underKey));
    }
    return face;
}

QRgb keyboardPixel(int column, int row)
{
    if (row < kTopEdgeRows)
        return qRgb(38, 28, 40);
    if (row >= kBottomEdgeFirstRow)
        return kBlack;
    if (row <= kBlackKeyLastRow && inBlackKey(column))
        return blackKeyPixel(column, row);
    const int offset = column % kWhiteKeyPitch;
    if (offset == 0 || offset == kWhiteKeyPitch - 1)
        return offset == 0 ? qRgb(62, 50, 66) : qRgb(88, 74, 92);
    if (row >= kWhiteLipFirstRow) {
        const double t = double(row - kWhiteLipFirstRow) / (kWhiteLipLastRow - kWhiteLipFirstRow);
        return Mix(qRgb(160, 138, 141), qRgb(115, 103, 148), t);
    }
    return whiteFacePixel(column, row);
}

constexpr QRgb kAzure = qRgba(0, 120, 253, 145);
constexpr QRgb kAzureRim = qRgba(2, 127, 255, 151);

QRgb lipPixel(int rowInLip)
{
    return Mix(qRgba(160, 138, 150, 120), qRgba(115, 103, 148, 180), rowInLip / 5.0);
}

QImage blackKeyHighlight(int scale)
{
    constexpr int w = kBlackHighlightWidth, h = kBlackHighlightHeight;
    QImage image(w * scale, h * scale, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int edge = std::min({x, y, w - 1 - x, h - 1 - y});
            const bool thick = (x == 1 || y == h - 2); // the lower left reads as a shadow
            QRgb c = edge == 0 || (edge == 1 && thick) ? kBlack : (edge <= 2 ? kAzureRim : kAzure);
            Dot(image, x, y, c, scale);
        }
    return image;
}

QImage whiteKeyHighlight(int index, int scale)
{
    const int height = kHighlightHeights.at(index);
    const int shoulder = height == kWhiteHighlightTallHeight ? kBlackKeyLastRow + 1 : kBlackKeyLastRow;
    const int lip = height - 2 - (kWhiteLipLastRow - kWhiteLipFirstRow + 1);
    const ColumnRange upper = kHighlightUpperColumns.at(index);
    QImage image(kWhiteHighlightWidth * scale, height * scale, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = kHighlightUpperFirstRow; y < height; ++y) {
        const bool full = y >= shoulder;
        const int left = full ? 0 : upper.First;
        const int right = full ? kWhiteHighlightWidth - 1 : upper.Last;
        for (int x = left; x <= right; ++x) {
            QRgb c;
            if (y >= height - 2)
                c = kBlack;
            else if (y >= lip)
                c = x == left ? kBlack : lipPixel(y - lip);
            else if (x == left || y == kHighlightUpperFirstRow)
                c = kBlack;
            else if (x == left + 1 || y == kHighlightUpperFirstRow + 1 || x == right ||
                     (y == shoulder && (x < upper.First || x > upper.Last)))
                c = kAzureRim;
            else
                c = kAzure;
            Dot(image, x, y, c, scale);
        }
    }
    return image;
}

} // namespace

QImage PaintKeyboard(int scale)
{
    // Every edge of the keyboard runs along the pixel grid, so at a finer scale each
    // picture pixel becomes a square of device pixels with nothing lost.
    QImage octave(kOctaveWidth * scale, kKeyboardHeight * scale, QImage::Format_ARGB32);
    for (int y = 0; y < kKeyboardHeight; ++y)
        for (int x = 0; x < kOctaveWidth; ++x)
            Dot(octave, x, y, keyboardPixel(x, y), scale);
    QImage image(kKeyboardWidth * scale, kKeyboardHeight * scale, QImage::Format_ARGB32);
    {
        QPainter p(&image);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        for (int o = 0; o < kOctaveCount; ++o)
            p.drawImage(o * kOctaveWidth * scale, 0, octave);
    }
    for (int y = 0; y < kKeyboardHeight; ++y)
        Dot(image, kClosingColumn, y, y >= kBottomEdgeFirstRow ? kBlack : qRgb(62, 50, 66), scale);
    return image;
}

QImage PaintKeyHighlight(int index, int scale)
{
    if (index < 0 || index >= kHighlightCount)
        throw ERangeError("Key highlight index out of range (" + std::to_string(index) + ")");
    return index == 0 ? blackKeyHighlight(scale) : whiteKeyHighlight(index, scale);
}

} // namespace lirasto::artwork
