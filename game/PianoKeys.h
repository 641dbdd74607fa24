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
