#include "game/GameCore.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

using namespace std::chrono;

namespace {

// Writes down every event, in order, as a short line.
struct Recorder : TGameListener
{
    std::vector<std::string> events;
    std::vector<TJudgement> judgements;
    void RunStarted(int level) override { events.push_back("start " + std::to_string(level)); }
    void QuestionPosed(const TQuestion& q) override { events.push_back("question " + std::to_string(q.Note)); }
    void KeyDown(int note, TInputSource) override { events.push_back("down " + std::to_string(note)); }
    void KeyUp(int note, TInputSource) override { events.push_back("up " + std::to_string(note)); }
    void AnswerJudged(const TJudgement& j) override
    {
        judgements.push_back(j);
        events.push_back(j.Right ? "right" : "wrong");
    }
    void RunEnded(const TRunResult& r) override { events.push_back("end " + std::to_string(r.Score)); }
    void LevelChanged(int level) override { events.push_back("level " + std::to_string(level)); }
};

class GameCore : public testing::Test
{
protected:
    void SetUp() override
    {
        RandSeed = 4242;
        core.AddListener(&recorder);
        core.SetClock([this] { return steady_clock::time_point(milliseconds(now)); });
        core.Start();
        core.Tick();
    }
    int note() const { return core.CurrentNote(); }
    // Right answers, each followed by the tick that poses the next question, up to points.
    void scoreUpTo(int points)
    {
        while (core.Score() < points) {
            core.KeyDown(note(), TInputSource::Midi);
            core.KeyUp(note(), TInputSource::Midi);
            core.Tick();
        }
        ASSERT_EQ(core.Score(), points);
    }

    TGameCore core;
    Recorder recorder;
    long now = 1000;
};

// The default draw, from the generator seeded with 4242: a clef, then a note of its range (treble
// F3..E6, bass C2..G4), question after question; the figures are worked out by hand from the generator.
TEST_F(GameCore, DefaultQuestionsFollowTheSeededGenerator)
{
    const std::pair<int, int> expected[] = {{1, 70}, {2, 54}, {2, 48}, {2, 63}, {1, 75}, {1, 80}, {2, 45}, {2, 44}};
    for (const auto& [clef, expectedNote] : expected) {
        EXPECT_EQ(core.CurrentClef(), clef);
        EXPECT_EQ(note(), expectedNote);
        EXPECT_EQ(core.ExpectedKeys(), 1 << (expectedNote % 12));
        core.KeyDown(note(), TInputSource::ComputerKeyboard);
        core.KeyUp(note(), TInputSource::ComputerKeyboard);
        core.Tick();
    }
}

// A MIDI answer counts on the key going down; the time runs from the first display, paused time excluded.
TEST_F(GameCore, MidiAnswerIsJudgedOnTheKeyGoingDownWithItsTime)
{
    now += 700;
    core.Pause();
    core.KeyDown(note(), TInputSource::Midi); // nothing is judged while paused
    core.KeyUp(note(), TInputSource::Midi);
    now += 5000;
    core.Resume();
    now += 300;
    core.KeyDown(note() + 12, TInputSource::Midi);
    core.KeyDown(note() + 12, TInputSource::Midi); // a second note-on is no new press
    ASSERT_EQ(recorder.judgements.size(), 1u);
    EXPECT_TRUE(recorder.judgements[0].Right);
    EXPECT_EQ(recorder.judgements[0].AnswerTime, milliseconds(1000));
    EXPECT_EQ(recorder.judgements[0].KeysGiven, std::vector<int>{note() + 12});
    EXPECT_EQ(core.Score(), 5);
    EXPECT_EQ(core.HeldKeyCount(), 1); // the key stays down until let go
    const std::string n = std::to_string(note()), up = std::to_string(note() + 12);
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{"start 1", "question " + n, "down " + n, "up " + n, "down " + up, "right"}));
}

// Every try at a note is timed from when it was first shown, the time away from the page left out:
// a wrong try does not start the time again.
// Listeners hear an event stage by stage whatever order they were added in, and within a stage in the order
// they were added: the history's write never holds up the sound, nor the sound the paint.
TEST_F(GameCore, ListenersHearStageByStage)
{
    using TStage = TGameCore::TListenerStage;
    std::string heard;
    struct Named : TGameListener
    {
        std::string* Heard;
        char Name;
        Named(std::string* heard, char name) : Heard(heard), Name(name) {}
        void KeyDown(int, TInputSource) override { *Heard += Name; }
    };
    Named keep{&heard, 'k'}, sound{&heard, 's'}, paint{&heard, 'p'}, show1{&heard, '1'}, show2{&heard, '2'};
    core.AddListener(&keep, TStage::Keep);
    core.AddListener(&show1);
    core.AddListener(&sound, TStage::Sound);
    core.AddListener(&paint, TStage::Paint);
    core.AddListener(&show2, TStage::Show);
    core.AddListener(&show1, TStage::Keep); // once only, where it was first put
    core.KeyDown(note(), TInputSource::Midi);
    EXPECT_EQ(heard, "12psk");
    core.RemoveListener(&paint);
    core.KeyDown(note() + 1, TInputSource::Midi);
    EXPECT_EQ(heard, "12psk12sk");
}

TEST_F(GameCore, SecondTryIsTimedFromTheFirstDisplay)
{
    now += 1000;
    core.KeyDown(note() + 1, TInputSource::Midi);
    core.KeyUp(note() + 1, TInputSource::Midi);
    core.Pause();
    now += 60000;
    core.Resume();
    core.Tick(); // a tick with the question still open poses nothing new
    now += 2000;
    core.KeyDown(note(), TInputSource::Midi);
    ASSERT_EQ(recorder.judgements.size(), 2u);
    EXPECT_EQ(recorder.judgements[0].AnswerTime, milliseconds(1000));
    EXPECT_EQ(recorder.judgements[1].AnswerTime, milliseconds(3000));
}

struct ExactRow
{
    TInputSource source;
    int octaves;
    bool octaveExact, right;
};

void PrintTo(const ExactRow& r, std::ostream* os)
{
    *os << "source " << static_cast<int>(r.source) << " octaves " << r.octaves << " octave-exact " << r.octaveExact
        << " -> right " << r.right;
}

// Octave-exact answers hold for MIDI only; other inputs count by pitch class.
class OctaveExact : public GameCore, public testing::WithParamInterface<ExactRow>
{};

TEST_P(OctaveExact, JudgesTheNoteGiven)
{
    const ExactRow& row = GetParam();
    core.SetOctaveExact(row.octaveExact);
    const int given = note() + 12 * row.octaves;
    core.KeyDown(given, row.source);
    core.KeyUp(given, row.source);
    ASSERT_EQ(recorder.judgements.size(), 1u);
    EXPECT_EQ(recorder.judgements[0].Right, row.right);
}

INSTANTIATE_TEST_SUITE_P(Table, OctaveExact,
                         testing::Values(ExactRow{TInputSource::Midi, 0, true, true},
                                         ExactRow{TInputSource::Midi, 1, true, false},
                                         ExactRow{TInputSource::Midi, -1, false, true},
                                         ExactRow{TInputSource::ComputerKeyboard, 1, true, true},
                                         ExactRow{TInputSource::Mouse, -1, true, true}));

// With mistakes costing points a wrong answer takes 5, never below 0; without, nothing.
TEST_F(GameCore, MistakesCostPointsDownToZero)
{
    const struct
    {
        bool on;
        int before, after;
    } rows[] = {{true, 10, 5}, {true, 5, 0}, {true, 0, 0}, {false, 10, 10}};
    for (const auto& row : rows) {
        core.SetMistakesCostPoints(row.on);
        scoreUpTo(row.before);
        core.KeyDown(note() + 1, TInputSource::ComputerKeyboard);
        core.KeyUp(note() + 1, TInputSource::ComputerKeyboard);
        EXPECT_EQ(core.Score(), row.after) << row.before;
    }
}

// Notes outside 0..127, keys let go that never went down and a chooser's note off its staff are refused.
TEST_F(GameCore, BadInputIsRefused)
{
    for (int bad : {-1, 128, 1 << 30})
        core.KeyDown(bad, TInputSource::Midi);
    core.KeyUp(61, TInputSource::Midi);
    EXPECT_EQ(core.HeldKeyCount(), 0);
    EXPECT_TRUE(recorder.judgements.empty());

    struct : TQuestionChooser
    {
        TChoice Choose(int, int, int) override { return {1, 40}; }
    } offStaff;
    core.SetChooser(&offStaff);
    core.KeyDown(note(), TInputSource::Mouse);
    core.KeyUp(note(), TInputSource::Mouse);
    EXPECT_THROW(core.Tick(), lirasto::ERangeError);
}

// A run passed at the goal ends by time and moves to the next level, in that order.
TEST_F(GameCore, PassedRunEndsThenTheLevelAdvances)
{
    scoreUpTo(300);
    while (core.Running())
        core.Tick();
    EXPECT_EQ(core.Level(), 2);
    EXPECT_EQ(core.CurrentKey(), 5);
    const std::vector<std::string> last(recorder.events.end() - 2, recorder.events.end());
    EXPECT_EQ(last, (std::vector<std::string>{"end 300", "level 2"}));
}

} // namespace
