#pragma once

#include "game/ChordExercise.h"
#include "game/LineExercise.h"

#include <optional>
#include <string>
#include <string_view>

// What the player chose to practise beside the twelve levels: the exercise, the clef, the key, the
// accidentals and the range. It shapes single notes, lines and chords alike, and is kept under a
// name as one line of text ("notes|alto|F# minor|chromatic|C3-G4").

// Single notes, a line of notes, single stacks of a family, or a line of stacks of a family.
enum class TPracticeExercise { Notes, Line, Intervals, Triads, Sevenths, IntervalLine, TriadLine, SeventhLine };

// The family of stacks an exercise asks, single or in a line; nullopt for notes.
std::optional<TChordFamily> StackFamily(TPracticeExercise exercise);

struct TPractice
{
    TPracticeExercise Exercise = TPracticeExercise::Notes;
    TStaffChoice Staff = TStaffChoice::Treble;
    int MusicKey = -1; // one of the thirty; -1 the level's key
    bool RandomKey = false;
    bool Accidentals = false;
    int Lowest = 0, Highest = 0; // the range on the staff (sounding notes); 0 and 0: the staff's own

    // The settings a line or single notes take from it, over base (its tempo and length).
    TLineSettings LineSettings(TLineSettings base = {}) const;
    // The settings of stacks: their key stands in among the twelve, their staff is treble, bass or grand
    // (the treble staff for another clef), and chromatic with accidentals.
    TChordSettings ChordSettings(TChordSettings base = {}) const;

    friend bool operator==(const TPractice&, const TPractice&) = default;
};

// The range on a staff choice: a grand staff's spans middle C, the bass taking what lies below it.
void ApplyRange(TLineSettings& settings, int lowest, int highest);
// Why a range does not fit a staff (low above high, beyond five ledger lines, a grand staff's not
// spanning middle C); empty when it fits.
std::string RangeFault(TStaffChoice staff, int lowest, int highest);
// The lowest and highest note a staff choice offers by default.
int DefaultLowest(TStaffChoice staff);
int DefaultHighest(TStaffChoice staff);

// "C4", "F#3", "Bb2" (C4 is middle C); nullopt for anything else or a note outside 0..127.
std::optional<int> NoteFromText(std::string_view text);
std::string NoteText(int note, int musicKey = -1);

// The words the text form uses, also on the command line.
std::optional<TStaffChoice> StaffFromWord(std::string_view word);
std::string_view StaffWord(TStaffChoice staff);
std::optional<TPracticeExercise> PracticeExerciseFromWord(std::string_view word);
std::string_view PracticeExerciseWord(TPracticeExercise exercise);

// The text form, and back: the practice, or why the text is not one (an unknown word, a bad key name,
// a range that does not fit, garbage).
std::string PracticeText(const TPractice& practice);
struct TPracticeRead
{
    std::optional<TPractice> Practice;
    std::string Fault;
};
TPracticeRead PracticeFromText(std::string_view text);
