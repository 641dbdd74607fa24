#pragma once

#include "game/StaffLayout.h"
#include "game/StaffView.h"
#include "game/uVariables.h"

// The staff drawing of the design: key signatures, the question's notes with their
// accidentals and ledger lines, and the answer mark, all laid as bitmap layers on the staff
// view. Each routine works on the staff it is given, whose state it keeps there.

class TBitmap32;
class TBitmap32List;
class TBitmapLayer;

// Every picture layer of the game: a copy of the list item, blended over what
// lies below at full master alpha, and visible.
void ShowPicture(TBitmapLayer* layer, TBitmap32List* list, int index);
void ShowPicture(TBitmapLayer* layer, const TBitmap32* picture);
// Places a layer at the natural size of its picture.
void PlaceLayer(TBitmapLayer* layer, double left, double top);

// Creates the treble and bass key-signature layers, the first two of the
// staff view, showing the signature of the staff's StaffKey.
void CreateKeySignatureLayers(TStaffView& staff);
// Shows the signature of key (0..11) on both staves.
void ShowKeySignature(TStaffView& staff, int key);
// Frees the note, accidental, ledger-line and answer-mark layers, then shows
// the signature of StaffKey again.
void ClearStaff(TStaffView& staff);

// Draw the notes of the set that lie on the staff (treble 53..88, bass
// 36..67), spelled in key, as one repaint. A staff holds at most five notes;
// a sixth raises ERangeError after the first five are drawn.
void DrawTrebleNotes(TStaffView& staff, TNoteSet notes, int key);
void DrawBassNotes(TStaffView& staff, TNoteSet notes, int key);

// The ledger-line picture (7, 8 or 9) a note layer at top needs.
int TrebleLedgerImage(int position, bool stemDown, double top);
int BassLedgerImage(int position, bool stemDown, double top);

// Notes above the middle line of their staff (clef 1 treble, 2 bass) have their stems down.
bool StemDown(int clef, int note);

// Puts up the pointer above the note.
void ShowEvaluationMark(TStaffView& staff);
// Turns the mark into the right (1) or wrong (2) ball; any other kind keeps
// the picture. Does nothing while no mark is shown.
void SetEvaluationMark(TStaffView& staff, int kind);
