#pragma once

#include "game/GameEvents.h"
#include "game/NoteNames.h"

#include <QCoreApplication>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Follows a run and, when it ends, words what the player should take from it:
// how many notes were right at the first try, how long answers took and which
// notes were missed. The text stays until the next run starts.
class TRunSummary : public TGameListener
{
    Q_DECLARE_TR_FUNCTIONS(TRunSummary)

public:
    struct TMiss
    {
        int Note = 0;
        int Key = 0;
        int Count = 0;
        int MusicKey = -1; // a line's key of the thirty, which spells the note, when it has one
    };

    void RunStarted(int level) override;
    void QuestionPosed(const TQuestion& question) override;
    void AnswerJudged(const TJudgement& judgement) override;
    void RunEnded(const TRunResult& result) override;

    // Empty while a run goes on or before the first one ends.
    const std::string& Text() const { return text_; }
    // The note names in use when a run ends; English when not set.
    TNoteNaming (*NamingNow)() = nullptr;
    // Called with the new text whenever it changes (empty at a run's start).
    std::function<void(const std::string&)> OnText;

private:
    void setText(std::string text);

    int questions_ = 0;
    int rightFirstTry_ = 0;
    bool open_ = false;       // a question waits for its right answer
    bool judgedOnce_ = false; // it has been judged already
    TQuestion current_;
    std::vector<int64_t> times_;
    std::vector<TMiss> misses_; // in the order first missed
    std::string text_;
};

// The summary's words. Misses with the larger count come first; equal ones
// keep their order.
std::string RunSummaryText(int questions, int rightFirstTry, std::vector<int64_t> answerTimes,
                           std::vector<TRunSummary::TMiss> misses, TNoteNaming naming = TNoteNaming::English);
