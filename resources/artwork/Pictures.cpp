#include "resources/artwork/Pictures.h"

#include "core/Errors.h"
#include "resources/artwork/ArtworkGeometry.h"
#include "resources/artwork/MusicFont.h"
#include "resources/artwork/Wallpaper.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <string>

namespace lirasto::artwork {

namespace {

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;

QImage canvas(int width, int height, QColor ground)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(ground);
    return image;
}

QRgb mix(QRgb a, QRgb b, double t)
{
    auto channel = [t](int x, int y) { return int(std::lround(x + (y - x) * std::clamp(t, 0.0, 1.0))); };
    return qRgba(channel(qRed(a), qRed(b)), channel(qGreen(a), qGreen(b)), channel(qBlue(a), qBlue(b)),
                 channel(qAlpha(a), qAlpha(b)));
}

// Coverage of a path, 0..255 per pixel, for shapes that must end up with hard edges.
QImage coverage(int width, int height, const QPainterPath& path, double haloWidth = 0)
{
    QImage mask = canvas(width, height, Qt::transparent);
    QPainter p(&mask);
    p.setRenderHint(QPainter::Antialiasing);
    if (haloWidth > 0)
        p.strokePath(path, QPen(Qt::black, haloWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.fillPath(path, Qt::black);
    return mask;
}

// Sets every pixel the path covers at least half to the colour.
void fillHard(QImage& image, const QPainterPath& path, QRgb colour, double haloWidth = 0)
{
    const QImage mask = coverage(image.width(), image.height(), path, haloWidth);
    const QRgb stored = image.format() == QImage::Format_ARGB32_Premultiplied ? qPremultiply(colour) : colour;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* m = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(m[x]) >= 128)
                row[x] = stored;
    }
}

void hLine(QImage& image, int y, int x1, int x2, QRgb colour)
{
    for (int x = x1; x <= x2; ++x)
        image.setPixel(x, y, colour);
}

void vLine(QImage& image, int x, int y1, int y2, QRgb colour)
{
    for (int y = y1; y <= y2; ++y)
        image.setPixel(x, y, colour);
}

bool inBlackKey(int column)
{
    return std::any_of(kBlackKeyColumns.begin(), kBlackKeyColumns.end(),
                       [column](const ColumnRange& r) { return column >= r.first && column <= r.last; });
}

// Distance from a white face column to the nearest black key edge, in columns.
int distanceToBlackKey(int column)
{
    int best = 1000;
    for (const ColumnRange& r : kBlackKeyColumns)
        best = std::min({best, std::abs(column - r.first), std::abs(column - r.last)});
    return best;
}

QRgb blackKeyPixel(int column, int row)
{
    const ColumnRange* key = nullptr;
    for (const ColumnRange& r : kBlackKeyColumns)
        if (column >= r.first && column <= r.last)
            key = &r;
    if (row == kBlackKeyLastRow)
        return qRgb(30, 22, 34);
    const bool rim = column == key->first || column == key->last;
    const QRgb top = qRgb(46, 35, 60);
    const QRgb lower = qRgb(60, 45, 58);
    const QRgb light = qRgb(85, 64, 51);
    // The front bevel of the key catches the light from above.
    if (row >= kBlackKeyLastRow - 6)
        return rim ? mix(light, top, 0.4) : mix(lower, light, (row - (kBlackKeyLastRow - 6)) / 6.0);
    if (rim)
        return mix(top, light, 0.6);
    const double t = double(row - kTopEdgeRows) / (kBlackKeyLastRow - kTopEdgeRows);
    const int centre = (key->first + key->last) / 2;
    const double sheen = column == centre - 2 || column == centre - 3 ? 0.35 : 0.0;
    return mix(mix(top, lower, t), light, sheen);
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
        face = mix(face, shadow, std::max(besideKey, underKey));
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
        return mix(qRgb(160, 138, 141), qRgb(115, 103, 148), t);
    }
    return whiteFacePixel(column, row);
}

constexpr QRgb kAzure = qRgba(0, 120, 253, 145);
constexpr QRgb kAzureRim = qRgba(2, 127, 255, 151);

QRgb lipPixel(int rowInLip)
{
    return mix(qRgba(160, 138, 150, 120), qRgba(115, 103, 148, 180), rowInLip / 5.0);
}

QImage blackKeyHighlight()
{
    QImage image(kBlackHighlightWidth, kBlackHighlightHeight, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int edge = std::min({x, y, image.width() - 1 - x, image.height() - 1 - y});
            const bool thick = (x == 1 || y == image.height() - 2); // the lower left reads as a shadow
            QRgb c = edge == 0 || (edge == 1 && thick) ? kBlack : (edge <= 2 ? kAzureRim : kAzure);
            image.setPixel(x, y, c);
        }
    return image;
}

QImage whiteKeyHighlight(int index)
{
    const int height = kHighlightHeights.at(index);
    const int shoulder = height == kWhiteHighlightTallHeight ? kBlackKeyLastRow + 1 : kBlackKeyLastRow;
    const int lip = height - 2 - (kWhiteLipLastRow - kWhiteLipFirstRow + 1);
    const ColumnRange upper = kHighlightUpperColumns.at(index);
    QImage image(kWhiteHighlightWidth, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = kHighlightUpperFirstRow; y < height; ++y) {
        const bool full = y >= shoulder;
        const int left = full ? 0 : upper.first;
        const int right = full ? kWhiteHighlightWidth - 1 : upper.last;
        for (int x = left; x <= right; ++x) {
            QRgb c;
            if (y >= height - 2)
                c = kBlack;
            else if (y >= lip)
                c = x == left ? kBlack : lipPixel(y - lip);
            else if (x == left || y == kHighlightUpperFirstRow)
                c = kBlack;
            else if (x == left + 1 || y == kHighlightUpperFirstRow + 1 || x == right ||
                     (y == shoulder && (x < upper.first || x > upper.last)))
                c = kAzureRim;
            else
                c = kAzure;
            image.setPixel(x, y, c);
        }
    }
    return image;
}

QPainterPath trebleClef(const MusicFont& font)
{
    // A little shorter than the staff's natural size, so that it reaches only a line
    // above the staff, with its curl round the G line.
    const QPainterPath path = font.glyph(MusicGlyph::TrebleClef);
    const QRectF b = path.boundingRect();
    const double origin = kTrebleClefCurlRow + 0.5;
    QTransform t;
    t.translate(kTrebleClefLeft, origin);
    t.scale((kTrebleClefRight - kTrebleClefLeft + 1) / b.width(), (origin - kTrebleClefTop) / -b.top());
    t.translate(-b.left(), 0);
    return t.map(path);
}

QPainterPath bassClef(const MusicFont& font)
{
    const QPainterPath path = font.glyph(MusicGlyph::BassClef);
    const QRectF b = path.boundingRect();
    const double scale = double(kBassClefRight - kBassClefLeft + 1) / b.width();
    return placeAt(path, scale, QPointF(kBassClefLeft - b.left() * scale, kBassClefHeadRow + 0.5));
}

QPainterPath accidentalInBox(const MusicFont& font, MusicGlyph which, int left, int top, int width, int height)
{
    return fitToBox(font.glyph(which), QRectF(left, top, width, height));
}

const QRgb kNavyCore = qRgb(0, 0, 80);
const QRgb kNavyEdge = qRgb(3, 3, 23);

void paintHead(QPainter& p, const MusicFont& font, double top)
{
    const QRectF box(0, top, kNoteHeadWidth, kNoteHeadHeight);
    const QPainterPath head = fitToBox(font.glyph(MusicGlyph::NoteHead), box);
    QRadialGradient shade(box.center() + QPointF(-0.5, -0.5), 6.5);
    shade.setColorAt(0, QColor(kNavyCore));
    shade.setColorAt(0.55, QColor(mix(kNavyCore, kNavyEdge, 0.5)));
    shade.setColorAt(1, QColor(kNavyEdge));
    p.fillPath(head, shade);
    QRadialGradient shine(QPointF(3.6, top + 2.4), 2.0);
    shine.setColorAt(0, QColor(190, 200, 240, 230));
    shine.setColorAt(1, QColor(190, 200, 240, 0));
    p.save();
    p.setClipPath(head);
    p.fillRect(QRectF(0, top, 7, 4), shine);
    p.restore();
}

void paintStem(QImage& image, int column, int firstRow, int lastRow)
{
    for (int y = firstRow; y <= lastRow; ++y) {
        const QRgb below = image.pixel(column, y);
        const QRgb stem = mix(kNavyEdge, kNavyCore, 0.35);
        // Where the stem meets the solid head it must not punch a lighter hole.
        image.setPixel(column, y, qAlpha(below) > 250 ? below : qRgba(qRed(stem), qGreen(stem), qBlue(stem), 250));
    }
}

QImage noteWithStem(const MusicFont& font, bool headAtBottom, bool stemRight)
{
    QImage image = canvas(kNoteGlyphWidth, kNoteGlyphHeight, Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        paintHead(p, font, headAtBottom ? kNoteGlyphHeight - kNoteHeadHeight : 0);
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    const int column = stemRight ? kNoteGlyphWidth - 1 : 0;
    if (headAtBottom)
        paintStem(image, column, 0, stemRight ? kStemUpLastRow : kStemUpLastRow - 2);
    else
        paintStem(image, column, kStemDownFirstRow, kNoteGlyphHeight - 1);
    return image;
}

// Signs this small must be solid ink: well covered pixels become opaque, faint fringes
// vanish, and only a narrow band keeps some smoothing.
QImage accidentalGlyph(const MusicFont& font, MusicGlyph which, int width, int height)
{
    const QImage mask = coverage(width, height, accidentalInBox(font, which, 0, 0, width, height));
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int a = qAlpha(mask.pixel(x, y));
            const int solid = std::clamp((a - 48) * 255 / (150 - 48), 0, 255);
            image.setPixel(x, y, qRgba(0, 0, 0, solid));
        }
    return image;
}

// At this size the natural reads best drawn pixel by pixel: two upright strokes,
// the left one high and the right one low, joined by two heavy bars.
QImage naturalSign()
{
    QImage image(kNaturalWidth, kNaturalHeight, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    vLine(image, 0, 0, 13, kBlack);
    vLine(image, kNaturalWidth - 1, 4, kNaturalHeight - 1, kBlack);
    for (int row : {5, 6, 11, 12})
        hLine(image, row, 0, kNaturalWidth - 1, kBlack);
    return image;
}

QImage ledgerTile(int lines)
{
    QImage image(kLedgerTileWidth, kLedgerFirstRow + kLedgerSpacing * lines, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int i = 0; i < lines; ++i)
        hLine(image, kLedgerFirstRow + kLedgerSpacing * i, 0, kLedgerTileWidth - 1, kBlack);
    return image;
}

QImage pointingHand()
{
    QImage image = canvas(14, 29, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPen outline(QColor(20, 20, 30), 1.0);
    // Cuff.
    QLinearGradient cuff(0, 0, 14, 0);
    cuff.setColorAt(0, QColor(40, 90, 220));
    cuff.setColorAt(0.4, QColor(90, 150, 255));
    cuff.setColorAt(1, QColor(20, 50, 160));
    p.setPen(outline);
    p.setBrush(cuff);
    p.drawRoundedRect(QRectF(1.5, 0.5, 11, 6), 1.5, 1.5);
    // Back of the glove with the folded fingers, and the pointing finger below.
    QPainterPath glove;
    glove.moveTo(2.5, 6.5);
    glove.lineTo(11.5, 6.5);
    glove.cubicTo(13.2, 10, 13.4, 14, 12.5, 17.5);
    glove.cubicTo(11.8, 19.5, 10.8, 19.8, 10.2, 19.5);
    glove.lineTo(10.2, 26.5);
    glove.cubicTo(10.2, 28.6, 7.0, 28.6, 7.0, 26.5);
    glove.lineTo(7.0, 19.5);
    glove.cubicTo(5.5, 20.5, 3.8, 19.5, 3.6, 18.0);
    glove.cubicTo(0.8, 17.5, 0.8, 14.5, 2.2, 13.8);
    glove.cubicTo(0.6, 12.8, 0.8, 9.0, 2.5, 6.5);
    glove.closeSubpath();
    QLinearGradient white(0, 0, 14, 0);
    white.setColorAt(0, QColor(235, 235, 240));
    white.setColorAt(0.5, QColor(255, 255, 255));
    white.setColorAt(1, QColor(205, 205, 215));
    p.setBrush(white);
    p.drawPath(glove);
    // Folded knuckles.
    p.setPen(QPen(QColor(90, 90, 110), 0.8));
    p.drawLine(QPointF(3.0, 13.8), QPointF(7.0, 14.2));
    p.drawLine(QPointF(3.8, 17.8), QPointF(7.0, 18.2));
    p.drawLine(QPointF(7.0, 14.2), QPointF(7.0, 19.5));
    return image;
}

QImage ball(QColor light, QColor body, QColor dark, double diameter)
{
    QImage image = canvas(19, 19, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(9.5, 9.5);
    QRadialGradient shade(centre, diameter / 2, centre - QPointF(diameter / 5, diameter / 5));
    shade.setColorAt(0, light);
    shade.setColorAt(0.5, body);
    shade.setColorAt(1, dark);
    p.setPen(QPen(dark.darker(160), 0.8));
    p.setBrush(shade);
    p.drawEllipse(centre, diameter / 2, diameter / 2);
    return image;
}

QImage cartoonEye()
{
    QImage image = canvas(23, 17, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath eye;
    eye.moveTo(1.5, 8.5);
    eye.cubicTo(6, 1.5, 17, 1.5, 21.5, 8.5);
    eye.cubicTo(17, 15.5, 6, 15.5, 1.5, 8.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 250));
    p.drawPath(eye);
    p.save();
    p.setClipPath(eye);
    QRadialGradient iris(QPointF(11.5, 8.5), 4.8, QPointF(10.5, 7.2));
    iris.setColorAt(0, QColor(120, 180, 255));
    iris.setColorAt(1, QColor(20, 70, 190));
    p.setBrush(iris);
    p.drawEllipse(QPointF(11.5, 8.5), 4.8, 4.8);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(11.5, 8.5), 2.0, 2.0);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(10.2, 7.0), 0.9, 0.9);
    p.restore();
    // Lids.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(190, 100, 30), 2.0, Qt::SolidLine, Qt::RoundCap));
    QPainterPath upper;
    upper.moveTo(1.5, 8.5);
    upper.cubicTo(6, 1.5, 17, 1.5, 21.5, 8.5);
    p.drawPath(upper);
    p.setPen(QPen(QColor(150, 80, 30), 1.2, Qt::SolidLine, Qt::RoundCap));
    QPainterPath lower;
    lower.moveTo(2.5, 9.5);
    lower.cubicTo(7, 15.5, 16, 15.5, 20.5, 9.5);
    p.drawPath(lower);
    p.setPen(QPen(QColor(60, 30, 10), 1.0, Qt::SolidLine, Qt::RoundCap));
    for (double x : {6.0, 9.5, 13.5, 17.0})
        p.drawLine(QPointF(x, 3.8 + std::abs(x - 11.5) * 0.25), QPointF(x + (x - 11.5) * 0.12, 1.0));
    return image;
}

void drawKey(QPainter& p, QPointF ring, double angle, QColor light, QColor dark)
{
    p.save();
    p.translate(ring);
    p.rotate(angle);
    QLinearGradient metal(-3, 0, 3, 0);
    metal.setColorAt(0, dark);
    metal.setColorAt(0.45, light);
    metal.setColorAt(1, dark);
    p.setPen(QPen(dark.darker(140), 0.6));
    p.setBrush(metal);
    QPainterPath key;
    key.addEllipse(QPointF(0, 6.5), 3.6, 3.6);
    key.addRect(QRectF(-1.0, 9.5, 2.0, 14.5));
    key.addRect(QRectF(1.0, 19.0, 2.8, 1.6));
    key.addRect(QRectF(1.0, 22.0, 2.2, 1.8));
    key.setFillRule(Qt::WindingFill);
    QPainterPath hole;
    hole.addEllipse(QPointF(0, 6.5), 1.3, 1.3);
    p.drawPath(key.simplified().subtracted(hole));
    p.restore();
}

void drawPiano(QPainter& p)
{
    const QColor edge(150, 150, 165);
    const QColor shine(90, 90, 105);
    p.setPen(QPen(edge, 1.0));
    // Lid, propped open above the case.
    QPainterPath lid;
    lid.moveTo(80, 150);
    lid.lineTo(118, 114);
    lid.cubicTo(140, 118, 152, 132, 152, 148);
    lid.closeSubpath();
    QLinearGradient lidShade(80, 150, 150, 118);
    lidShade.setColorAt(0, QColor(10, 10, 14));
    lidShade.setColorAt(0.7, QColor(40, 40, 52));
    lidShade.setColorAt(1, QColor(12, 12, 16));
    p.setBrush(lidShade);
    p.drawPath(lid);
    p.setPen(QPen(QColor(170, 170, 180), 0.8));
    p.drawLine(QPointF(118, 148), QPointF(112, 121)); // prop stick
    // Music stand with its sheet.
    p.setPen(QPen(edge, 0.8));
    p.setBrush(QColor(235, 235, 225));
    p.drawRect(QRectF(86, 138, 18, 12));
    p.setPen(QPen(QColor(60, 60, 60), 0.5));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(88, 141 + 2.5 * i), QPointF(102, 141 + 2.5 * i));
    // Case, curved at the tail.
    QPainterPath body;
    body.moveTo(78, 152);
    body.lineTo(152, 150);
    body.cubicTo(154, 160, 150, 168, 138, 170);
    body.lineTo(80, 172);
    body.closeSubpath();
    QLinearGradient caseShade(0, 150, 0, 172);
    caseShade.setColorAt(0, QColor(45, 45, 55));
    caseShade.setColorAt(0.3, QColor(8, 8, 10));
    caseShade.setColorAt(1, QColor(25, 25, 30));
    p.setPen(QPen(edge, 1.0));
    p.setBrush(caseShade);
    p.drawPath(body);
    // Keyboard along the front.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 240, 235));
    p.drawRect(QRectF(79, 160, 40, 4));
    p.setBrush(QColor(20, 20, 20));
    for (int i = 0; i < 12; ++i)
        if (i % 7 != 2 && i % 7 != 6)
            p.drawRect(QRectF(81 + 3.3 * i, 160, 1.6, 2.4));
    // Legs and pedals.
    p.setPen(QPen(edge, 1.0));
    p.setBrush(QColor(15, 15, 18));
    for (double x : {84.0, 145.0, 128.0})
        p.drawRect(QRectF(x, 172, 4, 16));
    p.setBrush(QColor(200, 170, 60));
    p.drawRect(QRectF(98, 184, 8, 2.5));
    p.setPen(QPen(shine, 0.8));
    p.drawLine(QPointF(84, 155), QPointF(146, 153.5));
}

void drawLogoStaff(QPainter& p, const MusicFont& font)
{
    const QColor white(255, 255, 255);
    const int lines[] = {206, 216, 226, 236, 246};
    p.setPen(QPen(white, 1.0));
    for (int row : lines)
        p.drawLine(QPointF(20, row + 0.5), QPointF(210, row + 0.5));
    p.drawLine(QPointF(20.5, 206), QPointF(20.5, 247));
    p.drawLine(QPointF(209.5, 206), QPointF(209.5, 247));
    p.drawLine(QPointF(112.5, 206), QPointF(112.5, 247)); // bar line
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    const QPainterPath clef = font.glyph(MusicGlyph::BassClef);
    p.drawPath(placeAt(clef, 0.2, QPointF(26, 216.5)));
    // B flat on the second line from the bottom, E flat in the third space.
    const QPainterPath flat = font.glyph(MusicGlyph::Flat);
    p.drawPath(placeAt(flat, 0.2, QPointF(60, 236.5)));
    p.drawPath(placeAt(flat, 0.2, QPointF(70, 221.5)));
    // After the bar an E flat major triad, E flat 2 on a ledger line below the staff, its flat
    // written out as the logo has always shown it.
    const QColor paleYellow(255, 245, 170);
    p.setBrush(paleYellow);
    const QPainterPath head = font.glyph(MusicGlyph::NoteHead);
    const double headX = 150;
    for (double row : {256.5, 246.5, 236.5})
        p.drawPath(placeAt(head, 0.2, QPointF(headX, row)));
    p.drawPath(placeAt(flat, 0.2, QPointF(headX - 12, 256.5)));
    p.setPen(QPen(paleYellow, 1.0));
    p.drawLine(QPointF(headX - 3, 256.5), QPointF(headX + 16, 256.5));
    p.drawLine(QPointF(headX + 12.5, 256), QPointF(headX + 12.5, 218));
}

} // namespace

QImage normalised(const QImage& image)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            if (qAlpha(row[x]) == 0)
                row[x] = 0x00FFFFFF;
    }
    return result;
}

QImage paintKeyboard()
{
    QImage octave(kOctaveWidth, kKeyboardHeight, QImage::Format_ARGB32);
    for (int y = 0; y < kKeyboardHeight; ++y)
        for (int x = 0; x < kOctaveWidth; ++x)
            octave.setPixel(x, y, keyboardPixel(x, y));
    QImage image(kKeyboardWidth, kKeyboardHeight, QImage::Format_ARGB32);
    {
        QPainter p(&image);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        for (int o = 0; o < kOctaveCount; ++o)
            p.drawImage(o * kOctaveWidth, 0, octave);
    }
    for (int y = 0; y < kKeyboardHeight; ++y)
        image.setPixel(kClosingColumn, y, y >= kBottomEdgeFirstRow ? kBlack : qRgb(62, 50, 66));
    return image;
}

QImage paintStaff(const MusicFont& font)
{
    QImage image(kStaffWidth, kStaffHeight, QImage::Format_ARGB32);
    image.fill(kWhite);
    for (int row : kStaffLineRows)
        hLine(image, row, kStaffLineFirstColumn, kStaffLineLastColumn, kBlack);
    const int lastRow = kBassTopLineRow + (kStaffLineCount - 1) * kStaffLineSpacing;
    const int trebleLast = kTrebleTopLineRow + (kStaffLineCount - 1) * kStaffLineSpacing;
    for (int column : kSystemBarColumns)
        vLine(image, column, kTrebleTopLineRow, lastRow, kBlack);
    for (int column : kStaffBarColumns) {
        vLine(image, column, kTrebleTopLineRow, trebleLast, kBlack);
        vLine(image, column, kBassTopLineRow, lastRow, kBlack);
    }
    for (int row : kLedgerTickRows)
        hLine(image, row, kLedgerTickFirstColumn,
              row == kLedgerTickRows.front() ? kMiddleCTickLastColumn : kLedgerTickLastColumn, kBlack);
    fillHard(image, trebleClef(font), kBlack);
    fillHard(image, bassClef(font), kBlack);
    return image;
}

QImage paintKeySignature(const MusicFont& font, int key, bool bass)
{
    const int count = kSignatureAccidentals.at(key);
    QImage image(kKeyTileSize, kKeyTileSize, QImage::Format_ARGB32);
    image.fill(kWhite);
    for (int row : kKeyTileLineRows)
        hLine(image, row, 0, kKeyTileSize - 1, kBlack);
    const int drop = bass ? kBassSignatureDrop : 0;
    QPainterPath glyphs;
    for (int i = 0; i < std::abs(count); ++i) {
        if (count < 0) {
            const ColumnRange c = kFlatColumns.at(i);
            glyphs.addPath(accidentalInBox(font, MusicGlyph::Flat, c.first,
                                           kFlatPitchRows.at(i) - kFlatPitchBelowTop + drop, c.last - c.first + 1,
                                           kFlatHeight));
        } else {
            const ColumnRange c = kSharpColumns.at(i);
            glyphs.addPath(accidentalInBox(font, MusicGlyph::Sharp, c.first,
                                           kSharpPitchRows.at(i) - kSharpPitchBelowTop + drop, c.last - c.first + 1,
                                           kSharpHeight));
        }
    }
    // A thin white halo keeps the signs legible where they cross the lines.
    fillHard(image, glyphs, kWhite, 2.2);
    fillHard(image, glyphs, kBlack);
    return image;
}

QImage paintKeyHighlight(int index)
{
    if (index < 0 || index >= kHighlightCount)
        throw ERangeError("Key highlight index out of range (" + std::to_string(index) + ")");
    return index == 0 ? blackKeyHighlight() : whiteKeyHighlight(index);
}

QImage paintScaleDegree(int index)
{
    static const char* const numerals[] = {"I", "II", "III", "IV", "V", "VI", "VII"};
    if (index < 0 || index >= 7)
        throw ERangeError("Scale degree index out of range (" + std::to_string(index) + ")");
    const QRawFont face = loadTextFont(QStringLiteral("DejaVuSerif-Bold.ttf"), 100);
    const QPainterPath text = textPath(face, QString::fromLatin1(numerals[index]), 2);
    const QRectF b = text.boundingRect();
    const double height = kScaleDegreeBottom - kScaleDegreeTop + 1;
    const double scale = height / b.height();
    const double width = b.width() * scale;
    const QPainterPath placed =
        fitToBox(text, QRectF(kScaleDegreeCentreColumn + 0.5 - width / 2, kScaleDegreeTop, width, height));
    QImage image(kKeyTileSize, kKeyTileSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    fillHard(image, placed, qRgba(0, 0, 255, 234));
    return normalised(image);
}

QImage paintNote(const MusicFont& font, int index)
{
    switch (index) {
    case 0:
        return normalised(noteWithStem(font, true, true));
    case 1:
        return normalised(noteWithStem(font, true, false));
    case 2:
        return normalised(noteWithStem(font, false, false));
    case 3:
        return normalised(noteWithStem(font, false, true));
    case 4:
        return normalised(accidentalGlyph(font, MusicGlyph::Flat, kFlatWidth, kFlatHeight));
    case 5:
        return normalised(accidentalGlyph(font, MusicGlyph::Sharp, kSharpWidth, kSharpHeight));
    case 6:
        return normalised(naturalSign());
    case 7:
    case 8:
    case 9:
        return normalised(ledgerTile(index - 6));
    }
    throw ERangeError("Note glyph index out of range (" + std::to_string(index) + ")");
}

QImage paintEvaluationMark(int index)
{
    switch (index) {
    case 0:
        return normalised(pointingHand());
    case 1:
        return normalised(ball(QColor(200, 255, 190), QColor(30, 190, 40), QColor(0, 90, 10), 12));
    case 2:
        return normalised(ball(QColor(255, 200, 190), QColor(220, 30, 20), QColor(110, 0, 0), 13));
    case 3:
        return normalised(cartoonEye());
    }
    throw ERangeError("Evaluation mark index out of range (" + std::to_string(index) + ")");
}

QImage paintLogo(const MusicFont& font)
{
    QImage image = canvas(kLogoWidth, kLogoHeight, Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    // Wordmark and slogan: condensed capitals, slightly slanted as if lettered by hand.
    const QRawFont heavy = loadTextFont(QStringLiteral("LiberationSansNarrow-BoldItalic.ttf"), 100);
    const QRawFont light = loadTextFont(QStringLiteral("LiberationSansNarrow-Italic.ttf"), 100);
    const QPainterPath mark = textPath(heavy, QStringLiteral("LIRASTO"), 6);
    p.drawPath(fitToBox(mark, QRectF(52, 11, 126, 20)));
    const QPainterPath first = textPath(light, QStringLiteral("READ THE NOTES,"), 4);
    const QPainterPath second = textPath(light, QStringLiteral("FIND THE KEYS"), 4);
    p.drawPath(fitToBox(first, QRectF(58, 36, 114, 7)));
    p.drawPath(fitToBox(second, QRectF(64, 47, 102, 7)));
    // Two keys on a ring.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 200, 210), 1.4));
    p.drawEllipse(QPointF(111, 77), 4.5, 4.5);
    drawKey(p, QPointF(107, 79), 25, QColor(235, 235, 245), QColor(120, 120, 135));
    drawKey(p, QPointF(115, 79), -20, QColor(255, 225, 120), QColor(160, 110, 20));
    drawPiano(p);
    drawLogoStaff(p, font);
    p.end();
    return normalised(image);
}

QImage paintIcon(const MusicFont& font)
{
    QImage image = canvas(kIconSize, kIconSize, Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath head = font.glyph(MusicGlyph::NoteHead);
    const double scale = 0.6;
    const QPointF leftHead(9, 105), rightHead(72, 93);
    QPainterPath notes = placeAt(head, scale, leftHead).united(placeAt(head, scale, rightHead));
    const double headWidth = head.boundingRect().width() * scale;
    const double stem = 6;
    const double leftStemX = leftHead.x() + headWidth - stem;
    const double rightStemX = rightHead.x() + headWidth - stem;
    const double leftTop = 22, rightTop = 10, beamHeight = 16;
    QPainterPath stems;
    stems.addRect(QRectF(leftStemX, leftTop, stem, leftHead.y() - leftTop - 4));
    stems.addRect(QRectF(rightStemX, rightTop, stem, rightHead.y() - rightTop - 4));
    QPainterPath beam;
    beam.moveTo(leftStemX, leftTop);
    beam.lineTo(rightStemX + stem, rightTop);
    beam.lineTo(rightStemX + stem, rightTop + beamHeight);
    beam.lineTo(leftStemX, leftTop + beamHeight);
    beam.closeSubpath();
    // United rather than added: the glyph's contours run the other way round from the
    // rectangles, and added together they would cancel where they overlap.
    const QPainterPath shape = notes.united(stems).united(beam);
    QLinearGradient shade(0, 0, kIconSize, kIconSize);
    shade.setColorAt(0, QColor(150, 240, 120));
    shade.setColorAt(0.45, QColor(40, 170, 50));
    shade.setColorAt(1, QColor(0, 80, 20));
    p.setPen(QPen(QColor(0, 60, 10), 2.0));
    p.setBrush(shade);
    p.drawPath(shape);
    p.end();
    return normalised(image);
}

Artwork paintArtwork(const MusicFont& font)
{
    Artwork art;
    art.keyboard = paintKeyboard();
    art.staff = paintStaff(font);
    art.logo = paintLogo(font);
    for (int key = 0; key < kKeyTileCount / 2; ++key) {
        art.keySignatures.push_back(paintKeySignature(font, key, false));
        art.keySignatures.push_back(paintKeySignature(font, key, true));
    }
    for (int i = 0; i < kHighlightCount; ++i)
        art.keyHighlights.push_back(paintKeyHighlight(i));
    for (int i = 0; i < 7; ++i)
        art.scaleDegrees.push_back(paintScaleDegree(i));
    for (int i = 0; i < 10; ++i)
        art.notes.push_back(paintNote(font, i));
    for (int i = 0; i < 4; ++i)
        art.evaluationMarks.push_back(paintEvaluationMark(i));
    art.wallpaper = paintWallpaper();
    art.icon = paintIcon(font);
    return art;
}

} // namespace lirasto::artwork
