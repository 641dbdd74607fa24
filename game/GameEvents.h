#pragma once

#include "game/uVariables.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

// What the game core tells the parts that follow a run: the staff, the piano
// highlight, the labels, the sound and the answer history. Inputs speak to
// the core in notes (MIDI note numbers 0..127); the core speaks back in the
// events below. Nothing here knows of a widget.

// Where a key press came from; game/InputKinds.h says how each answers.
enum class TInputSource { Mouse, ComputerKeyboard, Midi, Microphone };

// The ways of practising: single notes level by level, a line read left to right, or stacks of
// notes (intervals and chords) read at once.
enum class TExerciseKind { Levels, Line, Chords };

inline constexpr int kLowestMidiNote = 0;
inline constexpr int kHighestMidiNote = 127;

// One note written on the staff.
struct TWrittenNote
{
    int Clef = 1;  // 1 treble, 2 bass; 3 alto, 4 tenor, 5 octave treble (game/StaffView)
    int Note = 0;  // MIDI note number
    int Place = 0; // 0 for the first note of the line, left to right

    friend bool operator==(const TWrittenNote&, const TWrittenNote&) = default;
};

// A stack's chord as the history keeps it: its type by a stable code (ChordTypeCode in
// game/Chords; 0 for no chord), its inversion and its root's letter (0 = C .. 6 = B) and sign.
struct TChordLabel
{
    int Type = 0;
    int Inversion = 0;
    int RootLetter = 0;
    int RootAlteration = 0;

    friend bool operator==(const TChordLabel&, const TChordLabel&) = default;
};

// What is on the staff waiting for its answers: one note for a level's
// question, a line of notes for a line exercise.
struct TQuestion
{
    int Level = 0;
    int Key = 0;                       // key index, the tonic's pitch class
    int Clef = 0;                      // the clef of the note asked for (the one due; in a judgement, the one judged)
    int Note = 0;                      // the note asked for
    std::vector<TWrittenNote> Notes{}; // every note written, in place order
    TExerciseKind Exercise = TExerciseKind::Levels;
    int MusicKey = -1;   // a line's key of the thirty (MusicKeys) when it has one; Key then stands for it
    TChordLabel Chord{}; // the stack asked, for a chord
};

// One judged answer.
struct TJudgement
{
    TQuestion Question;
    bool Right = false;
    TPitchClassSet Expected = 0; // the pitch classes that were asked for
    std::vector<int> KeysGiven;  // the notes held when the answer was judged, in the order pressed
    TPitchClassSet PitchClassesGiven = 0;
    TInputSource Source = TInputSource::Mouse; // the input of the last key of the answer
    std::chrono::milliseconds AnswerTime{0};   // from the note's first being due to the answer, pauses left out
    TExerciseKind Exercise = TExerciseKind::Levels;
    int Place = 0; // the judged note's place in its line; 0 for a level's question
    // In time: how far the key went down from the note's beat, negative when early.
    // Empty at one's own pace, and for a note that got no key in its time.
    std::optional<std::chrono::milliseconds> TimingError{};
};

// A note of a line in time: judged against its beat, or missed with no key in its time (at one's
// own pace every judgement comes from a key, and none carries a timing).
inline bool JudgedInTime(const TJudgement& judgement)
{
    return judgement.Exercise == TExerciseKind::Line && (judgement.TimingError || judgement.KeysGiven.empty());
}

enum class TRunEnd { Time, Reset };

struct TRunResult
{
    int Level = 0;
    int Score = 0;
    bool Passed = false;
    TRunEnd EndedBy = TRunEnd::Time;
    std::chrono::system_clock::time_point Started;
    std::chrono::system_clock::time_point Ended;
};

// A listener sees every event of the core in the order it happened. Every
// member has an empty default, so a listener names only what it follows.
class TGameListener
{
public:
    virtual ~TGameListener() = default;

    virtual void RunStarted(int /*level*/) {}
    virtual void QuestionPosed(const TQuestion& /*question*/) {}
    // The note at place is the one to play next (place 0 comes right after QuestionPosed).
    virtual void NoteDue(const TQuestion& /*question*/, int /*place*/) {}
    virtual void KeyDown(int /*note*/, TInputSource /*source*/) {}
    virtual void KeyUp(int /*note*/, TInputSource /*source*/) {}
    virtual void AnswerJudged(const TJudgement& /*judgement*/) {}
    virtual void RunEnded(const TRunResult& /*result*/) {}
    // The level chosen or reached changed while no run is going.
    virtual void LevelChanged(int /*level*/) {}
    // The run's clock stepped; the core's SecondsLeft() holds the time left.
    virtual void ClockTicked(int /*secondsLeft*/) {}
    // The verdict, the mark and the score were cleared: Reset, or a level chosen.
    virtual void Cleared() {}
    // The way of practising changed (the levels, a line); no run goes on.
    virtual void ExerciseChanged() {}
};

// Picks the next question's clef and note. The core's default draws them
// exactly as the game always has (a clef, then a uniform note of its range,
// from the seeded generator); an adaptive chooser may weigh the notes by the
// player's history, drawing its randomness from the same generator.
class TQuestionChooser
{
public:
    virtual ~TQuestionChooser() = default;

    struct TChoice
    {
        int Clef = 1;
        int Note = 0;
    };
    // previousNote is 0 before the run's first question.
    virtual TChoice Choose(int level, int key, int previousNote) = 0;
    // The index of the note to ask among notes (not empty) of a clef, key and range of the player's own,
    // in musicKey (one of the thirty); nullopt leaves the exercise to draw as it always does.
    virtual std::optional<std::size_t> ChooseAmong(const std::vector<TWrittenNote>& /*notes*/, int /*musicKey*/,
                                                   int /*previousNote*/)
    {
        return std::nullopt;
    }
};

// The ranges the questions are drawn from.
inline constexpr int kTrebleLowestNote = 53;  // F3
inline constexpr int kTrebleHighestNote = 88; // E6
inline constexpr int kBassLowestNote = 36;    // C2
inline constexpr int kBassHighestNote = 67;   // G4
