#include "sim/AxisTable.h"
#include "sim/MapTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace sim {
namespace {

uint16_t Word(const std::vector<uint8_t>& bytes, size_t at)
{
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

TEST(AxisTable, BothAxesRiseAndRowsPassThroughOneAtmosphere)
{
    const AxisTable axes;
    bool atmosphere = false;
    for (size_t i = 1; i < AxisTable::kPoints; ++i) {
        EXPECT_GT(axes.Row(i), axes.Row(i - 1));
        EXPECT_GT(axes.Column(i), axes.Column(i - 1));
        atmosphere = atmosphere || axes.Row(i) == 10332;
    }
    EXPECT_TRUE(atmosphere);
}

TEST(AxisTable, ReplyIsRowWordsThenColumnWords)
{
    const AxisTable axes;
    const auto data = axes.ReplyData();
    ASSERT_EQ(data.size(), 80u);
    for (size_t i = 0; i < AxisTable::kPoints; ++i) {
        EXPECT_EQ(Word(data, 2 * i), axes.Row(i));
        EXPECT_EQ(Word(data, 40 + 2 * i), axes.Column(i));
    }
}

class MapTableTest : public ::testing::TestWithParam<MapShape> {
protected:
    AxisTable axes;
    MapTable map{GetParam(), axes};
};

TEST_P(MapTableTest, BytePartKHoldsColumns5KTo5KPlus4TopRowFirst)
{
    for (size_t k = 0; k < MapTable::kByteMapParts; ++k) {
        const auto part = map.BytePart(k);
        ASSERT_EQ(part.size(), MapTable::kPartBytes);
        for (size_t j = 0; j < 5; ++j) {
            for (size_t b = 0; b < MapTable::kRows; ++b) {
                EXPECT_EQ(part[20 * j + b], std::min<uint16_t>(map.At(b, 5 * k + j), 255)) << k << j << b;
            }
        }
    }
}

TEST_P(MapTableTest, WordPartsRunColumnByColumnAcrossReplyBoundaries)
{
    std::vector<uint8_t> all;
    for (size_t k = 0; k < MapTable::kWordMapParts; ++k) {
        const auto part = map.WordPart(k);
        ASSERT_EQ(part.size(), MapTable::kPartBytes);
        all.insert(all.end(), part.begin(), part.end());
    }
    for (size_t n = 0; n < 400; ++n) {
        EXPECT_EQ(Word(all, 2 * n), map.At(n % 20, n / 20)) << n;
    }
}

// Neighbouring cells differ little, and the whole map spans enough of its range that a colour
// scale from lowest to highest shows a shape.
TEST_P(MapTableTest, ShapeIsSmoothAndSpreadOut)
{
    int lowest = 65535;
    int highest = 0;
    int biggestStep = 0;
    for (size_t r = 0; r < MapTable::kRows; ++r) {
        for (size_t c = 0; c < MapTable::kColumns; ++c) {
            lowest = std::min<int>(lowest, map.At(r, c));
            highest = std::max<int>(highest, map.At(r, c));
            if (r > 0) {
                biggestStep = std::max(biggestStep, std::abs(map.At(r, c) - map.At(r - 1, c)));
            }
            if (c > 0) {
                biggestStep = std::max(biggestStep, std::abs(map.At(r, c) - map.At(r, c - 1)));
            }
        }
    }
    const int spread = highest - lowest;
    EXPECT_GE(spread, 20);
    EXPECT_LE(biggestStep * 4, spread);
}

INSTANTIATE_TEST_SUITE_P(Shapes, MapTableTest,
                         ::testing::Values(MapShape::IgnitionLeading, MapShape::IgnitionTrailing,
                                           MapShape::FuelCorrection, MapShape::InjectorTime));

TEST(MapTable, ByteShapesFitAByteAndInjectorTimesFitTheWordPageRange)
{
    const AxisTable axes;
    for (MapShape shape : {MapShape::IgnitionLeading, MapShape::IgnitionTrailing, MapShape::FuelCorrection}) {
        const MapTable map(shape, axes);
        for (size_t r = 0; r < MapTable::kRows; ++r) {
            for (size_t c = 0; c < MapTable::kColumns; ++c) {
                EXPECT_LE(map.At(r, c), 255);
            }
        }
    }
    // 0.004 ms units: 0.5 ms to 20 ms is what injectors do.
    const MapTable injector(MapShape::InjectorTime, axes);
    EXPECT_GE(injector.At(0, 0), 125);
    EXPECT_LE(injector.At(19, 19), 5000);
    EXPECT_GT(injector.At(19, 10), injector.At(0, 10)); // more air, more fuel
}

} // namespace
} // namespace sim
