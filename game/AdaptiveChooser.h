#pragma once

#include "game/GameEvents.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <vector>

// One answer of the player's past, as the adaptive chooser needs it. The
// history hands these in oldest first; the chooser knows nothing of where
// they are kept.
struct TPastAnswer
{
    int Clef = 1;
    int Note = 0;
    bool Right = false;
    int64_t AnswerMs = 0;
    std::chrono::system_clock::time_point At;
};

// "Drill my weak notes": draws the next question from the level's clefs and
// ranges, weighted by what the player's answers say about each note of the
// key. It follows the run's answers as they are judged, so a run's misses
// weigh at once, and draws from the seeded Random(): a run is reproducible
// from its seed, the history handed to Load() and the start time.
class TAdaptiveChooser : public TQuestionChooser, public TGameListener
{
public:
    // Forgets everything and learns the answers given for the key, oldest
    // first; now is when the coming run starts.
    void Load(int key, const std::vector<TPastAnswer>& answers, std::chrono::system_clock::time_point now);

    TChoice Choose(int level, int key, int previousNote) override;
    void AnswerJudged(const TJudgement& judgement) override;

    // The relative chance of a question, as Choose() weighs it now.
    double Weight(int clef, int note) const;

private:
    struct TNoteState
    {
        int Questions = 0;   // times posed (first tries)
        double Mastery = 0;  // 0 missed .. 1 right at once and fast
        int Streak = 0;      // right-and-fast first tries in a row
        double LastSeen = 0; // seconds, on the chooser's clock
    };
    static constexpr int kTrebleCount = TrebleHighestNote - TrebleLowestNote + 1;
    static constexpr int kBassCount = BassHighestNote - BassLowestNote + 1;

    void Reset(int key);
    void Learn(int clef, int note, bool right, int64_t answerMs, double at);
    TNoteState* State(int clef, int note);
    const TNoteState* State(int clef, int note) const;

    std::array<TNoteState, kTrebleCount + kBassCount> States_{};
    int Key_ = -1;
    double Now_ = 0; // seconds since the epoch of the last thing learnt
    int LastClef_ = 0;
    int LastNote_ = 0;
    bool LastMissed_ = false;
};
