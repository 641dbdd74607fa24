#include "app/window/CommandLine.h"
#include "game/MusicKeys.h"
#include "game/StaffView.h"

#include <gtest/gtest.h>
#include <ostream>

namespace {

using TAction = TCommandLine::TAction;

struct Row
{
    const char* name;
    QStringList args;
    TAction action;
    const char* errorNames = ""; // the option the error must name
    std::optional<TExerciseKind> exercise{};
    std::optional<int> level{}, key{}, tempo{}, notes{};
    std::optional<TStaffChoice> staff{};
    bool microphone = false;
    bool singleNotes = false;
};

void PrintTo(const Row& r, std::ostream* os)
{
    *os << r.name;
}

// Every option is taken at its bounds and refused past them, naming the option at fault;
// the line's options ask for a line.
class CommandLine : public testing::TestWithParam<Row>
{};

TEST_P(CommandLine, ParsesOrNamesTheFault)
{
    const Row& row = GetParam();
    const TCommandLine parsed = ParseCommandLine(QStringList{QStringLiteral("lirasto")} + row.args);
    ASSERT_EQ(parsed.Action, row.action) << parsed.Error.toStdString();
    EXPECT_TRUE(parsed.Error.contains(QString::fromLatin1(row.errorNames))) << parsed.Error.toStdString();
    if (row.action != TAction::Run)
        return;
    const TStartOptions& o = parsed.Options;
    EXPECT_EQ(o.Exercise, row.exercise);
    EXPECT_EQ(o.Level, row.level);
    EXPECT_EQ(o.Key, row.key);
    EXPECT_EQ(o.Tempo, row.tempo);
    EXPECT_EQ(o.Notes, row.notes);
    EXPECT_EQ(o.Staff, row.staff);
    EXPECT_EQ(o.Microphone, row.microphone);
    EXPECT_EQ(o.SingleNotes, row.singleNotes);
}

using K = TExerciseKind;
using S = TStaffChoice;
const QString kLevel = QStringLiteral("--level"), kExercise = QStringLiteral("--exercise"),
              kKey = QStringLiteral("--key"), kTempo = QStringLiteral("--tempo"), kNotes = QStringLiteral("--notes"),
              kStaff = QStringLiteral("--staff");

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLine,
    testing::Values(
        Row{"Nothing", {}, TAction::Run}, Row{"Help", {"--help"}, TAction::Help},
        Row{"ShortHelp", {"-h"}, TAction::Help}, Row{"Version", {"--version"}, TAction::Version},
        Row{"Levels", {kExercise, "levels", kLevel, "1"}, TAction::Run, "", K::Levels, 1},
        Row{"LevelTwelve", {kLevel, "12"}, TAction::Run, "", {}, 12},
        Row{"LineAllSet",
            {kExercise, "line", kKey, "Bb", kStaff, "grand", kTempo, "208", kNotes, "16"},
            TAction::Run,
            "",
            K::Line,
            {},
            10,
            208,
            16,
            S::Grand},
        Row{"SlowestAndFewest", {"--tempo=20", "--notes=4", "--key=F#"}, TAction::Run, "", K::Line, {}, 6, 20, 4},
        Row{"AtYourPace", {kTempo, "0", kKey, "cb", kStaff, "bass"}, TAction::Run, "", K::Line, {}, 11, 0, {}, S::Bass},
        Row{"MicrophoneWithLine", {"--microphone", kTempo, "60"}, TAction::Run, "", K::Line, {}, {}, 60, {}, {}, true},
        Row{"MicrophoneAlone", {"--microphone"}, TAction::Run, "", {}, {}, {}, {}, {}, {}, true},
        Row{"MicrophoneTakesNoValue", {"--microphone=yes"}, TAction::UsageError, "microphone"},
        Row{"Unknown", {"--speed", "3"}, TAction::UsageError, "speed"},
        Row{"QtStyleOption", {"-platform", "xcb"}, TAction::UsageError, "p"},
        Row{"Positional", {"song.mid"}, TAction::UsageError, "song.mid"},
        Row{"MissingValue", {kLevel}, TAction::UsageError, "level"},
        Row{"LevelZero", {kLevel, "0"}, TAction::UsageError, "--level"},
        Row{"LevelThirteen", {kLevel, "13"}, TAction::UsageError, "--level"},
        Row{"LevelNotANumber", {kLevel, "two"}, TAction::UsageError, "--level"},
        Row{"LevelHuge", {kLevel, "99999999999999999999"}, TAction::UsageError, "--level"},
        Row{"ExerciseOther", {kExercise, "chords"}, TAction::UsageError, "--exercise"},
        Row{"KeyH", {kKey, "H"}, TAction::UsageError, "--key"},
        Row{"KeyTooLong", {kKey, "Bbb"}, TAction::UsageError, "--key"},
        Row{"StaffAlto", {kStaff, "alto"}, TAction::UsageError, "--staff"},
        Row{"ClefWithStaff", {"--clef", "alto", kStaff, "bass"}, TAction::UsageError, "--clef"},
        Row{"ClefSoprano", {"--clef", "soprano"}, TAction::UsageError, "--clef"},
        Row{"RangeOneNote", {"--range", "C4"}, TAction::UsageError, "--range"},
        Row{"RangeNoOctave", {"--range", "C-G4"}, TAction::UsageError, "--range"},
        Row{"RangeUpsideDown", {"--range", "G4-C3"}, TAction::UsageError, "--range"},
        Row{"RangeBeyondFiveLedgerLines", {"--range", "A2-C5"}, TAction::UsageError, "B2 to B6"},
        Row{"RangeAltoTooHigh", {"--clef", "alto", "--range", "C3-D6"}, TAction::UsageError, "C2 to C6"},
        Row{"RangeGrandOneSide", {kStaff, "grand", "--range", "C4-G5"}, TAction::UsageError, "middle C"},
        Row{"RangeHugeOctave", {"--range", "C3-G99999999999"}, TAction::UsageError, "--range"},
        Row{"KeyMinorMisspelt", {kKey, "F# minr"}, TAction::UsageError, "--key"},
        Row{"KeyOutsideTheThirty", {kKey, "Gb minor"}, TAction::UsageError, "--key"},
        Row{"AccidentalsSome", {"--accidentals", "some"}, TAction::UsageError, "--accidentals"},
        Row{"ClefWithLevels", {kExercise, "levels", "--clef", "alto"}, TAction::UsageError, "--clef"},
        Row{"ChordsOnTheAltoClef", {"--chords", "triads", "--clef", "alto"}, TAction::UsageError, "--chords"},
        Row{"ChordsOverARange", {"--chords", "triads", "--range", "C3-G4"}, TAction::UsageError, "--chords"},
        Row{"TempoNineteen", {kTempo, "19"}, TAction::UsageError, "--tempo"},
        Row{"TempoTooFast", {kTempo, "209"}, TAction::UsageError, "--tempo"},
        Row{"TempoNegative", {kTempo, "-60"}, TAction::UsageError, "--tempo"},
        Row{"NotesThree", {kNotes, "3"}, TAction::UsageError, "--notes"},
        Row{"NotesSeventeen", {kNotes, "17"}, TAction::UsageError, "--notes"},
        Row{"TwiceGiven", {kLevel, "2", kLevel, "3"}, TAction::UsageError, "--level"},
        Row{"LineOptionWithLevels", {kExercise, "levels", kTempo, "60"}, TAction::UsageError, "--tempo"},
        Row{"ChordsInAKey",
            {"--chords", "triads", kKey, "D", kStaff, "bass"},
            TAction::Run,
            "",
            K::Chords,
            {},
            2,
            {},
            {},
            S::Bass},
        Row{"NotesOnTheAltoClefInCFlat",
            {kExercise, "notes", "--clef", "alto", kKey, "Cb", "--range", "C3-G4", "--accidentals", "chromatic"},
            TAction::Run,
            "",
            K::Levels,
            {},
            11,
            {},
            {},
            S::Alto,
            false,
            true},
        Row{"NotesWithTempo", {kExercise, "notes", kTempo, "60"}, TAction::UsageError, "--tempo"},
        Row{"NotesWithLength", {kExercise, "notes", kNotes, "8"}, TAction::UsageError, "--notes"},
        Row{"NotesWithChords", {kExercise, "notes", "--chords", "triads"}, TAction::UsageError, "--chords"},
        Row{"ChordsOther", {"--chords", "ninths"}, TAction::UsageError, "--chords"},
        Row{"ChromaticAlone", {"--chromatic", kKey, "D"}, TAction::UsageError, "--chromatic"},
        Row{"ChordsEmpty", {"--chords="}, TAction::UsageError, "--chords"},
        Row{"ChordLine", {kExercise, "line", "--chords", "triads"}, TAction::Run, "", K::Line},
        Row{"ChordLineInTime", {"--chords", "sevenths", kTempo, "60"}, TAction::Run, "", K::Line, {}, {}, 60},
        Row{"ChordLineOfSeven", {"--chords", "intervals", kNotes, "7"}, TAction::Run, "", K::Line, {}, {}, {}, 7},
        Row{"ChordLineOfEight", {"--chords", "intervals", kNotes, "8"}, TAction::UsageError, "--notes"},
        Row{"ChordsWithLevels", {kExercise, "levels", "--chords", "triads"}, TAction::UsageError, "--chords"}));

// A line of stacks carries its family, and --chromatic asks for stacks with signs.
TEST(CommandLineChords, LineOfStacksCarriesTheFamily)
{
    const TLineSettings plain =
        ParseCommandLine({"lirasto", "--chords", "triads", "--tempo", "0"}).Options.LineSettings();
    EXPECT_EQ(std::tuple(plain.Chords, plain.Notes), std::tuple(TChordFamily::Triads, TLineSettings::kMostStacks));
    EXPECT_FALSE(plain.Accidentals);
    EXPECT_TRUE(ParseCommandLine({"lirasto", "--exercise", "line", "--chords", "sevenths", "--chromatic"})
                    .Options.LineSettings()
                    .Accidentals);
    EXPECT_FALSE(ParseCommandLine({"lirasto", "--tempo", "60"}).Options.LineSettings().Chords);
}

// Each word of --chords names its family, which the chord settings carry.
TEST(CommandLineChords, NamesTheFamily)
{
    const std::pair<const char*, TChordFamily> words[] = {
        {"intervals", TChordFamily::Intervals}, {"triads", TChordFamily::Triads}, {"sevenths", TChordFamily::Sevenths}};
    for (const auto& [word, family] : words) {
        const TCommandLine parsed = ParseCommandLine({"lirasto", "--chords", word});
        ASSERT_EQ(parsed.Action, TAction::Run) << word;
        EXPECT_EQ(parsed.Options.ChordSettings().Family, family);
        EXPECT_EQ(parsed.Options.ChordSettings().Key, -1);
        EXPECT_FALSE(parsed.Options.ChordSettings().Chromatic);
    }
    EXPECT_TRUE(ParseCommandLine({"lirasto", "--chords", "triads", "--chromatic"}).Options.ChordSettings().Chromatic);
}

// The options of the clef, range, key and accidentals make the line's settings.
struct LineRow
{
    QStringList args;
    TStaffChoice staff;
    const char* key; // as the thirty name it
    int lowest, highest;
    bool accidentals;
};

TEST(CommandLineLine, MakesTheLineOfTheClefRangeKeyAndAccidentals)
{
    const LineRow rows[] = {
        {{"--clef", "alto", "--range", "C3-G4", "--key", "F# minor", "--accidentals", "chromatic"},
         S::Alto,
         "F# minor",
         48,
         67,
         true},
        {{"--clef", "tenor", "--key", "Cb", "--accidentals", "none"}, S::Tenor, "Cb", 43, 71, false},
        {{"--clef", "treble8vb", "--range", "E2-E5", "--key", "ebm"}, S::TrebleOctave, "Eb minor", 40, 76, false},
        {{"--clef", "treble", "--range", "B2-B6", "--key", "C#"}, S::Treble, "C#", 47, 95, false},
        {{"--clef", "bass", "--range", "D1-Bb3"}, S::Bass, "", 26, 58, false},
        {{"--key", "random"}, S::Treble, "random", 53, 88, false},
    };
    for (const LineRow& row : rows) {
        const TCommandLine parsed = ParseCommandLine(QStringList{QStringLiteral("lirasto")} + row.args);
        ASSERT_EQ(parsed.Action, TAction::Run) << parsed.Error.toStdString();
        EXPECT_EQ(parsed.Options.Exercise, K::Line);
        const TLineSettings s = parsed.Options.LineSettings();
        EXPECT_EQ(s.RandomKey, row.key == std::string("random"));
        EXPECT_NO_THROW(s.Check());
        EXPECT_EQ(s.Staff, row.staff);
        if (!s.RandomKey) {
            EXPECT_EQ(s.MusicKey >= 0 ? MusicKeyName(s.MusicKey) : std::string(), row.key);
        }
        const int clef = ClefOfStaff(row.staff);
        EXPECT_EQ(clef == kTrebleClef ? s.TrebleLowest
                  : clef == kBassClef ? s.BassLowest
                                      : s.LowestOnClef(),
                  row.lowest);
        EXPECT_EQ(clef == kTrebleClef ? s.TrebleHighest
                  : clef == kBassClef ? s.BassHighest
                                      : s.HighestOnClef(),
                  row.highest);
        EXPECT_EQ(s.Accidentals, row.accidentals);
    }
}

// The usage names every option, and the program by its name.
TEST(CommandLineUsage, NamesEveryOption)
{
    const QString usage = CommandLineUsage();
    EXPECT_TRUE(usage.startsWith(QStringLiteral("Usage: lirasto [options]"))) << usage.toStdString();
    for (const char* option : {"--help", "--version", "--exercise", "--level", "--key", "--staff", "--clef", "--range",
                               "--accidentals", "--tempo", "--notes", "--microphone", "--chords", "--chromatic"})
        EXPECT_TRUE(usage.contains(QLatin1String(option))) << option;
}

} // namespace
