#include "game/StackLine.h"
#include "game/GameCore.h"
#include "game/LineExercise.h"

#include <gtest/gtest.h>
#include <ostream>

using namespace std::chrono;

namespace {

// Every place of a line of stacks holds one chord of the family, its tones written at that place,
// in the key unless chromatic; a line longer than fits, or on another clef, is refused.
TEST(StackLineGenerator, HoldsOneChordOfTheFamilyAtEveryPlace)
{
    for (TChordFamily family : {TChordFamily::Intervals, TChordFamily::Sevenths})
        for (bool chromatic : {false, true}) {
            TLineSettings settings;
            settings.Chords = family;
            settings.Accidentals = chromatic;
            settings.Staff = TStaffChoice::Grand;
            settings.Notes = TLineSettings::kMostStacks;
            RandSeed = 3;
            int withSigns = 0;
            for (int line = 0; line < 50; ++line) {
                const TStackLine stacks = GenerateStackLine(settings, 3);
                std::vector<TWrittenNote> expected;
                for (int place = 0; place < settings.Notes; ++place) {
                    const TChord& chord = stacks.Chords.at(std::size_t(place));
                    EXPECT_EQ(chord.Type->Family, family);
                    withSigns += !ChordInKey(chord, 3);
                    for (const TChordTone& tone : chord.Tones)
                        expected.push_back({stacks.Notes.at(expected.size()).Clef, tone.Note, place});
                }
                EXPECT_EQ(stacks.Notes, expected);
            }
            EXPECT_EQ(withSigns > 0, chromatic);
        }
    using Change = void (*)(TLineSettings&);
    for (Change bad : {Change([](TLineSettings& s) { s.Notes = TLineSettings::kMostStacks + 1; }),
                       Change([](TLineSettings& s) { s.Staff = TStaffChoice::Alto; })}) {
        TLineSettings settings;
        settings.Chords = TChordFamily::Triads;
        settings.Notes = 4;
        bad(settings);
        EXPECT_THROW(TLineExercise{settings}, lirasto::ERangeError);
    }
}

struct Recorder : TGameListener
{
    std::vector<TQuestion> lines_;
    std::vector<int> due_;
    std::vector<TJudgement> judgements_;
    void QuestionPosed(const TQuestion& q) override { lines_.push_back(q); }
    void NoteDue(const TQuestion& q, int index) override { due_.push_back(q.Notes.at(std::size_t(index)).Place); }
    void AnswerJudged(const TJudgement& j) override { judgements_.push_back(j); }
};

// A key of a script: down ('d') or up ('u') on a tone (0 the lowest) of the stack at place, moved by
// off semitones, at a time in ms; or the clock advanced to that time ('a').
struct Step
{
    char act;
    int place, tone, off;
    long at;
};

struct StackRow
{
    const char* name;
    int tempo; // 60: beats every second, the line's first at 4000 ms, a window of 250 ms either way
    std::vector<Step> steps;
    std::vector<std::pair<int, bool>> judged; // place and verdict of each judgement
    std::vector<std::optional<long>> errors;  // the timing error of each, in ms
    int dueAfter;                             // the place due at the end
};

void PrintTo(const StackRow& r, std::ostream* os)
{
    *os << r.name;
}

// At one's pace a stack waits for its keys; in time it is judged at its beat, timed by its first
// key, with all its keys down within a quarter beat of the beat.
class StackLineJudging : public testing::TestWithParam<StackRow>
{};

TEST_P(StackLineJudging, JudgesEachStackAsAWhole)
{
    const StackRow& row = GetParam();
    Recorder recorder;
    TGameCore core;
    long now = 0;
    RandSeed = 8;
    core.SetClock([&now] { return steady_clock::time_point(milliseconds(now)); });
    TLineSettings settings;
    settings.Notes = 4;
    settings.Tempo = row.tempo;
    settings.Chords = TChordFamily::Triads;
    settings.Accidentals = true;
    core.SetExercise(std::make_unique<TLineExercise>(settings));
    core.AddListener(&recorder);
    core.Start();
    core.Tick();
    ASSERT_EQ(recorder.lines_.size(), 1u);
    const std::vector<TWrittenNote>& notes = recorder.lines_[0].Notes;
    ASSERT_EQ(notes.size(), 12u);
    const std::vector<TChord> stacks = dynamic_cast<const TLineExercise&>(core.Exercise()).Stacks();
    for (const Step& s : row.steps) {
        now = s.at;
        const int note = notes.at(std::size_t(s.place * 3 + s.tone)).Note + s.off;
        if (s.act == 'a')
            core.Advance();
        else if (s.act == 'd')
            core.KeyDown(note, TInputSource::Midi, steady_clock::time_point(milliseconds(now)));
        else
            core.KeyUp(note, TInputSource::Midi);
    }
    std::vector<std::pair<int, bool>> judged;
    std::vector<std::optional<long>> errors;
    for (const TJudgement& j : recorder.judgements_) {
        judged.emplace_back(j.Place, j.Right);
        errors.push_back(j.TimingError ? std::optional<long>(j.TimingError->count()) : std::nullopt);
        EXPECT_EQ(j.Question.Note, notes.at(std::size_t(j.Place * 3)).Note);
        // Each judgement names the stack's own chord, missed ones too.
        EXPECT_EQ(j.Question.Chord, LabelOf(stacks.at(std::size_t(j.Place))));
        EXPECT_NE(j.Question.Chord.Type, 0);
    }
    EXPECT_EQ(judged, row.judged);
    EXPECT_EQ(errors, row.errors);
    EXPECT_EQ(recorder.due_.back(), row.dueAfter);
}

// Three keys of the stack at place, down at t, t + 10 and t + 20 ms, the last moved by off.
std::vector<Step> stack(int place, long t, int off = 0)
{
    return {{'d', place, 0, 0, t}, {'d', place, 1, 0, t + 10}, {'d', place, 2, off, t + 20}};
}

std::vector<Step> operator+(std::vector<Step> a, const std::vector<Step>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<Step> kReleaseStack0 = {{'u', 0, 0, 0, 500}, {'u', 0, 1, 0, 500}, {'u', 0, 2, 1, 500}};

INSTANTIATE_TEST_SUITE_P(
    Table, StackLineJudging,
    testing::Values(StackRow{"Right", 0, stack(0, 0), {{0, true}}, {std::nullopt}, 1},
                    StackRow{"WrongKeyThenRight",
                             0,
                             stack(0, 0, 1) + kReleaseStack0 + stack(0, 600),
                             {{0, false}, {0, true}},
                             {std::nullopt, std::nullopt},
                             1},
                    StackRow{"FirstKeyAQuarterBeatEarly", 60, stack(0, 3750), {{0, true}}, {-250}, 1},
                    StackRow{"FirstKeyPastAQuarterBeatEarly",
                             60,
                             stack(0, 3749) + std::vector<Step>{{'a', 0, 0, 0, 4251}},
                             {{0, false}},
                             {std::nullopt},
                             1},
                    StackRow{"LastKeyAQuarterBeatLate", 60, stack(0, 4230), {{0, true}}, {230}, 1},
                    StackRow{"LastKeyPastAQuarterBeatLate",
                             60,
                             stack(0, 4231) + std::vector<Step>{{'a', 0, 0, 0, 4251}},
                             {{0, false}},
                             {std::nullopt},
                             1},
                    StackRow{"WrongKeyInTimeMovesOn", 60, stack(0, 4000, 1), {{0, false}}, {0}, 1},
                    // Two keys of a stack held past its window are no part of the next one.
                    StackRow{"UnfinishedStackLeftBehind",
                             60,
                             std::vector<Step>{{'d', 0, 0, 0, 3990}, {'d', 0, 1, 0, 4000}, {'a', 0, 0, 0, 4300}} +
                                 stack(1, 4970),
                             {{0, false}, {1, true}},
                             {std::nullopt, -30},
                             2}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
