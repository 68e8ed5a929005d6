#include "widgets/grid/GridGeometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A header of 10, then 20, a hidden one, 20 and 30.
const std::vector<ui::UINT> kSizes{10, 20, 0, 20, 30};
constexpr int kFixed = 1;

struct Case {
    int a, b, expected;
};

TEST(GridGeometry, OffsetSumsTheSizesBeforeAnIndex)
{
    for (Case c : {Case{0, 0, 0}, Case{2, 0, 30}, Case{3, 0, 30}, Case{5, 0, 80}, Case{9, 0, 80}}) {
        EXPECT_EQ(grid::Offset(kSizes, c.a), c.expected) << "index " << c.a;
    }
}

TEST(GridGeometry, FirstScrolledWalksFromTheFirstNonFixedIndexToTheScrollPosition)
{
    for (Case c : {Case{0, 0, 1}, Case{20, 0, 2}, Case{21, 0, 4}, Case{40, 0, 4}, Case{1000, 0, 4}}) {
        EXPECT_EQ(grid::FirstScrolled(kSizes, kFixed, c.a), c.expected) << "position " << c.a;
    }
}

TEST(GridGeometry, LastVisibleCountsPartlyShownIndices)
{
    // (first scrolled index, extent)
    for (Case c : {Case{1, 10, -1}, Case{1, 30, 1}, Case{1, 31, 3}, Case{1, 51, 4}, Case{3, 31, 4}, Case{4, 500, 4}}) {
        EXPECT_EQ(grid::LastVisible(kSizes, kFixed, c.a, c.b), c.expected) << "first " << c.a << " extent " << c.b;
    }
}

TEST(GridGeometry, ShownCountsOnlyIndicesWithASize)
{
    for (Case c : {Case{0, 5, 4}, Case{1, 4, 2}, Case{2, 3, 0}, Case{3, 9, 2}, Case{4, 2, 0}}) {
        EXPECT_EQ(grid::Shown(kSizes, c.a, c.b), c.expected) << c.a << " .. " << c.b;
    }
}

TEST(GridGeometry, IndexAtSkipsHiddenAndScrolledIndices)
{
    struct At {
        int first, pos;
        bool allowFixed;
        int expected;
    };
    for (At c : {At{1, -1, true, -1}, At{1, 5, true, 0}, At{1, 5, false, -1}, At{1, 10, true, 1}, At{1, 29, true, 1}, At{1, 30, true, 3},
             At{1, 79, true, 4}, At{1, 80, true, -1}, At{3, 10, true, 3}, At{3, 30, false, 4}}) {
        EXPECT_EQ(grid::IndexAt(kSizes, kFixed, c.first, c.pos, c.allowFixed), c.expected)
            << "first " << c.first << " position " << c.pos << " header allowed " << c.allowFixed;
    }
}

} // namespace
