#include "graphics/Blend.h"
#include "graphics/CpuFeatures.h"
#include "graphics/LowLevel.h"

#include "tests/support/PixelDiff.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using lirasto::test::DiffPixels;

namespace {

// The blend of one channel exactly as the packed arithmetic defines it.
uint32_t packedChannel(uint32_t f, uint32_t b, uint32_t w)
{
    return (b * 256 + (f - b) * w + 128) >> 8;
}

TColor32 packedReference(TColor32 F, TColor32 B, uint32_t w)
{
    TColor32 r = 0;
    for (int s = 0; s < 32; s += 8)
        r |= packedChannel((F >> s) & 0xFF, (B >> s) & 0xFF, w) << s;
    return r;
}

struct Variant
{
    BlendImpl impl;
    TBlendLine line;
    TBlendLineEx lineEx;
    const char* name;
};

const Variant kPacked[] = {
    {BlendImpl::Portable, lirasto::blend::BlendLinePortable, lirasto::blend::BlendLineExPortable, "Portable"},
    {BlendImpl::Sse2, lirasto::blend::BlendLineSse2, lirasto::blend::BlendLineExSse2, "Sse2"},
    {BlendImpl::Avx2, lirasto::blend::BlendLineAvx2, lirasto::blend::BlendLineExAvx2, "Avx2"},
};
const Variant kPlain = {BlendImpl::Plain, lirasto::blend::BlendLinePlain, lirasto::blend::BlendLineExPlain, "Plain"};

void PrintTo(const Variant& v, std::ostream* os)
{
    *os << v.name;
}

std::string variantName(const testing::TestParamInfo<Variant>& info)
{
    return info.param.name;
}

void skipUnlessAvailable(const Variant& v)
{
    if (!BlendImplementationAvailable(v.impl))
        GTEST_SKIP() << v.name << " is not offered by this processor";
}

// Runs a row of n copies of F over n copies of B; every pixel must give the same result.
TColor32 blendRow(const Variant& v, TColor32 F, TColor32 B, int M = 255, int n = 13)
{
    std::vector<TColor32> src(std::size_t(n), F), dst(std::size_t(n), B);
    if (M == 255)
        v.line(src.data(), dst.data(), n);
    else
        v.lineEx(src.data(), dst.data(), n, M);
    for (int i = 1; i < n; ++i)
        EXPECT_EQ(dst[std::size_t(i)], dst[0]) << "pixel " << i;
    return dst[0];
}

struct LineCase
{
    TColor32 F, B, packed, plain;
};

// Alpha 0 keeps the destination, 255 copies the source with its alpha, anything between
// mixes every channel (alpha too); the plain arithmetic rounds its two terms apart.
const LineCase kLineCases[] = {
    {0x80FF0000, 0xFF000000, 0xC0800000, 0xBF800000}, {0x80FF0000, 0xFFFFFFFF, 0xC0FF8080, 0xBFFF7F7F},
    {0x00123456, 0x89ABCDEF, 0x89ABCDEF, 0x89ABCDEF}, {0xFF123456, 0x00ABCDEF, 0xFF123456, 0xFF123456},
    {0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFF000000},
};

struct ExCase
{
    TColor32 F, B;
    int M;
    TColor32 packed, plain;
};

// With a master alpha the weight is ((Fa + 1) * M) >> 8 (packed) or ((M + 1) * Fa) >> 8
// (plain); weight 0 keeps the destination and no weight copies exactly.
const ExCase kExCases[] = {
    {0x80FF0000, 0xFF000000, 128, 0xDF400000, 0xDE400000}, {0x01FFFFFF, 0xFF000000, 254, 0xFE010101, 0xFF000000},
    {0xFAFFFFFF, 0xFF000000, 5, 0xFF040404, 0xFE050505},   {0xFF3366CC, 0xFF000000, 128, 0xFF1A3366, 0xFF1A3366},
    {0x00FFFFFF, 0xFF102030, 200, 0xFF102030, 0xFF102030}, {0x40204080, 0x80FFFFFF, 255, 0x70C7CFDF, 0x70C6CEDE},
    {0xFF123456, 0xFF654321, 1, 0xFF654321, 0xFE644221},
};

class PackedBlend : public testing::TestWithParam<Variant>
{};

TEST_P(PackedBlend, GivesTheDocumentedFigures)
{
    skipUnlessAvailable(GetParam());
    for (const auto& c : kLineCases)
        EXPECT_EQ(blendRow(GetParam(), c.F, c.B), c.packed) << std::hex << c.F << " over " << c.B;
    for (const auto& c : kExCases)
        EXPECT_EQ(blendRow(GetParam(), c.F, c.B, c.M), c.packed) << std::hex << c.F << " over " << c.B << " M " << c.M;
}

// Every source channel, destination channel and alpha: each routine matches the formula.
// Alpha varies from pixel to pixel, so vector groups mix transparent, opaque and partial pixels.
TEST_P(PackedBlend, MatchesTheFormulaForEveryChannelAndAlpha)
{
    skipUnlessAvailable(GetParam());
    std::vector<TColor32> src(65536), dst(65536), expected(65536);
    for (uint32_t a = 0; a < 256; ++a) {
        for (uint32_t f = 0; f < 256; ++f) {
            for (uint32_t b = 0; b < 256; ++b) {
                const std::size_t i = f * 256 + b;
                const uint32_t alpha = (a + i) & 0xFF;
                src[i] = alpha << 24 | f << 16 | (255 - f) << 8 | f;
                dst[i] = b << 24 | (255 - b) << 16 | b << 8 | b;
                expected[i] = alpha == 0 ? dst[i] : alpha == 255 ? src[i] : packedReference(src[i], dst[i], alpha);
            }
        }
        GetParam().line(src.data(), dst.data(), 65536);
        const auto diff = DiffPixels(dst.data(), expected.data(), 65536);
        ASSERT_TRUE(diff.Same()) << "alpha " << a << ": " << diff.Describe();
    }
}

// The master-alpha rows for every alpha and a spread of masters, over every channel pair.
TEST_P(PackedBlend, MatchesTheFormulaWithMasterAlpha)
{
    skipUnlessAvailable(GetParam());
    std::vector<TColor32> src(65536), dst(65536), expected(65536);
    for (int M : {1, 2, 77, 127, 128, 200, 254, 255}) {
        for (uint32_t a = 0; a < 256; a += 17) {
            for (uint32_t i = 0; i < 65536; ++i) {
                const uint32_t alpha = (a + i) & 0xFF;
                const uint32_t w = ((alpha + 1) * uint32_t(M)) >> 8;
                src[i] = alpha << 24 | (i >> 8) << 16 | (i & 0xFF) << 8 | (i >> 8);
                dst[i] = (255 - (i & 0xFF)) << 24 | (i & 0xFF) << 16 | (i >> 8) << 8 | (i & 0xFF);
                expected[i] = w == 0 ? dst[i] : packedReference(src[i], dst[i], w);
            }
            GetParam().lineEx(src.data(), dst.data(), 65536, M);
            const auto diff = DiffPixels(dst.data(), expected.data(), 65536);
            ASSERT_TRUE(diff.Same()) << "alpha " << a << " master " << M << ": " << diff.Describe();
        }
    }
}

// Rows of any length and start give the same bits as the portable routine and touch
// nothing outside the row.
TEST_P(PackedBlend, HandlesShortRowsAndUnalignedStarts)
{
    skipUnlessAvailable(GetParam());
    std::mt19937 rng(7);
    const uint32_t alphas[] = {0, 0, 0, 255, 255, 255, 1, 128, 254};
    for (int n = 0; n <= 33; ++n) {
        for (int offset = 0; offset < 8; ++offset) {
            for (int M : {255, 100}) {
                std::vector<TColor32> src(64), dst(64);
                for (std::size_t i = 0; i < 64; ++i) {
                    src[i] = alphas[rng() % 9] << 24 | (rng() & 0xFFFFFF);
                    dst[i] = rng();
                }
                auto expected = dst;
                if (M == 255) {
                    lirasto::blend::BlendLinePortable(src.data() + offset, expected.data() + offset, n);
                    GetParam().line(src.data() + offset, dst.data() + offset, n);
                } else {
                    lirasto::blend::BlendLineExPortable(src.data() + offset, expected.data() + offset, n, M);
                    GetParam().lineEx(src.data() + offset, dst.data() + offset, n, M);
                }
                const auto diff = DiffPixels(dst.data(), expected.data(), 64);
                ASSERT_TRUE(diff.Same()) << "length " << n << " offset " << offset << " M " << M << ": "
                                         << diff.Describe();
            }
        }
    }
}

// A master alpha outside 0..255 is refused rather than wrapped.
TEST_P(PackedBlend, RefusesMasterAlphaOutsideItsRange)
{
    skipUnlessAvailable(GetParam());
    TColor32 s[9] = {}, d[9] = {};
    EXPECT_THROW(GetParam().lineEx(s, d, 9, 256), lirasto::ERangeError);
    EXPECT_THROW(GetParam().lineEx(s, d, 9, -1), lirasto::ERangeError);
}

INSTANTIATE_TEST_SUITE_P(Variants, PackedBlend, testing::ValuesIn(kPacked), variantName);

// The plain arithmetic keeps the shortcuts and rounds its two terms separately.
TEST(PlainBlend, GivesTheDocumentedFigures)
{
    for (const auto& c : kLineCases) {
        EXPECT_EQ(blendRow(kPlain, c.F, c.B), c.plain) << std::hex << c.F << " over " << c.B;
        EXPECT_EQ(BlendRegPlain(c.F, c.B), c.plain);
        EXPECT_EQ(BlendReg(c.F, c.B), c.packed);
    }
    for (const auto& c : kExCases) {
        EXPECT_EQ(blendRow(kPlain, c.F, c.B, c.M), c.plain) << std::hex << c.F << " over " << c.B << " M " << c.M;
        EXPECT_EQ(BlendRegExPlain(c.F, c.B, c.M), c.plain);
        EXPECT_EQ(BlendRegEx(c.F, c.B, c.M), c.packed);
    }
}

// The two arithmetics never differ by more than two steps, and the plain one never
// carries out of a channel.
TEST(PlainBlend, StaysWithinTwoStepsOfThePackedResult)
{
    for (uint32_t a = 1; a < 255; ++a) {
        for (uint32_t f = 0; f < 256; f += 5) {
            for (uint32_t b = 0; b < 256; ++b) {
                const TColor32 F = a << 24 | f << 16 | f << 8 | f, B = 0xFF000000 | b << 16 | b << 8 | b;
                const int plain = int(BlendRegPlain(F, B) & 0xFF), packed = int(BlendReg(F, B) & 0xFF);
                ASSERT_LE(std::abs(plain - packed), 2) << a << " " << f << " " << b;
            }
        }
    }
}

// The start-up choice fills both tables; forcing a variant refills them.
TEST(BlendTables, FollowTheChosenImplementation)
{
    EXPECT_EQ(BlendImplementation(), BestBlendImplementation());
    if (CpuFeatures().Avx2) {
        EXPECT_EQ(BestBlendImplementation(), BlendImpl::Avx2);
    }
    SetBlendImplementation(BlendImpl::Plain);
    TColor32 s = 0x80FF0000, d = 0xFF000000;
    BLEND_LINE[cmBlend](&s, &d, 1);
    EXPECT_EQ(d, 0xBF800000u);
    SetBlendImplementation(BlendImpl::Portable);
    d = 0xFF000000;
    BlendLine(&s, &d, 1);
    EXPECT_EQ(d, 0xC0800000u);
    SetBlendImplementation(BestBlendImplementation());
    EXPECT_THROW(BLEND_LINE[TCombineMode(2)], lirasto::ERangeError);
    if (!CpuFeatures().Avx2) {
        EXPECT_THROW(SetBlendImplementation(BlendImpl::Avx2), lirasto::ERangeError);
    }
}

// Merge is "over" that respects the destination's own coverage.
TEST(MergeBlend, ComposesCoverageOfBothPixels)
{
    struct Row
    {
        TColor32 F, B, expected;
    };
    const Row rows[] = {
        {0x80FF0000, 0xFF000000, 0xFF800000}, // over opaque: like the blend, alpha stays opaque
        {0x80FF0000, 0x80000000, 0xC0AA0000}, // coverage 1 - (1 - .5)(1 - .5)
        {0x80FF0000, 0x000000FF, 0x80FF0000}, // over nothing: the source itself
        {0x00FF0000, 0x12345678, 0x12345678}, {0xFF123456, 0x80FFFFFF, 0xFF123456},
    };
    for (const auto& r : rows) {
        TColor32 d = r.B;
        BLEND_LINE[cmMerge](&r.F, &d, 1);
        EXPECT_EQ(d, r.expected) << std::hex << r.F << " over " << r.B;
    }
    TColor32 d = 0x80000000;
    BLEND_LINE_EX[cmMerge](&rows[0].F, &d, 1, 0);
    EXPECT_EQ(d, 0x80000000u);
}

// Entry i of the bias table holds i in four lanes, each entry on an 8-byte boundary.
TEST(BiasTable, HoldsEachIndexInFourLanes)
{
    const auto& table = BiasTable();
    for (uint16_t i = 0; i < 256; ++i)
        for (uint16_t lane : table[i].Lanes)
            ASSERT_EQ(lane, i);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(&table[1]) % 8, 0u);
}

// Row fills and copies do nothing for counts of zero or less.
TEST(LowLevel, FillsAndMovesOnlyPositiveCounts)
{
    TColor32 row[4] = {1, 2, 3, 4};
    FillLongword(row, 0, 9);
    FillLongword(row, -5, 9);
    MoveLongword(row + 1, row, -1);
    EXPECT_EQ(row[0], 1u);
    FillLongword(row + 1, 2, 9);
    EXPECT_EQ(row[1], 9u);
    EXPECT_EQ(row[3], 4u);
    MoveLongword(row, row + 1, 3);
    EXPECT_EQ(row[3], 9u);
    EXPECT_EQ(row[1], 1u);
}

// Every x86-64 processor has MMX and SSE2.
TEST(CpuFeatures, ReportsTheBaseInstructionSets)
{
#if defined(__x86_64__)
    EXPECT_TRUE(CpuFeatures().Mmx);
    EXPECT_TRUE(CpuFeatures().Sse2);
    EXPECT_EQ(CpuFeatures().Avx2, bool(__builtin_cpu_supports("avx2")));
#endif
}

} // namespace
