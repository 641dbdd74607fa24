#pragma once

#include "game/uVariables.h"

// Where the staff's pictures go: the picture indexes of the lists, the columns and rows the
// layers are laid at, and the arithmetic that turns a written note into those places. The
// staff view, the design's drawing routines and the Progress page's staff all lay their
// pictures from here, so that a note sits alike wherever it is drawn. Nothing here draws.

// Pictures of the note list.
inline constexpr int kNoteStemUpPicture = 0;
inline constexpr int kNoteStemDownPicture = 2;
inline constexpr int kFlatPicture = 4;
inline constexpr int kSharpPicture = 5;
inline constexpr int kNaturalPicture = 6;
inline constexpr int kOneLedgerLinePicture = 7;
inline constexpr int kTwoLedgerLinesPicture = 8;
inline constexpr int kThreeLedgerLinesPicture = 9;
inline constexpr int kDoubleSharpPicture = 10;
inline constexpr int kDoubleFlatPicture = 11;
// A head without a stem: the other note of a second, beside its stack's stem.
inline constexpr int kNoteHeadPicture = 12;

// Pictures of the evaluation list.
inline constexpr int kPointerMarkPicture = 0;
inline constexpr int kRightMarkPicture = 1;
inline constexpr int kWrongMarkPicture = 2;

// Horizontal places on the staff picture.
inline constexpr int kNoteLeft = 125;
inline constexpr int kAccidentalLeft = 117;
inline constexpr int kLedgerLeft = 121;
inline constexpr int kKeySignatureLeft = 40;
inline constexpr int kTrebleKeySignatureTop = 70;
inline constexpr int kBassKeySignatureTop = 170;
inline constexpr int kEvaluationMarkLeft = 125;
inline constexpr int kEvaluationMarkTop = 0;

namespace lirasto::staff {

// A stem-up note layer's top lies 30 below the staff offset of its natural.
inline constexpr int kNoteTopBelowOffset = 30;
// A stem-down picture has its head 30 rows higher in the glyph, so its layer sits 30 lower.
inline constexpr int kStemDownDrop = 30;
// Ledger-line layers hang 30 below the base top of their position.
inline constexpr int kLedgerTopBelowBase = 30;
// A notehead's centre lies 64.5 rows below the staff offset of its natural (34.5 into a stem-up glyph).
inline constexpr double kHeadCentreBelowOffset = 64.5;
// The row a head is said to stand on: its centre rounded down, the staff line or space row.
inline constexpr int kHeadRowBelowOffset = 65;
// The accidental stands this far left of its note, the ledger lines this far.
inline constexpr int kAccidentalBeforeNote = kNoteLeft - kAccidentalLeft;
inline constexpr int kLedgerBeforeNote = kNoteLeft - kLedgerLeft;
// Ledger lines are 10 rows apart, the first 10 rows below a ledger picture's top.
inline constexpr int kLineSpacing = 10;
inline constexpr int kStep = kLineSpacing / 2;

// The rows of the outer lines of the two staves of the staff picture.
inline constexpr int kTrebleTopLine = 80;
inline constexpr int kTrebleBottomLine = 120;
inline constexpr int kBassTopLine = 180;
inline constexpr int kBassBottomLine = 220;
// The last column of the staff lines: a line of notes ends before it.
inline constexpr int kStaffRight = 571;
// A line of notes starts after the widest key signature, with room for its first note's sign,
// and its last note stays clear of the staff's end with its ledger lines and mark.
inline constexpr int kFirstLineNoteLeft = 150;
inline constexpr int kLastLineNoteLeft = 545;

// Notes above the middle line of their staff (clef 1 treble, 2 bass) have their stems down.
inline bool StemDown(int clef, int note)
{
    constexpr int kTrebleMiddleNote = 71;
    constexpr int kBassMiddleNote = 50;
    return note > (clef == 1 ? kTrebleMiddleNote : kBassMiddleNote);
}

// The note picture for a stem direction.
inline int NotePicture(bool stemDown)
{
    return stemDown ? kNoteStemDownPicture : kNoteStemUpPicture;
}

// The top of a note layer whose natural has staff offset y.
inline double NoteTop(double y, bool stemDown)
{
    return y + kNoteTopBelowOffset + (stemDown ? kStemDownDrop : 0);
}

// The accidental picture of a sign (flat, sharp or natural).
int AccidentalPicture(TAccidental sign);

// How far below the staff offset the accidental's top lies: a natural sign is one row taller
// than a flat or a sharp and sits two rows lower.
int AccidentalDrop(TAccidental sign);

// How far left of its note a sign stands: the double flat, wider, stands further.
int AccidentalBefore(TAccidental sign);

// The ledger-line picture (7, 8 or 9) a note layer at top needs at a ledger position (1..4),
// tested on its top as if stemmed up.
int LedgerImage(int position, bool stemDown, double top);

// The top of the ledger-line picture of a position: below a staff it hangs from a fixed top,
// above it the lowest line stays on the first ledger line and the picture grows upward.
double LedgerTop(int position, int picture);

bool IsAboveStaff(int position);

// --- Clefs ---

// Ledger lines a line of notes may reach above and below its staff.
inline constexpr int kMostLedgerLines = 5;

// A note's diatonic number, octave * 7 + letter (C 0 .. B 6), with middle C at 28; and back.
// ERangeError for a note that is not a natural.
int DiatonicDegree(int natural);
int NaturalOfDegree(int degree);

// The diatonic number of the note on the bottom line of a clef's staff (clefs 1..5 of the staff
// view): E4 treble, G2 bass, F3 alto, D3 tenor, and E3 for the octave treble, whose notes are
// written an octave above their sound. ERangeError for any other clef.
int BottomLineDegree(int clef);

// The lowest and highest natural a clef writes: on its fifth ledger line below and above.
int LowestNote(int clef);
int HighestNote(int clef);

// The key-list pictures of a clef other than treble and bass (its tile over the upper staff's
// treble clef, -1 for treble and bass), and of the signature with count accidentals (sharps when
// positive) on a clef's staff; where they are laid.
int ClefTilePicture(int clef);
int SignaturePicture(int clef, int count);
int ClefTileLeft();
int ClefTileTop();

} // namespace lirasto::staff
