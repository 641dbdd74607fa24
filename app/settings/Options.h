#pragma once

#include "app/settings/Settings.h"

#include <QtGlobal>
#include <array>
#include <string>

// The player's options, kept in "vantrel.ini" under [Options]. Each option is
// one row of kOptionTable: adding an option is adding a row (and, for a new
// group, a group box on the Options page).
namespace lirasto::settings {

inline constexpr const char* kOptionsSection = "Options";

enum class TOption {
    KeyboardScheme,
    NameTheKeys,
    OctaveExact,
    SoundForMidiKeys,
    ReplayRightNote,
    PlayQuestion,
    Mute,
    Volume,
    DrillWeakNotes,
    MistakesCostPoints,
    Microphone,
    MicrophoneLowest,
    MicrophoneHighest,
    MicrophoneGate,
    Language,
    NoteNames,
    Count
};

struct TOptionRow
{
    TOption Id;
    const char* Key;   // the name in the settings file
    const char* Label; // the text on the Options page (translated there); nullptr: not a tick of its own
    const char* Group; // the group box on the Options page that holds it
    int Default;
    int Min;
    int Max;
};

inline constexpr std::array<TOptionRow, static_cast<std::size_t>(TOption::Count)> kOptionTable{{
    {TOption::KeyboardScheme, "KeyboardScheme", nullptr, "gbKeyboard", 0, 0, 1},
    {TOption::NameTheKeys, "NameTheKeys", QT_TRANSLATE_NOOP("TOptionsPage", "Name the keys"), "gbKeyboard", 0, 0, 1},
    {TOption::OctaveExact, "OctaveExact", QT_TRANSLATE_NOOP("TOptionsPage", "Octave-exact answers"), "gbMidi", 0, 0, 1},
    {TOption::SoundForMidiKeys, "SoundForMidiKeys", QT_TRANSLATE_NOOP("TOptionsPage", "Sound for MIDI keys"), "gbSound",
     0, 0, 1},
    {TOption::ReplayRightNote, "ReplayRightNote", QT_TRANSLATE_NOOP("TOptionsPage", "Replay the right note"), "gbSound",
     1, 0, 1},
    {TOption::PlayQuestion, "PlayQuestion", QT_TRANSLATE_NOOP("TOptionsPage", "Play the question"), "gbSound", 0, 0, 1},
    {TOption::Mute, "Mute", QT_TRANSLATE_NOOP("TOptionsPage", "Mute"), "gbSound", 0, 0, 1},
    {TOption::Volume, "Volume", nullptr, "gbSound", 80, 0, 100},
    {TOption::DrillWeakNotes, "DrillWeakNotes", QT_TRANSLATE_NOOP("TOptionsPage", "Drill my weak notes"), "gbPractice",
     1, 0, 1},
    {TOption::MistakesCostPoints, "MistakesCostPoints", QT_TRANSLATE_NOOP("TOptionsPage", "Mistakes cost points"),
     "gbPractice", 0, 0, 1},
    {TOption::Microphone, "Microphone", QT_TRANSLATE_NOOP("TOptionsPage", "Microphone"), "gbMicrophone", 0, 0, 1},
    // The notes listened for (E2 to C7) and the noise gate in dB below full scale.
    {TOption::MicrophoneLowest, "MicrophoneLowest", nullptr, "gbMicrophone", 40, 21, 108},
    {TOption::MicrophoneHighest, "MicrophoneHighest", nullptr, "gbMicrophone", 96, 21, 108},
    {TOption::MicrophoneGate, "MicrophoneGate", nullptr, "gbMicrophone", -60, -90, -10},
    // 0: the system's language, else a row of kLanguages (app/language/Language.h) + 1; read before the window is
    // built.
    {TOption::Language, "Language", nullptr, "gbLanguage", 0, 0, 8},
    // 0: as the language teaches them, else a TNoteNaming + 1.
    {TOption::NoteNames, "NoteNames", nullptr, "gbLanguage", 0, 0, 3},
}};

const TOptionRow& OptionRow(TOption option);

// Every option's value; each starts at its default.
class TOptions
{
public:
    TOptions();
    int Get(TOption option) const { return values_[index(option)]; }
    bool On(TOption option) const { return Get(option) != 0; }
    // A value outside the option's range is refused: false, and the old value stays.
    bool Set(TOption option, int value);

private:
    static std::size_t index(TOption option) { return static_cast<std::size_t>(option); }
    std::array<int, static_cast<std::size_t>(TOption::Count)> values_{};
};

// The stored options; a missing or bad value (not a whole number in range) is its default, silently.
TOptions ReadOptions(const std::string& path = kFileName);
// Stores one option, keeping every other line; false when it cannot be written.
bool WriteOption(TOption option, int value, const std::string& path = kFileName);

} // namespace lirasto::settings
