#pragma once

#include "game/NoteNames.h"

#include <cstdint>
#include <string>
#include <vector>

// The figures the player reads: medians, answer times in tenths of a second, shares.

// The middle value; for an even count, the mean of the two middle ones
// (rounded down). 0 for no values. The values are reordered.
int64_t MedianOf(std::vector<int64_t>& values);

// "3.2 s": milliseconds rounded to the nearest tenth of a second.
std::string FormatSeconds(int64_t ms);

// "75 %": the share rounded to the nearest whole percent; "0 %" of nothing.
std::string FormatShare(int part, int whole);
