#include "game/PianoKeys.h"

#include <array>

namespace {

struct KeyColumns
{
    int first; // first column of the key within its octave
    int pitchClass;
    int highlightItem;
    int leftEdge;
};

// Upper band: the black keys as drawn (13 pixels wide, A sharp 12) and the
// slivers of white keys between them.
constexpr std::array<KeyColumns, 12> kUpperBand{{
    {0, 0, 1, 0},
    {11, 1, 0, 11},
    {24, 2, 2, 21},
    {36, 3, 0, 36},
    {49, 4, 3, 41},
    {60, 5, 4, 61},
    {71, 6, 0, 71},
    {84, 7, 5, 81},
    {94, 8, 0, 94},
    {107, 9, 6, 101},
    {117, 10, 0, 117},
    {129, 11, 7, 121},
}};

// Lower band: white keys only, 21, 20, 20, 20, 20, 20 and 19 pixels wide.
constexpr std::array<KeyColumns, 7> kLowerBand{{
    {0, 0, 1, 0},
    {21, 2, 2, 21},
    {41, 4, 3, 41},
    {61, 5, 4, 61},
    {81, 7, 5, 81},
    {101, 9, 6, 101},
    {121, 11, 7, 121},
}};

template <std::size_t N>
const KeyColumns& keyInBand(const std::array<KeyColumns, N>& band, int r)
{
    // A boundary column belongs to the key that starts there.
    std::size_t i = N - 1;
    while (band[i].first > r)
        --i;
    return band[i];
}

} // namespace

std::optional<TPianoKeyHit> PianoKeyAt(int X, int Y)
{
    if (X < 0 || X >= kKeyboardWidth)
        return std::nullopt;
    const int origin = X / kOctaveWidth * kOctaveWidth;
    const int r = X % kOctaveWidth;
    const KeyColumns& key = Y <= kUpperBandLastRow ? keyInBand(kUpperBand, r) : keyInBand(kLowerBand, r);
    return TPianoKeyHit{key.pitchClass, key.highlightItem, origin + key.leftEdge};
}

std::optional<int> PianoNoteAt(int X, int Y)
{
    const std::optional<TPianoKeyHit> key = PianoKeyAt(X, Y);
    if (!key)
        return std::nullopt;
    return kLowestDrawnNote + X / kOctaveWidth * 12 + key->PitchClass;
}

std::optional<TPianoKeyHit> PianoKeyOfNote(int note)
{
    if (note < kLowestDrawnNote || note > kHighestDrawnNote)
        return std::nullopt;
    const int pitchClass = (note - kLowestDrawnNote) % 12;
    const int origin = (note - kLowestDrawnNote) / 12 * kOctaveWidth;
    // A key's highlight starts at the same column in both bands, so the upper band's table serves.
    const KeyColumns& key = kUpperBand[static_cast<std::size_t>(pitchClass)];
    return TPianoKeyHit{pitchClass, key.highlightItem, origin + key.leftEdge};
}
