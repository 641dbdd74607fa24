#include "app/ProgressStaff.h"

#include "game/GameEvents.h"
#include "game/uFunctions.h"
#include "game/uVariables.h"
#include "graphics/Bitmap32.h"

#include <QPainter>

#include <cmath>

namespace {

// The same figures the game lays its layers with (see uFunctions.cpp).
constexpr int kNoteTopBelowOffset = 30;
constexpr int kStemDownDrop = 30;
constexpr int kLedgerTopBelowBase = 30;
constexpr double kHeadCentreBelowOffset = 64.5;
constexpr int kHeadHalfWidth = 6;
constexpr int kAccidentalOffset = -7; // one column closer than the game's, to fit 18-pixel columns
constexpr int kLedgerCrop = 2;        // ledger tiles are cut to 16 pixels so neighbours do not join
constexpr int kStaffRightPart = 14;   // the columns holding the closing bar line

bool stemDown(int clef, int note)
{
    return clef == 1 ? note > 71 : note > 50;
}

int naturalY(int clef, int natural)
{
    return clef == 1 ? TrebleNoteY[natural] : BassNoteY[natural];
}

int columnLeft(int clef, int note)
{
    const int lowest = clef == 1 ? TrebleLowestNote : BassLowestNote;
    return TProgressStaff::FirstNoteLeft + (note - lowest) * TProgressStaff::ColumnPitch;
}

// A list picture as a straight-alpha image sharing its pixels.
QImage picture(const TBitmap32List* list, int index)
{
    const TBitmap32* bitmap = list->Bitmap(index);
    if (bitmap->Empty())
        return {};
    return QImage(reinterpret_cast<const uchar*>(bitmap->Bits()), bitmap->Width(), bitmap->Height(),
                  qsizetype(bitmap->Width()) * 4, QImage::Format_ARGB32);
}

// The glyph's own alpha over a flat colour, so a note keeps its engraved shape.
QImage tinted(const QImage& glyph, const QColor& colour)
{
    QImage out = glyph.convertToFormat(QImage::Format_ARGB32);
    const QRgb rgb = colour.rgb() & 0x00FFFFFFu;
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            row[x] = (row[x] & 0xFF000000u) | rgb;
    }
    return out;
}

int accidentalPicture(TAccidental sign)
{
    return sign == TAccidental::Flat ? FlatPicture : sign == TAccidental::Sharp ? SharpPicture : NaturalPicture;
}

void drawStaffLines(QPainter& painter, const TBitmap32* staff)
{
    const QImage image = staff->Image();
    const int split = image.width() - kStaffRightPart;
    painter.drawImage(0, 0, image, 0, 0, split, image.height());
    // The plain column before the closing bar, repeated to widen the staff.
    const QImage column = image.copy(split - 1, 0, 1, image.height());
    painter.drawImage(QRect(split, 0, TProgressStaff::Width - kStaffRightPart - split, image.height()), column);
    painter.drawImage(TProgressStaff::Width - kStaffRightPart, 0, image, split, 0, kStaffRightPart, image.height());
}

void drawNote(QPainter& painter, const TStaffPictures& pictures, int clef, int note, int key, const QColor& colour)
{
    const TSpelling spelling = SpellNote(note, key);
    const int y = naturalY(clef, spelling.Natural);
    const int left = columnLeft(clef, note);
    const bool down = stemDown(clef, note);
    const int top = y + kNoteTopBelowOffset + (down ? kStemDownDrop : 0);

    const int position = clef == 1 ? TrebleLedgerFor(note, key) : BassLedgerFor(note);
    if (position != 0) {
        const int tile = clef == 1 ? TrebleLedgerImage(position, down, top) : BassLedgerImage(position, down, top);
        int ledgerTop = LedgerTop[position] + kLedgerTopBelowBase;
        if (position == 2 || position == 4)
            ledgerTop += tile == OneLedgerLinePicture ? 20 : tile == TwoLedgerLinesPicture ? 10 : 0;
        const QImage lines = picture(pictures.Notes, tile);
        const int leftInGame = NoteLeft - LedgerLeft;
        painter.drawImage(left - leftInGame + kLedgerCrop, ledgerTop, lines, kLedgerCrop, 0,
                          lines.width() - 2 * kLedgerCrop, lines.height());
    }
    if (spelling.Sign != TAccidental::None) {
        const int drop = spelling.Sign == TAccidental::Natural ? 55 : 53;
        painter.drawImage(left + kAccidentalOffset, y + drop,
                          tinted(picture(pictures.Notes, accidentalPicture(spelling.Sign)), colour));
    }
    painter.drawImage(left, top,
                      tinted(picture(pictures.Notes, down ? NoteStemDownPicture : NoteStemUpPicture), colour));
}

} // namespace

QImage TProgressStaff::Compose(const TStaffPictures& pictures, int key, const TColourOf& colourOf)
{
    if (!KeyAccidentalKind.contains(key))
        throw lirasto::ERangeError("Range check error: key " + std::to_string(key) + " outside 0..11");
    const int height = pictures.Staff && !pictures.Staff->Empty() ? pictures.Staff->Height() : 300;
    QImage image(Width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    if (pictures.Staff && !pictures.Staff->Empty())
        drawStaffLines(painter, pictures.Staff);
    if (pictures.Keys) {
        painter.drawImage(KeySignatureLeft, TrebleKeySignatureTop, picture(pictures.Keys, 2 * key));
        painter.drawImage(KeySignatureLeft, BassKeySignatureTop, picture(pictures.Keys, 2 * key + 1));
    }
    if (pictures.Notes) {
        for (int note = TrebleLowestNote; note <= TrebleHighestNote; ++note)
            drawNote(painter, pictures, 1, note, key, colourOf(1, note));
        for (int note = BassLowestNote; note <= BassHighestNote; ++note)
            drawNote(painter, pictures, 2, note, key, colourOf(2, note));
    }
    return image;
}

QPointF TProgressStaff::NoteHeadCentre(int clef, int note, int key)
{
    const int y = naturalY(clef, SpellNote(note, key).Natural);
    return {columnLeft(clef, note) + kHeadHalfWidth - 0.5, y + kHeadCentreBelowOffset};
}

std::optional<TStaffNote> TProgressStaff::NoteAt(QPointF point, int key)
{
    if (!KeyAccidentalKind.contains(key))
        return std::nullopt;
    const double column = (point.x() - FirstNoteLeft) / ColumnPitch;
    if (column < 0 || column >= TrebleHighestNote - TrebleLowestNote + 1)
        return std::nullopt;
    const int offset = static_cast<int>(column);
    for (const TStaffNote candidate :
         {TStaffNote{1, TrebleLowestNote + offset}, TStaffNote{2, BassLowestNote + offset}}) {
        if (candidate.Clef == 2 && candidate.Note > BassHighestNote)
            continue;
        const QPointF centre = NoteHeadCentre(candidate.Clef, candidate.Note, key);
        if (std::abs(point.x() - centre.x()) <= kHeadHalfWidth + 1 && std::abs(point.y() - centre.y()) <= 6)
            return candidate;
    }
    return std::nullopt;
}
