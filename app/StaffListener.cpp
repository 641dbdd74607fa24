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
    ClearStaff();
    ShowKeySignature(question.Key);
    ShowEvaluationMark();
    const TNoteSet notes = TNoteSet::Of(question.Note);
    if (question.Clef == 1) {
        TrebleSlots[1].StemDown = question.Note > kTrebleMiddleNote;
        DrawTrebleNotes(notes, question.Key);
    } else {
        BassSlots[1].StemDown = question.Note > kBassMiddleNote;
        DrawBassNotes(notes, question.Key);
    }
}

void TStaffListener::AnswerJudged(const TJudgement& judgement)
{
    SetEvaluationMark(judgement.Right ? RightMarkPicture : WrongMarkPicture);
}

void TStaffListener::RunEnded(const TRunResult&)
{
    // A note left on the staff after the run would look as if it still waited for an answer.
    ClearStaff();
}

void TStaffListener::LevelChanged(int)
{
    ShowKeySignature(core_.CurrentKey);
}

void TStaffListener::Cleared()
{
    ShowKeySignature(core_.CurrentKey);
    ClearStaff();
}
