#include "resources/artwork/Pictures.h"

#include "core/Errors.h"
#include "resources/artwork/ArtworkGeometry.h"
#include "resources/artwork/MusicFont.h"
#include "resources/artwork/PaintTools.h"
#include "resources/artwork/Wallpaper.h"

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

QPainterPath trebleClef(const MusicFont& font)
{
    // A little shorter than the staff's natural size, so that it reaches only a line
    // above the staff, with its curl round the G line.
    const QPainterPath path = font.Glyph(MusicGlyph::TrebleClef);
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
    const QPainterPath path = font.Glyph(MusicGlyph::BassClef);
    const QRectF b = path.boundingRect();
    const double scale = double(kBassClefRight - kBassClefLeft + 1) / b.width();
    return PlaceAt(path, scale, QPointF(kBassClefLeft - b.left() * scale, kBassClefHeadRow + 0.5));
}

QPainterPath accidentalInBox(const MusicFont& font, MusicGlyph which, int left, int top, int width, int height)
{
    return FitToBox(font.Glyph(which), QRectF(left, top, width, height));
}

const QRgb kNavyCore = qRgb(0, 0, 80);
const QRgb kNavyEdge = qRgb(3, 3, 23);

void paintHead(QPainter& p, const MusicFont& font, double top)
{
    const QRectF box(0, top, kNoteHeadWidth, kNoteHeadHeight);
    const QPainterPath head = FitToBox(font.Glyph(MusicGlyph::NoteHead), box);
    QRadialGradient shade(box.center() + QPointF(-0.5, -0.5), 6.5);
    shade.setColorAt(0, QColor(kNavyCore));
    shade.setColorAt(0.55, QColor(Mix(kNavyCore, kNavyEdge, 0.5)));
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

// The stem in picture pixels, each a square of scale x scale device pixels.
void paintStem(QImage& image, int column, int firstRow, int lastRow, int scale)
{
    const QRgb stem = Mix(kNavyEdge, kNavyCore, 0.35);
    for (int y = firstRow * scale; y < (lastRow + 1) * scale; ++y)
        for (int x = column * scale; x < (column + 1) * scale; ++x) {
            const QRgb below = image.pixel(x, y);
            // Where the stem meets the solid head it must not punch a lighter hole.
            image.setPixel(x, y, qAlpha(below) > 250 ? below : qRgba(qRed(stem), qGreen(stem), qBlue(stem), 250));
        }
}

QImage noteWithStem(const MusicFont& font, bool headAtBottom, bool stemRight, int scale)
{
    QImage image = Canvas(kNoteGlyphWidth * scale, kNoteGlyphHeight * scale, Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        if (scale != 1)
            p.scale(scale, scale);
        paintHead(p, font, headAtBottom ? kNoteGlyphHeight - kNoteHeadHeight : 0);
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    const int column = stemRight ? kNoteGlyphWidth - 1 : 0;
    if (headAtBottom)
        paintStem(image, column, 0, stemRight ? kStemUpLastRow : kStemUpLastRow - 2, scale);
    else
        paintStem(image, column, kStemDownFirstRow, kNoteGlyphHeight - 1, scale);
    return image;
}

// The head alone: a second's other note, drawn beside its stack's stem.
QImage bareHead(const MusicFont& font, int scale)
{
    QImage image = Canvas(kNoteHeadWidth * scale, kNoteHeadHeight * scale, Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        if (scale != 1)
            p.scale(scale, scale);
        paintHead(p, font, 0);
    }
    return image.convertToFormat(QImage::Format_ARGB32);
}

// Signs this small must be solid ink: well covered pixels become opaque, faint fringes
// vanish, and only a narrow band keeps some smoothing.
QImage accidentalGlyph(const MusicFont& font, MusicGlyph which, int width, int height, int scale)
{
    const QImage mask =
        Coverage(width * scale, height * scale, Scaled(accidentalInBox(font, which, 0, 0, width, height), scale));
    QImage image(width * scale, height * scale, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int a = qAlpha(mask.pixel(x, y));
            const int solid = std::clamp((a - 48) * 255 / (150 - 48), 0, 255);
            image.setPixel(x, y, qRgba(0, 0, 0, solid));
        }
    return image;
}

// At this size the natural reads best drawn pixel by pixel: two upright strokes,
// the left one high and the right one low, joined by two heavy bars.
QImage naturalSign(int scale)
{
    QImage image(kNaturalWidth * scale, kNaturalHeight * scale, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    VLine(image, 0, 0, 13, kBlack, scale);
    VLine(image, kNaturalWidth - 1, 4, kNaturalHeight - 1, kBlack, scale);
    for (int row : {5, 6, 11, 12})
        HLine(image, row, 0, kNaturalWidth - 1, kBlack, scale);
    return image;
}

QImage ledgerTile(int lines, int scale)
{
    QImage image(kLedgerTileWidth * scale, (kLedgerFirstRow + kLedgerSpacing * lines) * scale, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int i = 0; i < lines; ++i)
        HLine(image, kLedgerFirstRow + kLedgerSpacing * i, 0, kLedgerTileWidth - 1, kBlack, scale);
    return image;
}

} // namespace

QImage Normalised(const QImage& image)
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

QImage PaintStaff(const MusicFont& font, int scale)
{
    QImage image(kStaffWidth * scale, kStaffHeight * scale, QImage::Format_ARGB32);
    image.fill(kWhite);
    for (int row : kStaffLineRows)
        HLine(image, row, kStaffLineFirstColumn, kStaffLineLastColumn, kBlack, scale);
    const int lastRow = kBassTopLineRow + (kStaffLineCount - 1) * kStaffLineSpacing;
    const int trebleLast = kTrebleTopLineRow + (kStaffLineCount - 1) * kStaffLineSpacing;
    for (int column : kSystemBarColumns)
        VLine(image, column, kTrebleTopLineRow, lastRow, kBlack, scale);
    for (int column : kStaffBarColumns) {
        VLine(image, column, kTrebleTopLineRow, trebleLast, kBlack, scale);
        VLine(image, column, kBassTopLineRow, lastRow, kBlack, scale);
    }
    for (int row : kLedgerTickRows)
        HLine(image, row, kLedgerTickFirstColumn,
              row == kLedgerTickRows.front() ? kMiddleCTickLastColumn : kLedgerTickLastColumn, kBlack, scale);
    FillInk(image, Scaled(trebleClef(font), scale), kBlack, scale);
    FillInk(image, Scaled(bassClef(font), scale), kBlack, scale);
    return image;
}

QImage PaintKeySignature(const MusicFont& font, int key, bool bass, int scale)
{
    const int count = kSignatureAccidentals.at(key);
    QImage image(kKeyTileSize * scale, kKeyTileSize * scale, QImage::Format_ARGB32);
    image.fill(kWhite);
    for (int row : kKeyTileLineRows)
        HLine(image, row, 0, kKeyTileSize - 1, kBlack, scale);
    const int drop = bass ? kBassSignatureDrop : 0;
    QPainterPath glyphs;
    for (int i = 0; i < std::abs(count); ++i) {
        if (count < 0) {
            const ColumnRange c = kFlatColumns.at(i);
            glyphs.addPath(accidentalInBox(font, MusicGlyph::Flat, c.First,
                                           kFlatPitchRows.at(i) - kFlatPitchBelowTop + drop, c.Last - c.First + 1,
                                           kFlatHeight));
        } else {
            const ColumnRange c = kSharpColumns.at(i);
            glyphs.addPath(accidentalInBox(font, MusicGlyph::Sharp, c.First,
                                           kSharpPitchRows.at(i) - kSharpPitchBelowTop + drop, c.Last - c.First + 1,
                                           kSharpHeight));
        }
    }
    // A thin white halo keeps the signs legible where they cross the lines.
    FillInk(image, Scaled(glyphs, scale), kWhite, scale, 2.2 * scale);
    FillInk(image, Scaled(glyphs, scale), kBlack, scale);
    return image;
}

namespace {

// The C clef spans the staff's four spaces about the line it names.
QPainterPath cClef(const MusicFont& font, int centreRow)
{
    constexpr int kHalfHeight = 2 * kStaffLineSpacing;
    return FitToBox(font.Glyph(MusicGlyph::CClef), QRectF(kTrebleClefLeft, centreRow - kHalfHeight,
                                                          kTrebleClefRight - kTrebleClefLeft + 1, 2 * kHalfHeight + 1));
}

QPainterPath octaveEight()
{
    const QRawFont face = LoadTextFont(QStringLiteral("DejaVuSerif-Bold.ttf"), 100);
    return FitToBox(TextPath(face, QStringLiteral("8")),
                    QRectF(kOctaveEightLeft, kOctaveEightTop, kOctaveEightWidth, kOctaveEightHeight));
}

ColumnRange signatureColumns(int count, int i)
{
    const bool fits = count < 0 ? -count <= int(kFlatColumns.size()) : count <= int(kSharpColumns.size());
    if (fits)
        return count < 0 ? kFlatColumns.at(i) : kSharpColumns.at(i);
    const int first = kTightSignatureFirstColumn + kTightSignaturePitch * i;
    return {first, first + (count < 0 ? kFlatWidth : kSharpWidth) - 1};
}

} // namespace

QImage PaintClefTile(const MusicFont& font, int index, int scale)
{
    if (index < 0 || index >= kClefTileCount)
        throw ERangeError("Clef tile index out of range (" + std::to_string(index) + ")");
    QImage image(kClefTileWidth * scale, kClefTileHeight * scale, QImage::Format_ARGB32);
    image.fill(kWhite);
    for (int i = 0; i < kStaffLineCount; ++i)
        HLine(image, kTrebleTopLineRow + kStaffLineSpacing * i - kClefTileTop, 0, kClefTileWidth - 1, kBlack, scale);
    QPainterPath clef;
    if (index == 0)
        clef = cClef(font, kAltoClefCentreRow);
    else if (index == 1)
        clef = cClef(font, kTenorClefCentreRow);
    else
        clef = trebleClef(font).united(octaveEight());
    FillInk(image, Scaled(clef.translated(-kClefTileLeft, -kClefTileTop), scale), kBlack, scale);
    return image;
}

QImage PaintSignatureTile(const MusicFont& font, int staff, int count, int scale)
{
    if (staff < 0 || staff > 3 || std::abs(count) > kMostSignatureAccidentals)
        throw ERangeError("Signature tile out of range (" + std::to_string(staff) + ", " + std::to_string(count) + ")");
    QImage image(kKeyTileSize * scale, kExtraSignatureTileHeight * scale, QImage::Format_ARGB32);
    image.fill(kWhite);
    for (int row : kKeyTileLineRows)
        HLine(image, row, 0, kKeyTileSize - 1, kBlack, scale);
    QPainterPath glyphs;
    for (int i = 0; i < std::abs(count); ++i) {
        const ColumnRange c = signatureColumns(count, i);
        if (count < 0)
            glyphs.addPath(accidentalInBox(font, MusicGlyph::Flat, c.First,
                                           kSignatureFlatRows.at(staff).at(i) - kFlatPitchBelowTop,
                                           c.Last - c.First + 1, kFlatHeight));
        else
            glyphs.addPath(accidentalInBox(font, MusicGlyph::Sharp, c.First,
                                           kSignatureSharpRows.at(staff).at(i) - kSharpPitchBelowTop,
                                           c.Last - c.First + 1, kSharpHeight));
    }
    FillInk(image, Scaled(glyphs, scale), kWhite, scale, 2.2 * scale);
    FillInk(image, Scaled(glyphs, scale), kBlack, scale);
    return image;
}

QImage PaintScaleDegree(int index, int scale)
{
    static const char* const numerals[] = {"I", "II", "III", "IV", "V", "VI", "VII"};
    if (index < 0 || index >= 7)
        throw ERangeError("Scale degree index out of range (" + std::to_string(index) + ")");
    const QRawFont face = LoadTextFont(QStringLiteral("DejaVuSerif-Bold.ttf"), 100);
    const QPainterPath text = TextPath(face, QString::fromLatin1(numerals[index]), 2);
    const QRectF b = text.boundingRect();
    const double height = kScaleDegreeBottom - kScaleDegreeTop + 1;
    const double width = b.width() * (height / b.height());
    const QPainterPath placed =
        FitToBox(text, QRectF(kScaleDegreeCentreColumn + 0.5 - width / 2, kScaleDegreeTop, width, height));
    QImage image(kKeyTileSize * scale, kKeyTileSize * scale, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    FillInk(image, Scaled(placed, scale), qRgba(0, 0, 255, 234), scale);
    return Normalised(image);
}

QImage PaintNote(const MusicFont& font, int index, int scale)
{
    switch (index) {
    case 0:
        return Normalised(noteWithStem(font, true, true, scale));
    case 1:
        return Normalised(noteWithStem(font, true, false, scale));
    case 2:
        return Normalised(noteWithStem(font, false, false, scale));
    case 3:
        return Normalised(noteWithStem(font, false, true, scale));
    case 4:
        return Normalised(accidentalGlyph(font, MusicGlyph::Flat, kFlatWidth, kFlatHeight, scale));
    case 5:
        return Normalised(accidentalGlyph(font, MusicGlyph::Sharp, kSharpWidth, kSharpHeight, scale));
    case 6:
        return Normalised(naturalSign(scale));
    case 7:
    case 8:
    case 9:
        return Normalised(ledgerTile(index - 6, scale));
    case 10:
        return Normalised(accidentalGlyph(font, MusicGlyph::DoubleSharp, kDoubleSharpWidth, kDoubleSharpHeight, scale));
    case 11:
        return Normalised(accidentalGlyph(font, MusicGlyph::DoubleFlat, kDoubleFlatWidth, kDoubleFlatHeight, scale));
    case 12:
        return Normalised(bareHead(font, scale));
    }
    throw ERangeError("Note glyph index out of range (" + std::to_string(index) + ")");
}

std::vector<QImage> PaintKeyList(const MusicFont& font, int scale)
{
    std::vector<QImage> list;
    for (int key = 0; key < kKeyTileCount / 2; ++key) {
        list.push_back(PaintKeySignature(font, key, false, scale));
        list.push_back(PaintKeySignature(font, key, true, scale));
    }
    for (int i = 0; i < kClefTileCount; ++i)
        list.push_back(PaintClefTile(font, i, scale));
    list.resize(kKeyListCount);
    for (int staff = 0; staff < 4; ++staff)
        for (int count = -kMostSignatureAccidentals; count <= kMostSignatureAccidentals; ++count)
            if (const int item = SignatureTile(SignatureStaff(staff), count); item >= kFirstExtraSignatureTile)
                list[std::size_t(item)] = PaintSignatureTile(font, staff, count, scale);
    return list;
}

std::vector<QImage> PaintNoteList(const MusicFont& font, int scale)
{
    std::vector<QImage> list;
    for (int i = 0; i < kNoteListCount; ++i)
        list.push_back(PaintNote(font, i, scale));
    return list;
}

Artwork PaintArtwork(const MusicFont& font, int scale)
{
    if (scale != 1 && scale != 2)
        throw ERangeError("Artwork scale must be 1 or 2 (" + std::to_string(scale) + ")");
    Artwork art;
    art.Keyboard = PaintKeyboard(scale);
    art.Staff = PaintStaff(font, scale);
    art.Logo = PaintLogo(font, scale);
    art.KeySignatures = PaintKeyList(font, scale);
    for (int i = 0; i < kHighlightCount; ++i)
        art.KeyHighlights.push_back(PaintKeyHighlight(i, scale));
    for (int i = 0; i < 7; ++i)
        art.ScaleDegrees.push_back(PaintScaleDegree(i, scale));
    art.Notes = PaintNoteList(font, scale);
    for (int i = 0; i < 4; ++i)
        art.EvaluationMarks.push_back(PaintEvaluationMark(i, scale));
    art.Wallpaper = PaintWallpaper(scale);
    // The window icon comes in one size; the system scales it.
    if (scale == 1)
        art.Icon = PaintIcon(font);
    return art;
}

} // namespace lirasto::artwork
