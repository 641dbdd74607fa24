#include "app/play/GameLabels.h"

#include "controls/SkinCtrls.h"
#include "game/GameCore.h"

#include <QCoreApplication>

namespace {

const QColor kRightColour(0, 128, 0);
const QColor kWrongColour(255, 0, 0);

const char* const kPassedText =
    QT_TRANSLATE_NOOP("TGameLabels", "Congratulations!! Press \"Start\" to play the next level!");
const char* const kAllPassedText =
    QT_TRANSLATE_NOOP("TGameLabels", "Congratulations!! You definitely know your notes!");
// An exercise without a time limit has neither a count-down nor a goal: a dash says so.
const QString kNoFigure = QStringLiteral("\u2013");

// A practice of one's own has a goal but leads to no next level.
const char* const kGoalReachedText = QT_TRANSLATE_NOOP("TGameLabels", "Well done!! You reached the goal.");
const char* const kRepeatText = QT_TRANSLATE_NOOP("TGameLabels", "Please repeat this level!");

void showText(TSkinLabel* label, const QString& text, const QColor* colour = nullptr)
{
    if (colour)
        label->SetFontColor(*colour);
    label->SetCaption(text);
}

} // namespace

// The level table's texts are marked for translation in the game core.
QString LevelRowText(const std::string& text)
{
    return QCoreApplication::translate("TGameCore", text.c_str());
}

void TGameLabels::ShowLevelTexts()
{
    const TLevel& row = core_.LevelRow();
    ShowGoal();
    showText(page_.lQuestion, LevelRowText(row.QuestionText));
    showText(page_.lExplanation, LevelRowText(row.ExplanationText));
}

void TGameLabels::ShowCountDown()
{
    showText(page_.lCountDown, core_.Exercise().Timed() ? tr("%1 SEC.").arg(core_.SecondsLeft()) : kNoFigure);
}

void TGameLabels::ShowGoal()
{
    showText(page_.lGoal, core_.Exercise().Timed() ? QString::number(core_.LevelRow().Goal) : kNoFigure);
}

void TGameLabels::ShowScore()
{
    showText(page_.lScore, QString::number(core_.Score()));
}

void TGameLabels::RunStarted(int)
{
    showText(page_.lProgress, QString());
    showText(page_.lAnswer, QString());
    ShowScore();
    ShowCountDown();
}

void TGameLabels::ClockTicked(int)
{
    ShowCountDown();
}

void TGameLabels::AnswerJudged(const TJudgement& judgement)
{
    ShowScore();
    if (judgement.Right)
        showText(page_.lAnswer, tr("RIGHT!"), &kRightColour);
    else
        showText(page_.lAnswer, tr("WRONG!"), &kWrongColour);
}

void TGameLabels::RunEnded(const TRunResult& result)
{
    if (result.EndedBy != TRunEnd::Time)
        return;
    if (!result.Passed) {
        showText(page_.lProgress, tr(kRepeatText), &kWrongColour);
        ShowLevelTexts();
    } else if (!core_.LevelsChosen()) {
        showText(page_.lProgress, tr(kGoalReachedText), &kRightColour);
    } else {
        const char* text = result.Level >= LevelCount ? kAllPassedText : kPassedText;
        showText(page_.lProgress, tr(text), &kRightColour);
    }
}

void TGameLabels::LevelChanged(int)
{
    ShowLevelTexts();
    ShowScore();
    ShowCountDown();
}

void TGameLabels::ExerciseChanged()
{
    ShowGoal();
    ShowCountDown();
}

void TGameLabels::Cleared()
{
    ShowGoal();
    ShowScore();
    showText(page_.lProgress, QString());
    showText(page_.lAnswer, QString());
    ShowCountDown();
}
