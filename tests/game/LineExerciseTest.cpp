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
    std::vector<TQuestion> lines_;
    std::vector<int> due_;
    std::vector<TJudgement> judgements_;
    void QuestionPosed(const TQuestion& q) override { lines_.push_back(q); }
    void NoteDue(const TQuestion&, int place) override { due_.push_back(place); }
    void AnswerJudged(const TJudgement& j) override { judgements_.push_back(j); }
};

class LinePlay : public testing::Test
{
protected:
    void Start(int tempo)
    {
        RandSeed = 5;
        TLineSettings settings;
        settings.Notes = 4;
        settings.Tempo = tempo;
        core_.SetClock([this] { return steady_clock::time_point(milliseconds(now_)); });
        core_.SetExercise(std::make_unique<TLineExercise>(settings));
        core_.AddListener(&recorder_);
        core_.Start();
        core_.Tick();
        ASSERT_EQ(recorder_.lines_.size(), 1u);
    }
    int Note(int place) const { return recorder_.lines_.back().Notes.at(place).Note; }
    void Key(int n, long at)
    {
        core_.KeyDown(n, TInputSource::Midi, steady_clock::time_point(milliseconds(at)));
        core_.KeyUp(n, TInputSource::Midi);
    }

    TGameCore core_;
    Recorder recorder_;
    long now_ = 0;
};

// At one's pace a wrong key marks the note missed and it waits; the right one moves on, each
// try timed from when its note became due; the last right note turns the page to a new line.
TEST_F(LinePlay, WaitModeWaitsForTheRightKeyThenTurnsThePage)
{
    Start(0);
    EXPECT_EQ(recorder_.lines_[0].Notes.size(), 4u);
    EXPECT_EQ(recorder_.due_, std::vector<int>{0});
    now_ = 1000;
    Key(Note(0), now_);
    now_ = 1500;
    Key(Note(1) + 1, now_); // wrong
    now_ = 2500;
    Key(Note(1) + 12, now_); // right, an octave away
    EXPECT_EQ(recorder_.due_, (std::vector<int>{0, 1, 2}));
    ASSERT_EQ(recorder_.judgements_.size(), 3u);
    EXPECT_EQ(recorder_.judgements_[1].Place, 1);
    EXPECT_FALSE(recorder_.judgements_[1].Right);
    EXPECT_TRUE(recorder_.judgements_[2].Right);
    EXPECT_EQ(recorder_.judgements_[2].AnswerTime, milliseconds(1500));
    EXPECT_EQ(recorder_.judgements_[2].Question.Note, Note(1));
    EXPECT_EQ(recorder_.judgements_[2].Exercise, TExerciseKind::Line);
    EXPECT_FALSE(recorder_.judgements_[2].TimingError.has_value());
    Key(Note(2), now_);
    Key(Note(3), now_);
    now_ = 2999;
    core_.Tick();
    EXPECT_EQ(recorder_.lines_.size(), 1u) << "the last note's mark shows for half a second";
    now_ = 3000;
    core_.Tick();
    EXPECT_EQ(recorder_.lines_.size(), 2u);
    EXPECT_EQ(core_.QuestionsPosed(), 2);
    EXPECT_EQ(recorder_.due_.back(), 0);
    EXPECT_TRUE(core_.Running()); // a line run is not timed
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
    Start(60);
    now_ = 4000 + row.offsetMs;
    core_.Advance();
    Key(Note(0) + row.semitonesOff, now_);
    EXPECT_EQ(recorder_.judgements_.size(), row.judgedAtKey ? 1u : std::min(1u, unsigned(row.offsetMs > 250)));
    now_ = 4300;
    core_.Advance();
    ASSERT_GE(recorder_.judgements_.size(), 1u);
    const TJudgement& j = recorder_.judgements_[0];
    EXPECT_EQ(j.Place, 0);
    EXPECT_EQ(j.Right, row.right);
    EXPECT_EQ(j.TimingError.has_value(), row.errorMs.has_value());
    if (row.errorMs && j.TimingError) {
        EXPECT_EQ(j.TimingError->count(), *row.errorMs);
    }
    EXPECT_EQ(recorder_.due_.back(), 1);
}

INSTANTIATE_TEST_SUITE_P(Table, TempoJudging,
                         testing::Values(TempoRow{0, 0, true, true, 0}, TempoRow{-250, 0, true, true, -250},
                                         TempoRow{250, 0, true, true, 250}, TempoRow{-251, 0, false, false, {}},
                                         TempoRow{251, 0, false, false, {}}, TempoRow{-40, 1, true, false, -40}));

// In time the line never waits: every note's window closes, missed or not, the next line comes
// a bar after the last, and a pause moves the beats on by the time away.
TEST_F(LinePlay, TempoModeGoesOnLineAfterLineAndPauseShiftsTheBeats)
{
    Start(120); // 500 ms a beat: notes at 2000, 2500, 3000, 3500
    now_ = 2000;
    core_.Pause();
    now_ = 12000;
    core_.Resume();
    Key(Note(0), 12000);
    now_ = 13800;
    core_.Advance();
    ASSERT_EQ(recorder_.judgements_.size(), 4u);
    EXPECT_TRUE(recorder_.judgements_[0].Right);
    EXPECT_EQ(recorder_.judgements_[0].TimingError, milliseconds(0));
    EXPECT_FALSE(recorder_.judgements_[3].Right);
    ASSERT_EQ(recorder_.lines_.size(), 2u);
    // The next line starts on beat 12, after a bar's rest: 6000 ms from the first click, plus the pause.
    now_ = 16000 - 100;
    core_.Advance();
    Key(Note(0), now_);
    ASSERT_EQ(recorder_.judgements_.size(), 5u);
    EXPECT_EQ(recorder_.judgements_[4].TimingError, milliseconds(-100));
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
        const std::vector<TWrittenNote> notes = recorder.lines_.back().Notes;
        for (const TWrittenNote& n : notes) {
            core.KeyDown(n.Note, TInputSource::Midi, steady_clock::time_point(milliseconds(now)));
            core.KeyUp(n.Note, TInputSource::Midi);
        }
        now += 1000;
        core.Tick();
    }
    std::set<int> keys;
    for (const TQuestion& q : recorder.lines_) {
        ASSERT_GE(q.MusicKey, 0);
        keys.insert(q.MusicKey);
        EXPECT_EQ(q.Key, LevelKeyOfMusicKey(q.MusicKey));
        for (const TWrittenNote& n : q.Notes) {
            EXPECT_TRUE(InMusicScale(n.Note, q.MusicKey)) << n.Note << " in " << MusicKeyName(q.MusicKey);
            EXPECT_EQ(n.Clef, kTenorClef);
        }
    }
    EXPECT_GE(recorder.lines_.size(), 20u);
    EXPECT_GE(keys.size(), 12u);
}
