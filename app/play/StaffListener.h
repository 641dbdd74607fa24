#pragma once

#include "game/GameEvents.h"

class TGameCore;
class TStaffView;

// Draws what happens in a run on the staff: each question with its key and
// the pointing hand, the verdict's mark, and an empty staff once the run is
// over or the level changes.
class TStaffListener : public TGameListener
{
public:
    TStaffListener(const TGameCore& core, TStaffView& staff) : core_(core), staff_(staff) {}

    void QuestionPosed(const TQuestion& question) override;
    void AnswerJudged(const TJudgement& judgement) override;
    void RunEnded(const TRunResult& result) override;
    void LevelChanged(int level) override;
    void Cleared() override;

private:
    const TGameCore& core_;
    TStaffView& staff_;
};
