#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace sim {

class AxisTable;

// What a map holds, in the raw units the pages convert: angles as degrees + 25, corrections as
// percent scaled by 2.56 around 50 %, injector times in 0.004 ms.
enum class MapShape { IgnitionLeading, IgnitionTrailing, FuelCorrection, InjectorTime };

// One 20 x 20 map laid over the axes, and its replies: a byte map comes in four replies of five
// columns, a word map in eight replies of 50 words running column by column, top row first.
class MapTable {
public:
    static constexpr size_t kRows = 20;
    static constexpr size_t kColumns = 20;
    static constexpr size_t kByteMapParts = 4;
    static constexpr size_t kWordMapParts = 8;
    static constexpr size_t kPartBytes = 100;

    MapTable(MapShape shape, const AxisTable& axes);

    uint16_t At(size_t row, size_t column) const { return m_values[row * kColumns + column]; }
    // Values above 255 are sent as 255.
    std::vector<uint8_t> BytePart(size_t part) const;
    std::vector<uint8_t> WordPart(size_t part) const;

private:
    std::array<uint16_t, kRows * kColumns> m_values{};
};

} // namespace sim
