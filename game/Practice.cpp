#include "game/Practice.h"

#include "game/MusicKeys.h"
#include "game/StaffLayout.h"
#include "game/StaffView.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>
#include <vector>

namespace {

constexpr int kMiddleC = 60;
constexpr char kSeparator = '|';

constexpr std::array<std::pair<std::string_view, TStaffChoice>, 6> kStaffWords{
    {{"treble", TStaffChoice::Treble},
     {"bass", TStaffChoice::Bass},
     {"grand", TStaffChoice::Grand},
     {"alto", TStaffChoice::Alto},
     {"tenor", TStaffChoice::Tenor},
     {"treble8vb", TStaffChoice::TrebleOctave}}};
constexpr std::array<std::pair<std::string_view, TPracticeExercise>, 8> kExerciseWords{
    {{"notes", TPracticeExercise::Notes},
     {"line", TPracticeExercise::Line},
     {"intervals", TPracticeExercise::Intervals},
     {"triads", TPracticeExercise::Triads},
     {"sevenths", TPracticeExercise::Sevenths},
     {"line-intervals", TPracticeExercise::IntervalLine},
     {"line-triads", TPracticeExercise::TriadLine},
     {"line-sevenths", TPracticeExercise::SeventhLine}}};

template <typename T, std::size_t N>
std::optional<T> valueOf(const std::array<std::pair<std::string_view, T>, N>& words, std::string_view word)
{
    for (const auto& [w, value] : words)
        if (w == word)
            return value;
    return std::nullopt;
}

template <typename T, std::size_t N>
std::string_view wordOf(const std::array<std::pair<std::string_view, T>, N>& words, T value)
{
    for (const auto& [w, v] : words)
        if (v == value)
            return w;
    return {};
}

std::vector<std::string_view> split(std::string_view text)
{
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(kSeparator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

int clefBelow(TStaffChoice staff)
{
    return staff == TStaffChoice::Grand ? kBassClef : ClefOfStaff(staff);
}

int clefAbove(TStaffChoice staff)
{
    return staff == TStaffChoice::Grand ? kTrebleClef : ClefOfStaff(staff);
}

} // namespace

TLineSettings TPractice::LineSettings(TLineSettings base) const
{
    base.Staff = Staff;
    base.MusicKey = MusicKey;
    base.Key = MusicKey >= 0 ? LevelKeyOfMusicKey(MusicKey) : -1;
    base.RandomKey = RandomKey;
    base.Accidentals = Accidentals;
    const TLineSettings defaults;
    base.TrebleLowest = defaults.TrebleLowest, base.TrebleHighest = defaults.TrebleHighest;
    base.BassLowest = defaults.BassLowest, base.BassHighest = defaults.BassHighest;
    base.ClefLowest = 0, base.ClefHighest = 0;
    if (Lowest != 0 && Highest != 0)
        ApplyRange(base, Lowest, Highest);
    return base;
}

TChordSettings TPractice::ChordSettings(TChordSettings base) const
{
    base.Key = MusicKey >= 0 ? LevelKeyOfMusicKey(MusicKey) : -1;
    base.Chromatic = Accidentals;
    base.Staff = ClefOfStaff(Staff) >= kAltoClef ? TStaffChoice::Treble : Staff;
    if (const std::optional<TChordFamily> family = StackFamily(Exercise))
        base.Family = *family;
    return base;
}

std::optional<TChordFamily> StackFamily(TPracticeExercise exercise)
{
    const int n = static_cast<int>(exercise);
    if (exercise >= TPracticeExercise::IntervalLine)
        return static_cast<TChordFamily>(n - static_cast<int>(TPracticeExercise::IntervalLine));
    if (exercise >= TPracticeExercise::Intervals)
        return static_cast<TChordFamily>(n - static_cast<int>(TPracticeExercise::Intervals));
    return std::nullopt;
}

void ApplyRange(TLineSettings& settings, int lowest, int highest)
{
    switch (settings.Staff) {
    case TStaffChoice::Treble:
        settings.TrebleLowest = lowest, settings.TrebleHighest = highest;
        break;
    case TStaffChoice::Bass:
        settings.BassLowest = lowest, settings.BassHighest = highest;
        break;
    case TStaffChoice::Grand:
        settings.BassLowest = lowest, settings.BassHighest = std::min(highest, kMiddleC - 1);
        settings.TrebleLowest = std::max(lowest, kMiddleC), settings.TrebleHighest = highest;
        break;
    default:
        settings.ClefLowest = lowest, settings.ClefHighest = highest;
        break;
    }
}

std::string RangeFault(TStaffChoice staff, int lowest, int highest)
{
    const int floor = lirasto::staff::LowestNote(clefBelow(staff));
    const int ceiling = lirasto::staff::HighestNote(clefAbove(staff));
    if (lowest > highest)
        return "the lowest note lies above the highest";
    if (lowest < floor || highest > ceiling)
        return "the staff reaches " + NoteText(floor) + " to " + NoteText(ceiling) + ", five ledger lines each way";
    if (staff == TStaffChoice::Grand && (lowest >= kMiddleC || highest < kMiddleC))
        return "a grand staff's range spans middle C (C4)";
    return {};
}

int DefaultLowest(TStaffChoice staff)
{
    TLineSettings settings;
    settings.Staff = staff;
    return settings.LowestNote();
}

int DefaultHighest(TStaffChoice staff)
{
    TLineSettings settings;
    settings.Staff = staff;
    return settings.HighestNote();
}

std::optional<int> NoteFromText(std::string_view text)
{
    static constexpr int kLetterPitch[] = {9, 11, 0, 2, 4, 5, 7}; // A..G
    if (text.empty())
        return std::nullopt;
    const char letter = static_cast<char>(text.front() & ~0x20);
    if (letter < 'A' || letter > 'G')
        return std::nullopt;
    int pitch = kLetterPitch[letter - 'A'];
    text.remove_prefix(1);
    if (!text.empty() && (text.front() == '#' || text.front() == 'b')) {
        pitch += text.front() == '#' ? 1 : -1;
        text.remove_prefix(1);
    }
    int octave = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), octave);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || octave < -1 || octave > 9)
        return std::nullopt;
    const int note = (octave + 1) * 12 + pitch;
    if (note < kLowestMidiNote || note > kHighestMidiNote)
        return std::nullopt;
    return note;
}

std::string NoteText(int note, int musicKey)
{
    static const char* const kNames[] = {"C", "C#", "D", "Eb", "E", "F", "F#", "G", "Ab", "A", "Bb", "B"};
    if (musicKey < 0)
        return kNames[note % 12] + std::to_string(note / 12 - 1);
    // As the key writes it, with the octave of the letter written (B#3 is C4's sound).
    const TSpelling spelling = SpellInMusicKey(note, musicKey);
    static const char* const kSigns[] = {"", "b", "#", "", "##", "bb"};
    return std::string(1, "C D EF G A B"[spelling.Natural % 12]) + kSigns[static_cast<int>(spelling.Sign)] +
           std::to_string(spelling.Natural / 12 - 1);
}

std::optional<TStaffChoice> StaffFromWord(std::string_view word)
{
    return valueOf(kStaffWords, word);
}

std::string_view StaffWord(TStaffChoice staff)
{
    return wordOf(kStaffWords, staff);
}

std::optional<TPracticeExercise> PracticeExerciseFromWord(std::string_view word)
{
    return valueOf(kExerciseWords, word);
}

std::string_view PracticeExerciseWord(TPracticeExercise exercise)
{
    return wordOf(kExerciseWords, exercise);
}

std::string PracticeText(const TPractice& practice)
{
    std::string text{PracticeExerciseWord(practice.Exercise)};
    text += kSeparator;
    text += StaffWord(practice.Staff);
    text += kSeparator;
    text += practice.RandomKey ? "random" : practice.MusicKey >= 0 ? MusicKeyName(practice.MusicKey) : "level";
    text += kSeparator;
    text += practice.Accidentals ? "chromatic" : "none";
    text += kSeparator;
    if (practice.Lowest != 0 && practice.Highest != 0)
        text += NoteText(practice.Lowest) + "-" + NoteText(practice.Highest);
    return text;
}

TPracticeRead PracticeFromText(std::string_view text)
{
    const std::vector<std::string_view> parts = split(text);
    if (parts.size() != 5)
        return {std::nullopt, "it has " + std::to_string(parts.size()) + " fields, not 5"};
    TPractice practice;
    const auto quoted = [](std::string_view what) { return "\"" + std::string(what) + "\""; };
    if (const auto exercise = PracticeExerciseFromWord(parts[0]))
        practice.Exercise = *exercise;
    else
        return {std::nullopt, "unknown exercise " + quoted(parts[0])};
    if (const auto staff = StaffFromWord(parts[1]))
        practice.Staff = *staff;
    else
        return {std::nullopt, "unknown clef " + quoted(parts[1])};
    if (parts[2] == "random")
        practice.RandomKey = true;
    else if (parts[2] != "level" && (practice.MusicKey = MusicKeyFromName(parts[2])) < 0)
        return {std::nullopt, "unknown key " + quoted(parts[2])};
    if (parts[3] == "chromatic" || parts[3] == "none")
        practice.Accidentals = parts[3] == "chromatic";
    else
        return {std::nullopt, "unknown accidentals " + quoted(parts[3])};
    if (!parts[4].empty()) {
        const std::size_t dash = parts[4].find('-');
        const std::optional<int> lowest =
            dash == std::string_view::npos ? std::nullopt : NoteFromText(parts[4].substr(0, dash));
        const std::optional<int> highest =
            dash == std::string_view::npos ? std::nullopt : NoteFromText(parts[4].substr(dash + 1));
        if (!lowest || !highest)
            return {std::nullopt, "bad range " + quoted(parts[4])};
        if (const std::string fault = RangeFault(practice.Staff, *lowest, *highest); !fault.empty())
            return {std::nullopt, "range " + quoted(parts[4]) + " does not fit: " + fault};
        practice.Lowest = *lowest;
        practice.Highest = *highest;
    }
    return {practice, {}};
}
