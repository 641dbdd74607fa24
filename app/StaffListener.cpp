#include "app/StaffListener.h"

#include "game/GameCore.h"
#include "game/uFunctions.h"

namespace {

// Notes above the middle line of their staff have their stems down.
constexpr int kTrebleMiddleNote = 71;
constexpr int kBassMiddleNote = 50;

} // namespace

void TStaffListener::QuestionPosed(const TQuestion& question)
{
    ClearStaff(staff_);
    ShowKeySignature(staff_, question.Key);
    ShowEvaluationMark(staff_);
    const TNoteSet notes = TNoteSet::Of(question.Note);
    if (question.Clef == 1) {
        staff_.TrebleSlots[1].StemDown = question.Note > kTrebleMiddleNote;
        DrawTrebleNotes(staff_, notes, question.Key);
    } else {
        staff_.BassSlots[1].StemDown = question.Note > kBassMiddleNote;
        DrawBassNotes(staff_, notes, question.Key);
    }
}

void TStaffListener::AnswerJudged(const TJudgement& judgement)
{
    SetEvaluationMark(staff_, judgement.Right ? RightMarkPicture : WrongMarkPicture);
}

void TStaffListener::RunEnded(const TRunResult&)
{
    // A note left on the staff after the run would look as if it still waited for an answer.
    ClearStaff(staff_);
}

void TStaffListener::LevelChanged(int)
{
    ShowKeySignature(staff_, core_.CurrentKey);
}

void TStaffListener::Cleared()
{
    ShowKeySignature(staff_, core_.CurrentKey);
    ClearStaff(staff_);
}
