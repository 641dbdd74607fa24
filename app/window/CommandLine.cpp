#include "app/window/CommandLine.h"

#include "core/Errors.h"
#include "game/MusicKeys.h"
#include "game/Practice.h"
#include "game/StaffLayout.h"
#include "game/StaffView.h"

#include <QCommandLineParser>
#include <cstdio>
#include <initializer_list>
#include <utility>

namespace {

const QString kProgram = QStringLiteral("lirasto");

struct TOptions
{
    QCommandLineOption Help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this help.")};
    QCommandLineOption Version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Shows the program's version.")};
    QCommandLineOption Exercise{QStringLiteral("exercise"),
                                QStringLiteral("Starts a practice: levels (one note at a time), notes (one note at "
                                               "a time in the clef, key, range and accidentals given) or line "
                                               "(sight-reading a line of notes)."),
                                QStringLiteral("levels|notes|line")};
    QCommandLineOption Level{QStringLiteral("level"), QStringLiteral("The level to play, 1 to 12."),
                             QStringLiteral("N")};
    QCommandLineOption Key{QStringLiteral("key"),
                           QStringLiteral("The key of a line, major or minor, seven flats to seven sharps: e.g. C, "
                                          "Bb, C#, Cb, \"F# minor\" or Ebm, or random for a key drawn for each "
                                          "line or note (the level's key by default)."),
                           QStringLiteral("NAME")};
    QCommandLineOption Staff{QStringLiteral("staff"), QStringLiteral("The staff of a line."),
                             QStringLiteral("treble|bass|grand")};
    QCommandLineOption Clef{QStringLiteral("clef"),
                            QStringLiteral("The clef of a line: the staves of --staff, the alto or tenor clef, or "
                                           "the treble clef an octave down (treble8vb)."),
                            QStringLiteral("treble|bass|grand|alto|tenor|treble8vb")};
    QCommandLineOption Range{QStringLiteral("range"),
                             QStringLiteral("The lowest and highest note of a line, e.g. C3-G4, up to five ledger "
                                            "lines beyond the staff."),
                             QStringLiteral("LOW-HIGH")};
    QCommandLineOption Accidentals{QStringLiteral("accidentals"),
                                   QStringLiteral("Notes of the key only, or chromatic notes too."),
                                   QStringLiteral("none|chromatic")};
    QCommandLineOption Tempo{QStringLiteral("tempo"),
                             QStringLiteral("Quarter notes a minute for a line, 20 to 208; 0 plays at your pace."),
                             QStringLiteral("BPM")};
    QCommandLineOption Notes{QStringLiteral("notes"), QStringLiteral("Notes in a line, 4 to 16 (8 by default)."),
                             QStringLiteral("N")};
    QCommandLineOption Microphone{QStringLiteral("microphone"),
                                  QStringLiteral("Listens to your instrument through the microphone in this run.")};
    QCommandLineOption Chords{QStringLiteral("chords"),
                              QStringLiteral("Starts reading stacks of notes: intervals, triads or seventh chords "
                                             "(in the key of --key or the level, on the staff of --staff), one at a "
                                             "time, or in a line with --exercise line, --tempo or --notes (4 to 7)."),
                              QStringLiteral("intervals|triads|sevenths")};
    QCommandLineOption Chromatic{QStringLiteral("chromatic"),
                                 QStringLiteral("With --chords: stacks on any root and of any type, with the signs "
                                                "they need, not only those the key holds.")};

    void AddTo(QCommandLineParser& parser) const
    {
        parser.setApplicationDescription(QStringLiteral("Lirasto Notes, a trainer for reading music notation."));
        parser.addOptions(
            {Help, Version, Exercise, Level, Key, Staff, Clef, Range, Accidentals, Tempo, Notes, Microphone});
        parser.addOption(Chords);
        parser.addOption(Chromatic);
    }
};

// A whole number within lowest..highest, or nullopt.
std::optional<int> numberIn(const QString& text, int lowest, int highest)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

// The value a word of the list stands for, or nullopt.
template <typename T>
std::optional<T> wordIn(const QString& text, std::initializer_list<std::pair<const char*, T>> words)
{
    for (const auto& [word, value] : words)
        if (text == QLatin1String(word))
            return value;
    return std::nullopt;
}

QString malformed(const QString& option, const QString& value, const QString& expected)
{
    return QStringLiteral("--%1: \"%2\" is not %3").arg(option, value, expected);
}

} // namespace

std::optional<int> NoteFromName(const QString& name)
{
    const std::optional<int> pitch = name.isEmpty() ? std::nullopt : KeyFromName(name.left(1));
    if (!pitch)
        return std::nullopt;
    int at = 1, alteration = 0;
    if (name.size() > 1 && (name[1] == QLatin1Char('#') || name[1] == QLatin1Char('b'))) {
        alteration = name[1] == QLatin1Char('#') ? 1 : -1;
        at = 2;
    }
    bool ok = false;
    const QString octaveText = name.mid(at);
    const int octave = octaveText.toInt(&ok);
    if (!ok || octaveText.startsWith(QLatin1Char('+')) || octave < -1 || octave > 9)
        return std::nullopt;
    const int note = (octave + 1) * 12 + *pitch + alteration;
    if (note < kLowestMidiNote || note > kHighestMidiNote)
        return std::nullopt;
    return note;
}

TLineSettings TStartOptions::LineSettings() const
{
    TLineSettings settings;
    if (Key)
        settings.Key = *Key;
    if (Staff)
        settings.Staff = *Staff;
    if (Tempo)
        settings.Tempo = *Tempo;
    if (Notes)
        settings.Notes = *Notes;
    if (MusicKey)
        settings.MusicKey = *MusicKey;
    if (Accidentals)
        settings.Accidentals = *Accidentals;
    settings.RandomKey = RandomKey;
    if (Chords) {
        settings.Chords = Chords;
        settings.Accidentals = Chromatic;
        settings.Notes = std::min(settings.Notes,
                                  TLineSettings::kMostStacks); // single notes take 8 by default, more stacks than fit
    }
    if (LowestNote && HighestNote)
        ApplyRange(settings, *LowestNote, *HighestNote);
    return settings;
}

TChordSettings TStartOptions::ChordSettings() const
{
    TChordSettings settings;
    if (Chords)
        settings.Family = *Chords;
    if (Key)
        settings.Key = *Key;
    if (Staff)
        settings.Staff = *Staff;
    settings.Chromatic = Chromatic;
    return settings;
}

std::optional<int> KeyFromName(const QString& name)
{
    static const int kLetterPitch[] = {9, 11, 0, 2, 4, 5, 7}; // A..G
    if (name.isEmpty() || name.size() > 2)
        return std::nullopt;
    const QChar letter = name[0].toUpper();
    if (letter < QLatin1Char('A') || letter > QLatin1Char('G'))
        return std::nullopt;
    int pitch = kLetterPitch[letter.unicode() - 'A'];
    if (name.size() == 2) {
        if (name[1] == QLatin1Char('b'))
            pitch += 11;
        else if (name[1] == QLatin1Char('#'))
            pitch += 1;
        else
            return std::nullopt;
    }
    return pitch % 12;
}

TCommandLine ParseCommandLine(const QStringList& arguments)
{
    TCommandLine result;
    const TOptions o;
    QCommandLineParser parser;
    o.AddTo(parser);
    auto fail = [&result](QString error) {
        result.Action = TCommandLine::TAction::UsageError;
        result.Error = std::move(error);
        return result;
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("Unexpected argument: %1").arg(parser.positionalArguments().first()));
    if (parser.isSet(o.Help)) {
        result.Action = TCommandLine::TAction::Help;
        return result;
    }
    if (parser.isSet(o.Version)) {
        result.Action = TCommandLine::TAction::Version;
        return result;
    }
    // A value given twice would leave the reader guessing which one counts.
    for (const QCommandLineOption* option :
         {&o.Exercise, &o.Level, &o.Key, &o.Staff, &o.Clef, &o.Range, &o.Accidentals, &o.Tempo, &o.Notes, &o.Chords})
        if (parser.values(*option).size() > 1)
            return fail(QStringLiteral("--%1 is given more than once").arg(option->names().first()));
    TStartOptions& start = result.Options;
    start.Microphone = parser.isSet(o.Microphone);
    if (parser.isSet(o.Exercise) &&
        !(start.Exercise = wordIn<TExerciseKind>(
              parser.value(o.Exercise),
              {{"levels", TExerciseKind::Levels}, {"notes", TExerciseKind::Levels}, {"line", TExerciseKind::Line}})))
        return fail(
            malformed(QStringLiteral("exercise"), parser.value(o.Exercise), QStringLiteral("levels, notes or line")));
    start.SingleNotes = parser.value(o.Exercise) == QLatin1String("notes");
    if (parser.isSet(o.Level) && !(start.Level = numberIn(parser.value(o.Level), 1, LevelCount)))
        return fail(malformed(QStringLiteral("level"), parser.value(o.Level), QStringLiteral("a level from 1 to 12")));
    if (parser.isSet(o.Key) && parser.value(o.Key) == QLatin1String("random")) {
        start.RandomKey = true;
    } else if (parser.isSet(o.Key)) {
        const int musicKey = MusicKeyFromName(parser.value(o.Key).toStdString());
        if (musicKey < 0)
            return fail(malformed(QStringLiteral("key"), parser.value(o.Key),
                                  QStringLiteral("a key such as C, Bb, C#, Cb, \"F# minor\" or Ebm")));
        start.MusicKey = musicKey;
        start.Key = LevelKeyOfMusicKey(musicKey);
    }
    if (parser.isSet(o.Staff) &&
        !(start.Staff = wordIn<TStaffChoice>(
              parser.value(o.Staff),
              {{"treble", TStaffChoice::Treble}, {"bass", TStaffChoice::Bass}, {"grand", TStaffChoice::Grand}})))
        return fail(malformed(QStringLiteral("staff"), parser.value(o.Staff), QStringLiteral("treble, bass or grand")));
    if (parser.isSet(o.Clef)) {
        if (parser.isSet(o.Staff))
            return fail(QStringLiteral("--clef and --staff both choose the staff; give one"));
        if (!(start.Staff = wordIn<TStaffChoice>(parser.value(o.Clef), {{"treble", TStaffChoice::Treble},
                                                                        {"bass", TStaffChoice::Bass},
                                                                        {"grand", TStaffChoice::Grand},
                                                                        {"alto", TStaffChoice::Alto},
                                                                        {"tenor", TStaffChoice::Tenor},
                                                                        {"treble8vb", TStaffChoice::TrebleOctave}})))
            return fail(malformed(QStringLiteral("clef"), parser.value(o.Clef),
                                  QStringLiteral("treble, bass, grand, alto, tenor or treble8vb")));
    }
    if (parser.isSet(o.Range)) {
        const QString value = parser.value(o.Range);
        const QStringList ends = value.split(QLatin1Char('-'));
        const std::optional<int> lowest = ends.size() == 2 ? NoteFromName(ends[0]) : std::nullopt;
        const std::optional<int> highest = ends.size() == 2 ? NoteFromName(ends[1]) : std::nullopt;
        if (!lowest || !highest)
            return fail(malformed(QStringLiteral("range"), value, QStringLiteral("two notes such as C3-G4")));
        const QString fault =
            QString::fromStdString(RangeFault(start.Staff.value_or(TStaffChoice::Treble), *lowest, *highest));
        if (!fault.isEmpty())
            return fail(QStringLiteral("--range: \"%1\" does not fit: %2").arg(value, fault));
        start.LowestNote = lowest;
        start.HighestNote = highest;
    }
    if (parser.isSet(o.Accidentals) &&
        !(start.Accidentals = wordIn<bool>(parser.value(o.Accidentals), {{"none", false}, {"chromatic", true}})))
        return fail(
            malformed(QStringLiteral("accidentals"), parser.value(o.Accidentals), QStringLiteral("none or chromatic")));
    if (parser.isSet(o.Tempo)) {
        const QString value = parser.value(o.Tempo);
        start.Tempo = numberIn(value, 0, TLineSettings::kFastestTempo);
        if (!start.Tempo || (*start.Tempo != 0 && *start.Tempo < TLineSettings::kSlowestTempo))
            return fail(malformed(QStringLiteral("tempo"), value, QStringLiteral("0 or a tempo from 20 to 208")));
    }
    if (parser.isSet(o.Notes) &&
        !(start.Notes = numberIn(parser.value(o.Notes), TLineSettings::kFewestNotes, TLineSettings::kMostNotes)))
        return fail(malformed(QStringLiteral("notes"), parser.value(o.Notes), QStringLiteral("a count from 4 to 16")));
    // Stacks take the key and the staff of a line, but neither its tempo nor its length.
    if (parser.isSet(o.Chords)) {
        const QString value = parser.value(o.Chords);
        if (!(start.Chords = wordIn<TChordFamily>(value, {{"intervals", TChordFamily::Intervals},
                                                          {"triads", TChordFamily::Triads},
                                                          {"sevenths", TChordFamily::Sevenths}})))
            return fail(malformed(QStringLiteral("chords"), value, QStringLiteral("intervals, triads or sevenths")));
        if (start.Exercise == TExerciseKind::Levels)
            return fail(QStringLiteral("--chords reads stacks one at a time or in a line; it goes with --exercise "
                                       "line only"));
        // --exercise line, a tempo or a length: a line of stacks.
        const bool line = start.Exercise || start.Tempo || start.Notes;
        if (start.Notes && *start.Notes > TLineSettings::kMostStacks)
            return fail(QStringLiteral("--notes: a line of stacks holds 4 to %1").arg(TLineSettings::kMostStacks));
        start.Exercise = line ? TExerciseKind::Line : TExerciseKind::Chords;
    }
    start.Chromatic = parser.isSet(o.Chromatic);
    if (start.Chromatic && !start.Chords)
        return fail(QStringLiteral("--chromatic applies to --chords only"));
    // The line's own options ask for a line; with the levels they would be silently ignored.
    // The other clefs, a range, the accidentals and a random key shape lines only.
    if (start.Chords && (start.LowestNote || start.Accidentals || start.RandomKey ||
                         (start.Staff && ClefOfStaff(*start.Staff) >= kAltoClef)))
        return fail(QStringLiteral("--clef alto, tenor or treble8vb, --range, --accidentals and --key random apply "
                                   "to lines only, not to --chords"));
    // Single notes take the clef, key, range and accidentals of a line, but neither its tempo nor its length.
    if (start.SingleNotes && (start.Tempo || start.Notes))
        return fail(QStringLiteral("--tempo and --notes apply to a line, not to --exercise notes"));
    const bool lineOptions = !start.Chords && (start.Key || start.RandomKey || start.Staff || start.Tempo ||
                                               start.Notes || start.LowestNote || start.Accidentals);
    if (lineOptions && start.Exercise == TExerciseKind::Levels && !start.SingleNotes)
        return fail(QStringLiteral("--key, --staff, --clef, --range, --accidentals, --tempo and --notes apply to "
                                   "--exercise line (or notes) only"));
    if (lineOptions && !start.SingleNotes)
        start.Exercise = TExerciseKind::Line;
    return result;
}

QString CommandLineUsage()
{
    QCommandLineParser parser;
    TOptions().AddTo(parser);
    QString text = parser.helpText();
    // Read before the application exists, the parser cannot know the program's name.
    text.replace(QStringLiteral("<executable_name>"), kProgram);
    return text;
}

QString VersionText()
{
    return QStringLiteral("Lirasto Notes %1\n").arg(QStringLiteral(LIRASTO_VERSION));
}

std::optional<int> AnswerCommandLine(const TCommandLine& commandLine)
{
    switch (commandLine.Action) {
    case TCommandLine::TAction::Run:
        return std::nullopt;
    case TCommandLine::TAction::Help:
        std::fputs(CommandLineUsage().toLocal8Bit().constData(), stdout);
        return 0;
    case TCommandLine::TAction::Version:
        std::fputs(VersionText().toLocal8Bit().constData(), stdout);
        return 0;
    case TCommandLine::TAction::UsageError:
        break;
    }
    const QString text =
        kProgram + QStringLiteral(": ") + commandLine.Error + QStringLiteral("\n\n") + CommandLineUsage();
    std::fputs(text.toLocal8Bit().constData(), stderr);
    return 2;
}
