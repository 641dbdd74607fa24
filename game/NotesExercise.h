#pragma once

#include "game/Exercise.h"
#include "game/LevelsExercise.h"
#include "game/LineExercise.h"

#include <functional>

// Single notes in a clef, key, range and accidentals of the player's choice: one note at a time,
// judged, scored and timed as the levels are. The settings are a line's; the number of notes, the
// melody and the tempo are not read. A random key is drawn afresh for each question.
class TNotesExercise final : public TExercise
{
public:
    // ERangeError for settings out of their bounds. random(n) gives 0..n-1 (the game's generator by default).
    explicit TNotesExercise(TLineSettings settings, std::function<int(int)> random = Random);

    const TLineSettings& Settings() const { return settings_; }

    // Judged as a level's question is, so that what the history, the chooser and the labels know of
    // single notes holds for these too; the question's MusicKey tells them apart.
    TExerciseKind Kind() const override { return TExerciseKind::Levels; }
    bool Timed() const override { return true; }
    int KeysPerAnswer(int) const override { return 1; }
    void Begin(TExerciseHost& host) override;
    void Tick(TExerciseHost& host) override;
    std::optional<TJudgement> Judge(TExerciseHost& host, const TAnswerGiven& answer) override;

private:
    TLineSettings settings_;
    std::function<int(int)> random_;
    TQuestion question_;
};
