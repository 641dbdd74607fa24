#include "game/RunSummary.h"

#include "core/Errors.h"
#include "game/NoteFigures.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

// A question the core could not have posed still gets a name rather than
// ending the run's summary with an error.
std::string nameOf(const TRunSummary::TMiss& miss, TNoteNaming naming)
{
    try {
        return miss.MusicKey >= 0 ? MusicNoteName(miss.Note, miss.MusicKey, naming)
                                  : NoteName(miss.Note, miss.Key, naming);
    } catch (const lirasto::ERangeError&) {
        return TRunSummary::tr("note %1").arg(miss.Note).toStdString();
    }
}

} // namespace

void TRunSummary::RunStarted(int)
{
    questions_ = 0;
    rightFirstTry_ = 0;
    open_ = false;
    judgedOnce_ = false;
    times_.clear();
    misses_.clear();
    setText({});
}

void TRunSummary::QuestionPosed(const TQuestion& question)
{
    // The same note posed again while it still waits for its right answer
    // is the same question: a miss before it must still count.
    const bool same = open_ && question.Note == current_.Note && question.Clef == current_.Clef;
    if (same)
        return;
    current_ = question;
    open_ = true;
    judgedOnce_ = false;
}

void TRunSummary::AnswerJudged(const TJudgement& judgement)
{
    if (!judgedOnce_) {
        judgedOnce_ = true;
        ++questions_;
        if (judgement.Right)
            ++rightFirstTry_;
    }
    times_.push_back(std::max<int64_t>(judgement.AnswerTime.count(), 0));
    if (judgement.Right) {
        open_ = false;
        return;
    }
    const TQuestion& q = judgement.Question;
    auto found = std::find_if(misses_.begin(), misses_.end(), [&](const TMiss& m) { return m.Note == q.Note; });
    if (found == misses_.end())
        misses_.push_back({q.Note, q.Key, 1, q.MusicKey});
    else
        ++found->Count;
}

void TRunSummary::RunEnded(const TRunResult&)
{
    open_ = false;
    setText(
        RunSummaryText(questions_, rightFirstTry_, times_, misses_, NamingNow ? NamingNow() : TNoteNaming::English));
}

void TRunSummary::setText(std::string text)
{
    if (text == text_)
        return;
    text_ = std::move(text);
    if (OnText)
        OnText(text_);
}

std::string RunSummaryText(int questions, int rightFirstTry, std::vector<int64_t> answerTimes,
                           std::vector<TRunSummary::TMiss> misses, TNoteNaming naming)
{
    if (questions <= 0)
        return TRunSummary::tr("No note was answered in this run.").toStdString();
    QString text = TRunSummary::tr("Right at the first try: %1 (%2 of %3)")
                       .arg(QString::fromStdString(FormatShare(rightFirstTry, questions)))
                       .arg(rightFirstTry)
                       .arg(questions) +
                   QLatin1Char('\n');
    text +=
        TRunSummary::tr("Median answer time: %1").arg(QString::fromStdString(FormatSeconds(MedianOf(answerTimes)))) +
        QLatin1Char('\n');
    std::stable_sort(misses.begin(), misses.end(),
                     [](const TRunSummary::TMiss& a, const TRunSummary::TMiss& b) { return a.Count > b.Count; });
    QStringList names;
    for (const TRunSummary::TMiss& miss : misses) {
        names << QString::fromStdString(nameOf(miss, naming));
        if (miss.Count > 1)
            names.back() += QStringLiteral(" \u00D7") + QString::number(miss.Count);
    }
    text += misses.empty() ? TRunSummary::tr("missed: none")
                           : TRunSummary::tr("missed: %1").arg(names.join(QStringLiteral(", ")));
    return text.toStdString();
}
