#include "core/Errors.h"
#include "resources/artwork/ArtworkGeometry.h"
#include "resources/artwork/MusicFont.h"
#include "resources/artwork/PaintTools.h"
#include "resources/artwork/Pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>
#include <string>

namespace lirasto::artwork {

namespace {

// The painter works in picture pixels; at a finer scale it maps them to device pixels.
void zoom(QPainter& p, int scale)
{
    if (scale != 1)
        p.scale(scale, scale);
}

QImage pointingHand(int scale)
{
    QImage image = Canvas(14 * scale, 29 * scale, Qt::white);
    QPainter p(&image);
    zoom(p, scale);
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

QImage ball(QColor light, QColor body, QColor dark, double diameter, int scale)
{
    QImage image = Canvas(19 * scale, 19 * scale, Qt::white);
    QPainter p(&image);
    zoom(p, scale);
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

QImage cartoonEye(int scale)
{
    QImage image = Canvas(23 * scale, 17 * scale, Qt::white);
    QPainter p(&image);
    zoom(p, scale);
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
    const QPainterPath clef = font.Glyph(MusicGlyph::BassClef);
    p.drawPath(PlaceAt(clef, 0.2, QPointF(26, 216.5)));
    // B flat on the second line from the bottom, E flat in the third space.
    const QPainterPath flat = font.Glyph(MusicGlyph::Flat);
    p.drawPath(PlaceAt(flat, 0.2, QPointF(60, 236.5)));
    p.drawPath(PlaceAt(flat, 0.2, QPointF(70, 221.5)));
    // After the bar an E flat major triad, E flat 2 on a ledger line below the staff, its flat
    // written out as the logo has always shown it.
    const QColor paleYellow(255, 245, 170);
    p.setBrush(paleYellow);
    const QPainterPath head = font.Glyph(MusicGlyph::NoteHead);
    const double headX = 150;
    for (double row : {256.5, 246.5, 236.5})
        p.drawPath(PlaceAt(head, 0.2, QPointF(headX, row)));
    p.drawPath(PlaceAt(flat, 0.2, QPointF(headX - 12, 256.5)));
    p.setPen(QPen(paleYellow, 1.0));
    p.drawLine(QPointF(headX - 3, 256.5), QPointF(headX + 16, 256.5));
    p.drawLine(QPointF(headX + 12.5, 256), QPointF(headX + 12.5, 218));
}

} // namespace

QImage PaintEvaluationMark(int index, int scale)
{
    switch (index) {
    case 0:
        return Normalised(pointingHand(scale));
    case 1:
        return Normalised(ball(QColor(200, 255, 190), QColor(30, 190, 40), QColor(0, 90, 10), 12, scale));
    case 2:
        return Normalised(ball(QColor(255, 200, 190), QColor(220, 30, 20), QColor(110, 0, 0), 13, scale));
    case 3:
        return Normalised(cartoonEye(scale));
    }
    throw ERangeError("Evaluation mark index out of range (" + std::to_string(index) + ")");
}

QImage PaintLogo(const MusicFont& font, int scale)
{
    QImage image = Canvas(kLogoWidth * scale, kLogoHeight * scale, Qt::black);
    QPainter p(&image);
    zoom(p, scale);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    // Wordmark and slogan: condensed capitals, slightly slanted as if lettered by hand.
    const QRawFont heavy = LoadTextFont(QStringLiteral("LiberationSansNarrow-BoldItalic.ttf"), 100);
    const QRawFont light = LoadTextFont(QStringLiteral("LiberationSansNarrow-Italic.ttf"), 100);
    const QPainterPath mark = TextPath(heavy, QStringLiteral("LIRASTO"), 6);
    p.drawPath(FitToBox(mark, QRectF(52, 11, 126, 20)));
    const QPainterPath first = TextPath(light, QStringLiteral("READ THE NOTES,"), 4);
    const QPainterPath second = TextPath(light, QStringLiteral("FIND THE KEYS"), 4);
    p.drawPath(FitToBox(first, QRectF(58, 36, 114, 7)));
    p.drawPath(FitToBox(second, QRectF(64, 47, 102, 7)));
    // Two keys on a ring.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 200, 210), 1.4));
    p.drawEllipse(QPointF(111, 77), 4.5, 4.5);
    drawKey(p, QPointF(107, 79), 25, QColor(235, 235, 245), QColor(120, 120, 135));
    drawKey(p, QPointF(115, 79), -20, QColor(255, 225, 120), QColor(160, 110, 20));
    drawPiano(p);
    drawLogoStaff(p, font);
    p.end();
    return Normalised(image);
}

QImage PaintIcon(const MusicFont& font)
{
    QImage image = Canvas(kIconSize, kIconSize, Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath head = font.Glyph(MusicGlyph::NoteHead);
    const double scale = 0.6;
    const QPointF leftHead(9, 105), rightHead(72, 93);
    QPainterPath notes = PlaceAt(head, scale, leftHead).united(PlaceAt(head, scale, rightHead));
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
    return Normalised(image);
}

} // namespace lirasto::artwork
