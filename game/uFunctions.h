#pragma once

#include "game/uVariables.h"

// The staff drawing: key signatures, notes with their accidentals and ledger
// lines, and the answer mark, all laid as bitmap layers on the staff view.

class TImage32;
class TBitmap32List;
class TBitmapLayer;

// One drawn note of a staff. Only slot 1's StemDown is read: it gives the stem
// direction of every note on that staff.
struct TNoteSlot
{
    int32_t Note = 0; // 0 marks an empty slot
    TBitmapLayer* NoteLayer = nullptr;
    TBitmapLayer* AccidentalLayer = nullptr; // valid only while HasAccidental
    bool HasAccidental = false;
    bool StemDown = false;
};

struct TLedgerLayer
{
    TBitmapLayer* Layer = nullptr;
    bool Exists = false;
};

inline constexpr int SlotsPerStaff = 5;

extern lirasto::RangeArray<TNoteSlot, 1, 5> TrebleSlots;
extern lirasto::RangeArray<TNoteSlot, 1, 5> BassSlots;
extern lirasto::RangeArray<TLedgerLayer, 1, 4> LedgerLayers;
extern TBitmapLayer* EvaluationMarkLayer;
extern bool EvaluationMarkShown;
// Positions of the two key-signature layers in the staff view's collection.
extern int TrebleKeyLayerIndex;
extern int BassKeyLayerIndex;
// The key whose signature the staves show; ClearStaff shows it again.
extern int StaffKey;

// Zeroes the staff drawing's state, as at program start. It frees no layer
// (the view owns them).
void ResetStaffState();

// What the staff drawing needs of the main window: the staff view and the
// picture lists it draws from.
class TStaffWindow
{
public:
    virtual ~TStaffWindow() = default;
    virtual TImage32* ImgClefs() = 0;
    virtual TBitmap32List* BMPKeyList() = 0;
    virtual TBitmap32List* BMPNoteList() = 0;
    virtual TBitmap32List* BMPEvaluationList() = 0;
};

// The main window sets this to itself when it is created.
extern TStaffWindow* StaffWindow;

// Every picture layer of the game: a copy of the list item, blended over what
// lies below at full master alpha, and visible.
void ShowPicture(TBitmapLayer* layer, TBitmap32List* list, int index);
// Places a layer at the natural size of its picture.
void PlaceLayer(TBitmapLayer* layer, double left, double top);

// Pictures of the note list.
inline constexpr int NoteStemUpPicture = 0;
inline constexpr int NoteStemDownPicture = 2;
inline constexpr int FlatPicture = 4;
inline constexpr int SharpPicture = 5;
inline constexpr int NaturalPicture = 6;
inline constexpr int OneLedgerLinePicture = 7;
inline constexpr int TwoLedgerLinesPicture = 8;
inline constexpr int ThreeLedgerLinesPicture = 9;

// Pictures of the evaluation list.
inline constexpr int PointerMarkPicture = 0;
inline constexpr int RightMarkPicture = 1;
inline constexpr int WrongMarkPicture = 2;

// Horizontal places on the staff picture.
inline constexpr int NoteLeft = 125;
inline constexpr int AccidentalLeft = 117;
inline constexpr int LedgerLeft = 121;
inline constexpr int KeySignatureLeft = 40;
inline constexpr int TrebleKeySignatureTop = 70;
inline constexpr int BassKeySignatureTop = 170;
inline constexpr int EvaluationMarkLeft = 125;
inline constexpr int EvaluationMarkTop = 0;

// Creates the treble and bass key-signature layers, the first two of the
// staff view, showing the signature of StaffKey.
void CreateKeySignatureLayers();
// Shows the signature of key (0..11) on both staves.
void ShowKeySignature(int key);
// Frees the note, accidental, ledger-line and answer-mark layers, then shows
// the signature of StaffKey again.
void ClearStaff();

// Draw the notes of the set that lie on the staff (treble 53..88, bass
// 36..67), spelled in key, as one repaint. A staff holds at most five notes;
// a sixth raises ERangeError after the first five are drawn.
void DrawTrebleNotes(TNoteSet notes, int key);
void DrawBassNotes(TNoteSet notes, int key);

// The staff offset of the slot's note, creating its accidental layer when the
// key needs a sign before it.
double TrebleNotePosition(int slot, int key);
double BassNotePosition(int slot, int key);
// Lays (or, above a staff, re-pictures) the ledger-line layer of a position
// for a note layer whose top is given.
void PlaceTrebleLedgerLines(int position, double top);
void PlaceBassLedgerLines(int position, double top);
// The ledger-line picture (7, 8 or 9) a note layer at top needs.
int TrebleLedgerImage(int position, bool stemDown, double top);
int BassLedgerImage(int position, bool stemDown, double top);

// One note of a line, drawn at its own left edge with its own accidental and ledger lines;
// its stem points down above its staff's middle line. The layers are the caller's to free.
struct TLineNoteLayers
{
    TBitmapLayer* Note = nullptr;
    TBitmapLayer* Accidental = nullptr; // nullptr when the key writes the note
    TBitmapLayer* Ledger = nullptr;     // nullptr on the staff
};
TLineNoteLayers DrawNoteAt(int clef, int note, int key, double left);
// Notes above the middle line of their staff (clef 1 treble, 2 bass) have their stems down.
bool StemDown(int clef, int note);
// A picture of the evaluation list above a note of a line (a pointer, a right or a wrong ball).
TBitmapLayer* DrawMarkAt(int kind, double left);

// Puts up the pointer above the note.
void ShowEvaluationMark();
// Turns the mark into the right (1) or wrong (2) ball; any other kind keeps
// the picture. Does nothing while no mark is shown.
void SetEvaluationMark(int kind);
