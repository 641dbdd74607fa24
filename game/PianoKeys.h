#pragma once

#include <optional>

// Which key of the drawn four-octave keyboard lies under a point. The picture
// repeats one 140-pixel octave; the black keys fill rows 0 to 41, and a press
// at row 42 or above counts as the upper band, where they are.
constexpr int kOctaveWidth = 140;
constexpr int kKeyboardWidth = 4 * kOctaveWidth;
constexpr int kUpperBandLastRow = 42;

struct TPianoKeyHit
{
    int PitchClass;    // 0 = C .. 11 = B
    int HighlightItem; // item of the key highlight list: 0 black key, 1..7 white keys C..B
    int Left;          // left edge of the highlight in keyboard pixels
};

// The key at (X, Y) in keyboard pixels, or nothing outside the keyboard's columns.
std::optional<TPianoKeyHit> PianoKeyAt(int X, int Y);

// The drawn keyboard runs from C2 at its left end to B5.
constexpr int kLowestDrawnNote = 36;
constexpr int kHighestDrawnNote = kLowestDrawnNote + 4 * 12 - 1;

// The note of the key at (X, Y): the octave of the drawn key, C2 = 36 at the left end.
std::optional<int> PianoNoteAt(int X, int Y);
// Where a drawn note's highlight goes; nothing for a note off the keyboard.
std::optional<TPianoKeyHit> PianoKeyOfNote(int note);
