#pragma once

#include "app/window/WindowParts.h"
#include "game/ChordExercise.h"
#include "game/GameEvents.h"
#include "game/LineExercise.h"
#include "game/LineSummary.h"

#include <QCoreApplication>
#include <QObject>
#include <QTimer>
#include <functional>

class TGameCore;
class TPianoHighlight;
class TPianoSound;
class TSkinComboBox;

// Sight-reading in the window: the choice between the levels and a line, the
// tempo, the line drawn across the staff with the due note pointed at and the
// played notes marked, the cursor that moves with the beat, and the summary
// under the piano as each line is done. It follows the core as a listener.
class TSightReading : public QObject, public TGameListener
{
    Q_DECLARE_TR_FUNCTIONS(TSightReading)

public:
    // Its choices go beside the level list, in the same look. `sound`: the piano that clicks the beat
    // in time, or nullptr while there is none.
    TSightReading(const TGamePage& page, TPianoHighlight& piano, std::function<TPianoSound*()> sound);
    ~TSightReading() override;

    // The tempos offered; 0 is at one's own pace.
    static constexpr int kTempos[] = {0, 40, 60, 80, 100, 120, 160, 208};

    // Chooses a line with these settings (or the levels, with nullopt) for the next run.
    void Choose(const std::optional<TLineSettings>& line);
    bool LineChosen() const;
    // Chooses stacks of notes (intervals, triads or seventh chords) with these settings.
    void ChooseChords(const TChordSettings& chords);
    // Chooses single notes with a line's clef, key, range and accidentals.
    void ChooseNotes(const TLineSettings& notes);
    // The clef, key, range and accidentals the player chose, for single notes, lines and stacks alike;
    // the tempo, the line's length and the stacks' family stay as they are.
    void SetChoice(const TLineSettings& line, const TChordSettings& chords);
    const TLineSettings& LineChoice() const { return settings_; }
    // The list's first item of stacks; one a family, in the order of TChordFamily.
    static constexpr int kFirstChordItem = 2;
    // After them the lines of stacks, one a family in the same order.
    static constexpr int kFirstChordLineItem = 5;
    // The item of single notes, after the lines of stacks.
    static constexpr int kNotesItem = kFirstChordLineItem + 3;
    TSkinComboBox* ExerciseChoice() const { return exercise_; }
    TSkinComboBox* TempoChoice() const { return tempo_; }
    // The left edge of the note at place in a line of count notes.
    static double LineNoteLeft(int place, int count);
    // What the line now drawn shows, for the tests: the judgement's mark picture over the note at
    // place (-1 for none), and the left of the note the player is shown to be at (the pointer's
    // note at one's own pace, the cursor's place in time; -1 with no line).
    int MarkAt(int place) const;
    double CursorLeft() const;

    void RunStarted(int level) override;
    void QuestionPosed(const TQuestion& question) override;
    void NoteDue(const TQuestion& question, int index) override;
    void AnswerJudged(const TJudgement& judgement) override;
    void RunEnded(const TRunResult& result) override;
    void Cleared() override;

private:
    void choiceChanged();
    void showTexts(const QString& question, const QString& explanation);
    // The key of a line that has its own, in the level list's place.
    void showLineKey();
    void clearLine();
    void beat();
    const TLineExercise* line() const;
    int cursorStepMs(int count) const;
    void scheduleClicks(int lastBeat);
    void resumeClicks();
    void cancelClicks();

    TGamePage page_;
    TPianoHighlight& piano_;
    std::function<TPianoSound*()> sound_;
    TLineSettings settings_;
    TChordSettings chordSettings_;
    TSkinComboBox* exercise_ = nullptr;
    TSkinComboBox* tempo_ = nullptr;
    TLineSummary summary_;
    int lineLength_ = 0; // places of the line drawn (notes or stacks), 0 with none
    int duePlace_ = -1;
    double cursorLeft_ = -1;
    QTimer beatTimer_;
    int clickedTo_ = 0;     // the metronome's clicks are asked for up to this beat
    bool silenced_ = false; // the clicks were cancelled for a pause
    QString levelHint_;     // the hint beside the level list, while the line's key stands in its place
    int levelHintLeft_ = -1;
};

// The line the core is on, or nullptr when its exercise is not a line (of notes or of stacks).
const TLineExercise* CurrentLine(const TGameCore& core);

// A key of the thirty (game/MusicKeys) as the window names it, "C flat major" written with the flat sign: its
// tonic in the note names in use, in the language shown.
QString MusicKeyShown(int musicKey);
