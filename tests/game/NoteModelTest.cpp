#include "KeySignatureReading.h"
#include "game/GameCore.h"
#include "game/MusicKeys.h"
#include "game/uFunctions.h"
#include "game/uVariables.h"

#include <gtest/gtest.h>
#include <ostream>

#include <array>
#include <string>

using lirasto::ERangeError;

namespace {

int readPitchClass(const TSpelling& s, int key)
{
    const int letter = PitchClass(s.Natural);
    int alteration = 0;
    switch (s.Sign) {
    case TAccidental::Flat:
        alteration = -1;
        break;
    case TAccidental::Sharp:
        alteration = 1;
        break;
    case TAccidental::Natural:
        alteration = 0;
        break;
    case TAccidental::DoubleSharp:
    case TAccidental::DoubleFlat:
        ADD_FAILURE() << "a double sign in one of the twelve keys";
        break;
    case TAccidental::None:
        alteration = musician::SignatureAlteration(key, letter);
        break;
    }
    return PitchClass(letter + alteration);
}

} // namespace

// Every note of both staves, in every key, reads back as its own pitch class.
TEST(NoteSpelling, ReadsBackAsTheSoundingPitchClassInEveryKey)
{
    for (int key = 0; key < 12; ++key)
        for (int note = 36; note <= 88; ++note) {
            const TSpelling s = SpellNote(note, key);
            EXPECT_FALSE(IsBlackKey[PitchClass(s.Natural)]) << "note " << note << " key " << key;
            EXPECT_LE(std::abs(s.Natural - note), 1);
            EXPECT_EQ(readPitchClass(s, key), PitchClass(note)) << "note " << note << " key " << KeyNames[key];
        }
}

struct SpellingRow
{
    int note;
    int key;
    int natural;
    TAccidental sign;
};

void PrintTo(const SpellingRow& r, std::ostream* os)
{
    *os << "note " << r.note << " in key " << r.key << " -> natural " << r.natural << " sign "
        << static_cast<int>(r.sign);
}

class NoteSpellingCases : public testing::TestWithParam<SpellingRow>
{};

// Black keys take the natural above in flat keys and in C, the natural below in sharp keys;
// white keys altered by the signature get a natural sign.
TEST_P(NoteSpellingCases, SpellsTheNoteOnItsNaturalWithItsSign)
{
    const auto& row = GetParam();
    EXPECT_EQ(SpellNote(row.note, row.key), (TSpelling{row.natural, row.sign}));
}

INSTANTIATE_TEST_SUITE_P(
    Table, NoteSpellingCases,
    testing::Values(SpellingRow{61, 0, 62, TAccidental::Flat},    // D flat 4 in C
                    SpellingRow{61, 2, 60, TAccidental::None},    // C sharp 4 in D, from the signature
                    SpellingRow{70, 0, 71, TAccidental::Flat},    // B flat 4 in C
                    SpellingRow{70, 5, 71, TAccidental::None},    // B flat 4 in F
                    SpellingRow{70, 2, 69, TAccidental::Sharp},   // A sharp 4 in D
                    SpellingRow{71, 5, 71, TAccidental::Natural}, // B natural in F
                    SpellingRow{65, 2, 65, TAccidental::Natural}, // F natural in D
                    SpellingRow{80, 0, 81, TAccidental::Flat},    // A flat 5 in C
                    SpellingRow{80, 2, 79, TAccidental::Sharp},   // G sharp 5 in D
                    SpellingRow{60, 0, 60, TAccidental::None}, SpellingRow{88, 0, 88, TAccidental::None},
                    SpellingRow{66, 4, 65, TAccidental::None},    // F sharp in E
                    SpellingRow{63, 7, 62, TAccidental::Sharp})); // D sharp in G

// Gb's six flats include C flat: its C carries a natural sign, so do B and the other flatted
// letters, while every black key is written by the signature alone.
TEST(NoteSpelling, WritesCWithANaturalSignInGbMajor)
{
    const int gb = 6;
    EXPECT_EQ(SpellNote(60, gb), (TSpelling{60, TAccidental::Natural}));
    EXPECT_EQ(SpellNote(72, gb), (TSpelling{72, TAccidental::Natural}));
    EXPECT_EQ(SpellNote(71, gb), (TSpelling{71, TAccidental::Natural}));
    EXPECT_EQ(SpellNote(65, gb), (TSpelling{65, TAccidental::None}));
    for (int note = 61; note < 73; ++note)
        if (IsBlackKey[PitchClass(note)]) {
            EXPECT_EQ(SpellNote(note, gb), (TSpelling{note + 1, TAccidental::None})) << note;
        }
}

// The altered naturals are the white keys outside the scale, Gb's C flat being the one the scale cannot show.
TEST(KeyTables, AlteredNaturalsAreTheWhiteKeysOutsideTheScaleExceptGbsC)
{
    const TPitchClassSet whiteKeys = 0x0AB5;
    for (int key = 0; key < 12; ++key) {
        const TPitchClassSet expected = whiteKeys & ~KeyScale[key] & 0x0FFF;
        if (key == 6) {
            EXPECT_EQ(KeyAlteredNaturals[key], expected | PitchClassBit(0));
        } else {
            EXPECT_EQ(KeyAlteredNaturals[key], expected) << KeyNames[key];
        }
    }
}

// Every key's scale is the major scale on its tonic, but the stored Gb row repeats Db's.
TEST(KeyTables, ScaleIsTheMajorScaleOnTheTonicExceptTheStoredGbRow)
{
    for (int key = 0; key < 12; ++key) {
        TPitchClassSet major = 0;
        for (int step : {0, 2, 4, 5, 7, 9, 11})
            major |= PitchClassBit((key + step) % 12);
        EXPECT_EQ(KeyScale[key], key == 6 ? TPitchClassSet{0x056B} : major) << KeyNames[key];
        EXPECT_EQ(KeyAccidentalKind[key], key == 0 ? -1 : (musician::kSignature[key] < 0 ? 0 : 1)) << KeyNames[key];
    }
}

// Levels run C, F, G, Bb, D, Eb, A, Ab, E, Db, B, Gb, and the last level is Gb major.
TEST(KeyTables, LevelsMapToKeysInOrderOfAccidentals)
{
    const std::array<std::string, 12> names = {"C", "F", "G", "Bb", "D", "Eb", "A", "Ab", "E", "Db", "B", "Gb"};
    for (int level = 1; level <= 12; ++level)
        EXPECT_EQ(KeyNames[LevelKeys[level]], names[level - 1]);
    EXPECT_EQ(LevelKeys[12], 6);
    EXPECT_THROW(LevelKeys[0], ERangeError);
    EXPECT_THROW(LevelKeys[13], ERangeError);
    EXPECT_THROW(KeyNames[12], ERangeError);
    EXPECT_THROW(SpellNote(60, 12), ERangeError);
    EXPECT_THROW(SpellNote(60, -1), ERangeError);
}

struct OffsetRow
{
    int note;
    int treble; // 999 where the note is not on the treble table
    int bass;
};

// Naturals climb 5 pixels per diatonic step: treble F3 85 .. E6 -15, bass C2 175 .. G4 85.
TEST(StaffOffsets, NaturalsFollowTheStaffTables)
{
    const OffsetRow rows[] = {
        {36, 999, 175}, {38, 999, 170}, {40, 999, 165}, {41, 999, 160}, {43, 999, 155}, {45, 999, 150}, {47, 999, 145},
        {48, 999, 140}, {50, 999, 135}, {52, 999, 130}, {53, 85, 125},  {55, 80, 120},  {57, 75, 115},  {59, 70, 110},
        {60, 65, 105},  {62, 60, 100},  {64, 55, 95},   {65, 50, 90},   {67, 45, 85},   {69, 40, 999},  {71, 35, 999},
        {72, 30, 999},  {74, 25, 999},  {76, 20, 999},  {77, 15, 999},  {79, 10, 999},  {81, 5, 999},   {83, 0, 999},
        {84, -5, 999},  {86, -10, 999}, {88, -15, 999}};
    for (const auto& row : rows) {
        if (row.treble != 999) {
            EXPECT_EQ(TrebleNoteY[row.note], row.treble) << row.note;
        }
        if (row.bass != 999) {
            EXPECT_EQ(BassNoteY[row.note], row.bass) << row.note;
        }
    }
    EXPECT_THROW(TrebleNoteY[52], ERangeError);
    EXPECT_THROW(TrebleNoteY[89], ERangeError);
    EXPECT_THROW(BassNoteY[35], ERangeError);
    EXPECT_THROW(BassNoteY[68], ERangeError);
}

// Ledger positions change exactly at the staff edges, and LedgerTop gives each position's base.
TEST(LedgerTables, PositionsChangeAtTheStaffEdges)
{
    EXPECT_EQ(BassLedgerPosition[36], 1);
    EXPECT_EQ(BassLedgerPosition[40], 1);
    EXPECT_EQ(BassLedgerPosition[41], 0);
    EXPECT_EQ(BassLedgerPosition[59], 0);
    EXPECT_EQ(BassLedgerPosition[60], 2);
    EXPECT_EQ(BassLedgerPosition[68], 2);
    EXPECT_EQ(TrebleLedgerPosition[52], 3);
    EXPECT_EQ(TrebleLedgerPosition[61], 3);
    EXPECT_EQ(TrebleLedgerPosition[62], 0);
    EXPECT_EQ(TrebleLedgerPosition[79], 0);
    EXPECT_EQ(TrebleLedgerPosition[80], 4);
    EXPECT_EQ(TrebleLedgerPosition[88], 4);
    EXPECT_THROW(TrebleLedgerPosition[51], ERangeError);
    EXPECT_THROW(BassLedgerPosition[69], ERangeError);
    EXPECT_EQ(LedgerTop[1], 190);
    EXPECT_EQ(LedgerTop[2], 110);
    EXPECT_EQ(LedgerTop[3], 90);
    EXPECT_EQ(LedgerTop[4], 10);
    EXPECT_THROW(LedgerTop[0], ERangeError);
    EXPECT_THROW(LedgerTop[5], ERangeError);
}

struct EdgeRow
{
    int note;
    int key;
    int position;
};

void PrintTo(const EdgeRow& r, std::ostream* os)
{
    *os << "note " << r.note << " in key " << r.key << " -> ledger " << r.position;
}

class TrebleLedgerEdge : public testing::TestWithParam<EdgeRow>
{};

// Notes 61 and 80 take ledger lines according to how the key spells them; the others as the table says.
TEST_P(TrebleLedgerEdge, FollowsTheSpellingAcrossTheStaffEdge)
{
    EXPECT_EQ(TrebleLedgerFor(GetParam().note, GetParam().key), GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(Table, TrebleLedgerEdge,
                         testing::Values(EdgeRow{61, 0, 0}, EdgeRow{61, 2, 3}, EdgeRow{61, 5, 0}, EdgeRow{61, 1, 0},
                                         EdgeRow{61, 11, 3}, EdgeRow{80, 0, 4}, EdgeRow{80, 2, 0}, EdgeRow{80, 8, 4},
                                         EdgeRow{80, 9, 0}, EdgeRow{60, 0, 3}, EdgeRow{62, 2, 0}, EdgeRow{79, 0, 0},
                                         EdgeRow{81, 2, 4}, EdgeRow{53, 7, 3}, EdgeRow{88, 7, 4}));

// Every treble note's ledger position is the one of the natural it is written on.
TEST(TrebleLedger, MatchesTheLedgerPositionOfTheSpelledNatural)
{
    for (int key = 0; key < 12; ++key)
        for (int note = 53; note <= 88; ++note)
            EXPECT_EQ(TrebleLedgerFor(note, key), TrebleLedgerPosition[SpellNote(note, key).Natural])
                << note << " " << KeyNames[key];
}

// A note set holds exactly the notes 32..95; adding any other is a range error.
TEST(NoteSetTest, HoldsNotes32To95AndRejectsOthers)
{
    TNoteSet set;
    EXPECT_TRUE(set.Empty());
    set.Include(32);
    set.Include(95);
    set.Include(60);
    EXPECT_EQ(set.Bits, (uint64_t{1} << 0) | (uint64_t{1} << 63) | (uint64_t{1} << 28));
    EXPECT_TRUE(set.Contains(60));
    EXPECT_FALSE(set.Contains(61));
    EXPECT_FALSE(set.Contains(31));
    EXPECT_FALSE(set.Contains(96));
    EXPECT_THROW(set.Include(31), ERangeError);
    EXPECT_THROW(set.Include(96), ERangeError);
    EXPECT_EQ(TNoteSet::Of(40).Bits, uint64_t{1} << 8);
}

// Pitch-class sets use bits 0..11 only.
TEST(PitchClassSetTest, UsesBitKForPitchClassK)
{
    EXPECT_EQ(PitchClassBit(0), 1);
    EXPECT_EQ(PitchClassBit(11), 0x0800);
    EXPECT_THROW(PitchClassBit(12), ERangeError);
    EXPECT_THROW(PitchClassBit(-1), ERangeError);
    EXPECT_TRUE(HasPitchClass(0x0AB5, 11));
    EXPECT_FALSE(HasPitchClass(0x0AB5, 10));
    EXPECT_EQ(PitchClass(66), 6);
    EXPECT_EQ(PitchClass(-1), 11);
}

// state = state * 134775813 + 1 (mod 2^32); the result is the high half of n * state.
TEST(RandomGenerator, FollowsTheLinearCongruentialSequence)
{
    struct Draw
    {
        int n;
        uint32_t state;
        int result;
    };
    const Draw fromZero[] = {{2, 1u, 0},
                             {2, 134775814u, 0},
                             {36, 3698175007u, 30},
                             {32, 870078620u, 6},
                             {100, 1172187917u, 27},
                             {12, 2884733762u, 8},
                             {1000000, 1368768587u, 318691}};
    RandSeed = 0;
    for (const auto& d : fromZero) {
        EXPECT_EQ(Random(d.n), d.result);
        EXPECT_EQ(RandSeed, d.state);
    }
    RandSeed = 12345;
    EXPECT_EQ(Random(36), 13);
    EXPECT_EQ(Random(36), 10);
    EXPECT_EQ(Random(36), 2);
}

// Random(n) stays within 0..n-1, even at the top of the state range, and refuses n <= 0.
TEST(RandomGenerator, StaysWithinZeroToNMinusOne)
{
    RandSeed = 1298181734u; // the next state is 0xFFFFFFFF, the largest
    EXPECT_EQ(Random(36), 35);
    EXPECT_EQ(RandSeed, 0xFFFFFFFFu);
    for (int n : {1, 2, 12, 32, 36, 1 << 30})
        for (int i = 0; i < 2000; ++i) {
            const int r = Random(n);
            ASSERT_GE(r, 0);
            ASSERT_LT(r, n);
        }
    const uint32_t before = RandSeed;
    EXPECT_THROW(Random(0), ERangeError);
    EXPECT_THROW(Random(-5), ERangeError);
    EXPECT_EQ(RandSeed, before);
}

// The seed is the time of day in milliseconds, so it never reaches a full day.
TEST(RandomGenerator, SeedsFromTheMillisecondsOfTheDay)
{
    Randomize();
    EXPECT_LT(RandSeed, 86400000u);
}

// Start-up state is all zeroes: the staff drawing's records, and a fresh game core's run.
TEST(GameState, ResetZeroesEveryVariable)
{
    TStaffState staff;
    staff.TrebleSlots[1].Note = 60;
    staff.TrebleSlots[1].StemDown = true;
    staff.LedgerLayers[2].Exists = true;
    staff.EvaluationMarkShown = true;
    staff.StaffKey = 5;
    staff = {};
    EXPECT_EQ(staff.TrebleSlots[1].Note, 0);
    EXPECT_FALSE(staff.TrebleSlots[1].StemDown);
    EXPECT_FALSE(staff.LedgerLayers[2].Exists);
    EXPECT_FALSE(staff.EvaluationMarkShown);
    EXPECT_EQ(staff.StaffKey, 0);
    EXPECT_THROW(staff.TrebleSlots[6], ERangeError);
    TGameCore core;
    EXPECT_EQ(core.Level(), 1);
    EXPECT_EQ(core.ExpectedKeys(), 0);
    EXPECT_EQ(core.PressedKeys(), 0);
    core.LoadLevel(3);
    EXPECT_EQ(core.LevelRow().TimeLimit, 150);
    core.LoadLevel(13);
    EXPECT_THROW(core.LevelRow(), ERangeError);
}

// How a musician spells notes in the keys the twelve levels lack, and the chromatic notes of the
// thirty: by name of the key, the note, whether the line goes up to it, the staff natural, the sign.
struct MusicSpellingRow
{
    const char* key;
    int note;
    bool ascending;
    int natural;
    TAccidental sign;
};

class MusicKeySpelling : public testing::TestWithParam<MusicSpellingRow>
{};

TEST_P(MusicKeySpelling, WritesTheNoteAsAMusicianWould)
{
    const MusicSpellingRow& row = GetParam();
    const int key = MusicKeyFromName(row.key);
    ASSERT_GE(key, 0) << row.key;
    EXPECT_EQ(SpellInMusicKey(row.note, key, row.ascending), (TSpelling{row.natural, row.sign}))
        << row.key << " " << row.note;
}

using A = TAccidental;
INSTANTIATE_TEST_SUITE_P(
    Table, MusicKeySpelling,
    testing::Values(MusicSpellingRow{"Gb", 71, false, 72, A::None},              // C flat, from the signature
                    MusicSpellingRow{"F#", 65, false, 64, A::None},              // E sharp
                    MusicSpellingRow{"C#", 62, true, 62, A::Natural},            // D natural, not C double sharp
                    MusicSpellingRow{"Cb", 60, false, 60, A::Natural},           // C natural, not D double flat
                    MusicSpellingRow{"G# minor", 67, false, 65, A::DoubleSharp}, // the raised seventh F double sharp
                    MusicSpellingRow{"A# minor", 69, false, 67, A::DoubleSharp},
                    MusicSpellingRow{"D# minor", 62, false, 60, A::DoubleSharp},
                    MusicSpellingRow{"A minor", 68, false, 67, A::Sharp},    // G sharp
                    MusicSpellingRow{"F minor", 64, false, 64, A::Natural},  // E natural against the E flat
                    MusicSpellingRow{"Ab minor", 67, false, 67, A::Natural}, // G natural against the G flat
                    MusicSpellingRow{"C", 61, true, 60, A::Sharp},           // up: C sharp
                    MusicSpellingRow{"C", 61, false, 62, A::Flat},           // down: D flat
                    MusicSpellingRow{"A minor", 70, true, 69, A::Sharp},
                    MusicSpellingRow{"D", 60, false, 60, A::Natural}, // cancels the C sharp
                    MusicSpellingRow{"Bb", 66, true, 67, A::Flat},    // flat keys lower
                    MusicSpellingRow{"E", 70, false, 69, A::Sharp},   // sharp keys raise
                    MusicSpellingRow{"Eb minor", 62, false, 62, A::Natural}));

// Names as the command line takes them; anything else is no key.
TEST(MusicKeyNames, ReadMajorAndMinorNamesAndRefuseOthers)
{
    const std::pair<const char*, const char*> good[] = {{"F# minor", "F# minor"}, {"Cb", "Cb"},
                                                        {"ebm", "Eb minor"},      {"c#", "C#"},
                                                        {"Bb major", "Bb"},       {"A minor", "A minor"}};
    for (const auto& [name, shown] : good) {
        const int key = MusicKeyFromName(name);
        ASSERT_GE(key, 0) << name;
        EXPECT_EQ(MusicKeyName(key), shown);
    }
    for (const char* bad : {"", "H", "Fb", "E#", "Gb minor", "B# minor", "F#minorx", "C##", "Am7", " C"})
        EXPECT_EQ(MusicKeyFromName(bad), -1) << bad;
    EXPECT_THROW(MusicKey(30), ERangeError);
}

// In the twelve levels' keys the thirty write every note as the levels do, but for G flat's
// C flat, which the levels' tables cannot tell from B natural.
// The history keeps a key by a code fixed by its signature and mode, whatever the order of the table.
TEST(MusicKeyCodes, AreFixedBySignatureAndMode)
{
    const std::pair<const char*, int> fixed[] = {{"Cb", 1},        {"C", 8},        {"C#", 15},
                                                 {"Ab minor", 16}, {"A minor", 23}, {"A# minor", 30}};
    for (const auto& [name, code] : fixed)
        EXPECT_EQ(MusicKeyCode(MusicKeyFromName(name)), code) << name;
    for (int k = 0; k < kMusicKeyCount; ++k)
        EXPECT_EQ(MusicKeyOfCode(MusicKeyCode(k)), k);
    for (int code : {0, -1, 31, 1000})
        EXPECT_EQ(MusicKeyOfCode(code), -1) << code;
    EXPECT_EQ(MusicKeyCode(30), 0);
}

TEST(MusicKeySpelling, AgreesWithTheLevelsSpellingInTheirTwelveKeys)
{
    for (int key = 0; key < KeyCount; ++key)
        for (int note = 36; note <= 96; ++note) {
            if (key == 6 && PitchClass(note) == 11) {
                EXPECT_EQ(SpellInMusicKey(note, MusicKeyOfLevelKey(key)), (TSpelling{note + 1, A::None}));
                continue;
            }
            EXPECT_EQ(SpellInMusicKey(note, MusicKeyOfLevelKey(key)), SpellNote(note, key)) << key << " " << note;
        }
}
