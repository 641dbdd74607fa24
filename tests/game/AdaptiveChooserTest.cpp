#include "tests/game/SimulatedPlayers.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <vector>

// The adaptive chooser drills the notes a player misses without leaving any
// out, and a run replays exactly from its seed and history.
namespace {

const std::map<TItem, bool> kWeak{{{1, 61}, true}, {{1, 70}, true}, {{2, 45}, true}};
// Today's draw: a clef, then a uniform note of its 36 (treble) or 32 (bass).
const double kUniformShare = 2 * (0.5 / 36) + 0.5 / 32;

TEST(WeakNotesSimulation, DrillsThreeMissedNotesThreeTimesAsOftenAndShowsEveryNote)
{
    int weakShown = 0;
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        TAdaptiveChooser chooser;
        for (const auto& [item, count] : WeakNotesPlayer(&chooser, seed, 100, kWeak))
            weakShown += kWeak.count(item) ? count : 0;
        EXPECT_EQ(int(WeakNotesPlayer(&chooser, seed, 300, kWeak).size()), kItemCount) << "seed " << seed;
    }
    EXPECT_GE(weakShown / 200.0, 3 * 100 * kUniformShare);
}

TEST(LearnerSimulation, KnowsEveryNoteInAtLeastThirtyPercentFewerQuestionsThanUniform)
{
    std::vector<int> adaptive, uniform;
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        TAdaptiveChooser chooser;
        adaptive.push_back(Learner(&chooser, seed));
        uniform.push_back(Learner(nullptr, seed));
    }
    std::nth_element(adaptive.begin(), adaptive.begin() + 100, adaptive.end());
    std::nth_element(uniform.begin(), uniform.begin() + 100, uniform.end());
    EXPECT_LE(adaptive[100], 0.7 * uniform[100]) << adaptive[100] << " against " << uniform[100];
}

TEST(AdaptiveChooser, ReplaysARunFromItsSeedAndHistoryAndNeverRepeatsANote)
{
    const auto start = std::chrono::system_clock::time_point{} + std::chrono::hours(1000);
    const std::vector<TPastAnswer> history{{1, 60, false, 4000, start - std::chrono::hours(2)},
                                           {1, 60, true, 2000, start - std::chrono::hours(2)},
                                           {2, 40, true, 900, start - std::chrono::hours(1)},
                                           {3, 99, true, 900, start}}; // from an edited file: ignored
    auto run = [&](uint32_t seed, size_t historySize) {
        TAdaptiveChooser chooser;
        chooser.Load(5, {history.begin(), history.begin() + historySize}, start);
        RandSeed = seed;
        std::vector<int> notes{0};
        for (int i = 0; i < 200; ++i) {
            const auto choice = chooser.Choose(2, 5, notes.back());
            EXPECT_NE(choice.Note, notes.back());
            notes.push_back(choice.Note);
        }
        return notes;
    };
    EXPECT_EQ(run(99, 4), run(99, 4));
    EXPECT_NE(run(99, 4), run(99, 0));
}

// Weights read back after a history: new notes, misses, fast and slow answers.
TEST(AdaptiveChooser, WeighsMissedOverNewOverSlowOverFast)
{
    const auto now = std::chrono::system_clock::time_point{} + std::chrono::hours(1000);
    TAdaptiveChooser chooser;
    chooser.Load(0,
                 {{1, 60, false, 3000, now},
                  {1, 60, true, 3000, now},
                  {1, 62, true, 6000, now},
                  {1, 64, true, 1500, now},
                  {1, 64, true, 1000, now},
                  {2, 40, true, 1000, now - std::chrono::hours(24)}},
                 now);
    // missed; never posed; right but slow; right and fast; right and fast a day ago; outside the ranges
    for (auto [clef, note, weight] :
         {std::tuple{1, 60, 41.0}, {1, 61, 12.0}, {1, 62, 11.0}, {1, 64, 1.0}, {2, 40, 41.0}, {1, 52, 0.0}})
        EXPECT_NEAR(chooser.Weight(clef, note), weight, 1e-6) << note;
}

// A new session starts from the time away: notes known a week ago fade back into the drill, and
// a miss that ended the last session leaves no second try behind it.
TEST(AdaptiveChooser, ANewSessionWeighsTheTimeAwayAndStartsWithoutARetry)
{
    const auto weekAgo = std::chrono::system_clock::time_point{} + std::chrono::hours(1000);
    TAdaptiveChooser chooser;
    const TPastAnswer known{1, 60, true, 900, weekAgo};
    chooser.Load(0, {known, known, known, {1, 62, false, 3000, weekAgo}}, weekAgo + std::chrono::days(7));
    EXPECT_NEAR(chooser.Weight(1, 60), 41.0, 1e-6);
    chooser.AnswerJudged({{1, 0, 1, 62}, true, 0, {}, 0, TInputSource::Mouse, std::chrono::milliseconds(1000)});
    // A right first try, just given: mastery 0.7 (a second try would leave it at 0, weight 41).
    EXPECT_NEAR(chooser.Weight(1, 62), 1 + 40 * 0.3 * 0.3, 1e-6);
}

// A practice of one's own drills its notes on any clef, learning from every single note answered in it,
// whatever the key; the note just asked never comes again at once.
TEST(AdaptiveChooser, DrillsAPracticesNotesOnAnyClefWhateverTheirKey)
{
    const auto now = std::chrono::system_clock::time_point{} + std::chrono::hours(1000);
    TAdaptiveChooser chooser;
    chooser.Load(TAdaptiveChooser::kAnyKey,
                 {{3, 60, false, 3000, now}, {3, 62, true, 1000, now}, {3, 62, true, 1000, now}}, now);
    const std::vector<TWrittenNote> notes{{3, 60, 0}, {3, 62, 0}, {3, 64, 0}};
    RandSeed = 7;
    std::array<int, 3> counts{};
    for (int i = 0; i < 3000; ++i)
        ++counts.at(*chooser.ChooseAmong(notes, 0, 0));
    // Weights 41 (missed), 1 (known), 12 (never asked).
    EXPECT_NEAR(counts[0] / 3000.0, 41.0 / 54, 0.03);
    EXPECT_NEAR(counts[2] / 3000.0, 12.0 / 54, 0.03);
    for (int i = 0; i < 100; ++i)
        EXPECT_NE(*chooser.ChooseAmong(notes, 0, 60), 0u);
    chooser.AnswerJudged({{1, 7, 3, 64}, false, 0, {}, 0, TInputSource::Mouse, std::chrono::milliseconds(1000)});
    EXPECT_NEAR(chooser.Weight(3, 64), 41.0, 1e-6);
    // A stack of a line, judged on its lowest note, is no single note.
    TJudgement stack{{1, 7, 3, 62}, false, 0, {}, 0, TInputSource::Midi, std::chrono::milliseconds(1000)};
    stack.Exercise = TExerciseKind::Line;
    stack.Question.Chord.Type = 21;
    chooser.AnswerJudged(stack);
    EXPECT_LT(chooser.Weight(3, 62), 1.01); // as known as before, not missed (41)
}

} // namespace
