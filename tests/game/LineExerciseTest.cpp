#include "game/LineExercise.h"
#include "game/GameCore.h"
#include "game/MusicKeys.h"
#include "game/StaffView.h"

#include <gtest/gtest.h>
#include <ostream>
#include <set>

using namespace std::chrono;

namespace {

struct GenRow
{
    TStaffChoice staff;
    int key, notes;
    bool melody;
    int maxStep;
    bool accidentals;
};

void PrintTo(const GenRow& r, std::ostream* os)
{
    *os << "staff " << int(r.staff) << " key " << r.key << " notes " << r.notes << " melody " << r.melody << " step "
        << r.maxStep << " accidentals " << r.accidentals;
}

// A line holds the notes asked for, each on its clef's staff within the range, in the key
// unless accidentals are allowed, and a melody's steps are never wider than the interval.
class LineGenerator : public testing::TestWithParam<GenRow>
{};

TEST_P(LineGenerator, KeepsEveryNoteInRangeKeyAndStep)
{
    const GenRow& row = GetParam();
    TLineSettings settings;
    settings.Staff = row.staff;
    settings.Notes = row.notes;
    settings.Melody = row.melody;
    settings.MaxStep = row.maxStep;
    settings.Accidentals = row.accidentals;
    RandSeed = 77;
    int outOfKey = 0;
    for (int line = 0; line < 300; ++line) {
        const std::vector<TWrittenNote> notes = GenerateLine(settings, row.key, Random);
        ASSERT_EQ(notes.size(), static_cast<size_t>(row.notes));
        for (size_t i = 0; i < notes.size(); ++i) {
            const TWrittenNote& n = notes[i];
            EXPECT_EQ(n.Place, static_cast<int>(i));
            if (n.Clef == 1)
                EXPECT_TRUE(n.Note >= (row.staff == TStaffChoice::Grand ? 60 : 53) && n.Note <= 88) << n.Note;
            else
                EXPECT_TRUE(n.Note >= 36 && n.Note <= (row.staff == TStaffChoice::Grand ? 59 : 67)) << n.Note;
            EXPECT_EQ(n.Clef, row.staff == TStaffChoice::Bass ? 2 : row.staff == TStaffChoice::Treble ? 1 : n.Clef);
            outOfKey += !InKey(n.Note, row.key);
            if (row.melody && i > 0) {
                EXPECT_LE(std::abs(n.Note - notes[i - 1].Note), row.maxStep);
            }
        }
    }
    if (row.accidentals)
        EXPECT_GT(outOfKey, 0);
    else
        EXPECT_EQ(outOfKey, 0);
}

INSTANTIATE_TEST_SUITE_P(Table, LineGenerator,
                         testing::Values(GenRow{TStaffChoice::Treble, 0, 8, false, 4, false},
                                         GenRow{TStaffChoice::Bass, 6, 4, false, 4, false}, // G flat: C flat in key
                                         GenRow{TStaffChoice::Grand, 11, 16, true, 2, false},
                                         GenRow{TStaffChoice::Treble, 1, 16, true, 1, true},
                                         GenRow{TStaffChoice::Grand, 7, 8, true, 7, true}));

// Settings outside their bounds are refused with a range error.
TEST(LineSettings, RefusesValuesOutsideTheirBounds)
{
    const std::function<void(TLineSettings&)> bad[] = {
        [](TLineSettings& s) { s.Notes = 3; },
        [](TLineSettings& s) { s.Notes = 17; },
        [](TLineSettings& s) { s.Tempo = 19; },
        [](TLineSettings& s) { s.Tempo = 209; },
        [](TLineSettings& s) { s.Key = 12; },
        [](TLineSettings& s) { s.MaxStep = 0; },
        [](TLineSettings& s) { s.TrebleLowest = 45; },
        [](TLineSettings& s) { s.BassHighest = 77; },
        [](TLineSettings& s) {
            s.Staff = TStaffChoice::Alto;
            s.ClefLowest = 35; // below C2, on the alto staff's fifth ledger line below
        },
        [](TLineSettings& s) {
            s.Staff = TStaffChoice::Tenor;
            s.ClefLowest = 60;
            s.ClefHighest = 59;
        }};
    for (const auto& change : bad) {
        TLineSettings s;
        change(s);
        EXPECT_THROW(TLineExercise{s}, lirasto::ERangeError);
    }
    TLineSettings edges;
    edges.Notes = 16;
    edges.Tempo = 208;
    edges.TrebleLowest = 47; // B2 and B6, five ledger lines away
    edges.TrebleHighest = 95;
    EXPECT_NO_THROW(TLineExercise{edges});
}

struct Recorder : TGameListener
{
    std::vector<TQuestion> lines;
    std::vector<int> due;
    std::vector<TJudgement> judgements;
    void QuestionPosed(const TQuestion& q) override { lines.push_back(q); }
    void NoteDue(const TQuestion&, int place) override { due.push_back(place); }
    void AnswerJudged(const TJudgement& j) override { judgements.push_back(j); }
};

class LinePlay : public testing::Test
{
protected:
    void start(int tempo)
    {
        RandSeed = 5;
        TLineSettings settings;
        settings.Notes = 4;
        settings.Tempo = tempo;
        core.SetClock([this] { return steady_clock::time_point(milliseconds(now)); });
        core.SetExercise(std::make_unique<TLineExercise>(settings));
        core.AddListener(&recorder);
        core.Start();
        core.Tick();
        ASSERT_EQ(recorder.lines.size(), 1u);
    }
    int note(int place) const { return recorder.lines.back().Notes.at(place).Note; }
    void key(int n, long at)
    {
        core.KeyDown(n, TInputSource::Midi, steady_clock::time_point(milliseconds(at)));
        core.KeyUp(n, TInputSource::Midi);
    }

    TGameCore core;
    Recorder recorder;
    long now = 0;
};

// At one's pace a wrong key marks the note missed and it waits; the right one moves on, each
// try timed from when its note became due; the last right note turns the page to a new line.
TEST_F(LinePlay, WaitModeWaitsForTheRightKeyThenTurnsThePage)
{
    start(0);
    EXPECT_EQ(recorder.lines[0].Notes.size(), 4u);
    EXPECT_EQ(recorder.due, std::vector<int>{0});
    now = 1000;
    key(note(0), now);
    now = 1500;
    key(note(1) + 1, now); // wrong
    now = 2500;
    key(note(1) + 12, now); // right, an octave away
    EXPECT_EQ(recorder.due, (std::vector<int>{0, 1, 2}));
    ASSERT_EQ(recorder.judgements.size(), 3u);
    EXPECT_EQ(recorder.judgements[1].Place, 1);
    EXPECT_FALSE(recorder.judgements[1].Right);
    EXPECT_TRUE(recorder.judgements[2].Right);
    EXPECT_EQ(recorder.judgements[2].AnswerTime, milliseconds(1500));
    EXPECT_EQ(recorder.judgements[2].Question.Note, note(1));
    EXPECT_EQ(recorder.judgements[2].Exercise, TExerciseKind::Line);
    EXPECT_FALSE(recorder.judgements[2].TimingError.has_value());
    key(note(2), now);
    key(note(3), now);
    now = 2999;
    core.Tick();
    EXPECT_EQ(recorder.lines.size(), 1u) << "the last note's mark shows for half a second";
    now = 3000;
    core.Tick();
    EXPECT_EQ(recorder.lines.size(), 2u);
    EXPECT_EQ(core.QuestionsPosed(), 2);
    EXPECT_EQ(recorder.due.back(), 0);
    EXPECT_TRUE(core.Running()); // a line run is not timed
}

struct TempoRow
{
    int offsetMs;     // from the first note's beat
    int semitonesOff; // 0: the right key
    bool judgedAtKey; // the key itself is judged (inside the window)
    bool right;
    std::optional<int> errorMs;
};

void PrintTo(const TempoRow& r, std::ostream* os)
{
    *os << "offset " << r.offsetMs << " ms, " << r.semitonesOff << " semitones off";
}

// At 60 BPM the first note's beat comes after a bar of count-in (4000 ms); its key counts within
// a quarter of a beat (250 ms) either way, early negative; otherwise the note is missed once
// its window closes, with no timing error.
class TempoJudging : public LinePlay, public testing::WithParamInterface<TempoRow>
{};

TEST_P(TempoJudging, JudgesTheKeyAgainstItsBeat)
{
    const TempoRow& row = GetParam();
    start(60);
    now = 4000 + row.offsetMs;
    core.Advance();
    key(note(0) + row.semitonesOff, now);
    EXPECT_EQ(recorder.judgements.size(), row.judgedAtKey ? 1u : std::min(1u, unsigned(row.offsetMs > 250)));
    now = 4300;
    core.Advance();
    ASSERT_GE(recorder.judgements.size(), 1u);
    const TJudgement& j = recorder.judgements[0];
    EXPECT_EQ(j.Place, 0);
    EXPECT_EQ(j.Right, row.right);
    EXPECT_EQ(j.TimingError.has_value(), row.errorMs.has_value());
    if (row.errorMs && j.TimingError) {
        EXPECT_EQ(j.TimingError->count(), *row.errorMs);
    }
    EXPECT_EQ(recorder.due.back(), 1);
}

INSTANTIATE_TEST_SUITE_P(Table, TempoJudging,
                         testing::Values(TempoRow{0, 0, true, true, 0}, TempoRow{-250, 0, true, true, -250},
                                         TempoRow{250, 0, true, true, 250}, TempoRow{-251, 0, false, false, {}},
                                         TempoRow{251, 0, false, false, {}}, TempoRow{-40, 1, true, false, -40}));

// In time the line never waits: every note's window closes, missed or not, the next line comes
// a bar after the last, and a pause moves the beats on by the time away.
TEST_F(LinePlay, TempoModeGoesOnLineAfterLineAndPauseShiftsTheBeats)
{
    start(120); // 500 ms a beat: notes at 2000, 2500, 3000, 3500
    now = 2000;
    core.Pause();
    now = 12000;
    core.Resume();
    key(note(0), 12000);
    now = 13800;
    core.Advance();
    ASSERT_EQ(recorder.judgements.size(), 4u);
    EXPECT_TRUE(recorder.judgements[0].Right);
    EXPECT_EQ(recorder.judgements[0].TimingError, milliseconds(0));
    EXPECT_FALSE(recorder.judgements[3].Right);
    ASSERT_EQ(recorder.lines.size(), 2u);
    // The next line starts on beat 12, after a bar's rest: 6000 ms from the first click, plus the pause.
    now = 16000 - 100;
    core.Advance();
    key(note(0), now);
    ASSERT_EQ(recorder.judgements.size(), 5u);
    EXPECT_EQ(recorder.judgements[4].TimingError, milliseconds(-100));
}

} // namespace

// A random key is drawn afresh for each line from the thirty: the line carries it, the key index
// that stands for it, and only notes of its scale (a minor key's raised seventh included).
TEST(LineKeys, RandomKeyDrawsEachLineInAKeyOfTheThirty)
{
    RandSeed = 11;
    TLineSettings settings;
    settings.RandomKey = true;
    settings.Staff = TStaffChoice::Tenor;
    TGameCore core;
    Recorder recorder;
    long now = 0;
    core.SetClock([&now] { return steady_clock::time_point(milliseconds(now)); });
    core.SetExercise(std::make_unique<TLineExercise>(settings));
    core.AddListener(&recorder);
    core.Start();
    core.Tick();
    for (int line = 0; line < 40; ++line) {
        const std::vector<TWrittenNote> notes = recorder.lines.back().Notes;
        for (const TWrittenNote& n : notes) {
            core.KeyDown(n.Note, TInputSource::Midi, steady_clock::time_point(milliseconds(now)));
            core.KeyUp(n.Note, TInputSource::Midi);
        }
        now += 1000;
        core.Tick();
    }
    std::set<int> keys;
    for (const TQuestion& q : recorder.lines) {
        ASSERT_GE(q.MusicKey, 0);
        keys.insert(q.MusicKey);
        EXPECT_EQ(q.Key, LevelKeyOfMusicKey(q.MusicKey));
        for (const TWrittenNote& n : q.Notes) {
            EXPECT_TRUE(InMusicScale(n.Note, q.MusicKey)) << n.Note << " in " << MusicKeyName(q.MusicKey);
            EXPECT_EQ(n.Clef, TenorClef);
        }
    }
    EXPECT_GE(recorder.lines.size(), 20u);
    EXPECT_GE(keys.size(), 12u);
}
