#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace sim {

// The two map axes the controller reports with 0x8A: rows by intake pressure (absolute,
// ten-thousandths of kgf/cm2), columns by engine speed (rpm), each rising.
class AxisTable {
public:
    static constexpr size_t kPoints = 20;

    AxisTable();

    uint16_t Row(size_t point) const { return m_rows[point]; }
    uint16_t Column(size_t point) const { return m_columns[point]; }
    // 40 little-endian words: the row points, then the column points.
    std::vector<uint8_t> ReplyData() const;

private:
    std::array<uint16_t, kPoints> m_rows{};
    std::array<uint16_t, kPoints> m_columns{};
};

} // namespace sim
