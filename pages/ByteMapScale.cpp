#include "pages/ByteMapScale.h"

#include "pages/PrintedNumber.h"

#include <algorithm>
#include <cmath>

namespace {

// Types 0 and 5: degrees with an offset of 25.
constexpr int kAngleOffset = 25;
constexpr double kMinAngle = -25.0;
constexpr double kMaxAngle = 230.0;
// Type 3: percent, 100/256 per step around 50 %.
constexpr int kPercentType = 3;
constexpr double kPercentStep = 0.390625;
constexpr double kPercentBase = 50.0;
constexpr double kMinPercent = 50.0;
constexpr double kMaxPercent = 150.0;
constexpr double kStepsPerPercent = 2.56;
constexpr double kPercentRawOffset = 128.0;

double Percent(uint16_t raw)
{
    return raw * kPercentStep + kPercentBase;
}

} // namespace

bool ByteMapScale::IsPercent() const
{
    return m_type == kPercentType;
}

const char* ByteMapScale::Name() const
{
    return IsPercent() ? "percent" : "degrees";
}

std::string ByteMapScale::CellText(uint16_t raw) const
{
    return IsPercent() ? PrintedNumber("%3.0f", Percent(raw)) : PrintedNumber("%d", raw - kAngleOffset);
}

std::string ByteMapScale::SelectionText(uint16_t raw) const
{
    return IsPercent() ? PrintedNumber("%3.2f", Percent(raw)) : PrintedNumber("%2.0f", static_cast<double>(raw - kAngleOffset));
}

MapShown ByteMapScale::Redisplay(uint16_t raw) const
{
    if (IsPercent()) return {PrintedNumber("%3.0f", Percent(raw)), PrintedNumber("%3.2f", Percent(raw))};
    const std::string text = PrintedNumber("%d", raw - kAngleOffset);
    return {text, text};
}

std::optional<MapAccepted> ByteMapScale::Accept(double x) const
{
    if (IsPercent()) {
        if (!(x >= kMinPercent && x <= kMaxPercent)) return std::nullopt;
        // floor(2.56 x) - 128, which reaches 256 at 150: held to what a byte cell can hold.
        const double raw = -kPercentRawOffset - std::trunc(x * -kStepsPerPercent);
        const auto stored = static_cast<uint16_t>(std::clamp(raw, 0.0, static_cast<double>(kUpperValueLimit)));
        return MapAccepted{stored, {PrintedNumber("%3.0f", x), PrintedNumber("%3.2f", x)}};
    }
    if (!(x >= kMinAngle && x <= kMaxAngle)) return std::nullopt;
    const auto stored = static_cast<uint16_t>(static_cast<int>(std::trunc(x)) + kAngleOffset);
    const std::string text = PrintedNumber("%2.0f", x);
    return MapAccepted{stored, {text, text}};
}
