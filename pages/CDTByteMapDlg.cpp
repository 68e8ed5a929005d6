#include "pages/CDTByteMapDlg.h"

#include "config/ActiveProfile.h"
#include "link/CPFCComm.h"
#include "pages/ByteMapScale.h"

#include <array>

namespace {

constexpr int kColumnWidth = 36;
constexpr const char* kCaption = "CDTByteMapDlg::InitMap()";

// A map comes in four replies of five columns of twenty bytes, each column top row first.
constexpr int kReplies = 4;
constexpr int kColumnsPerReply = 5;
constexpr size_t kReplyBytes = kColumnsPerReply * CMapPage::kMapRows;

} // namespace

CDTByteMapDlg::CDTByteMapDlg()
    : CMapPage(kColumnWidth, kCaption, ByteMapScale::kUpperValueLimit)
{ }

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

const char* CDTByteMapDlg::ScaleName() const
{
    return ByteMapScale(m_nType).Name();
}

std::string CDTByteMapDlg::CellText(uint16_t raw) const
{
    return ByteMapScale(m_nType).CellText(raw);
}

std::string CDTByteMapDlg::SelectionText(uint16_t raw) const
{
    return ByteMapScale(m_nType).SelectionText(raw);
}

CMapPage::Shown CDTByteMapDlg::Redisplay(uint16_t raw) const
{
    return ByteMapScale(m_nType).Redisplay(raw);
}

std::optional<CMapPage::Accepted> CDTByteMapDlg::Accept(double x) const
{
    return ByteMapScale(m_nType).Accept(x);
}
