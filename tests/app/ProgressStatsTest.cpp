#include "app/ProgressStats.h"
#include "app/HistoryCsv.h"
#include "app/RunChart.h"
#include "core/Errors.h"
#include "tests/support/TempDir.h"

#include <QFile>
#include <gtest/gtest.h>

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
    // Out of range a mastery takes the colour of its end.
    EXPECT_EQ(MasteryColour(-1), MasteryColour(0));
    EXPECT_EQ(MasteryColour(7), MasteryColour(1));
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
    answers.push_back(answer(3, 66, false, 100));    // no such clef
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
    EXPECT_GT(chart.ScorePoint(0).y(), chart.ScoreY(TRunChart::PassScore));
    EXPECT_LT(chart.ScorePoint(2).y(), chart.ScoreY(TRunChart::PassScore));
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

// Fields with commas, quotes or line breaks are quoted, and read back as written.
TEST(HistoryCsv, QuotesFieldsThatNeedIt)
{
    const std::pair<QString, QString> cases[] = {{"plain", "plain"},
                                                 {"", ""},
                                                 {"a,b", "\"a,b\""},
                                                 {"say \"hi\"", "\"say \"\"hi\"\"\""},
                                                 {"two\nlines", "\"two\nlines\""}};
    QByteArray line;
    for (const auto& [text, written] : cases) {
        EXPECT_EQ(CsvField(text), written);
        line += (line.isEmpty() ? "" : ",") + written.toUtf8();
    }
    const std::vector<QStringList> rows = ParseCsv(line + "\r\n");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], QStringList({"plain", "", "a,b", "say \"hi\"", "two\nlines"}));
}

TEST(HistoryCsv, RoundTripsEveryField)
{
    TAnswerRecord a = answer(2, 46, false, 3210, 10, 7);
    a.Id = 42;
    a.At = at("2026-12-09T10:00:00.125Z");
    a.KeysGiven = {45, 57};
    a.PitchClassesGiven = 1u << 9;
    a.Source = TInputSource::Midi;
    TAnswerRecord b = answer(1, 66, true, 900);
    b.Id = 43;
    const QByteArray csv = HistoryCsv({a, b});
    EXPECT_TRUE(csv.startsWith("id,run_id,time,level,key,clef,note,note_name,keys_given,pitch_classes_given,right,"
                               "answer_ms,input\r\n"));
    EXPECT_TRUE(csv.contains("42,7,2026-12-09T10:00:00.125Z,5,Bb,bass,46,B\u266D2,\"45,57\",9,0,3210,midi\r\n"));
    const std::vector<TAnswerRecord> back = ReadHistoryCsv(csv);
    ASSERT_EQ(back.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const TAnswerRecord& w = i == 0 ? a : b;
        const TAnswerRecord& r = back[i];
        EXPECT_EQ(std::tie(r.Id, r.RunId, r.At, r.Level, r.Key, r.Clef, r.Note, r.KeysGiven, r.PitchClassesGiven,
                           r.Right, r.AnswerMs, r.Source),
                  std::tie(w.Id, w.RunId, w.At, w.Level, w.Key, w.Clef, w.Note, w.KeysGiven, w.PitchClassesGiven,
                           w.Right, w.AnswerMs, w.Source));
    }
}

TEST(HistoryCsv, RefusesWhatItDidNotWriteAndSaysWhere)
{
    const QByteArray header = HistoryCsv({});
    const std::pair<QByteArray, const char*> bad[] = {
        {"id,run\r\n", "header"},
        {header + "1,0,2026-12-09T10:00:00Z,5,D,treble,66,,,,1,900\r\n", "row 2: 12 fields"},
        {header + "1,0,2026-12-09T10:00:00Z,5,D,treble,200,,,,1,900,mouse\r\n", "row 2, field note"},
        {header + "1,0,2026-12-09T10:00:00Z,5,D,treble,66,,,,1,900,pen\r\n", "row 2, field input"},
        {header + "1,0,\"2026-12-09,5,D\r\n", "not closed"}};
    for (const auto& [csv, why] : bad) {
        try {
            ReadHistoryCsv(csv);
            ADD_FAILURE() << "accepted: " << why;
        } catch (const lirasto::EReadError& e) {
            EXPECT_NE(std::string(e.what()).find(why), std::string::npos) << e.what();
        }
    }
}

TEST(HistoryCsv, ExportSaysWhyItFailedAndLeavesNoFile)
{
    lirasto::test::TempDir dir;
    const QString missing = QString::fromStdString((dir.path() / "no" / "such" / "h.csv").string());
    EXPECT_FALSE(ExportHistoryCsv(missing, {answer(1, 60, true, 1)}).isEmpty());
    const QString good = QString::fromStdString((dir.path() / "h.csv").string());
    EXPECT_EQ(ExportHistoryCsv(good, {answer(1, 60, true, 1)}), "");
    EXPECT_TRUE(QFile::exists(good));
}
