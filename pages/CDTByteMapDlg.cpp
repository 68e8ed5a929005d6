#include "pages/CDTByteMapDlg.h"

#include "config/ActiveProfile.h"
#include "link/CPFCComm.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int kColumnWidth = 36;
constexpr const char* kCaption = "CDTByteMapDlg::InitMap()";
constexpr int kUpperValueLimit = 255;

// A map comes in four replies of five columns of twenty bytes, each column top row first.
constexpr int kReplies = 4;
constexpr int kColumnsPerReply = 5;
constexpr size_t kReplyBytes = kColumnsPerReply * CMapPage::kMapRows;

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

CDTByteMapDlg::CDTByteMapDlg()
    : CMapPage(kColumnWidth, kCaption, kUpperValueLimit)
{ }

bool CDTByteMapDlg::IsPercent() const
{
    return m_nType == kPercentType;
}

void CDTByteMapDlg::ReadItemSettings(const std::string& section)
{
    m_nType = m_profile->GetInt(section, "Type", 0);
}

int CDTByteMapDlg::ReadMap(uint8_t command)
{
    std::array<uint8_t, CPFCComm::kMaxData> data{};
    for (int k = 0; k < kReplies; ++k) {
        const int result = Exchange(static_cast<uint8_t>(command + k), kReplyBytes, data.data());
        if (result < 0) return result;
        for (int j = 0; j < kColumnsPerReply; ++j) {
            for (int b = 0; b < kMapRows; ++b) {
                const uint8_t raw = data[static_cast<size_t>(kMapRows * j + b)];
                Record(b + 1, kColumnsPerReply * k + j + 1) = CellValue{raw, raw};
            }
        }
    }
    return 0;
}

std::string CDTByteMapDlg::CellText(uint16_t raw) const
{
    return IsPercent() ? Printed("%3.0f", Percent(raw)) : Printed("%d", raw - kAngleOffset);
}

std::string CDTByteMapDlg::SelectionText(uint16_t raw) const
{
    return IsPercent() ? Printed("%3.2f", Percent(raw)) : Printed("%2.0f", static_cast<double>(raw - kAngleOffset));
}

CMapPage::Shown CDTByteMapDlg::Redisplay(uint16_t raw) const
{
    if (IsPercent()) return {Printed("%3.0f", Percent(raw)), Printed("%3.2f", Percent(raw))};
    const std::string text = Printed("%d", raw - kAngleOffset);
    return {text, text};
}

std::optional<CMapPage::Accepted> CDTByteMapDlg::Accept(double x) const
{
    if (IsPercent()) {
        if (!(x >= kMinPercent && x <= kMaxPercent)) return std::nullopt;
        // floor(2.56 x) - 128, which reaches 256 at 150: held to what a byte cell can hold.
        const double raw = -kPercentRawOffset - std::trunc(x * -kStepsPerPercent);
        const auto stored = static_cast<uint16_t>(std::clamp(raw, 0.0, static_cast<double>(kUpperValueLimit)));
        return Accepted{stored, {Printed("%3.0f", x), Printed("%3.2f", x)}};
    }
    if (!(x >= kMinAngle && x <= kMaxAngle)) return std::nullopt;
    const auto stored = static_cast<uint16_t>(static_cast<int>(std::trunc(x)) + kAngleOffset);
    const std::string text = Printed("%2.0f", x);
    return Accepted{stored, {text, text}};
}
