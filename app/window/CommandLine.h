#pragma once

#include "game/ChordExercise.h"
#include "game/GameEvents.h"
#include "game/LineExercise.h"

#include <QString>
#include <QStringList>
#include <optional>

// What the command line asks the program to start with; each is unset when not given.
struct TStartOptions
{
    std::optional<TExerciseKind> Exercise;
    std::optional<int> Level; // 1..12
    std::optional<int> Key;   // key index, the tonic's pitch class
    std::optional<TStaffChoice> Staff;
    std::optional<int> Tempo;           // 0 at one's own pace, else 20..208
    std::optional<int> Notes;           // 4..16
    std::optional<int> MusicKey;        // one of the thirty keys (MusicKeys); Key then names its stand-in of the twelve
    std::optional<int> LowestNote;      // --range: the line's lowest and highest note on its staff
    std::optional<int> HighestNote;     //
    std::optional<bool> Accidentals;    // chromatic notes too
    bool RandomKey = false;             // --key random: a key of the thirty drawn for each line
    bool Microphone = false;            // listens through the microphone in this run, whatever the Options page says
    std::optional<TChordFamily> Chords; // intervals, triads or seventh chords, read as stacks
    bool Chromatic = false;             // stacks on any root, of any type, not only those the key holds

    bool StartsAPractice() const { return Exercise.has_value() || Level.has_value(); }
    // The line's settings these options make, over the defaults (the level's key).
    TLineSettings LineSettings() const;
    // The chords' settings these options make (the family, the key and the staff).
    TChordSettings ChordSettings() const;
};

struct TCommandLine
{
    enum class TAction { Run, Help, Version, UsageError };
    TAction Action = TAction::Run;
    TStartOptions Options;
    QString Error; // names the option at fault, for a UsageError
};

// arguments include the program's name first, as argv does. Qt's own options are not taken
// here: the command line is read before the display is opened, so that --help needs none.
TCommandLine ParseCommandLine(const QStringList& arguments);
QString CommandLineUsage();
QString VersionText();
// A key's name: a letter A..G, any case, then "b" or "#" (or none); nullopt for anything else.
std::optional<int> KeyFromName(const QString& name);
// A note's name: a letter A..G, any case, "b" or "#" or none, and an octave -1..9 (C4 is middle C,
// note 60); nullopt for anything else or a note outside 0..127.
std::optional<int> NoteFromName(const QString& name);

// What main does with it: prints the help or the version on standard output (exit 0), or the
// error and the usage on standard error (exit 2); nullopt when the program is to run.
std::optional<int> AnswerCommandLine(const TCommandLine& commandLine);
