#pragma once

#include "history/HistoryReader.h"

#include <chrono>
#include <cstdint>
#include <functional>

// The answer history as the program writes and reads it. The history module
// (lirasto-history.so) makes the store behind it, so that the program maps no
// SQL library before its window is up; the program reaches it through
// THistoryModule. Calls come from the GUI thread.
class THistoryStorage : public THistoryReader
{
public:
    // Raised whenever the calls below or the records they carry change.
    static constexpr int kVersion = 6;

    // The file the history is kept in.
    virtual QString Path() const = 0;
    // Starts the worker, which opens the file; returns at once. Writes made
    // before wait in line.
    virtual void Open() = 0;

    // A run begins; the token ties its answers and its end to it.
    virtual int64_t BeginRun(int level, std::chrono::system_clock::time_point started) = 0;
    // answer.RunId is a token from BeginRun, or 0. Returns at once: the
    // worker commits it in the order asked, and EndRun and Flush wait for it.
    virtual void AddAnswer(const TAnswerRecord& answer) = 0;
    virtual void EndRun(int64_t runToken, const TRunResult& result) = 0;

    // Deletes every answer and run.
    virtual void Clear() = 0;
    // Waits until everything asked so far is done.
    virtual void Flush() = 0;

    // Called on the store's worker thread whenever what the readers return changed.
    virtual void SetOnChanged(std::function<void()> changed) = 0;
};

// The module's one export: makes a store of the file at `path` (empty: the
// default file) when `version` is its kVersion, nothing otherwise.
extern "C" THistoryStorage* lirasto_history_create(int version, const QString& path);

namespace lirasto {
inline constexpr char kHistoryModule[] = "lirasto-history.so";
inline constexpr char kHistoryFactory[] = "lirasto_history_create";
} // namespace lirasto
