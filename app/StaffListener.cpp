#include "app/StaffListener.h"

#include "game/GameCore.h"
#include "game/uFunctions.h"

void TStaffListener::QuestionPosed(const TQuestion& question)
{
    if (question.Exercise != TExerciseKind::Levels)
        return; // a line has its own listener
    ClearStaff();
    ShowKeySignature(question.Key);
    ShowEvaluationMark();
    const TNoteSet notes = TNoteSet::Of(question.Note);
    if (question.Clef == 1) {
        TrebleSlots[1].StemDown = StemDown(1, question.Note);
        DrawTrebleNotes(notes, question.Key);
    } else {
        BassSlots[1].StemDown = StemDown(2, question.Note);
        DrawBassNotes(notes, question.Key);
    }
}

void TStaffListener::AnswerJudged(const TJudgement& judgement)
{
    if (judgement.Exercise != TExerciseKind::Levels)
        return;
    SetEvaluationMark(judgement.Right ? RightMarkPicture : WrongMarkPicture);
}

void TStaffListener::RunEnded(const TRunResult&)
{
    // A note left on the staff after the run would look as if it still waited for an answer.
    ClearStaff();
}

void TStaffListener::LevelChanged(int)
{
    ShowKeySignature(core_.CurrentKey());
}

void TStaffListener::Cleared()
{
    ShowKeySignature(core_.CurrentKey());
    ClearStaff();
}
