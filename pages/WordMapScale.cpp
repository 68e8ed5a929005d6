#include "pages/WordMapScale.h"

#include "pages/PrintedNumber.h"

#include <cmath>

namespace {

// One raw unit is 0.004 ms.
constexpr double kMsPerUnit = 0.004;
constexpr double kUnitsPerMs = 250.0;
constexpr double kMaxMs = 262.0;
// A typed decimal is seldom exact in binary: 4.004 ms comes to 1000.9999999999999 units, which
// must store 1001 as the read-out showed it. Far below what any typed digit means.
constexpr double kRepresentationSlack = 1e-9;

} // namespace

std::string WordMapScale::CellText(uint16_t raw)
{
    return PrintedNumber("%4.2f", raw * kMsPerUnit);
}

std::string WordMapScale::SelectionText(uint16_t raw)
{
    return PrintedNumber("%4.3f", raw * kMsPerUnit);
}

MapShown WordMapScale::Redisplay(uint16_t raw)
{
    return {PrintedNumber("%4.2f", raw * kMsPerUnit), PrintedNumber("%4.3fmS", raw * kMsPerUnit)};
}

std::optional<MapAccepted> WordMapScale::Accept(double x)
{
    if (!(x >= 0.0 && x <= kMaxMs)) return std::nullopt;
    const auto stored = static_cast<uint16_t>(std::trunc(x * kUnitsPerMs + kRepresentationSlack));
    return MapAccepted{stored, {PrintedNumber("%4.2f", x), PrintedNumber("%4.3fmS", x)}};
}
