#include "app/play/StaffListener.h"

#include "game/GameCore.h"
#include "game/uFunctions.h"

void TStaffListener::QuestionPosed(const TQuestion& question)
{
    // A line, and a single note in a key of the thirty, have their own listeners.
    if (question.Exercise != TExerciseKind::Levels || question.MusicKey >= 0)
        return;
    ClearStaff(staff_);
    ShowKeySignature(staff_, question.Key);
    ShowEvaluationMark(staff_);
    const TNoteSet notes = TNoteSet::Of(question.Note);
    if (question.Clef == 1) {
        staff_.TrebleSlots[1].StemDown = StemDown(1, question.Note);
        DrawTrebleNotes(staff_, notes, question.Key);
    } else {
        staff_.BassSlots[1].StemDown = StemDown(2, question.Note);
        DrawBassNotes(staff_, notes, question.Key);
    }
}

void TStaffListener::AnswerJudged(const TJudgement& judgement)
{
    if (judgement.Exercise != TExerciseKind::Levels || judgement.Question.MusicKey >= 0)
        return;
    SetEvaluationMark(staff_, judgement.Right ? kRightMarkPicture : kWrongMarkPicture);
}

void TStaffListener::RunEnded(const TRunResult&)
{
    // A note left on the staff after the run would look as if it still waited for an answer.
    ClearStaff(staff_);
}

void TStaffListener::LevelChanged(int)
{
    ShowKeySignature(staff_, core_.CurrentKey());
}

void TStaffListener::Cleared()
{
    ShowKeySignature(staff_, core_.CurrentKey());
    ClearStaff(staff_);
}
