#include "widgets/grid/CGridCell.h"

#include "widgets/grid/CGridDefaultCell.h"

#include "platform/ui/Font.h"

CGridCell::CGridCell() = default;

CGridCell::~CGridCell() = default;

void CGridCell::SetFont(const ui::LOGFONT* logFont)
{
    if (logFont == nullptr) {
        m_plfFont.reset();
        return;
    }
    if (!m_plfFont) m_plfFont = std::make_unique<ui::LOGFONT>();
    *m_plfFont = *logFont;
}

ui::UINT CGridCell::GetFormat() const
{
    if (m_nFormat != kDefaultFormat) return m_nFormat;
    const CGridDefaultCell* defaultCell = GetDefaultCell();
    return defaultCell != nullptr ? defaultCell->GetFormat() : 0;
}

const ui::LOGFONT* CGridCell::GetFont() const
{
    if (m_plfFont) return m_plfFont.get();
    const CGridDefaultCell* defaultCell = GetDefaultCell();
    return defaultCell != nullptr ? defaultCell->GetFont() : nullptr;
}

// Fonts are given to the default cells only, which realise their own; a cell draws in its
// default cell's.
ui::Font* CGridCell::GetRealizedFont() const
{
    CGridDefaultCell* defaultCell = GetDefaultCell();
    return defaultCell != nullptr ? defaultCell->GetRealizedFont() : nullptr;
}

ui::UINT CGridCell::GetMargin() const
{
    if (m_nMargin != kDefaultMargin) return m_nMargin;
    const CGridDefaultCell* defaultCell = GetDefaultCell();
    return defaultCell != nullptr ? defaultCell->GetMargin() : 0;
}

void CGridCell::EditEnded()
{
    m_bEditing = false;
    m_pEditWnd = nullptr;
}
