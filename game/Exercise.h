#pragma once

#include "game/GameEvents.h"

#include <chrono>
#include <optional>
#include <vector>

// A way of practising, behind one interface: what to ask, how an answer is
// judged and when a question is complete. The core keeps what they all share
// (the clock, pause and resume, the score, the keys held, the listeners) and
// lends an exercise the few services below while a run goes on.

using TGameTime = std::chrono::steady_clock::time_point;

// What the core does for an exercise.
class TExerciseHost
{
public:
    virtual int Level() const = 0;
    virtual TGameTime Now() const = 0;
    // Writes a question on the staff, tells the listeners and makes its note at place 0 due.
    virtual void Pose(const TQuestion& question) = 0;
    // The note at place is the one to play next; its answer time runs from now.
    virtual void MakeDue(int place) = 0;
    // The question is answered: no key is judged until the next one is posed.
    virtual void CloseQuestion() = 0;
    // A note that got no key in its time: scored and told as a wrong answer.
    virtual void Miss(TJudgement judgement) = 0;
    // What draws single notes when the player drills weak notes; nullptr for a plain draw.
    virtual TQuestionChooser* Chooser() const = 0;

protected:
    ~TExerciseHost() = default;
};

// The keys that make one answer, as the core collected them.
struct TAnswerGiven
{
    std::vector<int> Notes; // in the order pressed
    TPitchClassSet PitchClasses = 0;
    bool OctaveExact = false; // the very note written must be played
    TGameTime At{};           // when the last key went down, on the input's own clock where it has one
    TGameTime First{};        // when the first key of the answer went down (At for a single key)
};

class TExercise
{
public:
    virtual ~TExercise() = default;

    virtual TExerciseKind Kind() const = 0;
    // A timed run ends when the level's time is up and passes on the level's goal;
    // an untimed one goes on until it is reset.
    virtual bool Timed() const = 0;
    // Keys that make one answer (the level's row says so for the levels).
    virtual int KeysPerAnswer(int level) const = 0;
    // A run begins; nothing is posed yet.
    virtual void Begin(TExerciseHost& host) = 0;
    // A second of the run went by with no question open.
    virtual void Tick(TExerciseHost& host) = 0;
    // Time passed between seconds (the beat of a line in time); nothing by default.
    virtual void Advance(TExerciseHost& /*host*/, TGameTime /*now*/) {}
    // The run waited for pausedFor; an exercise in time moves its beats on by as much.
    virtual void Resumed(std::chrono::steady_clock::duration /*pausedFor*/) {}
    // Judges an answer to the open question: fills Question, Expected, Right, Place and,
    // in time, TimingError, and closes the question when it is complete, so that the
    // listeners see it as it now stands. The core fills in the keys, the input and the time.
    // nullopt: the keys answer nothing (in time, a key between two notes' windows).
    virtual std::optional<TJudgement> Judge(TExerciseHost& host, const TAnswerGiven& answer) = 0;
    // After the listeners heard of a judgement: the next note due, the next line...
    virtual void Judged(TExerciseHost& /*host*/, const TJudgement& /*judgement*/) {}
};
