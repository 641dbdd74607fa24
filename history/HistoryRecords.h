#pragma once

#include "game/GameEvents.h"

#include <QString>
#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

// The answer history as the rest of the program reads it back: one record per
// judged answer and one per run.

struct TAnswerRecord
{
    int64_t Id = 0;
    int64_t RunId = 0; // 0 when the answer belongs to no stored run
    std::chrono::system_clock::time_point At;
    int Level = 0;
    int Key = 0;  // the key index 0..11 that stands for MusicKey where only the twelve are known
    int Clef = 0; // 1 treble, 2 bass, 3 alto, 4 tenor, 5 octave treble; 0 for none known
    int Note = 0; // the note shown
    std::vector<int> KeysGiven;
    TPitchClassSet PitchClassesGiven = 0;
    bool Right = false;
    int64_t AnswerMs = 0; // from the note's first display to the answer
    TInputSource Source = TInputSource::Mouse;
    TExerciseKind Exercise = TExerciseKind::Levels;
    int Place = 0; // the note's place in its line; 0 for a level's question
    // In time: how far the key went down from the note's beat, negative when
    // early; empty at one's own pace and for a note that got no key in time.
    std::optional<int64_t> TimingErrorMs{};
    // Every note of a stack asked at once (a chord, an interval), bottom to top; empty for a
    // single note, which Note holds.
    std::vector<int> NotesAsked{};
    // The key of the thirty (MusicKeys) the answer was read in; -1 for an answer kept before the thirty were
    // (Key alone says it) or a damaged one.
    int MusicKey = -1;
    // The stack's chord (Type 0 for a single note, and for a code this version does not know).
    TChordLabel Chord{};
    // The practice (a saved choice of clef, range and key) the answer was given in; empty for none.
    QString Practice{};
};

struct TRunRecord
{
    int64_t Id = 0;
    std::chrono::system_clock::time_point Started;
    std::chrono::system_clock::time_point Ended;
    int Level = 0;
    int Score = 0;
    bool Passed = false;
    TRunEnd EndedBy = TRunEnd::Time;

    // The run as the game ended it, not yet numbered.
    static TRunRecord From(const TRunResult& result)
    {
        return {0, result.Started, result.Ended, result.Level, result.Score, result.Passed, result.EndedBy};
    }
};
