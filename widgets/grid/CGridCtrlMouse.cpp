// The mouse: clicks, drag selection with auto-scroll, header clicks, border resizing.

#include "widgets/grid/CGridCtrl.h"

#include "platform/ui/SystemMetrics.h"

#include <algorithm>

namespace {

// The first character that opens the editor with the caret after the text.
constexpr ui::UINT kCaretAtEnd = 1;
// Half the width of the inverted line that follows a dragged border.
constexpr int kTrackingHalfWidth = 1;

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

// The point relative to the cell's top-left corner; the point itself when the cell is hidden.
ui::Point RelativeTo(CGridCtrl& grid, CCellID cell, ui::Point point)
{
    ui::Point origin;
    if (!grid.GetCellOrigin(cell.row, cell.col, origin)) return point;
    return ui::Point{point.x - origin.x, point.y - origin.y};
}

// Which border, if any, the point is over: MOUSE_OVER_COL_DIVIDE, MOUSE_OVER_ROW_DIVIDE or
// MOUSE_NOTHING; only borders whose resizing is allowed count.
int BorderUnder(CGridCtrl& grid, ui::Point point)
{
    constexpr int captureRange = CGridCtrl::kResizeCaptureRange;
    const CCellID cell = grid.GetCellFromPoint(point);
    ui::Point origin;
    if (!grid.IsValid(cell) || !grid.GetCellOrigin(cell.row, cell.col, origin)) return MOUSE_NOTHING;
    if (grid.GetColumnResize() && point.y < grid.GetFixedRowHeight()) {
        const int right = origin.x + grid.GetColumnWidth(cell.col);
        if (right - point.x < captureRange || (cell.col != 0 && point.x - origin.x < captureRange)) return MOUSE_OVER_COL_DIVIDE;
    }
    if (grid.GetRowResize() && point.x < grid.GetFixedColumnWidth()) {
        const int bottom = origin.y + grid.GetRowHeight(cell.row);
        if (bottom - point.y < captureRange || (cell.row != 0 && point.y - origin.y < captureRange)) return MOUSE_OVER_ROW_DIVIDE;
    }
    return MOUSE_NOTHING;
}

// The row or column a border drag resizes: the one under the point, or the one before it when
// the point is near its near edge (a hidden one is skipped by a double click; a drag may pull
// it open again).
int SizedIndex(CGridCtrl& grid, ui::Point point, bool columns, bool unhide)
{
    const CCellID cell = grid.GetCellFromPoint(point);
    ui::Point origin;
    if (!grid.IsValid(cell) || !grid.GetCellOrigin(cell.row, cell.col, origin)) return -1;
    const auto sizeOf = [&](int index) { return columns ? grid.GetColumnWidth(index) : grid.GetRowHeight(index); };
    int index = columns ? cell.col : cell.row;
    const int offset = columns ? point.x - origin.x : point.y - origin.y;
    if (index > 0 && offset < CGridCtrl::kResizeCaptureRange) {
        --index;
        if (!unhide) {
            while (index > 0 && sizeOf(index) == 0) --index;
        }
    }
    // A last one too narrow to grab is taken from the edge of the visible cells.
    const int last = (columns ? grid.GetColumnCount() : grid.GetRowCount()) - 1;
    ui::Rect cells;
    grid.GetVisibleNonFixedCellRange(&cells);
    const int edge = columns ? cells.right - point.x : cells.bottom - point.y;
    if (sizeOf(last) < CGridCtrl::kResizeCaptureRange && edge >= 0 && edge < CGridCtrl::kResizeCaptureRange) index = last;
    return index;
}

} // namespace

void CGridCtrl::OnLButtonDown(ui::UINT flags, ui::Point point)
{
    SetFocus();
    m_LeftClickDownPoint = point;
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

    // A press without a hover before it finds the border itself.
    if (m_MouseMode == MOUSE_NOTHING) m_MouseMode = BorderUnder(*this, point);
    if (IsCellSelected(down.row, down.col) && ctrl) {
        SetFocusCell(down.row, down.col);
        SetCellState(down.row, down.col, GetCellState(down.row, down.col) & ~GVIS_SELECTED);
        RedrawCell(down.row, down.col);
        return;
    }
    // Inside the selection or not, the focus goes where the user clicked: keys and edits that
    // follow act on the cell the click chose.
    if (m_MouseMode != MOUSE_OVER_COL_DIVIDE && m_MouseMode != MOUSE_OVER_ROW_DIVIDE) {
        if (IsCellFixed(down.row, down.col)) {
            SetFocusCell(-1, -1);
        } else {
            SetFocusCell(down.row, down.col);
        }
    }

    SetCapture();
    if (m_MouseMode == MOUSE_OVER_COL_DIVIDE) SetCursor(ui::Cursor::SizeWE);
    if (m_MouseMode == MOUSE_OVER_ROW_DIVIDE) SetCursor(ui::Cursor::SizeNS);

    const ui::Rect client = GetClientRect();
    if (m_MouseMode == MOUSE_OVER_COL_DIVIDE || m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
        const bool columns = m_MouseMode == MOUSE_OVER_COL_DIVIDE;
        const int index = SizedIndex(*this, point, columns, true);
        if (index < 0) {
            m_MouseMode = MOUSE_NOTHING;
        } else {
            // The resized one's near edge is measured from its own cell in the headers.
            m_LeftClickDownCell = columns ? CCellID(down.row, index) : CCellID(index, down.col);
            ui::Point origin;
            GetCellOrigin(m_LeftClickDownCell.row, m_LeftClickDownCell.col, origin);
            if (columns) {
                InvertTrackingRect(ui::Rect{point.x - kTrackingHalfWidth, client.top, point.x + kTrackingHalfWidth, client.bottom});
                ClipCursor(ui::Rect{origin.x + 1, client.top, client.right, client.bottom});
                m_MouseMode = MOUSE_SIZING_COL;
            } else {
                InvertTrackingRect(ui::Rect{client.left, point.y - kTrackingHalfWidth, client.right, point.y + kTrackingHalfWidth});
                ClipCursor(ui::Rect{client.left, origin.y + 1, client.right, client.bottom});
                m_MouseMode = MOUSE_SIZING_ROW;
            }
            m_LastMousePoint = point;
            return;
        }
    }

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
    const ui::Rect client = GetClientRect();
    if ((flags & ui::MK_LBUTTON) == 0) {
        if (const int border = BorderUnder(*this, point); border != MOUSE_NOTHING) {
            SetCursor(border == MOUSE_OVER_COL_DIVIDE ? ui::Cursor::SizeWE : ui::Cursor::SizeNS);
            m_MouseMode = border;
        } else {
            if (m_MouseMode != MOUSE_NOTHING) SetCursor(ui::Cursor::Arrow);
            m_MouseMode = MOUSE_NOTHING;
        }
    } else if (m_bLMouseButtonDown && IsValid(m_LeftClickDownCell)) {
        switch (m_MouseMode) {
        case MOUSE_SELECT_COL:
        case MOUSE_SELECT_ROW:
        case MOUSE_SELECT_CELLS: {
            const CCellID cell = GetCellFromPoint(point);
            if (!IsValid(cell) || cell == m_idCurrentCell) break;
            SelectByMode(*this, cell);
            if (m_MouseMode != MOUSE_SELECT_CELLS || !IsCellFixed(cell.row, cell.col)) SetFocusCell(cell.row, cell.col);
            break;
        }
        case MOUSE_SIZING_ROW:
            InvertTrackingRect(
                ui::Rect{client.left, m_LastMousePoint.y - kTrackingHalfWidth, client.right, m_LastMousePoint.y + kTrackingHalfWidth});
            InvertTrackingRect(ui::Rect{client.left, point.y - kTrackingHalfWidth, client.right, point.y + kTrackingHalfWidth});
            break;
        case MOUSE_SIZING_COL:
            InvertTrackingRect(
                ui::Rect{m_LastMousePoint.x - kTrackingHalfWidth, client.top, m_LastMousePoint.x + kTrackingHalfWidth, client.bottom});
            InvertTrackingRect(ui::Rect{point.x - kTrackingHalfWidth, client.top, point.x + kTrackingHalfWidth, client.bottom});
            break;
        default: break;
        }
    }
    m_LastMousePoint = point;
}

void CGridCtrl::OnLButtonUp(ui::UINT, ui::Point point)
{
    m_bLMouseButtonDown = false;
    ReleaseCursorClip();
    // Letting the capture go ends the auto-scroll timer too.
    if (GetCapture() == this) ReleaseCapture();

    const ui::Rect client = GetClientRect();
    if (m_MouseMode == MOUSE_PREPARE_EDIT) {
        EditCell(m_idCurrentCell.row, m_idCurrentCell.col, RelativeTo(*this, m_idCurrentCell, point), kCaretAtEnd);
    } else if (m_MouseMode == MOUSE_SIZING_COL || m_MouseMode == MOUSE_SIZING_ROW) {
        const bool columns = m_MouseMode == MOUSE_SIZING_COL;
        if (columns) {
            InvertTrackingRect(
                ui::Rect{m_LastMousePoint.x - kTrackingHalfWidth, client.top, m_LastMousePoint.x + kTrackingHalfWidth, client.bottom});
        } else {
            InvertTrackingRect(
                ui::Rect{client.left, m_LastMousePoint.y - kTrackingHalfWidth, client.right, m_LastMousePoint.y + kTrackingHalfWidth});
        }
        ui::Point origin;
        if (point != m_LeftClickDownPoint && GetCellOrigin(m_LeftClickDownCell.row, m_LeftClickDownCell.col, origin)) {
            if (columns) {
                SetColumnWidth(m_LeftClickDownCell.col, std::max(point.x - origin.x, 0));
            } else {
                SetRowHeight(m_LeftClickDownCell.row, std::max(point.y - origin.y, 0));
            }
            ResetScrollBars();
            Invalidate();
        }
    } else if (IsValid(m_LeftClickDownCell)) {
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GVN_SELCHANGED);
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, NM_CLICK);
    }

    m_MouseMode = MOUSE_NOTHING;
    SetCursor(ui::Cursor::Arrow);
    if (IsValid(m_LeftClickDownCell)) {
        ui::Window* target = GetParent();
        if (target != nullptr) target->PostMessage(ui::WM_COMMAND, ui::MAKEWPARAM(GetDlgCtrlID(), 0), reinterpret_cast<ui::LPARAM>(this));
    }
}

void CGridCtrl::OnLButtonDblClk(ui::UINT, ui::Point point)
{
    const CCellID cell = GetCellFromPoint(point);
    if (IsValid(cell)) {
        // The button-up before a double click ends any hover mode: the border is found again.
        const int mode = m_MouseMode == MOUSE_NOTHING ? BorderUnder(*this, point) : m_MouseMode;
        if (mode == MOUSE_OVER_COL_DIVIDE || mode == MOUSE_OVER_ROW_DIVIDE) {
            const bool columns = mode == MOUSE_OVER_COL_DIVIDE;
            // Hidden ones are skipped: a border double click sizes what shows.
            const int index = SizedIndex(*this, point, columns, false);
            if (columns) {
                AutoSizeColumn(index);
            } else {
                AutoSizeRow(index);
            }
            Invalidate();
        } else if (mode == MOUSE_NOTHING) {
            ui::Rect text;
            if (!IsCellFixed(cell.row, cell.col) && IsValid(m_LeftClickDownCell) && GetCellRect(cell.row, cell.col, text)
                && text.Contains(point)) {
                EditCell(cell.row, cell.col, RelativeTo(*this, cell, point), kCaretAtEnd);
            }
            SendMessageToParent(cell.row, cell.col, NM_DBLCLK);
        }
    }
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
