// The mouse: clicks, drag selection with auto-scroll, header clicks.

#include "widgets/grid/CGridCtrl.h"

#include <algorithm>

namespace {

// The first character that opens the editor with the caret after the text.
constexpr ui::UINT kCaretAtEnd = 1;

// Extends the selection to cell in the shape the mouse mode stands for.
void SelectByMode(CGridCtrl& grid, CCellID cell)
{
    switch (grid.GetMouseMode()) {
    case MOUSE_SELECT_ALL: grid.SelectAllCells(); break;
    case MOUSE_SELECT_COL: grid.SelectColumns(cell); break;
    case MOUSE_SELECT_ROW: grid.SelectRows(cell); break;
    case MOUSE_SELECT_CELLS: grid.SelectCells(cell); break;
    default: break;
    }
}

// The point relative to the cell's top-left corner; the point itself when the cell is out of view.
ui::Point RelativeTo(CGridCtrl& grid, CCellID cell, ui::Point point)
{
    ui::Point origin;
    if (!grid.GetCellOrigin(cell.row, cell.col, origin)) return point;
    return ui::Point{point.x - origin.x, point.y - origin.y};
}

} // namespace

void CGridCtrl::OnLButtonDown(ui::UINT flags, ui::Point point)
{
    SetFocus();
    m_bLMouseButtonDown = true;
    m_LeftClickDownCell = GetCellFromPoint(point);
    if (!IsValid(m_LeftClickDownCell)) return;
    const CCellID down = m_LeftClickDownCell;
    const bool ctrl = (flags & ui::MK_CONTROL) != 0;

    if ((flags & ui::MK_SHIFT) == 0) {
        m_SelectionStartCell = down;
    } else if (!IsValid(m_SelectionStartCell)) {
        m_SelectionStartCell = m_idCurrentCell;
    }
    EndEditing();

    ui::Rect text;
    if (down == m_idCurrentCell && !ctrl && GetCellRect(down.row, down.col, text) && text.Contains(point) && IsCellEditable(down)) {
        m_MouseMode = MOUSE_PREPARE_EDIT;
        return;
    }

    if (IsCellSelected(down.row, down.col) && ctrl) {
        SetFocusCell(down.row, down.col);
        SetCellState(down.row, down.col, GetCellState(down.row, down.col) & ~GVIS_SELECTED);
        RedrawCell(down.row, down.col);
        return;
    }
    // Inside the selection or not, the focus goes where the user clicked: keys and edits that
    // follow act on the cell the click chose.
    if (IsCellFixed(down.row, down.col)) {
        SetFocusCell(-1, -1);
    } else {
        SetFocusCell(down.row, down.col);
    }

    SetCapture();
    SendMessageToParent(down.row, down.col, GVN_SELCHANGING);
    m_PrevSelectedCellMap.clear();
    if (ctrl) m_PrevSelectedCellMap = m_SelectedCellMap;
    CCellID clicked = down;
    if (down.row < m_nFixedRows) {
        FixedRowClicked(clicked);
    } else if (down.col < m_nFixedCols) {
        FixedColumnClicked(clicked);
    } else {
        m_MouseMode = MOUSE_SELECT_CELLS;
        SelectByMode(*this, down);
        m_nTimerID = SetTimer(kAutoScrollTimer, kAutoScrollInterval);
    }
    m_LastMousePoint = point;
}

void CGridCtrl::FixedRowClicked(CCellID& cell)
{
    if (!IsValid(cell)) return;
    m_MouseMode = cell.col < m_nFixedCols ? MOUSE_SELECT_ALL : MOUSE_SELECT_COL;
    SelectByMode(*this, cell);
}

void CGridCtrl::FixedColumnClicked(CCellID& cell)
{
    if (!IsValid(cell)) return;
    m_MouseMode = cell.row < m_nFixedRows ? MOUSE_SELECT_ALL : MOUSE_SELECT_ROW;
    SelectByMode(*this, cell);
}

void CGridCtrl::OnMouseMove(ui::UINT flags, ui::Point point)
{
    const bool selecting = m_MouseMode == MOUSE_SELECT_COL || m_MouseMode == MOUSE_SELECT_ROW || m_MouseMode == MOUSE_SELECT_CELLS;
    if ((flags & ui::MK_LBUTTON) == 0) {
        // A button-up that went to another window (a box opened meanwhile) ends the press here.
        m_MouseMode = MOUSE_NOTHING;
    } else if (m_bLMouseButtonDown && IsValid(m_LeftClickDownCell) && selecting) {
        const CCellID cell = GetCellFromPoint(point);
        if (IsValid(cell) && cell != m_idCurrentCell) {
            SelectByMode(*this, cell);
            if (m_MouseMode != MOUSE_SELECT_CELLS || !IsCellFixed(cell.row, cell.col)) SetFocusCell(cell.row, cell.col);
        }
    }
    m_LastMousePoint = point;
}

void CGridCtrl::OnLButtonUp(ui::UINT, ui::Point point)
{
    m_bLMouseButtonDown = false;
    // Letting the capture go ends the auto-scroll timer too.
    if (GetCapture() == this) ReleaseCapture();

    if (m_MouseMode == MOUSE_PREPARE_EDIT) {
        EditCell(m_idCurrentCell.row, m_idCurrentCell.col, RelativeTo(*this, m_idCurrentCell, point), kCaretAtEnd);
    } else if (IsValid(m_LeftClickDownCell)) {
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GVN_SELCHANGED);
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, NM_CLICK);
    }

    m_MouseMode = MOUSE_NOTHING;
    if (IsValid(m_LeftClickDownCell)) {
        ui::Window* target = GetParent();
        if (target != nullptr) target->PostMessage(ui::WM_COMMAND, ui::MAKEWPARAM(GetDlgCtrlID(), 0), reinterpret_cast<ui::LPARAM>(this));
    }
}

void CGridCtrl::OnLButtonDblClk(ui::UINT, ui::Point point)
{
    const CCellID cell = GetCellFromPoint(point);
    if (!IsValid(cell)) return;
    ui::Rect text;
    if (!IsCellFixed(cell.row, cell.col) && IsValid(m_LeftClickDownCell) && GetCellRect(cell.row, cell.col, text) && text.Contains(point)) {
        EditCell(cell.row, cell.col, RelativeTo(*this, cell, point), kCaretAtEnd);
    }
    SendMessageToParent(cell.row, cell.col, NM_DBLCLK);
}

void CGridCtrl::OnRButtonUp(ui::UINT, ui::Point point)
{
    EndEditing();
    const CCellID cell = GetCellFromPoint(point);
    if (!IsValid(cell)) {
        SendMessageToParent(-1, -1, NM_RCLICK);
        return;
    }
    SetFocusCell(-1, -1);
    SetFocusCell(cell.row, cell.col);
    SendMessageToParent(cell.row, cell.col, NM_RCLICK);
}

void CGridCtrl::OnTimer(uintptr_t id)
{
    if (id != kAutoScrollTimer || !m_bLMouseButtonDown) return;
    const ui::Rect client = GetClientRect();
    const ui::Point at = m_LastMousePoint;

    // The key moves the focus and scrolls; the selection then follows the cell at the edge the
    // pointer is past, in the row or column the pointer is in, or the nearest one that shows.
    if (at.y >= client.bottom) {
        SendMessage(ui::WM_KEYDOWN, ui::VK_DOWN);
        SelectByMode(*this, CellNearestTo(ui::Point{at.x, client.bottom - 1}));
    } else if (at.y < GetFixedRowHeight()) {
        SendMessage(ui::WM_KEYDOWN, ui::VK_UP);
        SelectByMode(*this, CellNearestTo(ui::Point{at.x, GetFixedRowHeight()}));
    }
    if (at.x >= client.right) {
        SendMessage(ui::WM_KEYDOWN, ui::VK_RIGHT);
        SelectByMode(*this, CellNearestTo(ui::Point{client.right - 1, at.y}));
    } else if (at.x < GetFixedColumnWidth()) {
        SendMessage(ui::WM_KEYDOWN, ui::VK_LEFT);
        SelectByMode(*this, CellNearestTo(ui::Point{GetFixedColumnWidth(), at.y}));
    }
}

// The non-fixed cell under point once point is brought inside the cells shown: past the last
// row or column shown (a grid scrolled to its end leaves room there), the last one.
CCellID CGridCtrl::CellNearestTo(ui::Point point)
{
    ui::Rect cells;
    const CCellRange shown = GetVisibleNonFixedCellRange(&cells);
    if (!IsValid(shown) || cells.IsEmpty()) return CCellID();
    return GetCellFromPoint(ui::Point{std::clamp(point.x, cells.left, cells.right - 1), std::clamp(point.y, cells.top, cells.bottom - 1)});
}

void CGridCtrl::OnCaptureChanged(ui::Window* newCapture)
{
    if (newCapture != this && m_nTimerID != 0) {
        KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }
}
