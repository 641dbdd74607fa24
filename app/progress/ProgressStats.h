#pragma once

#include "app/progress/StaffKey.h"
#include "history/HistoryRecords.h"

#include <QColor>
#include <QDateTime>
#include <QString>

#include <chrono>
#include <cstdint>
#include <vector>

// The figures the progress page shows, worked out from the answer history.
// Plain arithmetic over records: no widget, no store.

// Whose answers the page shows: those of one practice (a saved choice of clef, range and key), or, with no
// practice named, those given outside any practice in the major key of a level's key index (an answer in a minor
// key, or in F sharp, C sharp or C flat major, is not one of them: it shows in its practice). An int is the key.
struct TProgressScope
{
    TProgressScope(int key = 0, QString practice = {}) : Key(key), Practice(std::move(practice)) {}
    int Key;
    QString Practice;

    bool Holds(const TAnswerRecord& answer) const;
};

// How one note of one clef has been answered in a key.
struct TNoteStats
{
    int Clef = 0; // 1 treble, 2 bass, 3 alto, 4 tenor, 5 octave treble
    int Note = 0;
    int Answers = 0;
    int Right = 0;
    int64_t MedianMs = 0;
    // 0 (always missed) .. 1 (always right, and fast): see NoteMastery.
    double Mastery = 0;
};

// Right share times a speed factor: 1 for a median of FastAnswerMs or less,
// falling evenly to 0.5 at SlowAnswerMs and beyond. A note always answered
// right but slowly is only half known; one missed every time is not known
// at all, however fast.
inline constexpr int64_t kFastAnswerMs = 1500;
inline constexpr int64_t kSlowAnswerMs = 6000;
double NoteMastery(int answers, int right, int64_t medianMs);

// Red for 0 through yellow at 0.5 to green for 1.
QColor MasteryColour(double mastery);
// The colour of a note that has not been asked yet.
inline const QColor kUnseenNoteColour(150, 150, 150);

// One entry per note of both staves' ranges (treble 53..88, then bass
// 36..67), then one per note answered on the alto, tenor and octave treble
// clefs (by clef, then note), counting the answers in scope. Answers of no
// clef or of a treble or bass note outside its staff's range are left out.
std::vector<TNoteStats> NoteStatistics(const std::vector<TAnswerRecord>& answers, const TProgressScope& scope);

// How one chord (its type, root and inversion) has been answered; a right answer counts for it.
struct TChordStats
{
    TChordLabel Chord;
    int Answers = 0;
    int Right = 0;
    int64_t MedianMs = 0;
    double Mastery = 0;
};
// One entry per chord answered in scope, in the order first asked.
std::vector<TChordStats> ChordStatistics(const std::vector<TAnswerRecord>& answers, const TProgressScope& scope);

// The weakest list's lines: up to count notes and chords that have been answered, the least known first
// (more misses first among equals, notes before chords).
QStringList WeakestLines(const std::vector<TNoteStats>& notes, const std::vector<TChordStats>& chords,
                         std::size_t count, const TStaffKey& key);

// Up to count notes that have been answered, the least known first (more
// misses first among equals).
std::vector<TNoteStats> WeakestNotes(const std::vector<TNoteStats>& stats, std::size_t count = 8);

// "F♯4 — 4 of 9 right, median 3.2 s"; a note within both staves' ranges
// says which staff it was read on: "F4 (bass) — ...".
QString WeakNoteLine(const TNoteStats& stats, const TStaffKey& key);
// "D minor, first inversion — 1 of 4 right, median 2.5 s".
QString WeakChordLine(const TChordStats& stats);
// The pointer's tip over a note of the staff.
QString NoteTip(const TNoteStats& stats, const TStaffKey& key);

// How the scope's sight-reading lines went. A note read is a right answer at
// one's own pace (a wrong key there is another try at the same note) and every
// note judged in time, where each is judged once. The time is each run's span,
// from its first note shown to its last answer.
struct TLineFigures
{
    int Notes = 0;
    std::chrono::milliseconds Time{0};
    int InTime = 0; // notes of runs played in time
    int OnTime = 0;
};
TLineFigures LineFigures(const std::vector<TAnswerRecord>& answers, const TProgressScope& scope);
// "Lines: 12.5 notes a minute, 15 of 20 on time (75 %)", the share only when
// some run was in time; empty without a line.
QString LineFiguresLine(const TLineFigures& figures);

// One run of the chart, oldest first.
struct TRunPoint
{
    std::chrono::system_clock::time_point Ended;
    int Score = 0;
    bool Passed = false;
    int Answers = 0;
    int64_t MedianMs = -1; // -1 when the run has no answer
};
std::vector<TRunPoint> RunPoints(const std::vector<TRunRecord>& runs, const std::vector<TAnswerRecord>& answers);

// Time spent in runs since local midnight and since Monday's, and runs passed.
struct TPracticeTotals
{
    std::chrono::seconds Today{0};
    std::chrono::seconds ThisWeek{0};
    int Runs = 0;
    int Passed = 0;
};
TPracticeTotals PracticeTotals(const std::vector<TRunRecord>& runs, const QDateTime& now);

// "1 h 05 min", "12 min", "0 min".
QString FormatPracticeTime(std::chrono::seconds time);
