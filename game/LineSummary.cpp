#include "game/LineSummary.h"

#include "game/NoteFigures.h"

void TLineSummary::RunStarted(int)
{
    notes_ = 0;
    text_.clear();
    if (OnText)
        OnText(text_);
}

void TLineSummary::QuestionPosed(const TQuestion& question)
{
    notes_ = question.Exercise == TExerciseKind::Line ? question.Notes.size() : 0;
    judged_.assign(notes_, false);
    right_ = misses_ = 0;
    inTime_ = false;
    times_.clear();
}

void TLineSummary::AnswerJudged(const TJudgement& judgement)
{
    const auto place = static_cast<std::size_t>(judgement.Place);
    if (judgement.Exercise != TExerciseKind::Line || place >= notes_)
        return;
    inTime_ = inTime_ || judgement.TimingError.has_value() || judgement.KeysGiven.empty();
    if (!judged_[place]) {
        judged_[place] = true;
        right_ += judgement.Right;
    }
    misses_ += !judgement.Right;
    if (inTime_ && judgement.TimingError)
        times_.push_back(judgement.TimingError->count());
    else if (!inTime_ && judgement.Right)
        times_.push_back(judgement.AnswerTime.count());
    if (place + 1 == notes_ && (judgement.Right || inTime_))
        finish();
}

void TLineSummary::finish()
{
    const std::string count = std::to_string(right_) + " of " + std::to_string(notes_);
    std::string text;
    if (inTime_) {
        const int64_t median = MedianOf(times_);
        text = "On time: " + count + " \u00B7 misses: " + std::to_string(misses_);
        if (!times_.empty())
            text += " \u00B7 median timing: " + std::to_string(median < 0 ? -median : median) + " ms " +
                    (median < 0 ? "early" : "late");
    } else {
        text = "Right at the first try: " + count + " \u00B7 misses: " + std::to_string(misses_) +
               " \u00B7 median time per note: " + FormatSeconds(MedianOf(times_));
    }
    text_ = text;
    if (OnText)
        OnText(text_);
}
