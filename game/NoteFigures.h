#pragma once

#include <cstdint>
#include <string>
#include <vector>

// How notes and answer times are named for the player: in the level's key,
// with real sharp and flat signs (UTF-8), and times in tenths of a second.

// "F♯4", "B♭2", "C4": the letter and sign the note is written with in key
// (0..11), and the octave of that letter, 4 being middle C's. Raises
// ERangeError for a note outside 1..126 or a key outside 0..11.
std::string NoteName(int note, int key);

// The middle value; for an even count, the mean of the two middle ones
// (rounded down). 0 for no values. The values are reordered.
int64_t MedianOf(std::vector<int64_t>& values);

// "3.2 s": milliseconds rounded to the nearest tenth of a second.
std::string FormatSeconds(int64_t ms);

// "75 %": the share rounded to the nearest whole percent; "0 %" of nothing.
std::string FormatShare(int part, int whole);
