#pragma once

#include "game/GameEvents.h"

#include <chrono>
#include <cstdint>
#include <vector>

// The answer history as the rest of the program reads it back: one record per
// judged answer and one per run.

struct TAnswerRecord
{
    int64_t Id = 0;
    int64_t RunId = 0; // 0 when the answer belongs to no stored run
    std::chrono::system_clock::time_point At;
    int Level = 0;
    int Key = 0;
    int Clef = 0; // 1 treble, 2 bass
    int Note = 0; // the note shown
    std::vector<int> KeysGiven;
    TPitchClassSet PitchClassesGiven = 0;
    bool Right = false;
    int64_t AnswerMs = 0; // from the note's first display to the answer
    TInputSource Source = TInputSource::Mouse;
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
};
