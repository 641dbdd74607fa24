#include "app/progress/ProgressStats.h"

#include "app/language/Language.h"

#include <QCoreApplication>

#include "game/Chords.h"
#include "game/MusicKeys.h"
#include "game/NoteFigures.h"
#include "game/uVariables.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <map>
#include <unordered_map>

using namespace std::chrono;

namespace {

constexpr int kTrebleNotes = kTrebleHighestNote - kTrebleLowestNote + 1;
constexpr int kBassNotes = kBassHighestNote - kBassLowestNote + 1;

// The place of a note in the statistics, or -1 when it is off its staff.
int slotOf(int clef, int note)
{
    if (clef == 1 && note >= kTrebleLowestNote && note <= kTrebleHighestNote)
        return note - kTrebleLowestNote;
    if (clef == 2 && note >= kBassLowestNote && note <= kBassHighestNote)
        return kTrebleNotes + note - kBassLowestNote;
    return -1;
}

QColor mix(const QColor& a, const QColor& b, double t)
{
    const auto channel = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5); };
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()), channel(a.blue(), b.blue()));
}

QString noteLabel(const TNoteStats& stats, const TStaffKey& key)
{
    const QString name = QString::fromStdString(key.NoteName(stats.Note, CurrentNoteNaming()));
    // A clef of a line's own is always named: its notes are read on no staff of the page.
    switch (stats.Clef) {
    case 3:
        return QCoreApplication::translate("ProgressStats", "%1 (alto)").arg(name);
    case 4:
        return QCoreApplication::translate("ProgressStats", "%1 (tenor)").arg(name);
    case 5:
        return QCoreApplication::translate("ProgressStats", "%1 (octave treble)").arg(name);
    default:
        break;
    }
    // Only where both staves reach does the name alone not say which was read.
    if (stats.Note >= kTrebleLowestNote && stats.Note <= kBassHighestNote)
        return stats.Clef == 1 ? QCoreApplication::translate("ProgressStats", "%1 (treble)").arg(name)
                               : QCoreApplication::translate("ProgressStats", "%1 (bass)").arg(name);
    return name;
}

seconds overlap(const TRunRecord& run, system_clock::time_point from, system_clock::time_point to)
{
    const auto start = std::max(run.Started, from);
    const auto end = std::min(run.Ended, to);
    return end > start ? duration_cast<seconds>(end - start) : seconds{0};
}

system_clock::time_point timePoint(const QDateTime& at)
{
    return system_clock::time_point{milliseconds{at.toMSecsSinceEpoch()}};
}

} // namespace

double NoteMastery(int answers, int right, int64_t medianMs)
{
    if (answers <= 0)
        return 0;
    const double share = std::clamp(static_cast<double>(right) / answers, 0.0, 1.0);
    const double slowness =
        std::clamp(static_cast<double>(medianMs - kFastAnswerMs) / (kSlowAnswerMs - kFastAnswerMs), 0.0, 1.0);
    return share * (1.0 - 0.5 * slowness);
}

QColor MasteryColour(double mastery)
{
    static const QColor red(200, 30, 30), yellow(225, 175, 0), green(30, 150, 40);
    const double m = std::clamp(mastery, 0.0, 1.0);
    return m <= 0.5 ? mix(red, yellow, m * 2) : mix(yellow, green, (m - 0.5) * 2);
}

bool TProgressScope::Holds(const TAnswerRecord& a) const
{
    if (!Practice.isEmpty() || !a.Practice.isEmpty())
        return a.Practice == Practice;
    // An answer kept before the thirty keys were has only its key index.
    return a.MusicKey >= 0 ? Key >= 0 && Key < 12 && a.MusicKey == MusicKeyOfLevelKey(Key) : a.Key == Key;
}

std::vector<TNoteStats> NoteStatistics(const std::vector<TAnswerRecord>& answers, const TProgressScope& scope)
{
    std::vector<TNoteStats> stats(kTrebleNotes + kBassNotes);
    std::vector<std::vector<int64_t>> times(stats.size());
    for (auto& t : times)
        t.reserve(answers.size() / times.size() + 16);
    for (int i = 0; i < kTrebleNotes; ++i)
        stats[i] = {1, kTrebleLowestNote + i};
    for (int i = 0; i < kBassNotes; ++i)
        stats[kTrebleNotes + i] = {2, kBassLowestNote + i};
    // The other clefs' notes, by clef and note, take places after the staves' as they come.
    std::map<std::pair<int, int>, std::size_t> others;
    const auto slotOfOther = [&](int clef, int note) {
        const auto [at, added] = others.try_emplace({clef, note}, stats.size());
        if (added) {
            stats.push_back({clef, note});
            times.emplace_back();
        }
        return at->second;
    };
    for (const TAnswerRecord& a : answers) {
        if (!scope.Holds(a))
            continue;
        // A stack counts for each of its notes, right where the answer held its key.
        const std::vector<int> single{a.Note};
        for (int note : a.NotesAsked.empty() ? single : a.NotesAsked) {
            const int staffSlot = slotOf(a.Clef, note);
            if (staffSlot < 0 && (a.Clef < 3 || a.Clef > 5))
                continue;
            const std::size_t slot = staffSlot >= 0 ? std::size_t(staffSlot) : slotOfOther(a.Clef, note);
            ++stats[slot].Answers;
            const bool given =
                a.NotesAsked.empty() ? a.Right : a.Right || HasPitchClass(a.PitchClassesGiven, PitchClass(note));
            stats[slot].Right += given ? 1 : 0;
            times[slot].push_back(std::max<int64_t>(a.AnswerMs, 0));
        }
    }
    // The other clefs' notes in order of clef and note, so that equal masteries list low notes first.
    std::vector<TNoteStats> sorted(stats.begin(), stats.begin() + kTrebleNotes + kBassNotes);
    std::vector<std::vector<int64_t>> sortedTimes(times.begin(), times.begin() + kTrebleNotes + kBassNotes);
    for (const auto& [clefNote, slot] : others) {
        sorted.push_back(stats[slot]);
        sortedTimes.push_back(std::move(times[slot]));
    }
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        sorted[i].MedianMs = MedianOf(sortedTimes[i]);
        sorted[i].Mastery = NoteMastery(sorted[i].Answers, sorted[i].Right, sorted[i].MedianMs);
    }
    return sorted;
}

std::vector<TChordStats> ChordStatistics(const std::vector<TAnswerRecord>& answers, const TProgressScope& scope)
{
    std::vector<TChordStats> stats;
    std::vector<std::vector<int64_t>> times;
    for (const TAnswerRecord& a : answers) {
        if (a.Chord.Type == 0 || !scope.Holds(a))
            continue;
        auto found =
            std::find_if(stats.begin(), stats.end(), [&a](const TChordStats& s) { return s.Chord == a.Chord; });
        if (found == stats.end()) {
            stats.push_back({a.Chord});
            times.emplace_back();
            found = stats.end() - 1;
        }
        ++found->Answers;
        found->Right += a.Right ? 1 : 0;
        times[std::size_t(found - stats.begin())].push_back(std::max<int64_t>(a.AnswerMs, 0));
    }
    for (std::size_t i = 0; i < stats.size(); ++i) {
        stats[i].MedianMs = MedianOf(times[i]);
        stats[i].Mastery = NoteMastery(stats[i].Answers, stats[i].Right, stats[i].MedianMs);
    }
    return stats;
}

QStringList WeakestLines(const std::vector<TNoteStats>& notes, const std::vector<TChordStats>& chords,
                         std::size_t count, const TStaffKey& key)
{
    struct TEntry
    {
        double Mastery;
        int Misses;
        QString Line;
    };
    std::vector<TEntry> entries;
    for (const TNoteStats& s : WeakestNotes(notes, count))
        entries.push_back({s.Mastery, s.Answers - s.Right, WeakNoteLine(s, key)});
    for (const TChordStats& s : chords)
        entries.push_back({s.Mastery, s.Answers - s.Right, WeakChordLine(s)});
    std::stable_sort(entries.begin(), entries.end(), [](const TEntry& a, const TEntry& b) {
        return a.Mastery != b.Mastery ? a.Mastery < b.Mastery : a.Misses > b.Misses;
    });
    QStringList lines;
    for (std::size_t i = 0; i < std::min(count, entries.size()); ++i)
        lines << entries[i].Line;
    return lines;
}

std::vector<TNoteStats> WeakestNotes(const std::vector<TNoteStats>& stats, std::size_t count)
{
    std::vector<TNoteStats> seen;
    std::copy_if(stats.begin(), stats.end(), std::back_inserter(seen),
                 [](const TNoteStats& s) { return s.Answers > 0; });
    std::stable_sort(seen.begin(), seen.end(), [](const TNoteStats& a, const TNoteStats& b) {
        if (a.Mastery != b.Mastery)
            return a.Mastery < b.Mastery;
        return a.Answers - a.Right > b.Answers - b.Right;
    });
    if (seen.size() > count)
        seen.resize(count);
    return seen;
}

QString WeakNoteLine(const TNoteStats& stats, const TStaffKey& key)
{
    return QCoreApplication::translate("ProgressStats", "%1 — %2 of %3 right, median %4")
        .arg(noteLabel(stats, key))
        .arg(stats.Right)
        .arg(stats.Answers)
        .arg(QString::fromStdString(FormatSeconds(stats.MedianMs)));
}

QString WeakChordLine(const TChordStats& stats)
{
    return QCoreApplication::translate("ProgressStats", "%1 — %2 of %3 right, median %4")
        .arg(ChordNameShown(ChordOfLabel(stats.Chord)))
        .arg(stats.Right)
        .arg(stats.Answers)
        .arg(QString::fromStdString(FormatSeconds(stats.MedianMs)));
}

QString NoteTip(const TNoteStats& stats, const TStaffKey& key)
{
    const QString name = noteLabel(stats, key);
    if (stats.Answers == 0)
        return QCoreApplication::translate("ProgressStats", "%1: not asked yet").arg(name);
    return QCoreApplication::translate("ProgressStats", "%1: %2 answers, %3 right, median %4")
        .arg(name)
        .arg(stats.Answers)
        .arg(QString::fromStdString(FormatShare(stats.Right, stats.Answers)))
        .arg(QString::fromStdString(FormatSeconds(stats.MedianMs)));
}

TLineFigures LineFigures(const std::vector<TAnswerRecord>& answers, const TProgressScope& scope)
{
    struct TRun
    {
        int64_t First = 0, Last = 0;
        int Right = 0, Judged = 0, OnTime = 0;
        bool InTime = false; // no timing error anywhere means the run was at one's own pace
    };
    std::unordered_map<int64_t, TRun> runs;
    for (const TAnswerRecord& a : answers) {
        if (a.Exercise != TExerciseKind::Line || !scope.Holds(a))
            continue;
        const int64_t at = duration_cast<milliseconds>(a.At.time_since_epoch()).count();
        const int64_t shown = at - std::max<int64_t>(0, a.AnswerMs);
        const auto run = runs.try_emplace(a.RunId, TRun{shown, at}).first;
        run->second.First = std::min(run->second.First, shown);
        run->second.Last = std::max(run->second.Last, at);
        run->second.Right += a.Right ? 1 : 0;
        run->second.Judged += 1;
        run->second.InTime = run->second.InTime || a.TimingErrorMs.has_value();
    }
    TLineFigures figures;
    for (const auto& [id, run] : runs) {
        figures.Time += milliseconds(run.Last - run.First);
        figures.Notes += run.InTime ? run.Judged : run.Right;
        if (run.InTime)
            figures.InTime += run.Judged, figures.OnTime += run.Right;
    }
    return figures;
}

QString LineFiguresLine(const TLineFigures& figures)
{
    if (figures.Notes == 0 && figures.InTime == 0)
        return {};
    const double minutes = double(figures.Time.count()) / 60000.0;
    QString line = QCoreApplication::translate("ProgressStats", "Lines: %1 notes a minute")
                       .arg(minutes > 0 ? QString::number(figures.Notes / minutes, 'f', 1) : QStringLiteral("\u2014"));
    if (figures.InTime > 0)
        line += QCoreApplication::translate("ProgressStats", ", %1 of %2 on time (%3)")
                    .arg(figures.OnTime)
                    .arg(figures.InTime)
                    .arg(QString::fromStdString(FormatShare(figures.OnTime, figures.InTime)));
    return line;
}

std::vector<TRunPoint> RunPoints(const std::vector<TRunRecord>& runs, const std::vector<TAnswerRecord>& answers)
{
    std::unordered_map<int64_t, std::vector<int64_t>> times;
    for (const TAnswerRecord& a : answers)
        if (a.RunId != 0)
            times[a.RunId].push_back(std::max<int64_t>(a.AnswerMs, 0));
    std::vector<TRunPoint> points;
    points.reserve(runs.size());
    for (const TRunRecord& run : runs) {
        TRunPoint p{run.Ended, run.Score, run.Passed};
        if (auto found = times.find(run.Id); found != times.end()) {
            p.Answers = static_cast<int>(found->second.size());
            p.MedianMs = MedianOf(found->second);
        }
        points.push_back(p);
    }
    return points;
}

TPracticeTotals PracticeTotals(const std::vector<TRunRecord>& runs, const QDateTime& now)
{
    const QDateTime local = now.toLocalTime();
    const QDateTime midnight(local.date(), QTime(0, 0));
    const QDateTime monday(local.date().addDays(1 - local.date().dayOfWeek()), QTime(0, 0));
    // Converted once: each local-time conversion reads the zone files anew.
    const auto end = timePoint(now), dayStart = timePoint(midnight), weekStart = timePoint(monday);
    TPracticeTotals totals;
    for (const TRunRecord& run : runs) {
        totals.Today += overlap(run, dayStart, end);
        totals.ThisWeek += overlap(run, weekStart, end);
        ++totals.Runs;
        totals.Passed += run.Passed ? 1 : 0;
    }
    return totals;
}

QString FormatPracticeTime(seconds time)
{
    const long long minutes = std::max<long long>(time.count(), 0) / 60;
    if (minutes < 60)
        return QCoreApplication::translate("ProgressStats", "%1 min").arg(minutes);
    return QCoreApplication::translate("ProgressStats", "%1 h %2 min")
        .arg(minutes / 60)
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}
