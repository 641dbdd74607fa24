#include "game/StaffLayout.h"

#include "core/Errors.h"
#include "resources/artwork/ArtworkGeometry.h"

#include <string>

namespace lirasto::staff {

int accidentalPicture(TAccidental sign)
{
    switch (sign) {
    case TAccidental::Flat:
        return FlatPicture;
    case TAccidental::Sharp:
        return SharpPicture;
    case TAccidental::DoubleSharp:
        return DoubleSharpPicture;
    case TAccidental::DoubleFlat:
        return DoubleFlatPicture;
    default:
        return NaturalPicture;
    }
}

int accidentalDrop(TAccidental sign)
{
    // The double sharp is a small cross centred on the note's row.
    if (sign == TAccidental::DoubleSharp)
        return kHeadRowBelowOffset - 3;
    return sign == TAccidental::Natural ? 55 : 53;
}

int accidentalBefore(TAccidental sign)
{
    return sign == TAccidental::DoubleFlat ? kAccidentalBeforeNote + 4 : kAccidentalBeforeNote;
}

bool isAboveStaff(int position)
{
    return position == 2 || position == 4;
}

int ledgerImage(int position, bool stemDown, double top)
{
    const double t = stemDown ? top - kStemDownDrop : top;
    int picture = ThreeLedgerLinesPicture;
    switch (position) {
    case 1:
        if (t == 205)
            picture = TwoLedgerLinesPicture;
        if (t >= 205)
            break;
        if (t >= 195)
            picture = OneLedgerLinePicture;
        break;
    case 2:
        if (t >= 100 && t <= 135)
            picture = OneLedgerLinePicture;
        if (t >= 90 && t <= 125)
            picture = TwoLedgerLinesPicture;
        if (t == 115)
            picture = ThreeLedgerLinesPicture;
        break;
    case 3:
        if (t >= 75 && t <= 110)
            picture = TwoLedgerLinesPicture;
        if (t >= 65 && t <= 100)
            picture = OneLedgerLinePicture;
        break;
    case 4:
        if (t >= 0 && t <= 35)
            picture = OneLedgerLinePicture;
        if (t >= -10 && t <= 25)
            picture = TwoLedgerLinesPicture;
        if (t == 15)
            picture = ThreeLedgerLinesPicture;
        break;
    default:
        break;
    }
    return picture;
}

double ledgerTop(int position, int picture)
{
    double top = LedgerTop[position] + kLedgerTopBelowBase;
    if (isAboveStaff(position)) {
        if (picture == OneLedgerLinePicture)
            top += 20;
        else if (picture == TwoLedgerLinesPicture)
            top += 10;
    }
    return top;
}

namespace {

constexpr int kLetterOfPitchClass[12] = {0, -1, 1, -1, 2, 3, -1, 4, -1, 5, -1, 6};
constexpr int kPitchClassOfLetter[7] = {0, 2, 4, 5, 7, 9, 11};
constexpr int kDegreesPerOctave = 7;
constexpr int kStaffDegrees = 8; // bottom line to top line

} // namespace

int diatonicDegree(int natural)
{
    const int letter = kLetterOfPitchClass[PitchClass(natural)];
    if (letter < 0)
        throw ERangeError("Range check error: note " + std::to_string(natural) + " is not a natural");
    const int octave = (natural - PitchClass(natural)) / 12 - 1;
    return octave * kDegreesPerOctave + letter;
}

int naturalOfDegree(int degree)
{
    const int letter = ((degree % kDegreesPerOctave) + kDegreesPerOctave) % kDegreesPerOctave;
    const int octave = (degree - letter) / kDegreesPerOctave;
    return (octave + 1) * 12 + kPitchClassOfLetter[letter];
}

int bottomLineDegree(int clef)
{
    switch (clef) {
    case 1:
        return 4 * kDegreesPerOctave + 2; // E4
    case 2:
        return 2 * kDegreesPerOctave + 4; // G2
    case 3:
        return 3 * kDegreesPerOctave + 3; // F3
    case 4:
        return 3 * kDegreesPerOctave + 1; // D3
    case 5:
        return 3 * kDegreesPerOctave + 2; // E3, written as E4
    default:
        throw ERangeError("Range check error: clef " + std::to_string(clef) + " outside 1..5");
    }
}

int lowestNote(int clef)
{
    return naturalOfDegree(bottomLineDegree(clef) - 2 * kMostLedgerLines);
}

int highestNote(int clef)
{
    return naturalOfDegree(bottomLineDegree(clef) + kStaffDegrees + 2 * kMostLedgerLines);
}

int clefTilePicture(int clef)
{
    bottomLineDegree(clef);
    return clef >= 3 ? artwork::kFirstClefTile + clef - 3 : -1;
}

int signaturePicture(int clef, int count)
{
    static constexpr artwork::SignatureStaff kStaffOfClef[] = {
        artwork::SignatureStaff::Treble, artwork::SignatureStaff::Bass, artwork::SignatureStaff::Alto,
        artwork::SignatureStaff::Tenor, artwork::SignatureStaff::Treble};
    bottomLineDegree(clef);
    const int picture = artwork::signatureTile(kStaffOfClef[clef - 1], count);
    if (picture < 0)
        throw ERangeError("Range check error: a signature of " + std::to_string(count) + " accidentals");
    return picture;
}

int clefTileLeft()
{
    return artwork::kClefTileLeft;
}

int clefTileTop()
{
    return artwork::kClefTileTop;
}

} // namespace lirasto::staff
