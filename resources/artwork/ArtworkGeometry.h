#pragma once

#include <array>

// The geometry on which the pictures and the code that lays layers over them
// must agree: staff rows, key columns and glyph anchors, in picture pixels.
// Constant values only, so that the game code can include it as well.
namespace lirasto::artwork {

struct ColumnRange
{
    int First;
    int Last;
};

// Piano keyboard: one octave repeated four times, then a closing dark column.
constexpr int kKeyboardWidth = 561;
constexpr int kKeyboardHeight = 71;
constexpr int kOctaveWidth = 140;
constexpr int kOctaveCount = 4;
constexpr int kWhiteKeyPitch = 20;
constexpr int kWhiteKeysPerOctave = 7;
constexpr int kWhiteKeyCount = kWhiteKeysPerOctave * kOctaveCount;
constexpr int kClosingColumn = kOctaveWidth * kOctaveCount;
// White key k's face spans 20k + 1 .. 20k + 18; 20k - 1 and 20k are the dark separator.
constexpr int kWhiteFaceFirstOffset = 1;
constexpr int kWhiteFaceLastOffset = 18;
constexpr int kTopEdgeRows = 2;
constexpr int kBlackKeyLastRow = 41;
constexpr int kWhiteLipFirstRow = 63;
constexpr int kWhiteLipLastRow = 68;
constexpr int kBottomEdgeFirstRow = 69;
// Columns of the black keys C#, D#, F#, G#, A# within an octave.
constexpr std::array<ColumnRange, 5> kBlackKeyColumns = {{{11, 23}, {36, 48}, {71, 83}, {94, 106}, {117, 128}}};
constexpr std::array<int, 5> kBlackKeyPitchClasses = {1, 3, 6, 8, 10};
// Keys answer in the upper band (with the black keys) up to this row, inclusive.
constexpr int kUpperBandLastRow = 42;

// Key highlights, laid over the keyboard from row 0.
constexpr int kHighlightCount = 8;
constexpr int kBlackHighlightWidth = 12;
constexpr int kBlackHighlightHeight = 39;
constexpr int kWhiteHighlightWidth = 20;
constexpr int kWhiteHighlightTallHeight = 71;
constexpr int kWhiteHighlightShortHeight = 70;
constexpr int kHighlightUpperFirstRow = 5;
// Columns of the part of each white highlight that reaches between the black keys
// (index 0, the black key, unused).
constexpr std::array<ColumnRange, kHighlightCount> kHighlightUpperColumns = {
    {{0, 11}, {0, 9}, {5, 13}, {10, 19}, {0, 9}, {5, 12}, {8, 15}, {10, 19}}};
constexpr std::array<int, kHighlightCount> kHighlightHeights = {39, 71, 71, 70, 71, 71, 71, 70};

// The staff picture: a treble and a bass staff.
constexpr int kStaffWidth = 575;
constexpr int kStaffHeight = 300;
constexpr int kStaffLineCount = 5;
constexpr int kStaffLineSpacing = 10;
constexpr int kTrebleTopLineRow = 80;
constexpr int kBassTopLineRow = 180;
constexpr int kStaffStep = kStaffLineSpacing / 2;
constexpr std::array<int, 10> kStaffLineRows = {80, 90, 100, 110, 120, 180, 190, 200, 210, 220};
constexpr int kStaffLineFirstColumn = 5;
constexpr int kStaffLineLastColumn = 571;
// Bar lines joining both staves, and the pair drawn on each staff alone.
constexpr std::array<int, 2> kSystemBarColumns = {5, 571};
constexpr std::array<int, 2> kStaffBarColumns = {95, 100};
// Ticks at the left edge between the staves mark the ledger-line rows.
constexpr std::array<int, 5> kLedgerTickRows = {130, 140, 150, 160, 170};
constexpr int kLedgerTickFirstColumn = 5;
constexpr int kLedgerTickLastColumn = 7;
constexpr int kMiddleCTickLastColumn = 6;
constexpr int kTrebleClefLeft = 10, kTrebleClefRight = 32, kTrebleClefTop = 71, kTrebleClefBottom = 133;
constexpr int kTrebleClefCurlRow = 110;
constexpr int kBassClefLeft = 9, kBassClefRight = 34, kBassClefTop = 182, kBassClefBottom = 211;
constexpr int kBassClefHeadRow = 190;

// Key-signature tiles: a 60-pixel piece of staff with the signature on it.
constexpr int kKeyTileSize = 60;
constexpr int kKeyTileCount = 24;
constexpr std::array<int, 5> kKeyTileLineRows = {10, 20, 30, 40, 50};
constexpr int kBassSignatureDrop = 10;
constexpr int kKeyTileLeft = 40;
constexpr int kTrebleKeyTileTop = 70;
constexpr int kBassKeyTileTop = 170;
// Rows (in the treble tile) of the notes the flats B E A D G C and the sharps F C G D A E stand for.
constexpr std::array<int, 6> kFlatPitchRows = {30, 15, 35, 20, 40, 25};
constexpr std::array<int, 5> kSharpPitchRows = {10, 25, 5, 20, 35};
constexpr std::array<ColumnRange, 6> kFlatColumns = {{{5, 9}, {12, 16}, {19, 23}, {27, 31}, {34, 38}, {43, 47}}};
constexpr std::array<ColumnRange, 5> kSharpColumns = {{{5, 10}, {13, 18}, {22, 27}, {33, 38}, {44, 49}}};
// Key k (tonic k semitones above C): flats when negative, sharps when positive.
constexpr std::array<int, 12> kSignatureAccidentals = {0, -5, 2, -3, 4, -1, -6, 1, -4, 3, -2, 5};

// Clef tiles: a piece of the upper staff with another clef on it, laid over the treble clef when
// a line is written in that clef. They follow the twelve keys' tiles in the key list.
constexpr int kClefTileLeft = 8;
constexpr int kClefTileTop = 60;
constexpr int kClefTileWidth = 31;
constexpr int kClefTileHeight = 90;
constexpr int kClefTileCount = 3; // alto, tenor, treble with an 8 below
constexpr int kFirstClefTile = kKeyTileCount;
// The C clef's centre stands on the line of middle C: the middle line (alto) or the fourth (tenor).
constexpr int kAltoClefCentreRow = 100;
constexpr int kTenorClefCentreRow = 90;
// The 8 under the octave treble clef.
constexpr int kOctaveEightLeft = 16, kOctaveEightTop = 136, kOctaveEightWidth = 7, kOctaveEightHeight = 10;

// The staves a signature is written for, and the signatures the twelve keys' tiles lack: six and
// seven sharps and seven flats on the treble and bass staves, every count on the alto and tenor.
enum class SignatureStaff { Treble = 0, Bass = 1, Alto = 2, Tenor = 3 };
constexpr int kMostSignatureAccidentals = 7;
constexpr int kFirstExtraSignatureTile = kFirstClefTile + kClefTileCount;
constexpr std::array<int, 3> kExtraGrandSignatures = {6, 7, -7};
constexpr int kExtraSignatureTileCount = 2 * 3 + 2 * (2 * kMostSignatureAccidentals + 1);
constexpr int kKeyListCount = kFirstExtraSignatureTile + kExtraSignatureTileCount;
// The extra tiles are taller, so that the bass staff's seventh flat, below the staff, is whole.
constexpr int kExtraSignatureTileHeight = 66;
// Rows (in a tile whose top line is row 10) of the notes the sharps F C G D A E B and the flats
// B E A D G C F stand for; the tenor staff writes its sharps low, as engravers do.
constexpr std::array<std::array<int, 7>, 4> kSignatureSharpRows = {{{10, 25, 5, 20, 35, 15, 30},
                                                                    {20, 35, 15, 30, 45, 25, 40},
                                                                    {15, 30, 10, 25, 40, 20, 35},
                                                                    {40, 20, 35, 15, 30, 10, 25}}};
constexpr std::array<std::array<int, 7>, 4> kSignatureFlatRows = {{{30, 15, 35, 20, 40, 25, 45},
                                                                   {40, 25, 45, 30, 50, 35, 55},
                                                                   {35, 20, 40, 25, 45, 30, 50},
                                                                   {25, 10, 30, 15, 35, 20, 40}}};
// Signatures too long for the twelve keys' columns stand at this pitch from column 4.
constexpr int kTightSignaturePitch = 7;
constexpr int kTightSignatureFirstColumn = 4;

// The key-list item showing a signature of count accidentals (sharps when positive) on a staff;
// -1 when there is none.
constexpr int SignatureTile(SignatureStaff staff, int count)
{
    const int kind = static_cast<int>(staff);
    if (count < -kMostSignatureAccidentals || count > kMostSignatureAccidentals)
        return -1;
    if (staff == SignatureStaff::Treble || staff == SignatureStaff::Bass) {
        for (int key = 0; key < 12; ++key)
            if (kSignatureAccidentals[std::size_t(key)] == count)
                return 2 * key + kind;
        for (std::size_t i = 0; i < kExtraGrandSignatures.size(); ++i)
            if (kExtraGrandSignatures[i] == count)
                return kFirstExtraSignatureTile + kind * 3 + int(i);
        return -1;
    }
    return kFirstExtraSignatureTile + 6 + (kind - 2) * (2 * kMostSignatureAccidentals + 1) + count +
           kMostSignatureAccidentals;
}

// Note glyphs.
constexpr int kNoteGlyphWidth = 12;
constexpr int kNoteGlyphHeight = 40;
constexpr int kNoteHeadWidth = 12;
constexpr int kNoteHeadHeight = 10;
constexpr double kNoteHeadCentreStemUp = 34.5;
constexpr double kNoteHeadCentreStemDown = 4.5;
// A notehead's centre lies this far below the staff offset of its natural.
constexpr int kNoteHeadBelowOffset = 65;
constexpr int kStemUpLastRow = 36;
constexpr int kStemDownFirstRow = 5;
constexpr int kFlatWidth = 5, kFlatHeight = 18;
constexpr int kSharpWidth = 6, kSharpHeight = 18;
constexpr int kNaturalWidth = 4, kNaturalHeight = 19;
// The double sharp, a small cross centred on its note's row, and the double flat, two flats.
constexpr int kDoubleSharpWidth = 7, kDoubleSharpHeight = 7;
constexpr int kDoubleFlatWidth = 9, kDoubleFlatHeight = 18;
// The last is the head without a stem.
constexpr int kNoteListCount = 13;
// A flat's bowl centre lies this many rows below its glyph's top; a sharp's centre 9.
constexpr int kFlatPitchBelowTop = 12;
constexpr int kSharpPitchBelowTop = 9;
constexpr int kLedgerTileWidth = 20;
constexpr int kLedgerFirstRow = 10;
constexpr int kLedgerSpacing = 10;

// Evaluation marks, scale degrees, logo.
constexpr int kScaleDegreeTop = 15;
constexpr int kScaleDegreeBottom = 37;
constexpr int kScaleDegreeCentreColumn = 28;
constexpr int kLogoWidth = 230;
constexpr int kLogoHeight = 300;
constexpr int kWallpaperWidth = 800;
constexpr int kWallpaperHeight = 376;
constexpr int kIconSize = 128;

} // namespace lirasto::artwork
