#pragma once

#include "core/Checked.h"

#include <cstdint>
#include <string>

// The note model and the constant key tables. The state of a run lives in
// TGameCore, the staff drawing's own in uFunctions. Nothing here draws.

// A note number counts semitones, 60 being middle C; its pitch class is the
// note modulo 12 (0 = C .. 11 = B).
int PitchClass(int note);

// A set of the notes 32..95, bit n - 32 standing for note n: how notes are
// handed to the staff drawing.
struct TNoteSet
{
    static constexpr int Lowest = 32;
    static constexpr int Highest = 95;

    uint64_t Bits = 0;

    // Raises ERangeError for a note the set cannot hold.
    void Include(int note);
    bool Contains(int note) const;
    bool Empty() const { return Bits == 0; }
    static TNoteSet Of(int note);

    friend bool operator==(const TNoteSet&, const TNoteSet&) = default;
};

// Bit k stands for pitch class k; used for a key's scale, the expected answer
// and the pressed keys.
using TPitchClassSet = uint16_t;

// Raises ERangeError for a pitch class outside 0..11.
TPitchClassSet PitchClassBit(int pitchClass);
bool HasPitchClass(TPitchClassSet set, int pitchClass);

// Key indexes are the tonic's pitch class, 0..11.
inline constexpr int KeyCount = 12;
inline constexpr int LevelCount = 12;

// Constant and defined here, so that the history module, which links no game code, spells keys the same way.
inline constexpr lirasto::RangeArray<const char*, 0, 11> KeyNames{
    {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"}};
// Level 1..12 -> key index, ordered by the number of accidentals.
extern const lirasto::RangeArray<int, 1, 12> LevelKeys;
extern const lirasto::RangeArray<int, 0, 11> IsBlackKey;

// How a key signature is written.
inline constexpr int NoAccidentals = -1;
inline constexpr int FlatKey = 0;
inline constexpr int SharpKey = 1;
extern const lirasto::RangeArray<int, 0, 11> KeyAccidentalKind;

// The pitch classes that belong to a key; a black key found here is supplied
// by the key signature. The Gb row repeats the Db row, so it cannot tell that
// the signature flats C: KeyAlteredNaturals carries that for the white keys.
extern const lirasto::RangeArray<TPitchClassSet, 0, 11> KeyScale;

// The white keys whose letter the key signature alters (flats or sharps):
// written on their own letter they need a natural sign.
extern const lirasto::RangeArray<TPitchClassSet, 0, 11> KeyAlteredNaturals;

// Vertical offset of a natural on its staff; each diatonic step is 5 pixels.
// Entries of black-key notes are never read.
extern const lirasto::RangeArray<int, 53, 88> TrebleNoteY;
extern const lirasto::RangeArray<int, 36, 67> BassNoteY;

// Ledger-line position a note needs: 0 none, 1 below the bass staff, 2 above
// it, 3 below the treble staff, 4 above it.
extern const lirasto::RangeArray<int, 52, 88> TrebleLedgerPosition;
extern const lirasto::RangeArray<int, 36, 68> BassLedgerPosition;

// Base top of the ledger-line picture for each ledger position.
extern const lirasto::RangeArray<int, 1, 4> LedgerTop;

// The sign written before a note.
// The sign written before a note (the doubles only in the keys of the thirty that call for them).
enum class TAccidental { None, Flat, Sharp, Natural, DoubleSharp, DoubleFlat };

// How a note is written in a key: the natural whose staff position it takes
// (the note itself, or its neighbour a semitone away) and the sign before it.
struct TSpelling
{
    int Natural = 0;
    TAccidental Sign = TAccidental::None;

    friend bool operator==(const TSpelling&, const TSpelling&) = default;
};

TSpelling SpellNote(int note, int key);

// Ledger position of a treble note as written in the key: C sharp 4 (note 61)
// sits on the C4 ledger line only in sharp keys, and A flat 5 (note 80) needs
// its ledger line everywhere but in sharp keys, where it is G sharp 5.
int TrebleLedgerFor(int note, int key);
int BassLedgerFor(int note);

struct TLevel
{
    int32_t TimeLimit = 0; // seconds
    int32_t Goal = 0;      // points
    int32_t KeysPerQuestion = 0;
    std::string QuestionText;
    std::string ExplanationText;
};

// The pseudo-random generator: a 32-bit linear congruential sequence.
extern uint32_t RandSeed;
// An integer 0..n - 1; n must be positive (ERangeError otherwise).
int Random(int n);
// Seeds the generator from the milliseconds since midnight UTC.
void Randomize();
