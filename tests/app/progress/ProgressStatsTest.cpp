#include "app/progress/ProgressStats.h"
#include "app/progress/HistoryCsv.h"
#include "app/progress/RunChart.h"
#include "history/HistoryReader.h"
#include "tests/support/HistoryCsvReading.h"
#include "tests/support/TempDir.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace std::chrono;

namespace {

TAnswerRecord answer(int clef, int note, bool right, int64_t ms, int key = 2, int64_t run = 0)
{
    TAnswerRecord a;
    a.Level = 5;
    a.Key = key;
    a.Clef = clef;
    a.Note = note;
    a.Right = right;
    a.AnswerMs = ms;
    a.RunId = run;
    return a;
}

system_clock::time_point at(const char* iso)
{
    return system_clock::time_point{milliseconds{QDateTime::fromString(iso, Qt::ISODate).toMSecsSinceEpoch()}};
}

} // namespace

// Mastery is the right share, halved at most for slowness between 1.5 s and 6 s.
TEST(NoteMastery, WeighsRightShareBySpeed)
{
    EXPECT_DOUBLE_EQ(NoteMastery(0, 0, 0), 0);
    EXPECT_DOUBLE_EQ(NoteMastery(4, 4, 1500), 1);
    EXPECT_DOUBLE_EQ(NoteMastery(4, 4, 9000), 0.5);
    EXPECT_DOUBLE_EQ(NoteMastery(4, 2, 3750), 0.375);
    EXPECT_DOUBLE_EQ(NoteMastery(4, 0, 100), 0);
}

// The better a note is known, the greener it is drawn: red at 0, yellow at one half, green at 1, the hue rising
// all the way; a mastery out of range takes the colour of its end.
TEST(MasteryColour, TurnsFromRedThroughYellowToGreen)
{
    EXPECT_EQ(MasteryColour(0), QColor(200, 30, 30));
    EXPECT_EQ(MasteryColour(0.5), QColor(225, 175, 0));
    EXPECT_EQ(MasteryColour(1), QColor(30, 150, 40));
    EXPECT_EQ(MasteryColour(-1), MasteryColour(0));
    EXPECT_EQ(MasteryColour(7), MasteryColour(1));
    for (int step = 1; step <= 100; ++step)
        EXPECT_GE(MasteryColour(step / 100.0).hueF(), MasteryColour((step - 1) / 100.0).hueF()) << step;
    EXPECT_NE(MasteryColour(0.5), kUnseenNoteColour);
}

// Statistics count a key's answers per staff and note; the weakest list names them.
TEST(NoteStatistics, CountsPerNoteAndListsTheWeakest)
{
    std::vector<TAnswerRecord> answers;
    const int64_t times[] = {1000, 2000, 3000, 3100, 3200, 3300, 4000, 5000, 9000};
    for (int i = 0; i < 9; ++i)
        answers.push_back(answer(1, 66, i < 4, times[i]));
    for (int note = 36; note < 46; ++note)
        answers.push_back(answer(2, note, true, 1000 + 100 * (note - 36)));
    answers.push_back(answer(2, 65, false, 2000));
    answers.push_back(answer(1, 66, false, 100, 7)); // another key
    answers.push_back(answer(6, 66, false, 100));    // no such clef
    answers.push_back(answer(1, 40, false, 100));    // below the treble staff
    const std::vector<TNoteStats> stats = NoteStatistics(answers, 2);
    ASSERT_EQ(stats.size(), 36u + 32u);
    EXPECT_EQ(stats[66 - 53].Answers, 9);
    EXPECT_EQ(stats[66 - 53].Right, 4);
    EXPECT_EQ(stats[66 - 53].MedianMs, 3200);

    const std::vector<TNoteStats> weakest = WeakestNotes(stats);
    ASSERT_EQ(weakest.size(), 8u);
    EXPECT_EQ(WeakNoteLine(weakest[0], 2), "F4 (bass) \u2014 0 of 1 right, median 2.0 s");
    EXPECT_EQ(WeakNoteLine(weakest[1], 2), "F\u266F4 (treble) \u2014 4 of 9 right, median 3.2 s");
    EXPECT_EQ(WeakNoteLine(weakest[2], 2), "A2 \u2014 1 of 1 right, median 1.9 s"); // the slowest of the right ones
    EXPECT_EQ(NoteTip(stats[88 - 53], 2), "E6: not asked yet");
    EXPECT_EQ(NoteTip(stats[66 - 53], 2), "F\u266F4 (treble): 9 answers, 44 % right, median 3.2 s");
}

// A stack counts for each of its notes: right where the answer held that note's pitch class.
TEST(NoteStatistics, CountsEachNoteOfAStack)
{
    TAnswerRecord chord = answer(1, 60, false, 1500);
    chord.Exercise = TExerciseKind::Chords;
    chord.NotesAsked = {60, 64, 67};
    chord.PitchClassesGiven = PitchClassBit(0) | PitchClassBit(4) | PitchClassBit(8);
    const std::vector<TNoteStats> stats = NoteStatistics({chord, answer(1, 67, true, 500)}, 2);
    EXPECT_EQ(std::pair(stats[60 - 53].Answers, stats[60 - 53].Right), std::pair(1, 1));
    EXPECT_EQ(std::pair(stats[64 - 53].Answers, stats[64 - 53].Right), std::pair(1, 1));
    EXPECT_EQ(std::pair(stats[67 - 53].Answers, stats[67 - 53].Right), std::pair(2, 1));
    EXPECT_EQ(stats[67 - 53].MedianMs, 1000);
}

// The page shows one practice's answers, or the level key's outside any practice: a minor key or another spelling
// of the major key is not the level's. Notes of the alto, tenor and octave treble clefs follow the staves' notes,
// named by their clef; a chord is listed by its name.
struct TScopeCase
{
    int Key;
    const char* Practice;
    std::vector<std::string> Counted; // "clef:note right/answers" of every note answered, in the stats' order
    QStringList Weakest;
};

class Scope : public testing::TestWithParam<TScopeCase>
{};

TEST_P(Scope, CountsTheAnswersOfThePracticeOrTheLevelsKey)
{
    const auto in = [](TAnswerRecord a, int musicKey, const char* practice) {
        a.MusicKey = musicKey;
        a.Practice = QString::fromLatin1(practice);
        return a;
    };
    TAnswerRecord chord = in(answer(1, 62, false, 2000, 0), 7, "Viola");
    chord.NotesAsked = {65, 69, 74};
    chord.Chord = {22, 1, 1, 0};
    const std::vector<TAnswerRecord> answers = {
        in(answer(1, 62, true, 1000), -1, ""),        // D major before the thirty keys were kept
        in(answer(1, 62, false, 3000), 9, ""),        // D major
        in(answer(1, 64, true, 1000), 24, ""),        // B minor: the same signature
        in(answer(1, 66, true, 1000, 6), 13, ""),     // F sharp major, filed under G flat's index
        in(answer(3, 60, true, 1200, 0), 7, "Viola"), // alto C4
        in(answer(3, 60, false, 4000, 0), 7, "Viola"), chord, in(answer(4, 50, true, 900, 0), 7, "Cello"), // tenor D3
        in(answer(5, 52, false, 900, 0), 7, "Guitar"), // octave treble E3
    };
    const TProgressScope scope(GetParam().Key, QString::fromLatin1(GetParam().Practice));
    const std::vector<TNoteStats> stats = NoteStatistics(answers, scope);
    std::vector<std::string> counted;
    for (const TNoteStats& s : stats)
        if (s.Answers > 0)
            counted.push_back(std::to_string(s.Clef) + ":" + std::to_string(s.Note) + " " + std::to_string(s.Right) +
                              "/" + std::to_string(s.Answers));
    EXPECT_EQ(counted, GetParam().Counted);
    EXPECT_EQ(WeakestLines(stats, ChordStatistics(answers, scope), 8, GetParam().Key), GetParam().Weakest);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Scope,
    testing::Values(TScopeCase{2, "", {"1:62 1/2"}, {"D4 (treble) \u2014 1 of 2 right, median 2.0 s"}},
                    TScopeCase{6, "", {}, {}},
                    TScopeCase{0,
                               "Viola",
                               {"1:65 0/1", "1:69 0/1", "1:74 0/1", "3:60 1/2"},
                               {"F4 (treble) \u2014 0 of 1 right, median 2.0 s", "A4 \u2014 0 of 1 right, median 2.0 s",
                                "D5 \u2014 0 of 1 right, median 2.0 s",
                                "D minor, first inversion \u2014 0 of 1 right, median 2.0 s",
                                "C4 (alto) \u2014 1 of 2 right, median 2.6 s"}},
                    TScopeCase{0, "Cello", {"4:50 1/1"}, {"D3 (tenor) \u2014 1 of 1 right, median 0.9 s"}},
                    TScopeCase{0, "Guitar", {"5:52 0/1"}, {"E3 (octave treble) \u2014 0 of 1 right, median 0.9 s"}}));

// Lines count the notes read a minute over each run's span, and in time the share of notes on their beat;
// their notes colour the staff like any other answer.
TEST(LineFigures, CountNotesAMinuteAndTheShareOnTime)
{
    const auto t = at("2026-03-02T10:00:00");
    const auto note = [&](int64_t run, int64_t atMs, int n, bool right, int64_t ms, std::optional<int64_t> error) {
        TAnswerRecord a = answer(1, n, right, ms, 2, run);
        a.Exercise = TExerciseKind::Line;
        a.At = t + milliseconds(atMs);
        a.TimingErrorMs = error;
        return a;
    };
    std::vector<TAnswerRecord> answers = {
        // At one's own pace, 0 to 6 s: three notes read, the wrong key a second try at the second.
        note(1, 2000, 60, true, 2000, {}), note(1, 3000, 62, false, 1000, {}), note(1, 5000, 62, true, 3000, {}),
        note(1, 6000, 64, true, 1000, {}),
        // In time from 60 s to 63.01 s: on time, late, missed, on time.
        note(2, 60960, 60, true, 960, -40), note(2, 62300, 62, false, 1300, 300), note(2, 62250, 64, false, 250, {}),
        note(2, 63010, 65, true, 10, 10)};
    const std::vector<TAnswerRecord> ownPace(answers.begin(), answers.begin() + 4);
    answers.push_back(note(3, 90000, 60, true, 100, 5));
    answers.back().Key = 7;                            // another key
    answers.push_back(answer(1, 60, true, 100, 2, 4)); // a level's question
    answers.back().At = t + seconds(200);

    EXPECT_EQ(LineFiguresLine(LineFigures(answers, 2)), "Lines: 46.6 notes a minute, 2 of 4 on time (50 %)");
    EXPECT_EQ(LineFiguresLine(LineFigures(ownPace, 2)), "Lines: 30.0 notes a minute");
    EXPECT_EQ(LineFiguresLine(LineFigures(answers, 5)), "");
    const TNoteStats c4 = NoteStatistics(answers, 2)[60 - 53];
    EXPECT_EQ(std::pair(c4.Answers, c4.Right), std::pair(3, 3));
}

// Each run is a point: its score and the median of its own answers.
TEST(RunChart, PlacesOnePointPerRunOnBothAxes)
{
    std::vector<TRunRecord> runs(3);
    for (int i = 0; i < 3; ++i)
        runs[i] = {i + 1, {}, {}, 5, 150 * i + 150, i == 2};
    std::vector<TAnswerRecord> answers{answer(1, 60, true, 1000, 2, 1), answer(1, 60, true, 3000, 2, 1),
                                       answer(1, 60, true, 7200, 2, 3)};
    const TRunChart chart(RunPoints(runs, answers), QRect(0, 0, 200, 134));
    ASSERT_EQ(chart.Points().size(), 3u);
    EXPECT_EQ(chart.Points()[0].MedianMs, 2000);
    EXPECT_EQ(chart.Points()[1].MedianMs, -1);
    EXPECT_EQ(chart.ScoreTop(), 500);
    EXPECT_EQ(chart.SecondsTop(), 8);
    // Runs in order from left to right inside the plot; 150 below the pass line, 450 above it.
    const QRectF plot(chart.Plot());
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(plot.contains(chart.ScorePoint(i)) && plot.contains(chart.TimePoint(i == 1 ? 0 : i))) << i;
    EXPECT_LT(chart.ScorePoint(0).x(), chart.ScorePoint(1).x());
    EXPECT_LT(chart.ScorePoint(1).x(), chart.ScorePoint(2).x());
    EXPECT_GT(chart.ScorePoint(0).y(), chart.ScoreY(TRunChart::kPassScore));
    EXPECT_LT(chart.ScorePoint(2).y(), chart.ScoreY(TRunChart::kPassScore));
    EXPECT_LT(chart.TimePoint(2).y(), chart.TimePoint(0).y()); // 7.2 s above 2 s
}

// Practice time counts the part of each run since local midnight and since Monday.
TEST(PracticeTotals, ClipsRunsToTodayAndThisWeek)
{
    const std::vector<TRunRecord> runs{{1, at("2026-12-09T10:00:00"), at("2026-12-09T10:02:30"), 1, 300, true},
                                       {2, at("2026-12-07T09:00:00"), at("2026-12-07T09:10:00"), 2, 100, false},
                                       {3, at("2026-12-06T09:00:00"), at("2026-12-06T09:10:00"), 2, 100, false},
                                       {4, at("2026-12-08T23:59:00"), at("2026-12-09T00:01:00"), 3, 300, true},
                                       {5, at("2026-12-09T11:00:00"), at("2026-12-09T10:00:00"), 3, 0, false}};
    const TPracticeTotals totals = PracticeTotals(runs, QDateTime::fromString("2026-12-09T12:00:00", Qt::ISODate));
    EXPECT_EQ(totals.Today, seconds(210));
    EXPECT_EQ(totals.ThisWeek, seconds(870));
    EXPECT_EQ(totals.Runs, 5);
    EXPECT_EQ(totals.Passed, 2);
    EXPECT_EQ(FormatPracticeTime(seconds(3599)), "59 min");
    EXPECT_EQ(FormatPracticeTime(seconds(3900)), "1 h 05 min");
}

namespace lirasto::test {
namespace {

// Hands its answers over as the store does; may fail or throw after `failAfter` of them.
class ListedHistory : public THistoryReader
{
public:
    std::vector<TAnswerRecord> answers_;
    std::size_t failAfter_ = SIZE_MAX;
    bool throws_ = false;

    std::vector<TAnswerRecord> Answers(int) const override { return answers_; }
    std::vector<TRunRecord> Runs(int) const override { return {}; }
    QString Problem() const override { return {}; }
    QString ReadEveryAnswer(TAnswerSink& sink) const override
    {
        sink.Expect(int64_t(answers_.size()));
        for (std::size_t i = 0; i < answers_.size(); ++i) {
            if (i == failAfter_) {
                if (throws_)
                    throw std::runtime_error("the disk went away");
                return "the file is damaged";
            }
            if (!sink.Take(answers_[i]))
                break;
        }
        return {};
    }
};

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every field comes back as it was written, lists and names included; a damaged record's unknown values are
// written as numbers.
TEST(HistoryCsv, WritesEveryFieldSoThatItReadsBack)
{
    TAnswerRecord a = answer(2, 46, false, 3210, 10, 7);
    a.Id = 42;
    a.At = at("2026-12-09T10:00:00.125Z");
    a.KeysGiven = {45, 57};
    a.PitchClassesGiven = 1u << 9;
    a.Source = TInputSource::Midi;
    TAnswerRecord b = answer(1, 66, true, 900);
    b.Id = 43;
    b.At = at("1969-12-31T23:59:59.999Z");
    b.Source = TInputSource::ComputerKeyboard;
    b.Clef = 3;
    b.MusicKey = 15; // A flat minor
    b.NotesAsked = {62, 65, 71};
    b.Chord = {22, 1, 1, 0};
    b.Practice = QStringLiteral("Viola, \"alto\"");
    const TAnswerRecord damaged = answer(7, 200, true, 5, 40);
    ListedHistory history;
    history.answers_ = {a, b};
    TempDir dir;
    const QString path = QString::fromStdString((dir.Path() / "h.csv").string());
    std::atomic<bool> cancel{false};
    EXPECT_EQ(WriteHistoryCsv(history, path, cancel).Written, 2);
    const QByteArray csv = fileBytes(path);
    EXPECT_TRUE(csv.startsWith("id,run_id,time,level,key,clef,note,note_name,keys_given,pitch_classes_given,right,"
                               "answer_ms,input,notes_asked,music_key,chord,practice\r\n"));
    EXPECT_TRUE(csv.contains("alto,66,") && csv.contains(",\"62,65,71\",Ab minor,\"D minor, first inversion\","
                                                         "\"Viola, \"\"alto\"\"\"\r\n"));
    EXPECT_TRUE(csv.contains("42,7,2026-12-09T10:00:00.125Z,5,Bb,bass,46,B\u266D2,\"45,57\",9,0,3210,midi,,,,\r\n"));
    const std::vector<TAnswerRecord> back = ReadHistoryCsv(csv);
    ASSERT_EQ(back.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const TAnswerRecord& w = i == 0 ? a : b;
        const TAnswerRecord& r = back[i];
        EXPECT_EQ(std::tie(r.Id, r.RunId, r.At, r.Level, r.Key, r.Clef, r.Note, r.KeysGiven, r.PitchClassesGiven,
                           r.Right, r.AnswerMs, r.Source, r.NotesAsked, r.MusicKey, r.Chord, r.Practice),
                  std::tie(w.Id, w.RunId, w.At, w.Level, w.Key, w.Clef, w.Note, w.KeysGiven, w.PitchClassesGiven,
                           w.Right, w.AnswerMs, w.Source, w.NotesAsked, w.MusicKey, w.Chord, w.Practice));
    }
    QByteArray row;
    AppendHistoryCsvRow(row, damaged);
    EXPECT_EQ(row, "0,0,1970-01-01T00:00:00.000Z,5,40,7,200,,,,1,5,mouse,,,,\r\n");
}

// A practice's name is the player's own text: whatever it holds, it stays one field, a spreadsheet never takes it
// for a formula, and it reads back as it was.
class CsvText : public testing::TestWithParam<std::pair<const char*, const char*>>
{};

TEST_P(CsvText, StaysOneFieldAndNeverAFormula)
{
    TAnswerRecord a = answer(1, 60, true, 800);
    a.Practice = QString::fromUtf8(GetParam().first);
    QByteArray row;
    AppendHistoryCsvRow(row, a);
    EXPECT_TRUE(row.endsWith("mouse,,,," + QByteArray(GetParam().second) + "\r\n")) << row.toStdString();
    const std::vector<TAnswerRecord> back =
        lirasto::test::ReadHistoryCsv(HistoryCsvHeader().join(',').toUtf8() + "\r\n" + row);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].Practice, a.Practice);
}

INSTANTIATE_TEST_SUITE_P(Names, CsvText,
                         testing::Values(std::pair{"Viola", "Viola"}, std::pair{"", ""}, std::pair{"a,b", "\"a,b\""},
                                         std::pair{"say \"hi\"", "\"say \"\"hi\"\"\""},
                                         std::pair{"two\nlines", "\"two\nlines\""}, std::pair{"=1+2", "'=1+2"},
                                         std::pair{"+1", "'+1"}, std::pair{"-1", "'-1"},
                                         std::pair{"@SUM(A1)", "'@SUM(A1)"},
                                         std::pair{"=HYPERLINK(\"x\",1)", "\"'=HYPERLINK(\"\"x\"\",1)\""},
                                         std::pair{"'quoted", "''quoted"}, std::pair{"\tTab", "'\tTab"},
                                         std::pair{"a=b", "a=b"}));

// However an export ends short of its file, it says why, leaves no file and no temporary one behind, and a file
// it was to replace stays as it was.
struct FailedExport
{
    const char* name;
    const char* said; // how the message begins; empty for a cancel, which says nothing
    std::size_t failAfter = SIZE_MAX;
    bool throws = false;
    bool cancels = false;
    bool noFolder = false;
    rlim_t fileLimit = RLIM_INFINITY; // a disk that fills up
};

class ExportFailure : public testing::TestWithParam<FailedExport>
{};

TEST_P(ExportFailure, SaysWhyAndLeavesNoFile)
{
    const FailedExport& c = GetParam();
    ListedHistory history;
    for (int i = 0; i < 20000; ++i)
        history.answers_.push_back(answer(1, 53 + i % 36, i % 3 != 0, 900 + i));
    history.failAfter_ = c.failAfter;
    history.throws_ = c.throws;
    TempDir dir;
    const QString path = QString::fromStdString((dir.Path() / (c.noFolder ? "no/such/h.csv" : "h.csv")).string());
    if (!c.noFolder) {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the last export\r\n");
    }
    std::atomic<bool> cancel{false};
    rlimit limit{}, before{};
    getrlimit(RLIMIT_FSIZE, &before);
    limit = before;
    limit.rlim_cur = std::min(c.fileLimit, before.rlim_max);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    const THistoryCsvResult result = WriteHistoryCsv(history, path, cancel, [&](int64_t written, int64_t) {
        if (c.cancels && written > 0)
            cancel = true;
    });
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldSignal);

    if (*c.said)
        EXPECT_TRUE(result.Error.startsWith(QString::fromLatin1(c.said))) << result.Error.toStdString();
    else
        EXPECT_EQ(result.Error, "");
    EXPECT_EQ(result.Cancelled, c.cancels);
    if (c.noFolder)
        EXPECT_FALSE(QFile::exists(path));
    else
        EXPECT_EQ(fileBytes(path), "the last export\r\n");
    EXPECT_EQ(QDir(QString::fromStdString(dir.Path().string())).entryList(QDir::Files | QDir::Hidden),
              c.noFolder ? QStringList() : QStringList{"h.csv"});
}

INSTANTIATE_TEST_SUITE_P(
    HistoryCsv, ExportFailure,
    testing::Values(FailedExport{"NoFolder", "Cannot write", SIZE_MAX, false, false, true},
                    FailedExport{"ReadFailsAtTheStart", "The history cannot be read: the file is damaged", 0},
                    FailedExport{"ReadFailsHalfWay", "The history cannot be read: the file is damaged", 12000},
                    FailedExport{"ReadThrows", "The history cannot be read: the disk went away", 12000, true},
                    FailedExport{"Cancelled", "", SIZE_MAX, false, true},
                    FailedExport{"DiskFull", "Cannot write", SIZE_MAX, false, false, false, 64 * 1024}),
    [](const testing::TestParamInfo<FailedExport>& info) { return info.param.name; });

} // namespace
} // namespace lirasto::test
