// In-place editing: opening the editor on a cell, and taking its text when it ends.
#include "widgets/grid/CGridCtrl.h"

namespace {

// Keys that carry the edit on to the cell they move to.
bool ContinuesEditing(ui::UINT key)
{
    switch (key) {
    case ui::VK_TAB:
    case ui::VK_PRIOR:
    case ui::VK_NEXT:
    case ui::VK_LEFT:
    case ui::VK_UP:
    case ui::VK_RIGHT:
    case ui::VK_DOWN: return true;
    default: return false;
    }
}

} // namespace

void CGridCtrl::EditCell(int row, int col, ui::Point point, ui::UINT firstChar)
{
    if (!IsValid(row, col) || !IsCellEditable(CCellID(row, col))) return;
    EnsureVisible(row, col);
    ui::Rect rect;
    if (!IsCellVisible(row, col) || !GetCellRect(row, col, rect)) return;
    if (SendMessageToParent(row, col, GVN_BEGINLABELEDIT) < 0) return;
    if (CGridCellBase* cell = GetCell(row, col)) cell->Edit(row, col, rect, point, IDC_INPLACE_CONTROL, firstChar);
}

void CGridCtrl::EndCellEdit(int row, int col, const char* newText)
{
    CGridCellBase* cell = GetCell(row, col);
    if (cell == nullptr) return;
    const std::string text = newText != nullptr ? newText : "";
    const std::string oldText = cell->GetText();
    if (text != oldText) {
        cell->SetText(text.c_str());
        if (!ValidateCellEdit(row, col, text.c_str()) || SendMessageToParent(row, col, GVN_ENDLABELEDIT) < 0) cell->SetText(oldText.c_str());
        RedrawCell(row, col);
    }
    cell->EditEnded();
}

void CGridCtrl::OnEndInPlaceEdit(const GV_DISPINFO& info)
{
    EndCellEdit(info.item.row, info.item.col, info.item.strText.c_str());
    const auto key = static_cast<ui::UINT>(info.item.lParam);
    if (!ContinuesEditing(key)) return;
    SendMessage(ui::WM_KEYDOWN, key);
    const CCellID focus = GetFocusCell();
    EditCell(focus.row, focus.col, ui::Point{-1, -1}, key);
}

bool CGridCtrl::OnNotify(ui::WPARAM wParam, ui::LPARAM lParam, ui::LRESULT* result)
{
    const ui::NMHDR* header = ui::NotificationRecord(lParam);
    if (static_cast<int>(wParam) == IDC_INPLACE_CONTROL && header != nullptr && header->code == GVN_ENDLABELEDIT) {
        OnEndInPlaceEdit(*ui::NotificationRecord<GV_DISPINFO>(lParam));
        *result = 0;
        return true;
    }
    return Window::OnNotify(wParam, lParam, result);
}
