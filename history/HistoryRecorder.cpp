#include "history/HistoryRecorder.h"

#include "game/MusicKeys.h"

THistoryRecorder::THistoryRecorder(THistoryStorage& store, TClock clock) : store_(store), clock_(std::move(clock)) {}

void THistoryRecorder::RunStarted(int level)
{
    runToken_ = store_.BeginRun(level, clock_());
}

void THistoryRecorder::AnswerJudged(const TJudgement& judgement)
{
    TAnswerRecord answer;
    answer.RunId = runToken_;
    answer.At = clock_();
    answer.Level = judgement.Question.Level;
    answer.Key = judgement.Question.Key;
    // A level's question is in the major key of its key index.
    answer.MusicKey = judgement.Question.MusicKey >= 0 ? judgement.Question.MusicKey
                      : judgement.Question.Key >= 0 && judgement.Question.Key < 12
                          ? MusicKeyOfLevelKey(judgement.Question.Key)
                          : -1;
    answer.Clef = judgement.Question.Clef;
    answer.Note = judgement.Question.Note;
    answer.KeysGiven = judgement.KeysGiven;
    answer.PitchClassesGiven = judgement.PitchClassesGiven;
    answer.Right = judgement.Right;
    answer.AnswerMs = judgement.AnswerTime.count();
    answer.Source = judgement.Source;
    answer.Exercise = judgement.Exercise;
    answer.Place = judgement.Place;
    if (judgement.TimingError)
        answer.TimingErrorMs = judgement.TimingError->count();
    // A stack, alone or in a line, keeps every note asked; a single note of a line is no chord.
    for (const TWrittenNote& n : judgement.Question.Notes)
        if (n.Place == judgement.Place)
            answer.NotesAsked.push_back(n.Note);
    if (judgement.Exercise != TExerciseKind::Chords && answer.NotesAsked.size() < 2)
        answer.NotesAsked.clear();
    answer.Chord = judgement.Question.Chord;
    answer.Practice = practice_;
    store_.AddAnswer(answer);
}

void THistoryRecorder::RunEnded(const TRunResult& result)
{
    store_.EndRun(runToken_, result);
    runToken_ = 0;
}

std::vector<TPastAnswer> PastAnswers(const std::vector<TAnswerRecord>& answers, int key, const QString& practice)
{
    std::vector<TPastAnswer> past;
    past.reserve(answers.size());
    const int musicKey = key >= 0 && key < 12 ? MusicKeyOfLevelKey(key) : -1;
    for (const TAnswerRecord& a : answers) {
        // The chooser drills single notes, of the key as its questions spell it and of the practice played.
        // A practice of one's own (key kAnyKey) may ask any key: each of its single notes counts.
        const bool inKey =
            key == TAdaptiveChooser::kAnyKey || (a.Key == key && (a.MusicKey < 0 || a.MusicKey == musicKey));
        if (inKey && a.Practice == practice && a.NotesAsked.empty() && a.Chord.Type == 0)
            past.push_back({a.Clef, a.Note, a.Right, a.AnswerMs, a.At});
    }
    return past;
}
