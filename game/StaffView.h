#pragma once

#include "core/Checked.h"
#include "game/GameEvents.h"
#include "game/uVariables.h"
#include "graphics/Bitmap32.h"

#include <functional>
#include <map>
#include <memory>
#include <span>
#include <utility>
#include <vector>

// The grand staff of the game page as one object: the staff view with the picture lists it
// draws from, and everything laid on it. It holds the staff drawing's state (the slots of the
// single question note, its ledger lines and mark, the key-signature layers), which the
// design's routines in uFunctions work on, and a line of any number of notes, each at its own
// place with its own ledger lines, sign, stem, colour and mark, for reading a line of music.
// A change to one note repaints only the part of the view that note covers.

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

inline constexpr int kSlotsPerStaff = 5;

// The staves a note can be written on: the upper staff of the picture carries the treble
// clef, the lower the bass clef (the numbers TQuestion::Clef uses).
inline constexpr int kTrebleClef = 1;
inline constexpr int kBassClef = 2;
// Clefs a line may be written in on the upper staff instead of the treble clef: their picture
// covers the treble clef while the line is shown. The octave treble clef writes each note an
// octave above its sound, as guitar music is written.
inline constexpr int kAltoClef = 3;
inline constexpr int kTenorClef = 4;
inline constexpr int kTrebleOctaveClef = 5;

// How a note of a line is shown. Plain and Due notes keep their engraved colour, the others
// take MarkColour; Due has the pointing hand above it, Right the green ball, Wrong and Missed
// the red one.
enum class TNoteMark { Plain, Due, Right, Wrong, Missed };

// The state of the design's routines (uFunctions): the question note's slots and ledger lines,
// its mark, the places of the two key-signature layers in the view's collection and the key
// whose signature they show. All zero on a fresh staff.
struct TStaffState
{
    lirasto::RangeArray<TNoteSlot, 1, 5> TrebleSlots;
    lirasto::RangeArray<TNoteSlot, 1, 5> BassSlots;
    lirasto::RangeArray<TLedgerLayer, 1, 4> LedgerLayers;
    TBitmapLayer* EvaluationMarkLayer = nullptr;
    bool EvaluationMarkShown = false;
    int TrebleKeyLayerIndex = 0;
    int BassKeyLayerIndex = 0;
    int StaffKey = 0;
};

class TStaffView : public TStaffState
{
public:
    // The view and the lists must outlive the object. Nothing is laid until asked.
    TStaffView(TImage32& view, TBitmap32List& keys, TBitmap32List& notes, TBitmap32List& marks);
    ~TStaffView();
    TStaffView(const TStaffView&) = delete;
    TStaffView& operator=(const TStaffView&) = delete;

    TImage32& ImgClefs() { return view_; }
    TBitmap32List& BMPKeyList() { return keys_; }
    TBitmap32List& BMPNoteList() { return notes_; }
    TBitmap32List& BMPEvaluationList() { return marks_; }

    // Runs a change inside one update bracket of the view with a single repaint of what
    // changed, also when the change fails part-way, so that the view never stays frozen.
    void Change(const std::function<void()>& body);

    // --- A line of notes ---

    // Places a line has at most.
    static constexpr int kMaxPlaces = 16;

    // Shows the line: the signature of key (0..11) on both staves, and every note at the left
    // of its place, spelled in the key as the levels spell their notes, all Plain, replacing any line shown; places is
    // the number of places the line is spread over (0: one more than the last note's). The question note of the
    // design's routines is not touched. One repaint. Raises ERangeError for a key outside 0..11, a clef other
    // than 1..5, a place outside 0..places - 1, more than MaxPlaces places, or a note beyond five ledger lines of its
    // staff, or notes of two clefs on the upper staff; nothing is changed then. Clefs 3..5 are written on the upper
    // staff.
    void SetLine(std::span<const TWrittenNote> notes, int key, int places = 0);
    // The same in one of the thirty keys (MusicKeys): its signature on each staff, every note spelt in it, a chromatic
    // note in C major or A minor by the way the line goes. ERangeError as above, or for a key outside 0..29.
    void SetMusicKeyLine(std::span<const TWrittenNote> notes, int musicKey, int places = 0);
    // The clef of the upper staff while a line is shown (TrebleClef when none is shown).
    int UpperClef() const { return upperClef_; }
    // As above, each note written on the natural and with the sign its spelling gives (a chord's
    // tones each on their own letter) instead of as the key spells it; spellings holds one per note.
    // Notes that share a place and a clef are engraved as one stack: one stem, up or down by the
    // stack's middle, the upper note of a second right of a stem going up (the lower left of one
    // going down), the signs in columns so that none touches another, and the ledger lines laid
    // once for the stack.
    void SetLine(std::span<const TWrittenNote> notes, std::span<const TSpelling> spellings, int key, int places);
    // Takes the line and the cursor off the staff. One repaint.
    void ClearLine();
    int LineLength() const { return static_cast<int>(line_.size()); }
    const TWrittenNote& LineNote(int index) const;

    // Shows note index (0..LineLength() - 1) with the mark; repaints only the part of the view
    // its note, sign and mark cover. ERangeError for an index outside the line.
    void MarkNote(int index, TNoteMark mark);
    TNoteMark NoteMark(int index) const;
    // Every note at a place (a stack, or a single note) takes the mark; the stack shows it once.
    // ERangeError for a place that holds no note.
    void MarkPlace(int place, TNoteMark mark);
    // The mark of the place's lowest note; ERangeError as above.
    TNoteMark PlaceMark(int place) const;
    static TColor32 MarkColour(TNoteMark mark);

    // Which staves a line is written on. A line on one staff shows only that staff: the other,
    // with its clef and signature, is covered in the staff's own paper, and the cursor spans only
    // the staff shown. Notes laid afterwards (a line's ledger lines reaching into the gap) stay on
    // top. Both until changed; one repaint.
    enum class TStaves { Both, Upper, Lower };
    void ShowStaves(TStaves staves);
    TStaves StavesShown() const { return staves_; }

    // A thin line across the staves shown at x (the beat in a tempo mode), above the notes.
    void SetCursor(double x);
    void HideCursor();
    bool CursorShown() const { return cursor_ != nullptr; }

    // The left of a note layer at a place of a line spread evenly over places, from after the
    // widest key signature to the staff's end; the place's sign stands 8 columns and its ledger
    // lines 4 columns to the left.
    static int PlaceLeft(int place, int places);
    // The row of the staff picture a written note's head stands on (its centre rounded down).
    static int HeadRow(int clef, int natural);
    // The part of the view note index covers with its layers: ledger lines, sign, head, stem
    // and mark.
    TRect NoteArea(int index) const;

private:
    struct TLineNote
    {
        TWrittenNote Written;
        TSpelling Spelling; // the natural whose line or space it takes, and the sign before it
        TNoteMark Mark = TNoteMark::Plain;
        int Left = 0;
        bool StemDown = false;
        TBitmapLayer* NoteLayer = nullptr;
        TBitmapLayer* SignLayer = nullptr;
        std::vector<TBitmapLayer*> LedgerLayers;
        TBitmapLayer* MarkLayer = nullptr;
        // In a stack: the stem the stack takes, how far the head stands off the stack's column (a
        // second's other note, drawn as a bare head), the sign's left, and whether the note lays
        // the ledger lines out to it (only the outermost of the stack do).
        int StackStem = -1; // -1 alone, 0 up, 1 down
        int HeadShift = 0;
        int SignLeft = 0;
        bool OwnLedgers = true;
        bool ShowsMark = true; // a stack's mark stands over its lowest note only
    };

    void layLineNote(TLineNote& note);
    // Arranges the notes of every stack of the line (see SetLine) before they are laid.
    void arrangeStacks();
    const TBitmap32* headPicture(const TLineNote& note, TColor32 colour);
    // The corner a note's mark may take, and the part its head and sign cover.
    static TRect markArea(const TLineNote& note);
    static TRect headArea(const TLineNote& note);
    void showMark(TLineNote& note);
    void freeLine();
    // Lays a line in a music key, each note spelt as given or, with no spellings, as the key spells it.
    void setLine(std::span<const TWrittenNote> notes, std::span<const TSpelling> given, int musicKey, int places);
    // The upper staff's clef and signature for a line whose notes on it are in clef.
    void showUpperClef(int clef, int musicKey);
    // A note-list picture in a colour, with its finer twin tinted alike; kept for reuse.
    const TBitmap32* tinted(int picture, TColor32 colour);
    TBitmapLayer* newLayer();

    TImage32& view_;
    TBitmap32List& keys_;
    TBitmap32List& notes_;
    TBitmap32List& marks_;
    std::vector<TLineNote> line_;
    TBitmapLayer* cursor_ = nullptr;
    TBitmapLayer* clefLayer_ = nullptr;
    TBitmapLayer* staffCover_ = nullptr;
    TBitmap32 coverPicture_;
    TStaves staves_ = TStaves::Both;
    int upperClef_ = kTrebleClef;
    TBitmap32 cursorPicture_;
    std::map<std::pair<int, TColor32>, std::unique_ptr<TBitmap32>> tinted_;
};
