#pragma once

#include "game/Chords.h"
#include "game/Exercise.h"
#include "game/LineExercise.h"

#include <functional>

// Reading stacks: one interval, triad or seventh chord at a time, all its notes at one place
// on one staff, answered with all its keys (held together, or with the mouse one after
// another). A new chord comes on the tick after the right answer; the run has no time limit.

struct TChordSettings
{
    TChordFamily Family = TChordFamily::Triads;
    int Key = -1;           // key index 0..11; -1: the level's key
    bool Chromatic = false; // any root and any type, not only the chords the key holds
    TStaffChoice Staff = TStaffChoice::Grand;

    // Raises ERangeError for a key outside -1..11.
    void Check() const;
};

// Every chord of the family that fits on a clef within its range (the levels' ranges), spelled
// from its root's spelling in key; only those written without a sign unless chromatic.
std::vector<TChord> ChordsFor(const TChordSettings& settings, int clef, int key);

// A stack drawn at random for the settings: its clef (either staff of a grand staff) and chord.
struct TStack
{
    int Clef = 1;
    TChord Chord;
};
TStack DrawStack(const TChordSettings& settings, int key);

// The keys given answer the chord: its pitch classes, or with octave-exact its very notes.
bool StackAnswered(const TChord& chord, const TAnswerGiven& answer);

class TChordExercise final : public TExercise
{
public:
    explicit TChordExercise(TChordSettings settings);

    const TChordSettings& Settings() const { return settings_; }
    // The chord asked now (empty tones before the first).
    const TChord& Chord() const { return chord_; }

    TExerciseKind Kind() const override { return TExerciseKind::Chords; }
    bool Timed() const override { return false; }
    int KeysPerAnswer(int level) const override;
    void Begin(TExerciseHost& host) override;
    void Tick(TExerciseHost& host) override;
    std::optional<TJudgement> Judge(TExerciseHost& host, const TAnswerGiven& answer) override;

private:
    TChordSettings settings_;
    TChord chord_;
    TQuestion question_;
};
