// The keyboard: moving the focus cell, extending the selection, and the editing keys.

#include "widgets/grid/CGridCtrl.h"

#include "platform/ui/SystemMetrics.h"

#include <algorithm>

namespace {

// The first index from `from` up to `to` whose size is not 0; -1 when there is none.
template <typename SizeOf> int NextShown(int from, int to, SizeOf sizeOf)
{
    for (int index = from; index <= to; ++index) {
        if (sizeOf(index) > 0) return index;
    }
    return -1;
}

// The first index from `from` down to `to` whose size is not 0; -1 when there is none.
template <typename SizeOf> int PreviousShown(int from, int to, SizeOf sizeOf)
{
    for (int index = from; index >= to; --index) {
        if (sizeOf(index) > 0) return index;
    }
    return -1;
}

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

    const auto width = [this](int col) { return GetColumnWidth(col); };
    const auto height = [this](int row) { return GetRowHeight(row); };
    const int lastRow = m_nRows - 1;
    const int lastCol = m_nCols - 1;
    CCellID next = m_idCurrentCell;

    // A move to index -1 (nothing shown that way) is no move.
    const auto moveTo = [](int& index, int found) {
        if (found >= 0) index = found;
    };

    switch (vk) {
    case ui::VK_LEFT: moveTo(next.col, PreviousShown(next.col - 1, m_nFixedCols, width)); break;
    case ui::VK_RIGHT: moveTo(next.col, NextShown(next.col + 1, lastCol, width)); break;
    case ui::VK_UP: moveTo(next.row, PreviousShown(next.row - 1, m_nFixedRows, height)); break;
    case ui::VK_DOWN: moveTo(next.row, NextShown(next.row + 1, lastRow, height)); break;
    case ui::VK_TAB:
        if (!shift) {
            if (const int col = NextShown(next.col + 1, lastCol, width); col >= 0) {
                next.col = col;
            } else if (next.row >= lastRow) {
                return;
            } else if (const int row = NextShown(next.row + 1, lastRow, height); row >= 0) {
                next.row = row;
                moveTo(next.col, NextShown(m_nFixedCols, lastCol, width));
            }
        } else {
            if (const int col = PreviousShown(next.col - 1, m_nFixedCols, width); col >= 0) {
                next.col = col;
            } else if (next.row <= m_nFixedRows) {
                return;
            } else if (const int row = PreviousShown(next.row - 1, m_nFixedRows, height); row >= 0) {
                next.row = row;
                moveTo(next.col, PreviousShown(lastCol, m_nFixedCols, width));
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
            next.row = std::clamp(next.row + moved, m_nFixedRows, lastRow);
        } else {
            next.row = vk == ui::VK_PRIOR ? m_nFixedRows : lastRow;
        }
        break;
    }
    case ui::VK_HOME:
        SendMessage(ui::WM_HSCROLL, static_cast<ui::WPARAM>(ui::SB_LEFT));
        moveTo(next.col, NextShown(m_nFixedCols, lastCol, width));
        if (ctrl) {
            SendMessage(ui::WM_VSCROLL, static_cast<ui::WPARAM>(ui::SB_TOP));
            next.row = m_nFixedRows;
        }
        moveTo(next.row, NextShown(next.row, lastRow, height));
        break;
    case ui::VK_END:
        SendMessage(ui::WM_HSCROLL, static_cast<ui::WPARAM>(ui::SB_RIGHT));
        moveTo(next.col, PreviousShown(lastCol, m_nFixedCols, width));
        if (ctrl) {
            SendMessage(ui::WM_VSCROLL, static_cast<ui::WPARAM>(ui::SB_BOTTOM));
            next.row = lastRow;
        }
        moveTo(next.row, PreviousShown(next.row, m_nFixedRows, height));
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
