#include "pages/CDTWordMapDlg.h"

#include "link/CPFCComm.h"
#include "pages/WordMapScale.h"

#include <array>

namespace {

constexpr int kColumnWidth = 44;
constexpr const char* kCaption = "CDTWordMapDlg::InitMap()";

// A map comes in eight replies of 50 little-endian words, running column by column.
constexpr int kReplies = 8;
constexpr int kWordsPerReply = 50;
constexpr size_t kReplyBytes = 2 * kWordsPerReply;

} // namespace

CDTWordMapDlg::CDTWordMapDlg()
    : CMapPage(kColumnWidth, kCaption, WordMapScale::kUpperValueLimit)
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

const char* CDTWordMapDlg::ScaleName() const
{
    return WordMapScale::kName;
}

std::string CDTWordMapDlg::CellText(uint16_t raw) const
{
    return WordMapScale::CellText(raw);
}

std::string CDTWordMapDlg::SelectionText(uint16_t raw) const
{
    return WordMapScale::SelectionText(raw);
}

CMapPage::Shown CDTWordMapDlg::Redisplay(uint16_t raw) const
{
    return WordMapScale::Redisplay(raw);
}

std::optional<CMapPage::Accepted> CDTWordMapDlg::Accept(double x) const
{
    return WordMapScale::Accept(x);
}
