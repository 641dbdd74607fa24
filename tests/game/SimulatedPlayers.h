#pragma once

#include "game/AdaptiveChooser.h"

#include <cstdint>
#include <map>
#include <utility>

// Simulated players against the adaptive chooser, or against today's uniform
// draw when the chooser is null. Shared by the tests and the benchmark.
using TItem = std::pair<int, int>; // clef, note
inline constexpr int kItemCount = (TrebleHighestNote - TrebleLowestNote + 1) + (BassHighestNote - BassLowestNote + 1);

// A player who misses the weak questions at the first try and gets them at
// the second, and reads every other note at once: how often each is posed.
std::map<TItem, int> WeakNotesPlayer(TAdaptiveChooser* chooser, uint32_t seed, int questions,
                                     const std::map<TItem, bool>& weak);

// A learner who reads a note once it has been posed three times and guesses
// it right 1 time in 7 until then; a question stays until it is answered
// right. Returns the questions posed until every note is known.
int Learner(TAdaptiveChooser* chooser, uint32_t seed);
