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

ui::LRESULT CGridCtrl::WindowProc(ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam)
{
    switch (message) {
    case ui::WM_SETFONT: return OnSetFont(wParam, lParam);
    case ui::WM_GETFONT: return reinterpret_cast<ui::LRESULT>(m_cellDefault.GetRealizedFont());
    case ui::WM_ERASEBKGND: return 1;
    case ui::WM_IME_CHAR: OnImeChar(static_cast<ui::UINT>(wParam)); return 0;
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

void CGridCtrl::Refresh()
{
    if (IsWindow()) Invalidate();
}
