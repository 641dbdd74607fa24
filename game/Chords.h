#pragma once

#include "game/GameEvents.h"
#include "game/uVariables.h"

#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// Stacks of notes read at once: intervals (a second to an octave, both notes sounding),
// triads and seventh chords, each spelled as a musician writes it (every tone on its own
// letter, thirds on every other line or space), in root position or an inversion.

enum class TChordFamily { Intervals, Triads, Sevenths };

struct TChordType
{
    TChordFamily Family;
    // The name the player reads; for a chord, "%1" stands for its root. Translated where shown,
    // in the context "TChordExercise".
    const char* Name;
    int Size;                       // 2 for an interval, 3 for a triad, 4 for a seventh chord
    std::array<int, 4> Semitones{}; // each tone above the root in root position
    std::array<int, 4> Steps{};     // each tone's letter above the root's letter
};

// Every type, intervals first, then triads and seventh chords.
std::span<const TChordType> ChordTypes();
std::span<const TChordType> ChordTypes(TChordFamily family);
// The type of that untranslated name ("%1 minor", "major sixth"); nullptr for none.
const TChordType* ChordTypeNamed(std::string_view name);

// The type's code as the history stores it: fixed per type whatever the order of ChordTypes()
// (intervals 1..13, triads 21..24, seventh chords 31..35); and the type of a code, nullptr for
// one this version does not know.
int ChordTypeCode(const TChordType& type);
const TChordType* ChordTypeOfCode(int code);

// One chord tone as written: the note and the natural whose line or space it takes.
struct TChordTone
{
    int Note = 0;
    int Natural = 0;
    int Alteration = 0; // -1 flat, 0 natural, 1 sharp: Note - Natural

    friend bool operator==(const TChordTone&, const TChordTone&) = default;
};

struct TChord
{
    const TChordType* Type = nullptr;
    int Inversion = 0;               // 0 root position; which chord tone is at the bottom
    std::vector<TChordTone> Tones{}; // bottom to top
    int RootLetter = 0;              // 0 = C .. 6 = B
    int RootAlteration = 0;

    // The notes, bottom to top.
    std::vector<int> Notes() const;
    TPitchClassSet PitchClasses() const;
};

// The chord of a type whose root is note spelled on the natural rootNatural, with the tone
// inversion at the bottom, the others stacked above it in close position. nullopt when a tone
// would need a double sharp or flat. Raises ERangeError for an inversion the type lacks or a
// natural more than a semitone from the root.
std::optional<TChord> BuildChord(const TChordType& type, int root, int rootNatural, int inversion);

// What the history keeps of a chord, and the chord named by it again (no tones; Type nullptr for
// a label ChordLabelKnown refuses).
TChordLabel LabelOf(const TChord& chord);
// A label of a known type code, an inversion that type has and a root of a letter and one sign at
// most. Inline, for the history module.
constexpr bool ChordLabelKnown(const TChordLabel& label)
{
    const int inversions = label.Type >= 1 && label.Type <= 13    ? 1
                           : label.Type >= 21 && label.Type <= 24 ? 3
                           : label.Type >= 31 && label.Type <= 35 ? 4
                                                                  : 0;
    return label.Inversion >= 0 && label.Inversion < inversions && label.RootLetter >= 0 && label.RootLetter <= 6 &&
           label.RootAlteration >= -1 && label.RootAlteration <= 1;
}
TChord ChordOfLabel(const TChordLabel& label);

// The sign a tone written on its natural takes in key (0..11): none where the key signature
// already alters that letter as the tone needs.
TAccidental SignInKey(const TChordTone& tone, int key);
// A chord is in the key when every tone is written without a sign.
bool ChordInKey(const TChord& chord, int key);
// How the staff writes each tone, bottom to top: on its natural, with the sign it takes in key.
std::vector<TSpelling> SpellingsInKey(const TChord& chord, int key);

// The inversion names: "first inversion" and so on; nullptr for root position and intervals.
const char* InversionName(const TChord& chord);
