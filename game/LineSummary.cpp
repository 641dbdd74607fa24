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
    inTime_ = inTime_ || JudgedInTime(judgement);
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
    const QString count = tr("%1 of %2").arg(right_).arg(notes_);
    QString text;
    if (inTime_) {
        const int64_t median = MedianOf(times_);
        text = tr("On time: %1 · misses: %2").arg(count).arg(misses_);
        if (!times_.empty())
            text += (median < 0 ? tr(" · median timing: %1 ms early") : tr(" · median timing: %1 ms late"))
                        .arg(median < 0 ? -median : median);
    } else {
        text = tr("Right at the first try: %1 · misses: %2 · median time per note: %3")
                   .arg(count)
                   .arg(misses_)
                   .arg(QString::fromStdString(FormatSeconds(MedianOf(times_))));
    }
    text_ = text.toStdString();
    if (OnText)
        OnText(text_);
}
