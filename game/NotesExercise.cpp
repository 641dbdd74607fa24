#include "game/NotesExercise.h"

#include "game/MusicKeys.h"

#include <utility>

TNotesExercise::TNotesExercise(TLineSettings settings, std::function<int(int)> random)
    : settings_(settings), random_(std::move(random))
{
    settings_.Check();
}

void TNotesExercise::Begin(TExerciseHost&)
{
    question_ = {};
}

void TNotesExercise::Tick(TExerciseHost& host)
{
    const int level = host.Level();
    const int musicKey = settings_.RandomKey ? random_(kMusicKeyCount)
                         : settings_.MusicKey >= 0
                             ? settings_.MusicKey
                             : MusicKeyOfLevelKey(settings_.Key >= 0 ? settings_.Key : LevelKeys[level]);
    std::vector<TWrittenNote> notes = NotesOfRange(settings_, musicKey);
    if (notes.empty()) {
        // A range of a note or two may hold none of a key's scale: its notes are asked with their signs.
        TLineSettings chromatic = settings_;
        chromatic.Accidentals = true;
        notes = NotesOfRange(chromatic, musicKey);
    }
    // Drilling weak notes, the chooser weighs the notes by the player's answers to them.
    std::optional<std::size_t> pick;
    if (TQuestionChooser* chooser = host.Chooser())
        pick = chooser->ChooseAmong(notes, musicKey, question_.Note);
    if (!pick || *pick >= notes.size())
        pick = static_cast<std::size_t>(random_(static_cast<int>(notes.size())));
    const TWrittenNote& chosen = notes.at(*pick);
    question_ = {level,       LevelKeyOfMusicKey(musicKey),    chosen.Clef,
                 chosen.Note, {{chosen.Clef, chosen.Note, 0}}, TExerciseKind::Levels,
                 musicKey};
    host.Pose(question_);
}

std::optional<TJudgement> TNotesExercise::Judge(TExerciseHost& host, const TAnswerGiven& answer)
{
    TJudgement judgement = JudgeSingleNote(question_, answer);
    if (judgement.Right)
        host.CloseQuestion();
    return judgement;
}
