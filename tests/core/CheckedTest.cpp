#include "core/Checked.h"

#include <climits>
#include <cstdint>
#include <gtest/gtest.h>

using namespace lirasto;

// Integer arithmetic raises an error instead of wrapping.
TEST(CheckedArithmetic, RaisesOnOverflowInsteadOfWrapping)
{
    EXPECT_EQ(CheckedAdd(INT32_MAX - 5, 5), INT32_MAX);
    EXPECT_THROW(CheckedAdd(INT32_MAX, 1), EIntOverflow);
    EXPECT_THROW(CheckedSub(INT32_MIN, 1), EIntOverflow);
    EXPECT_THROW(CheckedMul(1 << 16, 1 << 16), EIntOverflow);
    EXPECT_EQ(CheckedCast<uint8_t>(255), 255);
    EXPECT_THROW(CheckedCast<uint8_t>(256), ERangeError);
    EXPECT_THROW(CheckedCast<uint16_t>(-1), ERangeError);
}

// A table indexed 1..12 accepts exactly 1..12.
TEST(RangeArray, AcceptsOnlyItsDeclaredRange)
{
    RangeArray<int, 1, 12> levels;
    for (int i = 1; i <= 12; ++i)
        levels[i] = i * 10;
    EXPECT_EQ(levels[1], 10);
    EXPECT_EQ(levels[12], 120);
    EXPECT_THROW(levels[0], ERangeError);
    EXPECT_THROW(levels[13], ERangeError);
    const RangeArray<int, 53, 88> notes{};
    EXPECT_THROW(notes[52], ERangeError);
    EXPECT_NO_THROW(notes[88]);
}
