#include "tests/game/SimulatedPlayers.h"

#include <functional>
#include <random>

namespace {

constexpr int kKey = 0;

// The question as the game draws it today.
TQuestionChooser::TChoice UniformDraw()
{
    const int clef = 1 + Random(2);
    return {clef, clef == 1 ? TrebleLowestNote + Random(36) : BassLowestNote + Random(32)};
}

// Poses questions until done() says so; answer() gives a question's tries, in
// milliseconds, the last one right. Returns the questions posed.
int Play(TAdaptiveChooser* chooser, uint32_t seed, const std::function<bool(int)>& done,
         const std::function<std::vector<int>(TItem)>& answer)
{
    RandSeed = seed;
    if (chooser)
        chooser->Load(kKey, {}, std::chrono::system_clock::time_point{});
    int previous = 0, posed = 0;
    while (!done(posed) && posed < 20000) {
        const auto choice = chooser ? chooser->Choose(1, kKey, previous) : UniformDraw();
        ++posed;
        previous = choice.Note;
        const std::vector<int> tries = answer({choice.Clef, choice.Note});
        for (size_t i = 0; chooser && i < tries.size(); ++i) {
            TJudgement judgement;
            judgement.Question = {1, kKey, choice.Clef, choice.Note};
            judgement.Right = i + 1 == tries.size();
            judgement.AnswerTime = std::chrono::milliseconds(tries[i]);
            chooser->AnswerJudged(judgement);
        }
    }
    return posed;
}

} // namespace

std::map<TItem, int> WeakNotesPlayer(TAdaptiveChooser* chooser, uint32_t seed, int questions,
                                     const std::map<TItem, bool>& weak)
{
    std::map<TItem, int> shown;
    Play(
        chooser, seed, [&](int posed) { return posed >= questions; },
        [&](TItem item) {
            ++shown[item];
            return weak.count(item) ? std::vector<int>{2500, 1800} : std::vector<int>{1200};
        });
    return shown;
}

int Learner(TAdaptiveChooser* chooser, uint32_t seed)
{
    std::minstd_rand guesses(seed);
    std::map<TItem, int> shown;
    int known = 0;
    return Play(
        chooser, seed, [&](int) { return known == kItemCount; },
        [&](TItem item) {
            if (++shown[item] == 3)
                ++known;
            if (shown[item] >= 3)
                return std::vector<int>{1000};
            std::vector<int> tries{3000};
            while (guesses() % 7 != 0)
                tries.push_back(3000);
            return tries;
        });
}
