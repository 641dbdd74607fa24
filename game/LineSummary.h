#pragma once

#include "game/GameEvents.h"

#include <QCoreApplication>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Follows the lines of a sight-reading run and, as each is done, words it in one
// line: at one's pace the notes right at the first try, the misses and the median
// time per note; in time the notes on time, the misses and the median timing.
class TLineSummary : public TGameListener
{
    Q_DECLARE_TR_FUNCTIONS(TLineSummary)

public:
    void RunStarted(int level) override;
    void QuestionPosed(const TQuestion& question) override;
    void AnswerJudged(const TJudgement& judgement) override;

    // The last line's summary; empty until a line is done in this run.
    const std::string& Text() const { return text_; }
    std::function<void(const std::string&)> OnText;

private:
    void finish();

    std::size_t notes_ = 0;
    std::vector<bool> judged_;
    int right_ = 0;
    int misses_ = 0;
    bool inTime_ = false;
    std::vector<int64_t> times_;
    std::string text_;
};
