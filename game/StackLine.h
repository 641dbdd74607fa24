#pragma once

#include "game/Chords.h"
#include "game/LineExercise.h"

#include <vector>

// A line of stacks: at each place an interval, a triad or a seventh chord of the line's family,
// drawn as single stacks are (in the key, or chromatic when the line allows accidentals), each on
// its own staff of a grand staff.
struct TStackLine
{
    std::vector<TChord> Chords;      // one a place
    std::vector<TWrittenNote> Notes; // every tone, place by place, bottom to top
};

// Raises ERangeError when the settings ask for no stacks or do not fit (see TLineSettings::Check).
TStackLine GenerateStackLine(const TLineSettings& settings, int key);
