#include "sim/MapTable.h"

#include "sim/AxisTable.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sim {

namespace {

constexpr size_t kBytePartColumns = MapTable::kPartBytes / MapTable::kRows;
constexpr size_t kWordPartWords = MapTable::kPartBytes / 2;

constexpr double kLowestPressure = 3332;
constexpr double kPressureSpan = 19000;
constexpr double kLowestSpeed = 400;
constexpr double kSpeedSpan = 7600;
constexpr double kAngleOffset = 25;
constexpr double kCorrectionScale = 2.56;
constexpr double kCorrectionBase = 50;
constexpr double kInjectorUnitMs = 0.004;
constexpr double kTopPressure = 22332;

double Clamp01(double x)
{
    return std::clamp(x, 0.0, 1.0);
}

double Leading(double load, double speed)
{
    return 8 + 26 * std::pow(Clamp01((speed - kLowestSpeed) / 4400), 0.8) - 20 * load;
}

// Raw value of one cell; pressure picks the row, engine speed the column.
double Evaluate(MapShape shape, double pressure, double speed)
{
    const double load = Clamp01((pressure - kLowestPressure) / kPressureSpan);
    const double revs = Clamp01((speed - kLowestSpeed) / kSpeedSpan);
    switch (shape) {
    case MapShape::IgnitionLeading: return Leading(load, speed) + kAngleOffset;
    case MapShape::IgnitionTrailing: return std::max(Leading(load, speed) - 10 + 4 * revs + kAngleOffset, 0.0);
    case MapShape::FuelCorrection: {
        const double percent = 100 + 14 * load * std::sin(std::numbers::pi * revs) - 5 * (1 - load) * (1 - revs);
        return (percent - kCorrectionBase) * kCorrectionScale;
    }
    case MapShape::InjectorTime: {
        const double volumetric = 0.8 + 0.2 * std::sin(std::numbers::pi * revs);
        return (0.8 + 14 * (pressure / kTopPressure) * volumetric) / kInjectorUnitMs;
    }
    }
    return 0;
}

} // namespace

MapTable::MapTable(MapShape shape, const AxisTable& axes)
{
    for (size_t row = 0; row < kRows; ++row) {
        for (size_t column = 0; column < kColumns; ++column) {
            const double value = Evaluate(shape, axes.Row(row), axes.Column(column));
            m_values[row * kColumns + column] = static_cast<uint16_t>(std::clamp(std::lround(value), 0L, 65535L));
        }
    }
}

std::vector<uint8_t> MapTable::BytePart(size_t part) const
{
    std::vector<uint8_t> bytes;
    bytes.reserve(kPartBytes);
    for (size_t j = 0; j < kBytePartColumns; ++j) {
        for (size_t row = 0; row < kRows; ++row) {
            bytes.push_back(static_cast<uint8_t>(std::min<uint16_t>(At(row, part * kBytePartColumns + j), 0xFF)));
        }
    }
    return bytes;
}

std::vector<uint8_t> MapTable::WordPart(size_t part) const
{
    std::vector<uint8_t> bytes;
    bytes.reserve(kPartBytes);
    for (size_t n = part * kWordPartWords; n < (part + 1) * kWordPartWords; ++n) {
        const uint16_t word = At(n % kRows, n / kRows);
        bytes.push_back(static_cast<uint8_t>(word & 0xFF));
        bytes.push_back(static_cast<uint8_t>(word >> 8));
    }
    return bytes;
}

} // namespace sim
