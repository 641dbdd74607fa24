#include "app/progress/ProgressStaff.h"

#include "game/GameEvents.h"
#include "game/StaffLayout.h"
#include "game/uVariables.h"
#include "graphics/Bitmap32.h"

#include <QPainter>

#include <cmath>

namespace {

namespace layout = lirasto::staff;

constexpr int kHeadHalfWidth = 6;
// One column closer than the game's, to fit 18-pixel columns.
constexpr int kAccidentalOffset = 1 - layout::kAccidentalBeforeNote;
constexpr int kLedgerCrop = 2;      // ledger tiles are cut to 16 pixels so neighbours do not join
constexpr int kStaffRightPart = 14; // the columns holding the closing bar line

int naturalY(int clef, int natural)
{
    return clef == 1 ? TrebleNoteY[natural] : BassNoteY[natural];
}

// How a note is written on a clef's staff. At the staff's ends a key of the thirty may call for
// a letter beyond its range (B sharp below C2, E sharp below F3): that note is written as the
// level of the same sound spells it.
TSpelling spellingOn(int clef, int note, const TStaffKey& key)
{
    const TSpelling spelling = key.Spell(note);
    const bool onStaff = clef == 1 ? TrebleNoteY.Contains(spelling.Natural) : BassNoteY.Contains(spelling.Natural);
    return onStaff ? spelling : SpellNote(note, key.LevelKey());
}

// Which ledger lines a written note takes: the place of its letter decides.
int ledgerPosition(int clef, int natural)
{
    return clef == 1 ? TrebleLedgerPosition[natural] : BassLedgerPosition[natural];
}

int columnLeft(int clef, int note)
{
    const int lowest = clef == 1 ? kTrebleLowestNote : kBassLowestNote;
    return TProgressStaff::kFirstNoteLeft + (note - lowest) * TProgressStaff::kColumnPitch;
}

// A bitmap as an image sharing its pixels, from its detail at scale 2 when it has one (the
// image's device pixel ratio says which).
QImage imageAtScale(const TBitmap32* base, int scale, QImage::Format format)
{
    const TBitmap32* detail = scale == 2 ? base->DetailPicture() : nullptr;
    const TBitmap32* bitmap = detail ? detail : base;
    QImage image(reinterpret_cast<const uchar*>(bitmap->Bits()), bitmap->Width(), bitmap->Height(),
                 qsizetype(bitmap->Width()) * 4, format);
    image.setDevicePixelRatio(qreal(bitmap->Width()) / base->Width());
    return image;
}

// A list picture as a straight-alpha image sharing its pixels, at the scale's resolution when
// the picture has a detail for it.
QImage picture(const TBitmap32List* list, int index, int scale)
{
    const TBitmap32* bitmap = list->Bitmap(index);
    return bitmap->Empty() ? QImage() : imageAtScale(bitmap, scale, QImage::Format_ARGB32);
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

// Draws the columns [from, from + width) of a picture whose device pixel ratio is r into target.
void drawColumns(QPainter& painter, const QRectF& target, const QImage& image, qreal from, qreal width)
{
    const qreal r = image.devicePixelRatio();
    painter.drawImage(target, image, QRectF(from * r, 0, width * r, image.height()));
}

void drawStaffLines(QPainter& painter, const TBitmap32* staff, int scale)
{
    const QImage image = imageAtScale(staff, scale, QImage::Format_RGB32);
    const int height = staff->Height();
    const int split = staff->Width() - kStaffRightPart;
    drawColumns(painter, QRectF(0, 0, split, height), image, 0, split);
    // The plain column before the closing bar, repeated to widen the staff.
    const qreal r = image.devicePixelRatio();
    painter.drawImage(QRectF(split, 0, TProgressStaff::kWidth - kStaffRightPart - split, height), image,
                      QRectF(split * r - 1, 0, 1, image.height()));
    drawColumns(painter, QRectF(TProgressStaff::kWidth - kStaffRightPart, 0, kStaffRightPart, height), image, split,
                kStaffRightPart);
}

void drawNote(QPainter& painter, const TStaffPictures& pictures, int clef, int note, const TStaffKey& key,
              const QColor& colour, int scale)
{
    const TSpelling spelling = spellingOn(clef, note, key);
    const int y = naturalY(clef, spelling.Natural);
    const int left = columnLeft(clef, note);
    const bool down = layout::StemDown(clef, note);
    const int top = static_cast<int>(layout::NoteTop(y, down));

    const int position = ledgerPosition(clef, spelling.Natural);
    if (position != 0) {
        const int tile = layout::LedgerImage(position, down, top);
        const double ledgerTop = layout::LedgerTop(position, tile);
        const QImage lines = picture(pictures.Notes, tile, scale);
        const int leftInGame = layout::kLedgerBeforeNote;
        const QSizeF size = lines.deviceIndependentSize();
        drawColumns(painter,
                    QRectF(left - leftInGame + kLedgerCrop, ledgerTop, size.width() - 2 * kLedgerCrop, size.height()),
                    lines, kLedgerCrop, size.width() - 2 * kLedgerCrop);
    }
    if (spelling.Sign != TAccidental::None) {
        painter.drawImage(left + kAccidentalOffset, y + layout::AccidentalDrop(spelling.Sign),
                          tinted(picture(pictures.Notes, layout::AccidentalPicture(spelling.Sign), scale), colour));
    }
    painter.drawImage(left, top, tinted(picture(pictures.Notes, layout::NotePicture(down), scale), colour));
}

} // namespace

QImage TProgressStaff::Compose(const TStaffPictures& pictures, const TStaffKey& key, const TColourOf& colourOf,
                               int scale)
{
    scale = scale == 2 ? 2 : 1;
    if (!key.Valid())
        throw lirasto::ERangeError("Range check error: key " + std::to_string(key.LevelKey()) + " outside 0..11");
    const int height = pictures.Staff && !pictures.Staff->Empty() ? pictures.Staff->Height() : 300;
    QImage image(kWidth * scale, height * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    QPainter painter(&image);
    if (pictures.Staff && !pictures.Staff->Empty())
        drawStaffLines(painter, pictures.Staff, scale);
    if (pictures.Keys) {
        painter.drawImage(kKeySignatureLeft, kTrebleKeySignatureTop,
                          picture(pictures.Keys, layout::SignaturePicture(1, key.Accidentals()), scale));
        painter.drawImage(kKeySignatureLeft, kBassKeySignatureTop,
                          picture(pictures.Keys, layout::SignaturePicture(2, key.Accidentals()), scale));
    }
    if (pictures.Notes) {
        for (int note = kTrebleLowestNote; note <= kTrebleHighestNote; ++note)
            drawNote(painter, pictures, 1, note, key, colourOf(1, note), scale);
        for (int note = kBassLowestNote; note <= kBassHighestNote; ++note)
            drawNote(painter, pictures, 2, note, key, colourOf(2, note), scale);
    }
    return image;
}

QPointF TProgressStaff::NoteHeadCentre(int clef, int note, const TStaffKey& key)
{
    const int y = naturalY(clef, spellingOn(clef, note, key).Natural);
    return {columnLeft(clef, note) + kHeadHalfWidth - 0.5, y + layout::kHeadCentreBelowOffset};
}

std::optional<TStaffNote> TProgressStaff::NoteAt(QPointF point, const TStaffKey& key)
{
    if (!key.Valid())
        return std::nullopt;
    const double column = (point.x() - kFirstNoteLeft) / kColumnPitch;
    if (column < 0 || column >= kTrebleHighestNote - kTrebleLowestNote + 1)
        return std::nullopt;
    const int offset = static_cast<int>(column);
    for (const TStaffNote candidate :
         {TStaffNote{1, kTrebleLowestNote + offset}, TStaffNote{2, kBassLowestNote + offset}}) {
        if (candidate.Clef == 2 && candidate.Note > kBassHighestNote)
            continue;
        const QPointF centre = NoteHeadCentre(candidate.Clef, candidate.Note, key);
        if (std::abs(point.x() - centre.x()) <= kHeadHalfWidth + 1 && std::abs(point.y() - centre.y()) <= 6)
            return candidate;
    }
    return std::nullopt;
}
