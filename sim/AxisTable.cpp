#include "sim/AxisTable.h"

namespace sim {

namespace {

// One row falls on atmospheric pressure, so the header reads 1.03 there.
constexpr uint16_t kAtmosphere = 10332;
constexpr size_t kAtmosphereRow = 7;
constexpr uint16_t kPressureStep = 1000;
constexpr uint16_t kSpeedStep = 400;

void PutWord(std::vector<uint8_t>& bytes, uint16_t word)
{
    bytes.push_back(static_cast<uint8_t>(word & 0xFF));
    bytes.push_back(static_cast<uint8_t>(word >> 8));
}

} // namespace

AxisTable::AxisTable()
{
    for (size_t i = 0; i < kPoints; ++i) {
        m_rows[i] = static_cast<uint16_t>(kAtmosphere + (static_cast<int>(i) - static_cast<int>(kAtmosphereRow)) * kPressureStep);
        m_columns[i] = static_cast<uint16_t>((i + 1) * kSpeedStep);
    }
}

std::vector<uint8_t> AxisTable::ReplyData() const
{
    std::vector<uint8_t> bytes;
    bytes.reserve(4 * kPoints);
    for (uint16_t row : m_rows) {
        PutWord(bytes, row);
    }
    for (uint16_t column : m_columns) {
        PutWord(bytes, column);
    }
    return bytes;
}

} // namespace sim
