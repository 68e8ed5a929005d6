// Where cells are, and how the grid paints them.

#include "widgets/grid/CGridCtrl.h"
#include "widgets/grid/GridGeometry.h"

#include "platform/ui/Bitmap.h"
#include "platform/ui/DeviceContext.h"

#include <algorithm>
#include <climits>
#include <span>

namespace {

ui::Rect Intersect(const ui::Rect& a, const ui::Rect& b)
{
    return ui::Rect{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

void FillWithin(ui::DC& dc, const ui::Rect& area, const ui::Rect& clip, ui::COLORREF color)
{
    const ui::Rect part = Intersect(area, clip);
    if (!part.IsEmpty()) dc.FillSolidRect(part, color);
}

} // namespace

CCellID CGridCtrl::GetTopleftNonFixedCell(bool forceRecalculation)
{
    if (m_idTopLeftCell.IsValid() && !forceRecalculation) return m_idTopLeftCell;
    m_idTopLeftCell = CCellID(grid::FirstScrolled(m_arRowHeights, m_nFixedRows, IsWindow() ? GetScrollPos(ui::SB_VERT) : 0),
        grid::FirstScrolled(m_arColWidths, m_nFixedCols, IsWindow() ? GetScrollPos(ui::SB_HORZ) : 0));
    return m_idTopLeftCell;
}

CCellRange CGridCtrl::GetVisibleNonFixedCellRange(ui::Rect* rect, bool forceRecalculation)
{
    const ui::Rect client = GetClientRect();
    const CCellID topLeft = GetTopleftNonFixedCell(forceRecalculation);
    const int maxRow = grid::LastVisible(m_arRowHeights, m_nFixedRows, topLeft.row, client.bottom);
    const int maxCol = grid::LastVisible(m_arColWidths, m_nFixedCols, topLeft.col, client.right);
    if (rect != nullptr) {
        const int fixedWidth = GetFixedColumnWidth();
        const int fixedHeight = GetFixedRowHeight();
        int right = fixedWidth;
        for (int col = topLeft.col; col <= maxCol; ++col) right += GetColumnWidth(col);
        int bottom = fixedHeight;
        for (int row = topLeft.row; row <= maxRow; ++row) bottom += GetRowHeight(row);
        *rect = ui::Rect{fixedWidth, fixedHeight, std::min(right, client.right), std::min(bottom, client.bottom)};
    }
    return CCellRange(topLeft.row, topLeft.col, maxRow, maxCol);
}

// Where a cell starts, walking only from the top-left visible cell and giving up once the walk
// passes limit: a cell far below the view costs no more than the view.
namespace {

int Edge(std::span<const ui::UINT> sizes, int fixed, int first, int index, int fixedExtent, int limit)
{
    if (index < fixed) return grid::Offset(sizes, index);
    int edge = fixedExtent;
    for (int i = first; i < index && edge < limit; ++i) edge += static_cast<int>(sizes[static_cast<size_t>(i)]);
    return edge;
}

} // namespace

bool CGridCtrl::GetCellOrigin(int row, int col, ui::Point& origin)
{
    if (!IsValid(row, col)) return false;
    const CCellID topLeft = GetTopleftNonFixedCell();
    if ((col >= m_nFixedCols && col < topLeft.col) || (row >= m_nFixedRows && row < topLeft.row)) return false;
    origin.x = Edge(m_arColWidths, m_nFixedCols, topLeft.col, col, GetFixedColumnWidth(), INT32_MAX);
    origin.y = Edge(m_arRowHeights, m_nFixedRows, topLeft.row, row, GetFixedRowHeight(), INT32_MAX);
    return true;
}

bool CGridCtrl::IsCellVisible(int row, int col)
{
    if (!IsWindow() || !IsValid(row, col)) return false;
    const CCellID topLeft = GetTopleftNonFixedCell();
    if ((col >= m_nFixedCols && col < topLeft.col) || (row >= m_nFixedRows && row < topLeft.row)) return false;
    const ui::Rect client = GetClientRect();
    if (col >= m_nFixedCols && Edge(m_arColWidths, m_nFixedCols, topLeft.col, col, GetFixedColumnWidth(), client.right) >= client.right)
        return false;
    if (row >= m_nFixedRows && Edge(m_arRowHeights, m_nFixedRows, topLeft.row, row, GetFixedRowHeight(), client.bottom) >= client.bottom) {
        return false;
    }
    return true;
}

bool CGridCtrl::GetCellRect(int row, int col, ui::Rect& rect)
{
    ui::Point origin;
    if (!IsCellVisible(row, col) || !GetCellOrigin(row, col, origin)) return false;
    rect = ui::Rect{origin.x, origin.y, origin.x + GetColumnWidth(col) - 1, origin.y + GetRowHeight(row) - 1};
    return true;
}

CCellID CGridCtrl::GetCellFromPoint(ui::Point point, bool allowFixed)
{
    const CCellID topLeft = GetTopleftNonFixedCell();
    return CCellID(grid::IndexAt(m_arRowHeights, m_nFixedRows, topLeft.row, point.y, allowFixed),
        grid::IndexAt(m_arColWidths, m_nFixedCols, topLeft.col, point.x, allowFixed));
}

void CGridCtrl::OnPaint(ui::DC& dc)
{
    const ui::Rect clip = dc.GetClipBox();
    if (clip.IsEmpty()) {
        DrawGrid(dc);
        return;
    }
    ui::Bitmap buffer(clip.Width(), clip.Height(), dc.GetBkColor());
    {
        ui::DC offscreen(buffer, ui::Point{clip.left, clip.top});
        offscreen.ShareVisibleParts(dc);
        DrawGrid(offscreen);
    }
    dc.DrawBitmap(buffer, clip.left, clip.top);
}

void CGridCtrl::EraseBkgnd(ui::DC& dc)
{
    const ui::Rect clip = dc.GetClipBox();
    const ui::Rect client = GetClientRect();
    ui::Rect cells;
    GetVisibleNonFixedCellRange(&cells);
    const int fixedWidth = cells.left;
    const int fixedHeight = cells.top;

    FillWithin(dc, ui::Rect{0, 0, fixedWidth, fixedHeight}, clip, m_cellFixedRowColDef.GetBackColor());
    FillWithin(dc, ui::Rect{0, fixedHeight, fixedWidth, cells.bottom}, clip, m_cellFixedColDef.GetBackColor());
    FillWithin(dc, ui::Rect{fixedWidth - 1, 0, cells.right, fixedHeight}, clip, m_cellFixedRowDef.GetBackColor());
    FillWithin(dc, cells, clip, m_cellDefault.GetBackColor());
    FillWithin(dc, ui::Rect{cells.right, 0, client.right, client.bottom}, clip, m_crGridBkColour);
    FillWithin(dc, ui::Rect{0, cells.bottom, cells.right, client.bottom}, clip, m_crGridBkColour);
}

void CGridCtrl::DrawGrid(ui::DC& dc)
{
    const ui::Rect clip = dc.GetClipBox();
    if (clip.IsEmpty()) return;
    EraseBkgnd(dc);

    ui::Rect cellsArea;
    const CCellRange visible = GetVisibleNonFixedCellRange(&cellsArea);

    // Rows first, then the columns of each; a walk ends at the first row (column) that starts
    // below (right of) the clip box.
    const auto drawBlock = [&](int firstRow, int lastRow, int rowTop, int firstCol, int lastCol, int colLeft) {
        int top = rowTop;
        for (int row = firstRow; row <= lastRow; ++row) {
            const int height = GetRowHeight(row);
            if (top > clip.bottom) break;
            const int bottom = top + height - 1;
            if (bottom >= clip.top) {
                int left = colLeft;
                for (int col = firstCol; col <= lastCol; ++col) {
                    const int width = GetColumnWidth(col);
                    if (left > clip.right) break;
                    const int right = left + width - 1;
                    // Cells between the scattered parts of an update (a fading trail) are left alone.
                    if (right >= clip.left && dc.RectVisible(ui::Rect{left, top, right + 1, bottom + 1})) {
                        if (CGridCellBase* cell = GetCell(row, col)) {
                            cell->SetPosition(row, col);
                            cell->Draw(&dc, row, col, ui::Rect{left, top, right, bottom}, false);
                        }
                    }
                    left += width;
                }
            }
            top += height;
        }
    };
    const int fixedWidth = cellsArea.left;
    const int fixedHeight = cellsArea.top;
    drawBlock(0, m_nFixedRows - 1, 0, 0, m_nFixedCols - 1, 0);
    drawBlock(visible.minRow, visible.maxRow, fixedHeight, 0, m_nFixedCols - 1, 0);
    drawBlock(0, m_nFixedRows - 1, 0, visible.minCol, visible.maxCol, fixedWidth);
    drawBlock(visible.minRow, visible.maxRow, fixedHeight, visible.minCol, visible.maxCol, fixedWidth);

    dc.SelectPen(ui::Pen{ui::PS_SOLID, 1, kGridLineColor});
    int x = fixedWidth;
    for (int col = visible.minCol; col <= visible.maxCol && x <= clip.right; ++col) {
        const int width = GetColumnWidth(col);
        x += width;
        dc.MoveTo(x - 1, fixedHeight);
        dc.LineTo(x - 1, cellsArea.bottom);
    }
    int y = fixedHeight;
    for (int row = visible.minRow; row <= visible.maxRow && y <= clip.bottom; ++row) {
        const int height = GetRowHeight(row);
        y += height;
        dc.MoveTo(fixedWidth, y - 1);
        dc.LineTo(cellsArea.right, y - 1);
    }
}

bool CGridCtrl::RedrawCell(int row, int col, ui::DC* dc)
{
    ui::Rect rect;
    if (!GetCellRect(row, col, rect)) return false;
    std::unique_ptr<ui::DC> own;
    if (dc == nullptr) {
        own = GetDC();
        dc = own.get();
    }
    // Outside painting there is nothing to draw on: the cell is painted with the next paint.
    if (dc == nullptr || !dc->CanDraw()) {
        InvalidateRect(ui::Rect{rect.left, rect.top, rect.right + 1, rect.bottom + 1});
        return true;
    }
    // A cell that shows exists.
    CGridCellBase* cell = GetCell(row, col);
    cell->SetPosition(row, col);
    const bool drawn = cell->Draw(dc, row, col, rect, true);
    if (!IsCellFixed(row, col)) {
        const int saved = dc->SaveDC();
        dc->SelectPen(ui::Pen{ui::PS_SOLID, 1, kGridLineColor});
        dc->MoveTo(rect.left, rect.bottom);
        dc->LineTo(rect.right + 1, rect.bottom);
        dc->MoveTo(rect.right, rect.top);
        dc->LineTo(rect.right, rect.bottom + 1);
        dc->RestoreDC(saved);
    }
    return drawn;
}
