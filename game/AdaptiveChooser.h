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
    // Loaded for a practice of the player's own, whose questions may come in any key: every single
    // note answered counts, whatever its key.
    static constexpr int kAnyKey = -1;

    // Forgets everything and learns the answers given for the key, oldest
    // first; now is when the coming run starts.
    void Load(int key, const std::vector<TPastAnswer>& answers, std::chrono::system_clock::time_point now);

    TChoice Choose(int level, int key, int previousNote) override;
    // Single notes of the player's own clef, key and range, weighed as the levels' notes are.
    std::optional<std::size_t> ChooseAmong(const std::vector<TWrittenNote>& notes, int musicKey,
                                           int previousNote) override;
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
    static constexpr int kTrebleCount = kTrebleHighestNote - kTrebleLowestNote + 1;
    static constexpr int kBassCount = kBassHighestNote - kBassLowestNote + 1;
    static constexpr int kClefs = 5; // treble, bass, alto, tenor, octave treble

    void reset(int key);
    void learn(int clef, int note, bool right, int64_t answerMs, double at);
    TNoteState* stateOf(int clef, int note);
    const TNoteState* stateOf(int clef, int note) const;

    std::array<TNoteState, kClefs*(kHighestMidiNote + 1)> states_{}; // by clef, then note
    int key_ = -2;   // neither a level's key nor kAnyKey until loaded or asked
    double now_ = 0; // seconds since the epoch of the last thing learnt
    int lastClef_ = 0;
    int lastNote_ = 0;
    bool lastMissed_ = false;
};
