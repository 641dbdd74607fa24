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
    std::vector<std::string> events_;
    std::vector<TJudgement> judgements_;
    void RunStarted(int level) override { events_.push_back("start " + std::to_string(level)); }
    void QuestionPosed(const TQuestion& q) override { events_.push_back("question " + std::to_string(q.Note)); }
    void KeyDown(int note, TInputSource) override { events_.push_back("down " + std::to_string(note)); }
    void KeyUp(int note, TInputSource) override { events_.push_back("up " + std::to_string(note)); }
    void AnswerJudged(const TJudgement& j) override
    {
        judgements_.push_back(j);
        events_.push_back(j.Right ? "right" : "wrong");
    }
    void RunEnded(const TRunResult& r) override { events_.push_back("end " + std::to_string(r.Score)); }
    void LevelChanged(int level) override { events_.push_back("level " + std::to_string(level)); }
};

class GameCore : public testing::Test
{
protected:
    void SetUp() override
    {
        RandSeed = 4242;
        core_.AddListener(&recorder_);
        core_.SetClock([this] { return steady_clock::time_point(milliseconds(now_)); });
        core_.Start();
        core_.Tick();
    }
    int Note() const { return core_.CurrentNote(); }
    // Right answers, each followed by the tick that poses the next question, up to points.
    void ScoreUpTo(int points)
    {
        while (core_.Score() < points) {
            core_.KeyDown(Note(), TInputSource::Midi);
            core_.KeyUp(Note(), TInputSource::Midi);
            core_.Tick();
        }
        ASSERT_EQ(core_.Score(), points);
    }

    TGameCore core_;
    Recorder recorder_;
    long now_ = 1000;
};

// The default draw, from the generator seeded with 4242: a clef, then a note of its range (treble
// F3..E6, bass C2..G4), question after question; the figures are worked out by hand from the generator.
TEST_F(GameCore, DefaultQuestionsFollowTheSeededGenerator)
{
    const std::pair<int, int> expected[] = {{1, 70}, {2, 54}, {2, 48}, {2, 63}, {1, 75}, {1, 80}, {2, 45}, {2, 44}};
    for (const auto& [clef, expectedNote] : expected) {
        EXPECT_EQ(core_.CurrentClef(), clef);
        EXPECT_EQ(Note(), expectedNote);
        EXPECT_EQ(core_.ExpectedKeys(), 1 << (expectedNote % 12));
        core_.KeyDown(Note(), TInputSource::ComputerKeyboard);
        core_.KeyUp(Note(), TInputSource::ComputerKeyboard);
        core_.Tick();
    }
}

// A MIDI answer counts on the key going down; the time runs from the first display, paused time excluded.
TEST_F(GameCore, MidiAnswerIsJudgedOnTheKeyGoingDownWithItsTime)
{
    now_ += 700;
    core_.Pause();
    core_.KeyDown(Note(), TInputSource::Midi); // nothing is judged while paused
    core_.KeyUp(Note(), TInputSource::Midi);
    now_ += 5000;
    core_.Resume();
    now_ += 300;
    core_.KeyDown(Note() + 12, TInputSource::Midi);
    core_.KeyDown(Note() + 12, TInputSource::Midi); // a second note-on is no new press
    ASSERT_EQ(recorder_.judgements_.size(), 1u);
    EXPECT_TRUE(recorder_.judgements_[0].Right);
    EXPECT_EQ(recorder_.judgements_[0].AnswerTime, milliseconds(1000));
    EXPECT_EQ(recorder_.judgements_[0].KeysGiven, std::vector<int>{Note() + 12});
    EXPECT_EQ(core_.Score(), 5);
    EXPECT_EQ(core_.HeldKeyCount(), 1); // the key stays down until let go
    const std::string n = std::to_string(Note()), up = std::to_string(Note() + 12);
    EXPECT_EQ(recorder_.events_,
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
        std::string* heard_;
        char name_;
        Named(std::string* heard, char name) : heard_(heard), name_(name) {}
        void KeyDown(int, TInputSource) override { *heard_ += name_; }
    };
    Named keep{&heard, 'k'}, sound{&heard, 's'}, paint{&heard, 'p'}, show1{&heard, '1'}, show2{&heard, '2'};
    core_.AddListener(&keep, TStage::Keep);
    core_.AddListener(&show1);
    core_.AddListener(&sound, TStage::Sound);
    core_.AddListener(&paint, TStage::Paint);
    core_.AddListener(&show2, TStage::Show);
    core_.AddListener(&show1, TStage::Keep); // once only, where it was first put
    core_.KeyDown(Note(), TInputSource::Midi);
    EXPECT_EQ(heard, "12psk");
    core_.RemoveListener(&paint);
    core_.KeyDown(Note() + 1, TInputSource::Midi);
    EXPECT_EQ(heard, "12psk12sk");
}

TEST_F(GameCore, SecondTryIsTimedFromTheFirstDisplay)
{
    now_ += 1000;
    core_.KeyDown(Note() + 1, TInputSource::Midi);
    core_.KeyUp(Note() + 1, TInputSource::Midi);
    core_.Pause();
    now_ += 60000;
    core_.Resume();
    core_.Tick(); // a tick with the question still open poses nothing new
    now_ += 2000;
    core_.KeyDown(Note(), TInputSource::Midi);
    ASSERT_EQ(recorder_.judgements_.size(), 2u);
    EXPECT_EQ(recorder_.judgements_[0].AnswerTime, milliseconds(1000));
    EXPECT_EQ(recorder_.judgements_[1].AnswerTime, milliseconds(3000));
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
    core_.SetOctaveExact(row.octaveExact);
    const int given = Note() + 12 * row.octaves;
    core_.KeyDown(given, row.source);
    core_.KeyUp(given, row.source);
    ASSERT_EQ(recorder_.judgements_.size(), 1u);
    EXPECT_EQ(recorder_.judgements_[0].Right, row.right);
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
        core_.SetMistakesCostPoints(row.on);
        ScoreUpTo(row.before);
        core_.KeyDown(Note() + 1, TInputSource::ComputerKeyboard);
        core_.KeyUp(Note() + 1, TInputSource::ComputerKeyboard);
        EXPECT_EQ(core_.Score(), row.after) << row.before;
    }
}

// Notes outside 0..127, keys let go that never went down and a chooser's note off its staff are refused.
TEST_F(GameCore, BadInputIsRefused)
{
    for (int bad : {-1, 128, 1 << 30})
        core_.KeyDown(bad, TInputSource::Midi);
    core_.KeyUp(61, TInputSource::Midi);
    EXPECT_EQ(core_.HeldKeyCount(), 0);
    EXPECT_TRUE(recorder_.judgements_.empty());

    struct : TQuestionChooser
    {
        TChoice Choose(int, int, int) override { return {1, 40}; }
    } offStaff;
    core_.SetChooser(&offStaff);
    core_.KeyDown(Note(), TInputSource::Mouse);
    core_.KeyUp(Note(), TInputSource::Mouse);
    EXPECT_THROW(core_.Tick(), lirasto::ERangeError);
}

// A run passed at the goal ends by time and moves to the next level, in that order.
TEST_F(GameCore, PassedRunEndsThenTheLevelAdvances)
{
    ScoreUpTo(300);
    while (core_.Running())
        core_.Tick();
    EXPECT_EQ(core_.Level(), 2);
    EXPECT_EQ(core_.CurrentKey(), 5);
    const std::vector<std::string> last(recorder_.events_.end() - 2, recorder_.events_.end());
    EXPECT_EQ(last, (std::vector<std::string>{"end 300", "level 2"}));
}

} // namespace
