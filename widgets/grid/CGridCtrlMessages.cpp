// The grid's notifications to its owner, and the window messages it answers itself.

#include "widgets/grid/CGridCtrl.h"

#include "platform/ui/Font.h"

ui::LRESULT CGridCtrl::SendMessageToParent(int row, int col, int code) const
{
    ui::Window* target = const_cast<CGridCtrl*>(this)->GetParent();
    if (target == nullptr || !IsWindow()) return 0;
    NM_GRIDVIEW record;
    record.hdr.hwndFrom = const_cast<CGridCtrl*>(this);
    record.hdr.idFrom = static_cast<uintptr_t>(GetDlgCtrlID());
    record.hdr.code = code;
    record.iRow = row;
    record.iColumn = col;
    return target->SendMessage(ui::WM_NOTIFY, static_cast<ui::WPARAM>(GetDlgCtrlID()), ui::NotificationParam(record.hdr));
}

void CGridCtrl::SendCacheHintToParent(const CCellRange& range) const
{
    ui::Window* target = const_cast<CGridCtrl*>(this)->GetParent();
    if (!m_bVirtualMode || target == nullptr) return;
    GV_CACHEHINT hint;
    hint.hdr.hwndFrom = const_cast<CGridCtrl*>(this);
    hint.hdr.idFrom = static_cast<uintptr_t>(GetDlgCtrlID());
    hint.hdr.code = GVN_ODCACHEHINT;
    hint.range = range;
    target->SendMessage(ui::WM_NOTIFY, static_cast<ui::WPARAM>(GetDlgCtrlID()), ui::NotificationParam(hint.hdr));
}

ui::LRESULT CGridCtrl::WindowProc(ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam)
{
    switch (message) {
    case ui::WM_SETFONT: return OnSetFont(wParam, lParam);
    case ui::WM_GETFONT: return reinterpret_cast<ui::LRESULT>(m_cellDefault.GetRealizedFont());
    case ui::WM_ERASEBKGND: return 1;
    case ui::WM_IME_CHAR: OnImeChar(static_cast<ui::UINT>(wParam)); return 0;
    case ui::WM_SYSCOLORCHANGE:
        Window::WindowProc(message, wParam, lParam);
        OnSysColorChange();
        return 0;
    default: return Window::WindowProc(message, wParam, lParam);
    }
}

ui::LRESULT CGridCtrl::OnSetFont(ui::WPARAM wParam, ui::LPARAM lParam)
{
    const ui::LRESULT result = Window::WindowProc(ui::WM_SETFONT, wParam, lParam);
    auto* font = reinterpret_cast<ui::Font*>(wParam);
    ui::LOGFONT logFont;
    if (font != nullptr && font->GetLogFont(logFont)) {
        for (CGridDefaultCell* cell : {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef})
            cell->SetFont(&logFont);
    }
    Invalidate();
    return result;
}

void CGridCtrl::OnSysColorChange()
{
    const ui::COLORREF windowText = ui::GetSysColor(ui::COLOR_WINDOWTEXT);
    const ui::COLORREF window = ui::GetSysColor(ui::COLOR_WINDOW);
    const ui::COLORREF face = ui::GetSysColor(ui::COLOR_3DFACE);
    // Each default cell follows the system colour it was given, unless it was given another.
    for (CGridDefaultCell* cell : {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef}) {
        const bool normal = cell == &m_cellDefault;
        if (cell->GetTextColor() == m_crWindowText) cell->SetTextColor(windowText);
        if (cell->GetBackColor() == (normal ? m_crWindowColour : m_cr3DFace)) cell->SetBackColor(normal ? window : face);
    }
    m_crWindowText = windowText;
    m_crWindowColour = window;
    m_cr3DFace = face;
    m_crShadow = ui::GetSysColor(ui::COLOR_3DSHADOW);
}

void CGridCtrl::SetRedraw(bool allow, bool resetScrollBars)
{
    if (allow && !m_bAllowDraw) {
        m_bAllowDraw = true;
        Refresh();
    }
    m_bAllowDraw = allow;
    if (resetScrollBars) ResetScrollBars();
}

void CGridCtrl::Refresh()
{
    if (IsWindow() && m_bAllowDraw) Invalidate();
}
