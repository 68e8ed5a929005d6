#include "widgets/grid/CGridDefaultCell.h"

#include "platform/ui/DeviceContext.h"

namespace {
// What a column is made wide enough for: a space, twelve capital X and a space.
constexpr std::string_view kWidthSample = " XXXXXXXXXXXX ";
} // namespace

CGridDefaultCell::CGridDefaultCell()
{
    m_nFormat = kDefaultCellFormat;
}

void CGridDefaultCell::SetFont(const ui::LOGFONT* logFont)
{
    CGridCell::SetFont(logFont);
    m_Font.DeleteObject();
    if (logFont == nullptr) return;
    m_Font.CreateFontIndirect(*logFont);

    // A measuring context exists whenever the font does.
    if (m_Font.IsNull()) {
        SetMargin(kFallbackMargin);
        m_Size = ui::Size{kFallbackWidth, kFallbackHeight};
        return;
    }
    ui::DC dc;
    dc.SelectFont(&m_Font);
    SetMargin(static_cast<ui::UINT>(dc.GetTextExtent(" ").cx));
    const ui::Size sample = dc.GetTextExtent(kWidthSample);
    m_Size = ui::Size{sample.cx, sample.cy * 3 / 2};
}
