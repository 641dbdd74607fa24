#pragma once

#include "game/Exercise.h"

class TQuestionChooser;

// A single note's answer judged: by pitch class, or the very note written when octave-exact.
TJudgement JudgeSingleNote(const TQuestion& question, const TAnswerGiven& answer);

// The levels: one note at a time in the level's key, a new one on the tick after
// the right answer, the run timed by the level's row.
class TLevelsExercise final : public TExercise
{
public:
    // nullptr: the uniform draw the game always made.
    void SetChooser(TQuestionChooser* chooser) { chooser_ = chooser; }

    TExerciseKind Kind() const override { return TExerciseKind::Levels; }
    bool Timed() const override { return true; }
    int KeysPerAnswer(int level) const override;
    void Begin(TExerciseHost& host) override;
    void Tick(TExerciseHost& host) override;
    std::optional<TJudgement> Judge(TExerciseHost& host, const TAnswerGiven& answer) override;

    // The level table the game has always kept: the core and the labels read it.
    const TLevel& Row(int level) const;
    void FillLevelTable();

private:
    lirasto::RangeArray<TLevel, 1, 12> table_;
    TQuestionChooser* chooser_ = nullptr;
    TQuestion question_;
    bool posedThisRun_ = false;
};
