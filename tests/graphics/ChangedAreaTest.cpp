#include "graphics/ChangedArea.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

// The changed area holds exactly the union of what was added, inline or spilled, and cuts it
// for composing into rectangles that cover it without overlapping.
TEST(ChangedArea, KeepsTheExactUnionAndComposesItWithoutOverlaps)
{
    std::mt19937 rng(7);
    for (int trial = 0; trial < 300; ++trial) {
        TChangedArea area;
        QRegion expected;
        const int count = int(rng() % 30);
        for (int i = 0; i < count; ++i) {
            const int x = int(rng() % 200), y = int(rng() % 100), w = int(rng() % 40), h = int(rng() % 40);
            area.Add(TRect{x, y, x + w, y + h});
            expected += QRect(x, y, w, h);
        }
        ASSERT_EQ(area.Region(), expected) << trial;
        ASSERT_EQ(area.IsEmpty(), expected.isEmpty()) << trial;
        std::vector<TRect> rects{TRect{1, 1, 2, 2}}; // left over from an earlier pass
        area.CompositionRects(rects);
        QRegion composed;
        for (std::size_t i = 0; i < rects.size(); ++i) {
            for (std::size_t j = i + 1; j < rects.size(); ++j)
                ASSERT_TRUE(IntersectRect(rects[i], rects[j]).IsEmpty()) << trial;
            composed += QRect(rects[i].Left, rects[i].Top, int(rects[i].Width()), int(rects[i].Height()));
        }
        ASSERT_EQ(composed & expected, expected) << trial;
        ASSERT_EQ(composed & expected.boundingRect(), composed) << trial;
    }
}

// A rectangle inside one already noted adds nothing; one that covers noted ones replaces them.
TEST(ChangedArea, DropsCoveredRectangles)
{
    TChangedArea area;
    area.Add(TRect{10, 10, 20, 20});
    area.Add(TRect{30, 10, 40, 20});
    area.Add(TRect{12, 12, 18, 18});
    area.Add(TRect{5, 5, 5, 50}); // empty
    EXPECT_EQ(area.InlineRects().size(), 2u);
    area.Add(TRect{0, 0, 50, 30});
    ASSERT_EQ(area.InlineRects().size(), 1u);
    EXPECT_EQ(area.InlineRects()[0], (TRect{0, 0, 50, 30}));
    area.Clear();
    EXPECT_TRUE(area.IsEmpty());
}
