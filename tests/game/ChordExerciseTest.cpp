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
// The history keeps a chord by codes that stay what they are: each type has its own, read back as that type, and a
// label keeps its root and inversion; a label of an inversion the type lacks names no chord.
TEST(ChordLabels, KeepEveryTypeByItsFixedCode)
{
    EXPECT_EQ(ChordTypeCode(*ChordTypeNamed("minor second")), 1);
    EXPECT_EQ(ChordTypeCode(*ChordTypeNamed("%1 minor")), 22);
    EXPECT_EQ(ChordTypeCode(*ChordTypeNamed("%1 diminished seventh")), 35);
    for (const TChordType& type : ChordTypes()) {
        const int inversions = type.Family == TChordFamily::Intervals ? 1 : type.Size;
        EXPECT_EQ(ChordTypeOfCode(ChordTypeCode(type)), &type) << type.Name;
        for (int inversion = 0; inversion < inversions; ++inversion) {
            const TChord chord = ChordOfLabel({ChordTypeCode(type), inversion, 6, -1});
            EXPECT_EQ(std::tuple(chord.Type, chord.Inversion, chord.RootLetter, chord.RootAlteration),
                      std::tuple(&type, inversion, 6, -1));
        }
        EXPECT_EQ(ChordOfLabel({ChordTypeCode(type), inversions, 0, 0}).Type, nullptr) << type.Name;
    }
    const std::optional<TChord> built = BuildChord(*ChordTypeNamed("%1 minor"), 62, 62, 1);
    ASSERT_TRUE(built);
    EXPECT_EQ(LabelOf(*built), (TChordLabel{22, 1, 1, 0}));
}

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
                    EXPECT_GE(chord.Tones.front().Note, kBassLowestNote);
                    EXPECT_LE(chord.Tones.back().Note, kBassHighestNote);
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
    std::vector<TQuestion> questions_;
    std::vector<TJudgement> judgements_;
    void QuestionPosed(const TQuestion& q) override { questions_.push_back(q); }
    void AnswerJudged(const TJudgement& j) override { judgements_.push_back(j); }
};

// One key of a script: down ('d'), up ('u') or a mouse click ('c') on the chord's tone (0 the
// lowest) moved by off semitones, at a time in milliseconds.
struct Key
{
    char act;
    int tone, off;
    long at = 0;
    TInputSource source = TInputSource::Midi;
};

struct JudgeRow
{
    const char* name;
    std::vector<Key> keys;
    std::vector<bool> verdicts; // the answers judged, right or wrong
    bool octaveExact = false;
};

void PrintTo(const JudgeRow& r, std::ostream* os)
{
    *os << r.name;
}

// Keys held together count when the last goes down within a second of the first; a key older
// than that, or one let go, no longer counts; a key more than the chord has starts a new answer;
// octave-exact asks MIDI for the notes written; the mouse gives keys one after another and
// takes back a key given again.
class ChordJudging : public testing::TestWithParam<JudgeRow>
{};

TEST_P(ChordJudging, JudgesAtEveryBoundary)
{
    const JudgeRow& row = GetParam();
    Recorder recorder;
    TGameCore core;
    long now = 0;
    RandSeed = 11;
    core.SetClock([&now] { return steady_clock::time_point(milliseconds(now)); });
    core.SetExercise(std::make_unique<TChordExercise>(TChordSettings{TChordFamily::Triads, 2, true}));
    core.SetOctaveExact(row.octaveExact);
    core.AddListener(&recorder);
    core.Start();
    core.Tick();
    ASSERT_EQ(recorder.questions_.size(), 1u);
    const std::vector<TWrittenNote>& notes = recorder.questions_[0].Notes;
    ASSERT_EQ(notes.size(), 3u);
    for (const Key& k : row.keys) {
        const int note = notes[std::size_t(k.tone)].Note + k.off;
        now = k.at;
        if (k.act != 'u')
            core.KeyDown(note, k.act == 'c' ? TInputSource::Mouse : k.source,
                         steady_clock::time_point(milliseconds(now)));
        if (k.act != 'd')
            core.KeyUp(note, k.act == 'c' ? TInputSource::Mouse : k.source);
    }
    std::vector<bool> verdicts;
    for (const TJudgement& j : recorder.judgements_) {
        verdicts.push_back(j.Right);
        EXPECT_EQ(j.KeysGiven.size(), 3u);
        EXPECT_EQ(j.Expected, TPitchClassSet(PitchClassBit(notes[0].Note % 12) | PitchClassBit(notes[1].Note % 12) |
                                             PitchClassBit(notes[2].Note % 12)));
    }
    EXPECT_EQ(verdicts, row.verdicts);
    EXPECT_EQ(core.QuestionOnDisplay(), !row.verdicts.back());
}

constexpr auto kKeyboard = TInputSource::ComputerKeyboard;

INSTANTIATE_TEST_SUITE_P(
    Table, ChordJudging,
    testing::Values(
        JudgeRow{"AtOneSecond", {{'d', 0, 0, 0}, {'d', 1, 0, 500}, {'d', 2, 0, 1000}}, {true}},
        JudgeRow{"PastOneSecond",
                 {{'d', 0, 0, 0}, {'d', 1, 0, 500}, {'d', 2, 0, 1001}, {'u', 0, 0, 1100}, {'d', 0, 12, 1200}},
                 {true}},
        JudgeRow{"Released",
                 {{'d', 0, 0, 0, kKeyboard},
                  {'d', 1, 0, 100, kKeyboard},
                  {'u', 1, 0, 150, kKeyboard},
                  {'d', 2, 0, 200, kKeyboard},
                  {'d', 1, 1, 300, kKeyboard}},
                 {false}},
        JudgeRow{"OneKeyTooMany",
                 {{'d', 0, 0, 0},
                  {'d', 1, 0, 10},
                  {'d', 2, 1, 20},
                  {'d', 2, 0, 30},
                  {'u', 0, 0, 40},
                  {'u', 1, 0, 40},
                  {'u', 2, 0, 40},
                  {'u', 2, 1, 40},
                  {'d', 2, 0, 100},
                  {'d', 1, 0, 110},
                  {'d', 0, 0, 120}},
                 {false, true}},
        JudgeRow{"OctaveExact",
                 {{'d', 0, 12, 0},
                  {'d', 1, 0, 10},
                  {'d', 2, 0, 20},
                  {'d', 0, 12, 100, kKeyboard},
                  {'d', 1, 0, 110, kKeyboard},
                  {'d', 2, 0, 120, kKeyboard}},
                 {false, true},
                 true},
        JudgeRow{"MouseTakesBack", {{'c', 0, 0}, {'c', 1, 0}, {'c', 1, 0}, {'c', 2, 0}, {'c', 1, 0}}, {true}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
