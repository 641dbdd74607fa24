#include "app/play/NotesReading.h"

#include "app/play/PianoHighlight.h"
#include "game/GameCore.h"
#include "game/NotesExercise.h"
#include "game/StaffView.h"
#include "game/uFunctions.h"

TNotesReading::TNotesReading(const TGameCore& core, TStaffView& staff, TPianoHighlight& piano)
    : core_(core), staff_(staff), piano_(piano)
{}

const TNotesExercise* TNotesReading::exercise() const
{
    return dynamic_cast<const TNotesExercise*>(&core_.Exercise());
}

void TNotesReading::QuestionPosed(const TQuestion& question)
{
    const TNotesExercise* notes = exercise();
    if (!notes || question.MusicKey < 0 || question.Notes.size() != 1)
        return;
    ClearStaff(staff_);
    // Notes on one staff show that staff alone, as a line on it does.
    const TStaffChoice choice = notes->Settings().Staff;
    staff_.ShowStaves(choice == TStaffChoice::Grand  ? TStaffView::TStaves::Both
                      : choice == TStaffChoice::Bass ? TStaffView::TStaves::Lower
                                                     : TStaffView::TStaves::Upper);
    const TWrittenNote written{question.Clef, question.Note, kPlace};
    staff_.SetMusicKeyLine({&written, 1}, question.MusicKey, kPlaces);
    staff_.MarkNote(0, TNoteMark::Due);
    shown_ = true;
    piano_.ShowRange(notes->Settings().LowestNote(), notes->Settings().HighestNote());
}

void TNotesReading::AnswerJudged(const TJudgement& judgement)
{
    if (!shown_ || judgement.Question.MusicKey < 0 || staff_.LineLength() != 1)
        return;
    staff_.MarkNote(0, judgement.Right ? TNoteMark::Right : TNoteMark::Wrong);
}

void TNotesReading::RunEnded(const TRunResult&)
{
    clear();
}

void TNotesReading::Cleared()
{
    clear();
}

void TNotesReading::clear()
{
    if (!shown_)
        return;
    shown_ = false;
    staff_.ClearLine();
    staff_.ShowStaves(TStaffView::TStaves::Both);
    if (piano_.RangeShown())
        piano_.ShowRange(1, 0);
}
