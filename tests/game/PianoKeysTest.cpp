#include "game/PianoKeys.h"

#include <gtest/gtest.h>
#include <ostream>

namespace {

struct HitRow
{
    int x, y;
    int pitchClass, item, left;
};

void PrintTo(const HitRow& r, std::ostream* os)
{
    *os << "(" << r.x << ", " << r.y << ") -> pitch class " << r.pitchClass << " item " << r.item << " left " << r.left;
}

// The key under a point: black keys in the upper band (rows 0..42), white keys
// only below; a boundary column belongs to the key that starts there.
class PianoKeyAtTest : public testing::TestWithParam<HitRow>
{};

TEST_P(PianoKeyAtTest, FindsKeyItsHighlightAndLeftEdge)
{
    const HitRow& row = GetParam();
    auto hit = PianoKeyAt(row.x, row.y);
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->PitchClass, row.pitchClass);
    EXPECT_EQ(hit->HighlightItem, row.item);
    EXPECT_EQ(hit->Left, row.left);
}

INSTANTIATE_TEST_SUITE_P(EdgeCases, PianoKeyAtTest,
                         testing::Values(HitRow{10, 0, 0, 1, 0}, HitRow{11, 0, 1, 0, 11}, HitRow{23, 0, 1, 0, 11},
                                         HitRow{24, 0, 2, 2, 21}, HitRow{15, 42, 1, 0, 11}, HitRow{15, 43, 0, 1, 0},
                                         HitRow{150, 60, 0, 1, 140}, HitRow{161, 60, 2, 2, 161},
                                         HitRow{291, 10, 1, 0, 291}, HitRow{0, 0, 0, 1, 0}, HitRow{559, 70, 11, 7, 541},
                                         HitRow{559, 0, 11, 7, 541}, HitRow{128, 41, 10, 0, 117},
                                         HitRow{129, 41, 11, 7, 121}, HitRow{120, 43, 9, 6, 101},
                                         HitRow{121, 43, 11, 7, 121}, HitRow{420, 0, 0, 1, 420}));

// The lower band divides the octave into white keys of 21, 20, 20, 20, 20, 20 and 19 pixels.
TEST(PianoKeyAt, LowerBandWhiteKeyWidthsCoverTheOctave)
{
    const int widths[] = {21, 20, 20, 20, 20, 20, 19};
    const int pitchClasses[] = {0, 2, 4, 5, 7, 9, 11};
    for (int octave = 0; octave < 4; ++octave) {
        int x = octave * 140;
        for (int key = 0; key < 7; ++key) {
            for (int i = 0; i < widths[key]; ++i, ++x) {
                auto hit = PianoKeyAt(x, 60);
                ASSERT_TRUE(hit);
                EXPECT_EQ(hit->PitchClass, pitchClasses[key]) << "column " << x;
            }
        }
    }
}

// Every octave answers alike: the same offset gives the same pitch class.
TEST(PianoKeyAt, EveryOctaveAnswersAlike)
{
    for (int r = 0; r < 140; ++r)
        for (int y : {0, 42, 43, 70})
            for (int octave = 1; octave < 4; ++octave) {
                auto first = PianoKeyAt(r, y);
                auto other = PianoKeyAt(r + octave * 140, y);
                ASSERT_TRUE(first && other);
                EXPECT_EQ(first->PitchClass, other->PitchClass);
                EXPECT_EQ(first->Left + octave * 140, other->Left);
            }
}

TEST(PianoKeyAt, NothingOutsideTheKeyboardColumns)
{
    EXPECT_FALSE(PianoKeyAt(-1, 10));
    EXPECT_FALSE(PianoKeyAt(560, 10));
}

} // namespace
