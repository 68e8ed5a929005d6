#include "pages/CDTWordMapDlg.h"

#include "link/CPFCComm.h"

#include <array>
#include <cmath>

namespace {

constexpr int kColumnWidth = 44;
constexpr const char* kCaption = "CDTWordMapDlg::InitMap()";
constexpr int kUpperValueLimit = 65535;

// A map comes in eight replies of 50 little-endian words, running column by column.
constexpr int kReplies = 8;
constexpr int kWordsPerReply = 50;
constexpr size_t kReplyBytes = 2 * kWordsPerReply;

// One raw unit is 0.004 ms.
constexpr double kMsPerUnit = 0.004;
constexpr double kUnitsPerMs = 250.0;
constexpr double kMaxMs = 262.0;

} // namespace

CDTWordMapDlg::CDTWordMapDlg()
    : CMapPage(kColumnWidth, kCaption, kUpperValueLimit)
{ }

int CDTWordMapDlg::ReadMap(uint8_t command)
{
    std::array<uint8_t, CPFCComm::kMaxData> data{};
    for (int k = 0; k < kReplies; ++k) {
        const int result = Exchange(static_cast<uint8_t>(command + k), kReplyBytes, data.data());
        if (result < 0) return result;
        for (int w = 0; w < kWordsPerReply; ++w) {
            const int n = kWordsPerReply * k + w;
            const auto raw = static_cast<uint16_t>(data[static_cast<size_t>(2 * w)] | (data[static_cast<size_t>(2 * w + 1)] << 8));
            Record(n % kMapRows + 1, n / kMapRows + 1) = CellValue{raw, raw};
        }
    }
    return 0;
}

std::string CDTWordMapDlg::CellText(uint16_t raw) const
{
    return Printed("%4.2f", raw * kMsPerUnit);
}

std::string CDTWordMapDlg::SelectionText(uint16_t raw) const
{
    return Printed("%4.3f", raw * kMsPerUnit);
}

CMapPage::Shown CDTWordMapDlg::Redisplay(uint16_t raw) const
{
    return {Printed("%4.2f", raw * kMsPerUnit), Printed("%4.3fmS", raw * kMsPerUnit)};
}

std::optional<CMapPage::Accepted> CDTWordMapDlg::Accept(double x) const
{
    if (!(x >= 0.0 && x <= kMaxMs)) return std::nullopt;
    const auto stored = static_cast<uint16_t>(std::trunc(x * kUnitsPerMs));
    return Accepted{stored, {Printed("%4.2f", x), Printed("%4.3fmS", x)}};
}
