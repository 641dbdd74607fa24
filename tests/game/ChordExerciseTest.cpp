#include "game/ChordExercise.h"
#include "game/GameCore.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace std::chrono;

namespace {

struct BuildRow
{
    const char* type;
    int root, rootNatural, inversion;
    std::vector<TChordTone> tones; // empty: not writable without a double sign
};

void PrintTo(const BuildRow& r, std::ostream* os)
{
    *os << r.type << " on " << r.root << " inversion " << r.inversion;
}

class ChordBuilding : public testing::TestWithParam<BuildRow>
{};

// Every tone on its own letter, stacked in close position from the inversion's tone.
TEST_P(ChordBuilding, SpellsEveryToneOnItsLetter)
{
    const BuildRow& row = GetParam();
    const std::optional<TChord> chord = BuildChord(*ChordTypeNamed(row.type), row.root, row.rootNatural, row.inversion);
    ASSERT_EQ(chord.has_value(), !row.tones.empty());
    if (chord) {
        EXPECT_EQ(chord->Tones, row.tones);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ChordBuilding,
    testing::Values(BuildRow{"%1 minor", 62, 62, 1, {{65, 65, 0}, {69, 69, 0}, {74, 74, 0}}},     // F A D
                    BuildRow{"%1 augmented", 64, 64, 0, {{64, 64, 0}, {68, 67, 1}, {72, 71, 1}}}, // E G# B#
                    BuildRow{"%1 diminished seventh", 61, 62, 0, {}},                             // Db Fb Abb
                    BuildRow{"%1 dominant seventh", 67, 67, 3, {{77, 77, 0}, {79, 79, 0}, {83, 83, 0}, {86, 86, 0}}},
                    BuildRow{"minor second", 71, 71, 0, {{71, 71, 0}, {72, 72, 0}}},     // B C
                    BuildRow{"augmented fourth", 65, 65, 0, {{65, 65, 0}, {71, 71, 0}}}, // F B
                    BuildRow{"diminished fifth", 71, 71, 0, {{71, 71, 0}, {77, 77, 0}}}, // B F
                    BuildRow{"octave", 58, 59, 0, {{58, 59, -1}, {70, 71, -1}}}));       // Bb Bb

TEST(ChordBuilding, RefusesAnInversionTheTypeLacks)
{
    EXPECT_THROW(BuildChord(*ChordTypeNamed("%1 major"), 60, 60, 3), lirasto::ERangeError);
    EXPECT_THROW(BuildChord(*ChordTypeNamed("major sixth"), 60, 60, 1), lirasto::ERangeError);
    EXPECT_THROW(BuildChord(*ChordTypeNamed("%1 major"), 60, 64, 0), lirasto::ERangeError);
}

// In every key and family: chords within the clef's range, in the key written with no sign,
// chromatic ones with signs too, and every inversion offered.
TEST(ChordChoice, EveryKeyAndFamilyOffersChordsWithinTheStaff)
{
    for (TChordFamily family : {TChordFamily::Intervals, TChordFamily::Triads, TChordFamily::Sevenths})
        for (int key = 0; key < KeyCount; ++key)
            for (bool chromatic : {false, true}) {
                const TChordSettings settings{family, key, chromatic, TStaffChoice::Grand};
                const std::vector<TChord> chords = ChordsFor(settings, 2, key);
                ASSERT_FALSE(chords.empty());
                int withSigns = 0, maxInversion = 0;
                for (const TChord& chord : chords) {
                    EXPECT_GE(chord.Tones.front().Note, BassLowestNote);
                    EXPECT_LE(chord.Tones.back().Note, BassHighestNote);
                    EXPECT_TRUE(std::is_sorted(chord.Tones.begin(), chord.Tones.end(),
                                               [](auto& a, auto& b) { return a.Note <= b.Note; }));
                    withSigns += !ChordInKey(chord, key);
                    maxInversion = std::max(maxInversion, chord.Inversion);
                }
                EXPECT_EQ(withSigns > 0, chromatic) << "key " << key;
                EXPECT_EQ(maxInversion, family == TChordFamily::Intervals ? 0 : family == TChordFamily::Triads ? 2 : 3);
            }
}

struct Recorder : TGameListener
{
    std::vector<TQuestion> questions;
    std::vector<TJudgement> judgements;
    void QuestionPosed(const TQuestion& q) override { questions.push_back(q); }
    void AnswerJudged(const TJudgement& j) override { judgements.push_back(j); }
};

class ChordPlay : public testing::Test
{
protected:
    void SetUp() override
    {
        RandSeed = 11;
        core.SetClock([this] { return steady_clock::time_point(milliseconds(now)); });
        core.SetExercise(std::make_unique<TChordExercise>(TChordSettings{TChordFamily::Triads, 2, true}));
        core.AddListener(&recorder);
        core.Start();
        core.Tick();
        ASSERT_EQ(recorder.questions.size(), 1u);
        for (const TWrittenNote& n : recorder.questions[0].Notes)
            notes.push_back(n.Note);
        ASSERT_EQ(notes.size(), 3u);
    }
    void down(int note, long at, TInputSource source = TInputSource::Midi)
    {
        now = at;
        core.KeyDown(note, source, steady_clock::time_point(milliseconds(at)));
    }
    void up(int note, TInputSource source = TInputSource::Midi) { core.KeyUp(note, source); }
    void click(int note)
    {
        down(note, now, TInputSource::Mouse);
        up(note, TInputSource::Mouse);
    }

    TGameCore core;
    Recorder recorder;
    std::vector<int> notes;
    long now = 0;
};

// The keys held together count when the last goes down within a second of the first: at one
// second exactly the chord is judged; a millisecond later the first key is no longer part of
// it, and striking it again completes the chord.
TEST_F(ChordPlay, KeysCountWithinOneSecondOfTheFirst)
{
    down(notes[0], 0);
    down(notes[1], 500);
    down(notes[2], 1000);
    ASSERT_EQ(recorder.judgements.size(), 1u);
    EXPECT_TRUE(recorder.judgements[0].Right);
    EXPECT_EQ(recorder.judgements[0].Expected, core.ExpectedKeys());
    EXPECT_EQ(recorder.judgements[0].KeysGiven, notes);
}

TEST_F(ChordPlay, AKeyOlderThanOneSecondNoLongerCounts)
{
    down(notes[0], 0);
    down(notes[1], 500);
    down(notes[2], 1001);
    EXPECT_TRUE(recorder.judgements.empty());
    up(notes[0]);
    down(notes[0] + 12, 1200); // the same pitch class an octave up
    ASSERT_EQ(recorder.judgements.size(), 1u);
    EXPECT_TRUE(recorder.judgements[0].Right);
}

// A key let go before the chord is complete takes its note back.
TEST_F(ChordPlay, AKeyReleasedTakesItsNoteBack)
{
    down(notes[0], 0, TInputSource::ComputerKeyboard);
    down(notes[1], 100, TInputSource::ComputerKeyboard);
    up(notes[1], TInputSource::ComputerKeyboard);
    down(notes[2], 200, TInputSource::ComputerKeyboard);
    EXPECT_TRUE(recorder.judgements.empty());
    down(notes[1] + 1, 300, TInputSource::ComputerKeyboard);
    ASSERT_EQ(recorder.judgements.size(), 1u);
    EXPECT_FALSE(recorder.judgements[0].Right);
}

// The answer is as many keys as the chord has: a key more, still within the second, starts a
// new answer rather than spoiling or repeating the last; the question waits for the right one.
TEST_F(ChordPlay, OneKeyTooManyStartsANewAnswer)
{
    down(notes[0], 0);
    down(notes[1], 10);
    down(notes[2] + 1, 20); // wrong
    down(notes[2], 30);
    ASSERT_EQ(recorder.judgements.size(), 1u);
    EXPECT_FALSE(recorder.judgements[0].Right);
    for (int n : {notes[0], notes[1], notes[2], notes[2] + 1})
        up(n);
    EXPECT_TRUE(core.QuestionOnDisplay());
    down(notes[2], 100);
    down(notes[1], 110);
    down(notes[0], 120);
    ASSERT_EQ(recorder.judgements.size(), 2u);
    EXPECT_TRUE(recorder.judgements[1].Right);
    EXPECT_FALSE(core.QuestionOnDisplay());
}

// Octave-exact asks for the very notes written, on MIDI; the computer keyboard answers by pitch class.
TEST_F(ChordPlay, OctaveExactAsksForTheNotesWritten)
{
    core.SetOctaveExact(true);
    down(notes[0] + 12, 0);
    down(notes[1], 10);
    down(notes[2], 20);
    ASSERT_EQ(recorder.judgements.size(), 1u);
    EXPECT_FALSE(recorder.judgements[0].Right);
    down(notes[0] + 12, 100, TInputSource::ComputerKeyboard);
    down(notes[1], 110, TInputSource::ComputerKeyboard);
    down(notes[2], 120, TInputSource::ComputerKeyboard);
    ASSERT_EQ(recorder.judgements.size(), 2u);
    EXPECT_TRUE(recorder.judgements[1].Right);
}

// With the mouse the keys come one after another; a key given again is taken back.
TEST_F(ChordPlay, MouseGivesKeysOneAfterAnotherAndTakesOneBack)
{
    click(notes[0]);
    click(notes[1]);
    click(notes[1]); // taken back
    EXPECT_EQ(core.HeldKeyCount(), 1);
    click(notes[2]);
    EXPECT_TRUE(recorder.judgements.empty());
    click(notes[1]);
    ASSERT_EQ(recorder.judgements.size(), 1u);
    EXPECT_TRUE(recorder.judgements[0].Right);
    EXPECT_EQ(recorder.judgements[0].KeysGiven, (std::vector<int>{notes[0], notes[2], notes[1]}));
    EXPECT_EQ(core.HeldKeyCount(), 0);
}

} // namespace
