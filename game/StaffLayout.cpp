#include "game/StaffLayout.h"

#include "core/Errors.h"
#include "resources/artwork/ArtworkGeometry.h"

#include <string>

namespace lirasto::staff {

int AccidentalPicture(TAccidental sign)
{
    switch (sign) {
    case TAccidental::Flat:
        return kFlatPicture;
    case TAccidental::Sharp:
        return kSharpPicture;
    case TAccidental::DoubleSharp:
        return kDoubleSharpPicture;
    case TAccidental::DoubleFlat:
        return kDoubleFlatPicture;
    default:
        return kNaturalPicture;
    }
}

int AccidentalDrop(TAccidental sign)
{
    // The double sharp is a small cross centred on the note's row.
    if (sign == TAccidental::DoubleSharp)
        return kHeadRowBelowOffset - 3;
    return sign == TAccidental::Natural ? 55 : 53;
}

int AccidentalBefore(TAccidental sign)
{
    return sign == TAccidental::DoubleFlat ? kAccidentalBeforeNote + 4 : kAccidentalBeforeNote;
}

bool IsAboveStaff(int position)
{
    return position == 2 || position == 4;
}

int LedgerImage(int position, bool stemDown, double top)
{
    const double t = stemDown ? top - kStemDownDrop : top;
    int picture = kThreeLedgerLinesPicture;
    switch (position) {
    case 1:
        if (t == 205)
            picture = kTwoLedgerLinesPicture;
        if (t >= 205)
            break;
        if (t >= 195)
            picture = kOneLedgerLinePicture;
        break;
    case 2:
        if (t >= 100 && t <= 135)
            picture = kOneLedgerLinePicture;
        if (t >= 90 && t <= 125)
            picture = kTwoLedgerLinesPicture;
        if (t == 115)
            picture = kThreeLedgerLinesPicture;
        break;
    case 3:
        if (t >= 75 && t <= 110)
            picture = kTwoLedgerLinesPicture;
        if (t >= 65 && t <= 100)
            picture = kOneLedgerLinePicture;
        break;
    case 4:
        if (t >= 0 && t <= 35)
            picture = kOneLedgerLinePicture;
        if (t >= -10 && t <= 25)
            picture = kTwoLedgerLinesPicture;
        if (t == 15)
            picture = kThreeLedgerLinesPicture;
        break;
    default:
        break;
    }
    return picture;
}

double LedgerTop(int position, int picture)
{
    double top = ::LedgerTop[position] + kLedgerTopBelowBase;
    if (IsAboveStaff(position)) {
        if (picture == kOneLedgerLinePicture)
            top += 20;
        else if (picture == kTwoLedgerLinesPicture)
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

int DiatonicDegree(int natural)
{
    const int letter = kLetterOfPitchClass[PitchClass(natural)];
    if (letter < 0)
        throw ERangeError("Range check error: note " + std::to_string(natural) + " is not a natural");
    const int octave = (natural - PitchClass(natural)) / 12 - 1;
    return octave * kDegreesPerOctave + letter;
}

int NaturalOfDegree(int degree)
{
    const int letter = ((degree % kDegreesPerOctave) + kDegreesPerOctave) % kDegreesPerOctave;
    const int octave = (degree - letter) / kDegreesPerOctave;
    return (octave + 1) * 12 + kPitchClassOfLetter[letter];
}

int BottomLineDegree(int clef)
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

int LowestNote(int clef)
{
    return NaturalOfDegree(BottomLineDegree(clef) - 2 * kMostLedgerLines);
}

int HighestNote(int clef)
{
    return NaturalOfDegree(BottomLineDegree(clef) + kStaffDegrees + 2 * kMostLedgerLines);
}

int ClefTilePicture(int clef)
{
    BottomLineDegree(clef);
    return clef >= 3 ? artwork::kFirstClefTile + clef - 3 : -1;
}

int SignaturePicture(int clef, int count)
{
    static constexpr artwork::SignatureStaff kStaffOfClef[] = {
        artwork::SignatureStaff::Treble, artwork::SignatureStaff::Bass, artwork::SignatureStaff::Alto,
        artwork::SignatureStaff::Tenor, artwork::SignatureStaff::Treble};
    BottomLineDegree(clef);
    const int picture = artwork::SignatureTile(kStaffOfClef[clef - 1], count);
    if (picture < 0)
        throw ERangeError("Range check error: a signature of " + std::to_string(count) + " accidentals");
    return picture;
}

int ClefTileLeft()
{
    return artwork::kClefTileLeft;
}

int ClefTileTop()
{
    return artwork::kClefTileTop;
}

} // namespace lirasto::staff
