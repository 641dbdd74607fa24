#pragma once

#include "app/window/WindowParts.h"
#include "game/GameEvents.h"

#include <QCoreApplication>
#include <string>

class TGameCore;

// A text of the level table (the question, the explanation), in the language shown.
QString LevelRowText(const std::string& text);

// Keeps the game page's texts in step with the run: the time, the score, the
// verdict, the level's texts and the message at the end of a run.
class TGameLabels : public TGameListener
{
    Q_DECLARE_TR_FUNCTIONS(TGameLabels)

public:
    explicit TGameLabels(const TGamePage& page) : page_(page), core_(page.Core) {}

    void RunStarted(int level) override;
    void ClockTicked(int secondsLeft) override;
    void AnswerJudged(const TJudgement& judgement) override;
    void RunEnded(const TRunResult& result) override;
    void LevelChanged(int level) override;
    void Cleared() override;
    void ExerciseChanged() override;

    void ShowLevelTexts();
    void ShowCountDown();
    void ShowGoal();
    void ShowScore();

private:
    TGamePage page_;
    const TGameCore& core_;
};
