// The keyboard: moving the focus cell, extending the selection, and the editing keys.

#include "widgets/grid/CGridCtrl.h"

#include "platform/ui/SystemMetrics.h"

#include <algorithm>

namespace {

// The first character that opens the editor with the caret after the text.
constexpr ui::UINT kCaretAtEnd = 1;

} // namespace

void CGridCtrl::OnKeyDown(ui::UINT vk, ui::UINT, ui::UINT)
{
    if (!IsValid(m_idCurrentCell)) return;
    const bool ctrl = ui::IsKeyDown(ui::VK_CONTROL);
    const bool shift = ui::IsKeyDown(ui::VK_SHIFT);
    if (ctrl) {
        switch (vk) {
        case 'C':
        case ui::VK_INSERT: CopySelection(); return;
        case 'X': CutSelection(); return;
        case 'V': PasteClipboard(); return;
        case 'A': SelectAll(); return;
        default: break;
        }
    }
    if (shift && vk == ui::VK_INSERT) {
        PasteClipboard();
        return;
    }

    const int firstRow = m_nFixedRows;
    const int firstCol = m_nFixedCols;
    const int lastRow = m_nRows - 1;
    const int lastCol = m_nCols - 1;
    CCellID next = m_idCurrentCell;

    switch (vk) {
    case ui::VK_LEFT: next.col -= next.col > firstCol ? 1 : 0; break;
    case ui::VK_RIGHT: next.col += next.col < lastCol ? 1 : 0; break;
    case ui::VK_UP: next.row -= next.row > firstRow ? 1 : 0; break;
    case ui::VK_DOWN: next.row += next.row < lastRow ? 1 : 0; break;
    case ui::VK_TAB:
        if (!shift) {
            if (next.col < lastCol) {
                ++next.col;
            } else if (next.row >= lastRow) {
                return;
            } else {
                ++next.row;
                next.col = firstCol;
            }
        } else {
            if (next.col > firstCol) {
                --next.col;
            } else if (next.row <= firstRow) {
                return;
            } else {
                --next.row;
                next.col = lastCol;
            }
        }
        break;
    case ui::VK_PRIOR:
    case ui::VK_NEXT: {
        // The focus follows the rows the view moved by; an unmoved view sends it to the end.
        const int topBefore = GetTopleftNonFixedCell().row;
        SendMessage(ui::WM_VSCROLL, static_cast<ui::WPARAM>(vk == ui::VK_PRIOR ? ui::SB_PAGEUP : ui::SB_PAGEDOWN));
        const int moved = GetTopleftNonFixedCell(true).row - topBefore;
        if (moved != 0) {
            next.row = std::clamp(next.row + moved, firstRow, lastRow);
        } else {
            next.row = vk == ui::VK_PRIOR ? firstRow : lastRow;
        }
        break;
    }
    case ui::VK_HOME:
        SendMessage(ui::WM_HSCROLL, static_cast<ui::WPARAM>(ui::SB_LEFT));
        next.col = firstCol;
        if (ctrl) {
            SendMessage(ui::WM_VSCROLL, static_cast<ui::WPARAM>(ui::SB_TOP));
            next.row = firstRow;
        }
        break;
    case ui::VK_END:
        SendMessage(ui::WM_HSCROLL, static_cast<ui::WPARAM>(ui::SB_RIGHT));
        next.col = lastCol;
        if (ctrl) {
            SendMessage(ui::WM_VSCROLL, static_cast<ui::WPARAM>(ui::SB_BOTTOM));
            next.row = lastRow;
        }
        break;
    case ui::VK_DELETE: EraseSelectedText(); return;
    case ui::VK_F2: EditCell(m_idCurrentCell.row, m_idCurrentCell.col, ui::Point{-1, -1}, kCaretAtEnd); return;
    default: return;
    }

    if (next != m_idCurrentCell) {
        if (m_MouseMode == MOUSE_NOTHING) {
            m_PrevSelectedCellMap.clear();
            m_MouseMode = MOUSE_SELECT_CELLS;
            // Tab never extends, even with Shift held.
            if (!shift || vk == ui::VK_TAB) {
                m_SelectionStartCell = next;
            } else if (!IsValid(m_SelectionStartCell)) {
                m_SelectionStartCell = m_idCurrentCell;
            }
            SendMessageToParent(next.row, next.col, GVN_SELCHANGING);
            SelectCells(next);
            SendMessageToParent(next.row, next.col, GVN_SELCHANGED);
            m_MouseMode = MOUSE_NOTHING;
        }
        SetFocusCell(next.row, next.col);
    }
    EnsureVisible(next.row, next.col);
}

void CGridCtrl::OnImeChar(ui::UINT ch)
{
    if (ui::IsKeyDown(ui::VK_CONTROL) || m_MouseMode != MOUSE_NOTHING || ch == ui::VK_ESCAPE) return;
    EditCell(m_idCurrentCell.row, m_idCurrentCell.col, ui::Point{-1, -1}, ch);
}

ui::UINT CGridCtrl::OnGetDlgCode()
{
    ui::UINT code = ui::DLGC_WANTARROWS | ui::DLGC_WANTCHARS;
    if (!ui::IsKeyDown(ui::VK_CONTROL)) code |= ui::DLGC_WANTTAB;
    return code;
}
