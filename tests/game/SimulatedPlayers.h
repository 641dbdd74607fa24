#pragma once

#include "game/AdaptiveChooser.h"

#include <functional>
#include <map>
#include <random>

// Simulated players against the adaptive chooser, or against today's uniform
// draw when the chooser is null. Shared by the tests and the benchmark.
using TItem = std::pair<int, int>; // clef, note
inline constexpr int kItemCount = 36 + 32;

// Poses questions until done(); answer() gives a question's tries in
// milliseconds, the last one right. Returns the questions posed.
inline int Play(TAdaptiveChooser* chooser, uint32_t seed, const std::function<bool(int)>& done,
                const std::function<std::vector<int>(TItem)>& answer)
{
    RandSeed = seed;
    if (chooser)
        chooser->Load(0, {}, {});
    int previous = 0, posed = 0;
    for (; !done(posed) && posed < 20000; ++posed) {
        const int clef = chooser ? 0 : 1 + Random(2);
        const auto choice = chooser ? chooser->Choose(1, 0, previous)
                                    : TQuestionChooser::TChoice{clef, clef == 1 ? 53 + Random(36) : 36 + Random(32)};
        const std::vector<int> tries = answer({choice.Clef, previous = choice.Note});
        for (size_t i = 0; chooser && i < tries.size(); ++i)
            chooser->AnswerJudged({{1, 0, choice.Clef, choice.Note},
                                   i + 1 == tries.size(),
                                   0,
                                   {},
                                   0,
                                   TInputSource::Mouse,
                                   std::chrono::milliseconds(tries[i])});
    }
    return posed;
}

// Misses the weak questions at the first try and gets them at the second;
// reads every other note at once. Returns how often each was posed.
inline std::map<TItem, int> WeakNotesPlayer(TAdaptiveChooser* chooser, uint32_t seed, int questions,
                                            const std::map<TItem, bool>& weak)
{
    std::map<TItem, int> shown;
    Play(
        chooser, seed, [&](int posed) { return posed >= questions; },
        [&](TItem item) {
            return ++shown[item], weak.count(item) ? std::vector{2500, 1800} : std::vector{1200};
        });
    return shown;
}

// Reads a note once it has been posed three times, and guesses it right 1
// time in 7 before. Returns the questions posed until every note is known.
inline int Learner(TAdaptiveChooser* chooser, uint32_t seed)
{
    std::minstd_rand guesses(seed);
    std::map<TItem, int> shown;
    int known = 0;
    return Play(
        chooser, seed, [&](int) { return known == kItemCount; },
        [&](TItem item) {
            known += ++shown[item] == 3;
            std::vector<int> tries{shown[item] >= 3 ? 1000 : 3000};
            while (shown[item] < 3 && guesses() % 7 != 0)
                tries.push_back(3000);
            return tries;
        });
}
