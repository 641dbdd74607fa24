#pragma once

#include "history/HistoryRecords.h"

#include <QString>
#include <algorithm>
#include <vector>

// Takes the answers of a reading one at a time, so that no reader need hold
// them all (the export streams a million answers to a file this way).
class TAnswerSink
{
public:
    virtual ~TAnswerSink() = default;
    // Asked while the reading waits (for writes queued before it, for a file
    // another program holds): false ends the wait and the reading.
    virtual bool Wanted() const { return true; }
    // How many answers the reading is about to hand over.
    virtual void Expect(int64_t count) { (void)count; }
    // One answer, oldest first; false ends the reading.
    virtual bool Take(const TAnswerRecord& answer) = 0;
};

// What the progress page and the adaptive chooser read of the history. The
// store implements it; tests hand in records of their own.
class THistoryReader
{
public:
    virtual ~THistoryReader() = default;

    // Every answer and run of a level, oldest first.
    virtual std::vector<TAnswerRecord> Answers(int level) const = 0;
    virtual std::vector<TRunRecord> Runs(int level) const = 0;
    // Hands every answer of every level that the history holds to `sink`, oldest first (for the export).
    // The store reads its file, which other instances write too, through a connection of the calling
    // thread's own, once the writes asked for before have been made; any thread may call it while the
    // reader lives. Returns why the answers could not all be read, or an empty string (also when the sink
    // ended the reading).
    virtual QString ReadEveryAnswer(TAnswerSink& sink) const = 0;
    // The same at once, for histories small enough to hold.
    std::vector<TAnswerRecord> AllAnswers() const;
    // Empty while history is kept; otherwise why it is not, in words for the
    // player, for as long as it is so.
    virtual QString Problem() const = 0;
    // What happened to a damaged or foreign file found at opening, in words
    // for the player; told once.
    virtual QString Notice() const { return {}; }
};

inline std::vector<TAnswerRecord> THistoryReader::AllAnswers() const
{
    struct TCollect : TAnswerSink
    {
        std::vector<TAnswerRecord> answers_;
        // A count is only a hint: a reader may claim more than it has.
        void Expect(int64_t count) override { answers_.reserve(size_t(std::clamp<int64_t>(count, 0, 1 << 16))); }
        bool Take(const TAnswerRecord& answer) override
        {
            answers_.push_back(answer);
            return true;
        }
    } collect;
    ReadEveryAnswer(collect);
    return std::move(collect.answers_);
}
