#include "game/NotesExercise.h"
#include "game/GameCore.h"
#include "game/MusicKeys.h"
#include "game/Practice.h"
#include "game/StaffView.h"

#include <gtest/gtest.h>
#include <ostream>
#include <set>

namespace {

// Whatever notes a listener is told of.
struct Recorder : TGameListener
{
    std::vector<TQuestion> posed_;
    std::vector<TRunResult> ended_;
    void QuestionPosed(const TQuestion& q) override { posed_.push_back(q); }
    void RunEnded(const TRunResult& r) override { ended_.push_back(r); }
};

struct Row
{
    const char* name;
    const char* practice;       // the text form of the choice
    int lowest, highest;        // every note asked lies here
    int clef;                   // the clef each is written on, 0 for a grand staff's two
    bool outsideTheKey = false; // notes with a sign the key does not give are asked
};

void PrintTo(const Row& r, std::ostream* os)
{
    *os << r.name;
}

// Single notes are asked only within the chosen range, on the chosen clef, in the key (its
// harmonic minor's scale) unless chromatic; a random key is drawn afresh for each question.
class NotesQuestions : public testing::TestWithParam<Row>
{};

TEST_P(NotesQuestions, StayInTheRangeClefAndKey)
{
    const Row& row = GetParam();
    const TPracticeRead read = PracticeFromText(row.practice);
    ASSERT_TRUE(read.Practice) << read.Fault;
    const TPractice& practice = *read.Practice;
    TGameCore core;
    Recorder recorder;
    core.AddListener(&recorder);
    RandSeed = 5;
    core.SetExercise(std::make_unique<TNotesExercise>(practice.LineSettings()));
    core.Start();
    std::set<int> keys, notes;
    int outOfScale = 0;
    for (int question = 0; question < 600; ++question) {
        core.Tick();
        const TQuestion& q = recorder.posed_.back();
        ASSERT_EQ(q.Notes.size(), 1u);
        EXPECT_EQ(q.Exercise, TExerciseKind::Levels);
        EXPECT_TRUE(q.Note >= row.lowest && q.Note <= row.highest) << q.Note;
        EXPECT_EQ(q.Clef, row.clef ? row.clef : q.Note >= 60 ? kTrebleClef : kBassClef) << q.Note;
        if (!practice.RandomKey) {
            EXPECT_EQ(q.MusicKey, practice.MusicKey >= 0 ? practice.MusicKey : MusicKeyOfLevelKey(LevelKeys[1]));
        }
        EXPECT_EQ(q.Key, LevelKeyOfMusicKey(q.MusicKey));
        outOfScale += !InMusicScale(q.Note, q.MusicKey);
        keys.insert(q.MusicKey);
        notes.insert(q.Note);
        core.KeyDown(q.Note, TInputSource::Midi); // right: the next tick asks again
        core.KeyUp(q.Note, TInputSource::Midi);
    }
    EXPECT_EQ(outOfScale > 0, row.outsideTheKey);
    EXPECT_EQ(keys.size() > 25, practice.RandomKey) << keys.size();
    EXPECT_EQ(*notes.begin(), row.lowest);
    EXPECT_EQ(*notes.rbegin(), row.highest);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NotesQuestions,
    testing::Values(Row{"AltoInCFlat", "notes|alto|Cb|none|C3-G4", 49, 66, kAltoClef},
                    Row{"TenorChromatic", "notes|tenor|D|chromatic|A2-A4", 45, 69, kTenorClef, true},
                    Row{"OctaveTrebleRandomKey", "notes|treble8vb|random|none|", 45, 72, kTrebleOctaveClef},
                    // F double sharp (G) is the lowest note of the scale in the range.
                    Row{"GrandInGSharpMinor", "notes|grand|G# minor|none|F2-E5", 43, 76, 0},
                    Row{"BassToFiveLedgerLines", "notes|bass|level|none|D1-C5", 26, 72, kBassClef},
                    // A range of one note outside the key: asked with its sign rather than never.
                    Row{"OneNoteOutsideTheKey", "notes|treble|C|none|C#4-C#4", 61, 61, kTrebleClef, true}));

// A run of single notes is timed and scored as a level's, but passing it leaves the level where it was:
// only the levels lead on to the next level.
TEST(NotesRun, ScoresAsALevelAndKeepsTheLevel)
{
    TGameCore core;
    Recorder recorder;
    core.AddListener(&recorder);
    core.SetLevel(3);
    core.SetExercise(
        std::make_unique<TNotesExercise>(PracticeFromText("notes|alto|F# minor|none|").Practice->LineSettings()));
    core.Start();
    EXPECT_EQ(core.SecondsLeft(), 150);
    for (int second = 0; second < 150; ++second) {
        core.Tick();
        if (core.Running() && core.QuestionOnDisplay()) {
            core.KeyDown(core.CurrentNote(), TInputSource::Midi);
            core.KeyUp(core.CurrentNote(), TInputSource::Midi);
        }
    }
    ASSERT_EQ(recorder.ended_.size(), 1u);
    EXPECT_EQ(recorder.ended_[0].Score, 149 * 5);
    EXPECT_TRUE(recorder.ended_[0].Passed);
    EXPECT_EQ(core.CurrentLevel(), 3);
}

// Drilling weak notes, the chooser picks among the practice's notes, told which note was asked last.
TEST(NotesRun, DrillingTheChooserPicksAmongThePracticesNotes)
{
    struct LastNote : TQuestionChooser
    {
        std::vector<int> previous_;
        TChoice Choose(int, int, int) override { return {}; }
        std::optional<std::size_t> ChooseAmong(const std::vector<TWrittenNote>& notes, int, int previousNote) override
        {
            previous_.push_back(previousNote);
            return notes.size() - 1;
        }
    } chooser;
    TGameCore core;
    core.SetChooser(&chooser);
    core.SetExercise(
        std::make_unique<TNotesExercise>(PracticeFromText("notes|alto|C|none|C3-G4").Practice->LineSettings()));
    core.Start();
    core.Tick();
    EXPECT_EQ(core.CurrentNote(), 67); // G4, the highest of the range
    core.KeyDown(67, TInputSource::Midi);
    core.KeyUp(67, TInputSource::Midi);
    core.Tick();
    EXPECT_EQ(chooser.previous_, (std::vector<int>{0, 67}));
}

} // namespace
