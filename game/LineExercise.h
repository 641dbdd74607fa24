#pragma once

#include "game/Chords.h"
#include "game/Exercise.h"

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

// Sight-reading: a line of notes under the key signature, played left to right,
// at one's own pace (Wait) or one note a beat (Tempo).

// The staff a line is written on: the treble or bass staff alone, both, or the upper staff in the
// alto, tenor or octave treble clef.
enum class TStaffChoice { Treble, Bass, Grand, Alto, Tenor, TrebleOctave };

// The staff view's clef of a single-staff choice (TrebleClef for Grand: its upper staff).
int ClefOfStaff(TStaffChoice staff);

struct TLineSettings
{
    static constexpr int kFewestNotes = 4;
    static constexpr int kMostNotes = 16;
    static constexpr int kSlowestTempo = 20;
    static constexpr int kFastestTempo = 208;

    int Key = -1; // key index 0..11; -1: the level's key
    // One of the thirty keys (MusicKeys), major or minor, in place of Key; -1: Key. RandomKey: a key of the thirty
    // drawn for each line.
    int MusicKey = -1;
    bool RandomKey = false;
    TStaffChoice Staff = TStaffChoice::Treble;
    int Notes = 8; // 4..16
    // Any note of the range, or a melody whose steps are at most MaxStep semitones.
    bool Melody = false;
    int MaxStep = 4;
    bool Accidentals = false; // notes outside the key too
    // The range the notes come from on each clef; the levels' ranges by default.
    int TrebleLowest = kTrebleLowestNote, TrebleHighest = kTrebleHighestNote;
    int BassLowest = kBassLowestNote, BassHighest = kBassHighestNote;
    // The range on the alto, tenor or octave treble staff (sounding notes); 0 for the staff and two ledger lines
    // each way. Every range may reach five ledger lines beyond its staff.
    int ClefLowest = 0, ClefHighest = 0;
    int Tempo = 0; // quarter notes a minute, 20..208; 0 at one's own pace
    // A line of stacks of this family in place of single notes: Notes counts the stacks (at most
    // kMostStacks, so that neighbours stay clear of each other), Accidentals asks for chromatic ones,
    // and the staff is the treble, bass or grand staff, at the ranges of single stacks.
    std::optional<TChordFamily> Chords;
    static constexpr int kMostStacks = 7;

    // Raises ERangeError for a value outside its bounds.
    void Check() const;
    // The range of the line's own clef for Alto, Tenor and TrebleOctave, defaults filled in.
    int LowestOnClef() const;
    int HighestOnClef() const;
    // The lowest and highest note a line of these settings may hold, over all its staves.
    int LowestNote() const;
    int HighestNote() const;
};

// A note is in the key when the key signature alone writes it (no sign before it).
bool InKey(int note, int key);

// Every note of these settings' range in the music key (any note with accidentals), low to high, each
// on the clef it is written on.
std::vector<TWrittenNote> NotesOfRange(const TLineSettings& settings, int musicKey);

// A line drawn with random(n) giving 0..n-1: every note within its clef's range,
// in the key unless accidentals are allowed, a melody's steps within MaxStep.
std::vector<TWrittenNote> GenerateLine(const TLineSettings& settings, int key, const std::function<int(int)>& random);
// The same in one of the thirty keys: a minor key's notes from its harmonic minor scale.
std::vector<TWrittenNote> GenerateMusicKeyLine(const TLineSettings& settings, int musicKey,
                                               const std::function<int(int)>& random);

class TLineExercise final : public TExercise
{
public:
    explicit TLineExercise(TLineSettings settings);

    const TLineSettings& Settings() const { return settings_; }
    bool InTime() const { return settings_.Tempo > 0; }
    std::chrono::nanoseconds BeatLength() const;
    // Beats are counted from the run's first count-in click (beat 0); each bar has four.
    TGameTime BeatTime(int beat) const;
    int FirstBeatOfLine() const { return lineBeat_; }
    // The judging window around a beat: a quarter of a beat either way.
    std::chrono::nanoseconds Tolerance() const { return BeatLength() / 4; }
    // The chord at each place of a line of stacks now shown (empty for single notes).
    const std::vector<TChord>& Stacks() const { return stacks_; }

    TExerciseKind Kind() const override { return TExerciseKind::Line; }
    bool Timed() const override { return false; }
    int KeysPerAnswer(int) const override;
    void Begin(TExerciseHost& host) override;
    void Tick(TExerciseHost& host) override;
    void Advance(TExerciseHost& host, TGameTime now) override;
    void Resumed(std::chrono::steady_clock::duration pausedFor) override;
    std::optional<TJudgement> Judge(TExerciseHost& host, const TAnswerGiven& answer) override;
    void Judged(TExerciseHost& host, const TJudgement& judgement) override;

private:
    void poseLine(TExerciseHost& host);
    TJudgement judgementOf(int place) const;
    int places() const { return stacks_.empty() ? static_cast<int>(line_.Notes.size()) : int(stacks_.size()); }
    bool lineDone() const { return due_ >= places(); }
    // The index in the line's notes of the first (lowest) note at a place.
    int firstNoteAt(int place) const;

    TLineSettings settings_;
    TQuestion line_;
    std::vector<TChord> stacks_;
    int due_ = 0; // the place due
    bool posed_ = false;
    std::optional<TGameTime> doneAt_; // a line played at one's pace is done, and stays on the page a while
    TGameTime firstBeat_{};
    int lineBeat_ = 0;
};
