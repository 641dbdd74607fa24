#pragma once

#include "history/HistoryRecords.h"

#include <QString>
#include <vector>

// What the progress page and the adaptive chooser read of the history. The
// store implements it; tests hand in records of their own.
class THistoryReader
{
public:
    virtual ~THistoryReader() = default;

    // Every answer and run of a level, oldest first.
    virtual std::vector<TAnswerRecord> Answers(int level) const = 0;
    virtual std::vector<TRunRecord> Runs(int level) const = 0;
    // Every answer of every level that the history holds, oldest first (for
    // the export); the store reads its file, which other instances write too.
    virtual std::vector<TAnswerRecord> AllAnswers() const = 0;
    // Empty while history is kept; otherwise why it is not, in words for the
    // player, for as long as it is so.
    virtual QString Problem() const = 0;
    // What happened to a damaged or foreign file found at opening, in words
    // for the player; told once.
    virtual QString Notice() const { return {}; }
};
