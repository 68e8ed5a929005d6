// The grid as a store: construction, the counts, cells, selection bookkeeping, notifications.

#include "widgets/grid/CGridCtrl.h"

#include "platform/ui/DeviceContext.h"
#include "platform/ui/Font.h"
#include "platform/ui/Styles.h"
#include "platform/ui/SystemMetrics.h"

#include <algorithm>
#include <new>

CGridCtrl::CGridCtrl(int rows, int cols, int fixedRows, int fixedCols)
{
    // Once, before any page's template names the class.
    [[maybe_unused]] static const bool registered
        = RegisterWindowClass(kWindowClass, ui::CS_DBLCLKS | ui::CS_HREDRAW | ui::CS_VREDRAW, ui::COLOR_3DFACE);
    m_crGridBkColour = ui::GetSysColor(ui::COLOR_3DSHADOW);
    m_nRowsPerWheelNotch = ui::GetWheelScrollLines();
    if (m_nRowsPerWheelNotch == 0) m_nRowsPerWheelNotch = kDefaultWheelScrollLines;

    ResetDefaultCells();
    SetRowCount(rows);
    SetColumnCount(cols);
    SetFixedRowCount(fixedRows);
    SetFixedColumnCount(fixedCols);
}

CGridCtrl::~CGridCtrl()
{
    // Cells go before the window, so nothing paints a half-destroyed grid; the counts go with
    // them, so whatever asks for a cell meanwhile (a cell as it is freed, a handler of the
    // window's end) finds an empty grid instead of freed rows.
    std::vector<GridRow> rows = std::move(m_RowData);
    m_RowData.clear();
    m_nRows = m_nFixedRows = m_nCols = m_nFixedCols = 0;
    m_arRowHeights.clear();
    m_arColWidths.clear();
    m_idCurrentCell = CCellID();
    m_SelectedCellMap.clear();
    m_PrevSelectedCellMap.clear();
    rows.clear();
    DestroyWindow();
}

void CGridCtrl::ResetDefaultCells()
{
    const ui::LOGFONT messageFont = ui::GetMessageFont();
    for (CGridDefaultCell* cell : {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef}) {
        cell->SetGrid(this);
        cell->SetTextColor(ui::GetSysColor(ui::COLOR_WINDOWTEXT));
        cell->SetBackColor(ui::GetSysColor(cell == &m_cellDefault ? ui::COLOR_WINDOW : ui::COLOR_3DFACE));
        cell->SetFont(&messageFont);
    }
}

bool CGridCtrl::Create(ui::Window& parent, const ui::Rect& rect, int id, uint32_t style)
{
    if (!CreateChild(parent, rect, id, style, kWindowClass)) return false;
    PreSubclassWindow();
    return true;
}

void CGridCtrl::PreSubclassWindow()
{
    // A dialog gives its controls its font as they are made; a grid bound later takes it now.
    if (ui::Font* font = GetFont(); font != nullptr && !font->IsNull()) OnSetFont(reinterpret_cast<ui::WPARAM>(font), 0);
    ResetScrollBars();
}

CGridDefaultCell* CGridCtrl::GetDefaultCell(bool fixedRow, bool fixedCol) const
{
    auto* self = const_cast<CGridCtrl*>(this);
    if (fixedRow && fixedCol) return &self->m_cellFixedRowColDef;
    if (fixedRow) return &self->m_cellFixedRowDef;
    if (fixedCol) return &self->m_cellFixedColDef;
    return &self->m_cellDefault;
}

void CGridCtrl::SetDefaultCellWidth(int width)
{
    for (CGridDefaultCell* cell : {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef}) cell->SetWidth(width);
}

// --- Counts ---

// Rows and columns are only ever added: every grid of the program gets its counts once, on an
// empty grid.
bool CGridCtrl::SetRowCount(int rows)
{
    if (rows < m_nRows) return false;
    if (rows == m_nRows) return true;
    bool result = true;
    m_idTopLeftCell = CCellID();
    try {
        const auto height = static_cast<ui::UINT>(m_cellDefault.GetHeight());
        m_arRowHeights.reserve(static_cast<size_t>(rows));
        m_RowData.reserve(static_cast<size_t>(rows));
        while (m_nRows < rows) {
            const int row = m_nRows;
            GridRow cells(static_cast<size_t>(m_nCols));
            for (int col = 0; col < m_nCols; ++col) cells[static_cast<size_t>(col)] = CreateCell(row, col);
            m_RowData.push_back(std::move(cells));
            m_arRowHeights.push_back(height);
            ++m_nRows;
        }
    } catch (const std::bad_alloc&) {
        result = false;
    }

    ResetScrollBars();
    Refresh();
    return result;
}

bool CGridCtrl::SetColumnCount(int cols)
{
    if (cols < m_nCols) return false;
    if (cols == m_nCols) return true;
    bool result = true;
    m_idTopLeftCell = CCellID();
    try {
        const int oldCols = m_nCols;
        // New columns take the header columns' default width, new rows the normal cells' height.
        m_arColWidths.resize(static_cast<size_t>(cols), static_cast<ui::UINT>(m_cellFixedColDef.GetWidth()));
        for (int row = 0; row < m_nRows; ++row) {
            GridRow& cells = m_RowData[static_cast<size_t>(row)];
            cells.resize(static_cast<size_t>(cols));
            for (int col = oldCols; col < cols; ++col) cells[static_cast<size_t>(col)] = CreateCell(row, col);
        }
    } catch (const std::bad_alloc&) {
        result = false;
    }
    m_nCols = cols;
    m_arColWidths.resize(static_cast<size_t>(cols));

    ResetScrollBars();
    Refresh();
    return result;
}

// Header rows and columns are only ever added: the cells they take become headers.
bool CGridCtrl::SetFixedRowCount(int n)
{
    if (n < m_nFixedRows) return false;
    if (n == m_nFixedRows) return true;
    ResetSelectedRange();
    SetFocusCell(-1, -1);
    m_idTopLeftCell = CCellID();
    if (m_nRows < n && !SetRowCount(n)) return false;
    for (int row = m_nFixedRows; row < n; ++row) {
        for (int col = 0; col < m_nCols; ++col) SetCellState(row, col, GetCellState(row, col) | GVIS_FIXED | GVIS_FIXEDROW);
    }
    m_nFixedRows = n;
    Refresh();
    return true;
}

bool CGridCtrl::SetFixedColumnCount(int n)
{
    if (n < m_nFixedCols) return false;
    if (n == m_nFixedCols) return true;
    if (m_nCols < n && !SetColumnCount(n)) return false;
    ResetSelectedRange();
    SetFocusCell(-1, -1);
    m_idTopLeftCell = CCellID();
    for (int col = m_nFixedCols; col < n; ++col) {
        for (int row = 0; row < m_nRows; ++row) SetCellState(row, col, GetCellState(row, col) | GVIS_FIXED | GVIS_FIXEDCOL);
    }
    m_nFixedCols = n;
    Refresh();
    return true;
}

// Every row and column shows: a size of 0 would hide it, which no grid of the program does.
void CGridCtrl::SetRowHeight(int row, int height)
{
    if (row < 0 || row >= m_nRows || height <= 0) return;
    m_arRowHeights[static_cast<size_t>(row)] = static_cast<ui::UINT>(height);
    ResetScrollBars();
}

void CGridCtrl::SetColumnWidth(int col, int width)
{
    if (col < 0 || col >= m_nCols || width <= 0) return;
    m_arColWidths[static_cast<size_t>(col)] = static_cast<ui::UINT>(width);
    ResetScrollBars();
}

int CGridCtrl::GetRowHeight(int row) const
{
    return row < 0 || row >= m_nRows ? -1 : static_cast<int>(m_arRowHeights[static_cast<size_t>(row)]);
}

int CGridCtrl::GetColumnWidth(int col) const
{
    return col < 0 || col >= m_nCols ? -1 : static_cast<int>(m_arColWidths[static_cast<size_t>(col)]);
}

int CGridCtrl::GetFixedRowHeight() const
{
    int height = 0;
    for (int row = 0; row < m_nFixedRows; ++row) height += GetRowHeight(row);
    return height;
}

int CGridCtrl::GetFixedColumnWidth() const
{
    int width = 0;
    for (int col = 0; col < m_nFixedCols; ++col) width += GetColumnWidth(col);
    return width;
}

int CGridCtrl::GetVirtualHeight() const
{
    long long height = 0;
    for (ui::UINT h : m_arRowHeights) height += h;
    return static_cast<int>(std::min<long long>(height, INT32_MAX));
}

int CGridCtrl::GetVirtualWidth() const
{
    long long width = 0;
    for (ui::UINT w : m_arColWidths) width += w;
    return static_cast<int>(std::min<long long>(width, INT32_MAX));
}

// --- Cells ---

std::unique_ptr<CGridCellBase> CGridCtrl::CreateCell(int row, int col)
{
    std::unique_ptr<CGridCellBase> cell = std::make_unique<CGridCell>();
    cell->SetGrid(this);
    cell->SetPosition(row, col);
    if (col < m_nFixedCols) cell->SetState(cell->GetState() | GVIS_FIXED | GVIS_FIXEDCOL);
    if (row < m_nFixedRows) cell->SetState(cell->GetState() | GVIS_FIXED | GVIS_FIXEDROW);
    // An explicit copy of its kind's format, not "take the default's".
    cell->SetFormat(cell->GetDefaultCell()->GetFormat());
    return cell;
}

CGridCellBase* CGridCtrl::GetCell(int row, int col) const
{
    if (!IsValid(row, col)) return nullptr;
    const GridRow& cells = m_RowData[static_cast<size_t>(row)];
    return static_cast<size_t>(col) < cells.size() ? cells[static_cast<size_t>(col)].get() : nullptr;
}

bool CGridCtrl::IsValid(const CCellRange& range) const
{
    return range.IsValid() && range.maxRow < m_nRows && range.maxCol < m_nCols;
}

void CGridCtrl::SetCellText(int row, int col, const char* text)
{
    CGridCellBase* cell = GetCell(row, col);
    if (cell == nullptr) return;
    cell->SetText(text);
}

std::string CGridCtrl::GetCellText(int row, int col) const
{
    const CGridCellBase* cell = GetCell(row, col);
    return cell != nullptr ? cell->GetText() : "";
}

void CGridCtrl::SetCellFormat(int row, int col, ui::UINT format)
{
    if (CGridCellBase* cell = GetCell(row, col)) cell->SetFormat(format);
}

void CGridCtrl::SetCellTextColor(int row, int col, ui::COLORREF color)
{
    if (CGridCellBase* cell = GetCell(row, col)) cell->SetTextColor(color);
}

void CGridCtrl::SetCellBackColor(int row, int col, ui::COLORREF color)
{
    if (CGridCellBase* cell = GetCell(row, col)) cell->SetBackColor(color);
}

ui::UINT CGridCtrl::GetCellState(int row, int col) const
{
    const CGridCellBase* cell = GetCell(row, col);
    return cell != nullptr ? cell->GetState() : 0;
}

bool CGridCtrl::SetCellState(int row, int col, ui::UINT state)
{
    // A position outside the grid must not reach the selection map either.
    if (!IsValid(row, col)) return false;
    const uint64_t key = SelectionKey(row, col);
    if (IsCellSelected(row, col)) {
        if ((state & GVIS_SELECTED) == 0) m_SelectedCellMap.erase(key);
    } else if ((state & GVIS_SELECTED) != 0) {
        m_SelectedCellMap[key] = CCellID(row, col);
    }
    CGridCellBase* cell = GetCell(row, col);
    if (cell == nullptr) return false;
    cell->SetState(state);
    return true;
}

bool CGridCtrl::IsCellSelected(int row, int col) const
{
    const CGridCellBase* cell = GetCell(row, col);
    return cell != nullptr && cell->IsSelected();
}

bool CGridCtrl::IsCellEditing(int row, int col) const
{
    const CGridCellBase* cell = GetCell(row, col);
    return cell != nullptr && cell->IsEditing();
}

bool CGridCtrl::IsCellEditable(const CCellID& id) const
{
    const CGridCellBase* cell = GetCell(id.row, id.col);
    return m_bEditable && cell != nullptr && !cell->IsReadOnly();
}

CCellRange CGridCtrl::GetSelectedRange() const
{
    CCellRange range(m_nRows, m_nCols, -1, -1);
    for (const auto& [key, cell] : m_SelectedCellMap) {
        range.minRow = std::min(range.minRow, cell.row);
        range.minCol = std::min(range.minCol, cell.col);
        range.maxRow = std::max(range.maxRow, cell.row);
        range.maxCol = std::max(range.maxCol, cell.col);
    }
    return range;
}

// Clears the previous selection kept for Ctrl and deselects every cell; the callers repaint
// the whole grid after.
void CGridCtrl::ResetSelectedRange()
{
    m_PrevSelectedCellMap.clear();
    const auto selected = m_SelectedCellMap;
    for (const auto& [key, cell] : selected) SetCellState(cell.row, cell.col, GetCellState(cell.row, cell.col) & ~GVIS_SELECTED);
    m_SelectedCellMap.clear();
}

CCellID CGridCtrl::SetFocusCell(int row, int col)
{
    const CCellID previous = m_idCurrentCell;
    if (CCellID(row, col) == previous) return previous;
    // The focus is never a header cell: a header row or column gives way to the first data one.
    if (row != -1) row = std::max(row, m_nFixedRows);
    if (col != -1) col = std::max(col, m_nFixedCols);
    const CCellID cell(row, col);
    // Moved first, so that headers redrawn below already see where the focus went.
    m_idCurrentCell = IsValid(cell) ? cell : CCellID();
    if (IsValid(previous)) {
        SetCellState(previous.row, previous.col, GetCellState(previous.row, previous.col) & ~GVIS_FOCUSED);
        RedrawCell(previous.row, previous.col);
        RedrawFocusHeaders(previous, m_idCurrentCell);
    }
    if (IsValid(m_idCurrentCell)) {
        SetCellState(row, col, GetCellState(row, col) | GVIS_FOCUSED);
        RedrawCell(row, col);
        RedrawFocusHeaders(m_idCurrentCell, previous);
    }
    return previous;
}

// The headers of the focus row and column are drawn sunken: those of cell's column (row) are
// redrawn when the other focus lies in another column (row).
void CGridCtrl::RedrawFocusHeaders(const CCellID& cell, const CCellID& other)
{
    if (cell.col != other.col) {
        for (int row = 0; row < m_nFixedRows; ++row) RedrawCell(row, cell.col);
    }
    if (cell.row != other.row) {
        for (int col = 0; col < m_nFixedCols; ++col) RedrawCell(cell.row, col);
    }
}

bool CGridCtrl::ValidateCellEdit(int, int, const char*)
{
    return true;
}

void CGridCtrl::EndEditing()
{
    if (CGridCellBase* cell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col)) cell->EndEdit();
}
