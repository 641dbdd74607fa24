#include "game/LevelsExercise.h"

#include "core/Errors.h"

#include <QtGlobal>
#include <algorithm>
#include <string>

namespace {

// The draw the game always made, in the same order of calls on the generator.
TQuestionChooser::TChoice uniformChoice()
{
    TQuestionChooser::TChoice choice;
    choice.Clef = 1 + Random(2);
    if (choice.Clef == 1)
        choice.Note = kTrebleLowestNote + Random(kTrebleHighestNote - kTrebleLowestNote + 1);
    else
        choice.Note = kBassLowestNote + Random(kBassHighestNote - kBassLowestNote + 1);
    return choice;
}

void checkChoice(const TQuestionChooser::TChoice& choice)
{
    const bool treble = choice.Clef == 1 && choice.Note >= kTrebleLowestNote && choice.Note <= kTrebleHighestNote;
    const bool bass = choice.Clef == 2 && choice.Note >= kBassLowestNote && choice.Note <= kBassHighestNote;
    if (!treble && !bass)
        throw lirasto::ERangeError("Range check error: the question chooser gave note " + std::to_string(choice.Note) +
                                   " on clef " + std::to_string(choice.Clef));
}

} // namespace

void TLevelsExercise::FillLevelTable()
{
    for (TLevel& row : table_) {
        row.TimeLimit = 150;
        row.Goal = 300;
        row.KeysPerQuestion = 1;
        // Translated where they are shown, in the context named here.
        row.QuestionText = QT_TRANSLATE_NOOP("TGameCore", "What note is this? ");
        row.ExplanationText = QT_TRANSLATE_NOOP("TGameCore", "Click on any corresponding key on the keyboard!");
    }
}

const TLevel& TLevelsExercise::Row(int level) const
{
    return table_[level];
}

int TLevelsExercise::KeysPerAnswer(int level) const
{
    return table_[level].KeysPerQuestion;
}

void TLevelsExercise::Begin(TExerciseHost&)
{
    posedThisRun_ = false;
}

void TLevelsExercise::Tick(TExerciseHost& host)
{
    const int level = host.Level();
    const int key = LevelKeys[level];
    const int previous = posedThisRun_ ? question_.Note : 0;
    const TQuestionChooser::TChoice choice = chooser_ ? chooser_->Choose(level, key, previous) : uniformChoice();
    checkChoice(choice);
    question_ = {level, key, choice.Clef, choice.Note, {{choice.Clef, choice.Note, 0}}, TExerciseKind::Levels};
    posedThisRun_ = true;
    host.Pose(question_);
}

TJudgement JudgeSingleNote(const TQuestion& question, const TAnswerGiven& answer)
{
    TJudgement judgement;
    judgement.Question = question;
    judgement.Expected = PitchClassBit(PitchClass(question.Note));
    if (answer.OctaveExact)
        judgement.Right = !answer.Notes.empty() && std::all_of(answer.Notes.begin(), answer.Notes.end(),
                                                               [&question](int n) { return n == question.Note; });
    else
        judgement.Right = answer.PitchClasses == judgement.Expected;
    return judgement;
}

std::optional<TJudgement> TLevelsExercise::Judge(TExerciseHost& host, const TAnswerGiven& answer)
{
    TJudgement judgement = JudgeSingleNote(question_, answer);
    if (judgement.Right)
        host.CloseQuestion();
    return judgement;
}
