// The selection: which cells are selected, and the shapes a click or key selects.

#include "widgets/grid/CGridCtrl.h"

#include "platform/ui/DeviceContext.h"

#include <algorithm>

void CGridCtrl::SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, bool forceRedraw, bool select)
{
    // Headers are never selected.
    if (minRow >= 0) minRow = std::max(minRow, m_nFixedRows);
    if (maxRow >= 0) maxRow = std::max(maxRow, m_nFixedRows);
    if (minCol >= 0) minCol = std::max(minCol, m_nFixedCols);
    if (maxCol >= 0) maxCol = std::max(maxCol, m_nFixedCols);
    const CCellRange range(minRow, minCol, maxRow, maxCol);

    // One context for the whole change when a forced redraw is asked for.
    std::unique_ptr<ui::DC> dc;
    if (forceRedraw && IsWindow()) dc = GetDC();
    // Selected cells are never headers: the visible range answers for them at once, where
    // asking each cell would walk the sizes before it.
    const CCellRange visible = IsWindow() ? GetVisibleNonFixedCellRange() : CCellRange();
    const auto redraw = [&](int row, int col) {
        if (visible.InRange(row, col)) RedrawCell(row, col, dc.get());
    };
    const bool keepPrevious = IsValid(range);

    const auto wasSelected = m_SelectedCellMap;
    if (select) {
        for (const auto& [key, cell] : wasSelected) {
            if (!IsValid(cell)) {
                m_SelectedCellMap.erase(key);
                continue;
            }
            SetCellState(cell.row, cell.col, GetCellState(cell.row, cell.col) & ~GVIS_SELECTED);
            // Cells selected again below are not drawn twice.
            if (!range.InRange(cell.row, cell.col) && !(keepPrevious && m_PrevSelectedCellMap.contains(key))) redraw(cell.row, cell.col);
        }
    }

    if (keepPrevious) {
        for (const auto& [key, cell] : m_PrevSelectedCellMap) {
            if (!IsValid(cell)) continue;
            SetCellState(cell.row, cell.col, GetCellState(cell.row, cell.col) | GVIS_SELECTED);
            if (!wasSelected.contains(key)) redraw(cell.row, cell.col);
        }
    }

    if (IsValid(range)) {
        for (int row = range.minRow; row <= range.maxRow; ++row) {
            for (int col = range.minCol; col <= range.maxCol; ++col) {
                const ui::UINT state = GetCellState(row, col);
                if (((state & GVIS_SELECTED) != 0) == select) continue;
                SetCellState(row, col, select ? state | GVIS_SELECTED : state & ~GVIS_SELECTED);
                // Cleared just above and selected again: its look did not change.
                if (!(select && wasSelected.contains(SelectionKey(row, col)))) redraw(row, col);
            }
        }
    }
}

void CGridCtrl::SetSelectedRange(const CCellRange& range, bool forceRedraw, bool select)
{
    SetSelectedRange(range.minRow, range.minCol, range.maxRow, range.maxCol, forceRedraw, select);
}

void CGridCtrl::SelectAllCells(bool forceRedraw, bool select)
{
    SetSelectedRange(m_nFixedRows, m_nFixedCols, m_nRows - 1, m_nCols - 1, forceRedraw, select);
}

void CGridCtrl::SelectColumns(CCellID cell, bool forceRedraw, bool select)
{
    if (!IsValid(cell) || cell.col < m_nFixedCols) return;
    const int from = IsValid(m_SelectionStartCell) ? m_SelectionStartCell.col : cell.col;
    SetSelectedRange(m_nFixedRows, std::min(from, cell.col), m_nRows - 1, std::max(from, cell.col), forceRedraw, select);
}

void CGridCtrl::SelectRows(CCellID cell, bool forceRedraw, bool select)
{
    if (!IsValid(cell) || cell.row < m_nFixedRows) return;
    const int from = IsValid(m_SelectionStartCell) ? m_SelectionStartCell.row : cell.row;
    SetSelectedRange(std::min(from, cell.row), m_nFixedCols, std::max(from, cell.row), m_nCols - 1, forceRedraw, select);
}

void CGridCtrl::SelectCells(CCellID cell, bool forceRedraw, bool select)
{
    if (!IsValid(cell) || cell.row < m_nFixedRows || cell.col < m_nFixedCols) return;
    const CCellID start = IsValid(m_SelectionStartCell) ? m_SelectionStartCell : cell;
    SetSelectedRange(std::min(start.row, cell.row), std::min(start.col, cell.col), std::max(start.row, cell.row),
        std::max(start.col, cell.col), forceRedraw, select);
}

void CGridCtrl::SelectAll()
{
    SendMessageToParent(-1, -1, GVN_SELCHANGING);
    SelectAllCells();
    SendMessageToParent(-1, -1, GVN_SELCHANGED);
}
