// Sorting the data rows by one column.
#include "widgets/grid/CGridCtrl.h"

#include <cstring>
#include <utility>

namespace {

constexpr int kHeaderRow = 0;

} // namespace

bool CGridCtrl::SortTextItems(int col, bool ascending, ui::LPARAM data)
{
    // The header-click sort; a comparison function set by the owner still decides the order.
    return SortItems(col, ascending, data);
}

bool CGridCtrl::SortItems(int col, bool ascending, ui::LPARAM data)
{
    // Virtual-mode cells belong to the owner, who must order them itself.
    if (m_bVirtualMode || col < 0 || col >= m_nCols) return false;

    if (IsWindow() && m_nRows > kHeaderRow) {
        ui::Rect header;
        if (m_nSortColumn >= 0 && GetCellRect(kHeaderRow, m_nSortColumn, header)) InvalidateRect(header);
        if (GetCellRect(kHeaderRow, col, header)) InvalidateRect(header);
    }
    SetSortColumn(col);
    SetSortAscending(ascending);
    // Rows move, so a selection or focus by position would land on other cells.
    ResetSelectedRange();
    SetFocusCell(-1, -1);

    const auto compare = [&](const CGridCellBase* a, const CGridCellBase* b) {
        int order = 0;
        if (m_pfnCompare != nullptr) {
            if (a != nullptr && b != nullptr) order = m_pfnCompare(*a, *b, data);
        } else {
            order = std::strcmp(a != nullptr ? a->GetText() : "", b != nullptr ? b->GetText() : "");
        }
        return ascending ? order : -order;
    };
    const auto swapRows = [&](int first, int second) {
        std::swap(m_RowData[first], m_RowData[second]);
        std::swap(m_arRowHeights[first], m_arRowHeights[second]);
        for (int c = 0; c < m_nCols; ++c) {
            if (m_RowData[first][c]) m_RowData[first][c]->SetPosition(first, c);
            if (m_RowData[second][c]) m_RowData[second][c]->SetPosition(second, c);
        }
    };
    const auto cellAt = [&](int row) { return m_RowData[row][col].get(); };
    // The pivot is the middle row's cell object, which stays put while the row pointers move.
    const auto quickSort = [&](auto& self, int low, int high) -> void {
        if (low >= high) return;
        const CGridCellBase* pivot = cellAt(low + (high - low) / 2);
        int lo = low;
        int hi = high;
        while (lo <= hi) {
            while (lo < high && compare(cellAt(lo), pivot) < 0) ++lo;
            while (hi > low && compare(cellAt(hi), pivot) > 0) --hi;
            if (lo <= hi) {
                if (lo != hi) swapRows(lo, hi);
                ++lo;
                --hi;
            }
        }
        if (low < hi) self(self, low, hi);
        if (lo < high) self(self, lo, high);
    };

    SetCursor(ui::Cursor::Wait);
    quickSort(quickSort, m_nFixedRows, m_nRows - 1);
    SetCursor(ui::Cursor::Arrow);
    Refresh();
    return true;
}
