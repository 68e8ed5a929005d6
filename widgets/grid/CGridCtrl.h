#pragma once

#include "widgets/grid/CGridCell.h"
#include "widgets/grid/CGridDefaultCell.h"
#include "widgets/grid/GridDefs.h"

#include "platform/ui/Styles.h"
#include "platform/ui/Window.h"

#include <map>
#include <memory>
#include <string_view>
#include <vector>

// A grid of text cells with header rows and columns that never scroll, drawn with grid lines
// and scrolled by scroll bars and the wheel. A store of cells and a window that paints the
// visible part of it.
class CGridCtrl : public ui::Window {
public:
    // The window class by which dialog templates make grids.
    static constexpr const char* kWindowClass = "MFCGridCtrl";
    static constexpr ui::COLORREF kGridLineColor = 0xC0C0C0;
    static constexpr ui::UINT kAutoScrollInterval = 25;
    static constexpr int kDefaultWheelScrollLines = 3;

    explicit CGridCtrl(int rows = 0, int cols = 0, int fixedRows = 0, int fixedCols = 0);
    ~CGridCtrl() override;

    bool Create(ui::Window& parent, const ui::Rect& rect, int id, uint32_t style = ui::WS_CHILD | ui::WS_VISIBLE | ui::WS_TABSTOP);

    // --- Counts and sizes ---
    bool SetRowCount(int rows);
    bool SetColumnCount(int cols);
    bool SetFixedRowCount(int n);
    bool SetFixedColumnCount(int n);
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetFixedRowCount() const { return m_nFixedRows; }
    int GetFixedColumnCount() const { return m_nFixedCols; }
    void SetRowHeight(int row, int height);
    void SetColumnWidth(int col, int width);
    int GetRowHeight(int row) const;
    int GetColumnWidth(int col) const;
    int GetFixedRowHeight() const;
    int GetFixedColumnWidth() const;
    int GetVirtualHeight() const;
    int GetVirtualWidth() const;
    void SetDefaultCellWidth(int width);

    // --- Default cells and the cell class ---
    CGridDefaultCell* GetDefaultCell(bool fixedRow, bool fixedCol) const;

    // --- Flags and colours ---
    void SetEditable(bool editable) { m_bEditable = editable; }
    bool IsEditable() const { return m_bEditable; }
    ui::COLORREF GetGridBkColor() const { return m_crGridBkColour; }
    int GetWheelScrollLines() const { return m_nRowsPerWheelNotch; }

    // --- Cells ---
    CGridCellBase* GetCell(int row, int col) const;
    bool IsValid(int row, int col) const { return row >= 0 && row < m_nRows && col >= 0 && col < m_nCols; }
    bool IsValid(const CCellID& cell) const { return IsValid(cell.row, cell.col); }
    bool IsValid(const CCellRange& range) const;
    void SetCellText(int row, int col, const char* text);
    std::string GetCellText(int row, int col) const;
    void SetCellFormat(int row, int col, ui::UINT format);
    void SetCellTextColor(int row, int col, ui::COLORREF color);
    void SetCellBackColor(int row, int col, ui::COLORREF color);
    ui::UINT GetCellState(int row, int col) const;
    bool SetCellState(int row, int col, ui::UINT state);
    bool IsCellSelected(int row, int col) const;
    bool IsCellEditing(int row, int col) const;
    bool IsCellEditable(const CCellID& cell) const;
    bool IsCellFixed(int row, int col) const { return row < m_nFixedRows || col < m_nFixedCols; }
    CCellRange GetSelectedRange() const;
    CCellID GetFocusCell() const { return m_idCurrentCell; }
    CCellID SetFocusCell(int row, int col);

    // --- Layout and painting ---
    bool RedrawCell(int row, int col, ui::DC* dc = nullptr);
    void Refresh();
    bool EnsureVisible(int row, int col);
    bool IsCellVisible(int row, int col);
    bool GetCellRect(int row, int col, ui::Rect& rect);
    bool GetCellOrigin(int row, int col, ui::Point& origin);
    CCellID GetCellFromPoint(ui::Point point, bool allowFixed = true);
    CCellID GetTopleftNonFixedCell(bool forceRecalculation = false);
    CCellRange GetVisibleNonFixedCellRange(ui::Rect* rect = nullptr, bool forceRecalculation = false);
    void ResetScrollBars();

    // Sends a grid notification {header, row, column} to the owner or parent; its answer.
    ui::LRESULT SendMessageToParent(int row, int col, int code) const;

    // --- Selection (CGridCtrlSelect.cpp) ---
    void SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, bool forceRedraw = false, bool select = true);
    void SetSelectedRange(const CCellRange& range, bool forceRedraw = false, bool select = true);
    void SelectAllCells(bool forceRedraw = false, bool select = true);
    void SelectColumns(CCellID cell, bool forceRedraw = false, bool select = true);
    void SelectRows(CCellID cell, bool forceRedraw = false, bool select = true);
    void SelectCells(CCellID cell, bool forceRedraw = false, bool select = true);
    int GetMouseMode() const { return m_MouseMode; }

    // --- Editing (CGridCtrlEdit.cpp) ---
    // The control identifier of the in-place editor.
    static constexpr int IDC_INPLACE_CONTROL = 8;

    // --- Clipboard (CGridCtrlClipboard.cpp) ---
    // The text a copy puts on the clipboard; empty when nothing is selected.
    std::string CreateClipboardText();

    // --- Overridables ---
    virtual void EraseSelectedText();
    virtual bool CreateClipboardData(std::string& text);
    virtual void PasteData(int row, int col, const std::string& text, bool selectPasted);
    // Pastes field `field` of line `line` of the pasted text, trimmed, into cell (row, col).
    virtual void PasteCell(int row, int col, std::string_view text, size_t line, size_t field);
    virtual void CutSelection();
    virtual void CopySelection();
    virtual void PasteClipboard();
    virtual void SelectAll();
    virtual void FixedColumnClicked(CCellID& cell);
    virtual void FixedRowClicked(CCellID& cell);
    virtual void EditCell(int row, int col, ui::Point point, ui::UINT firstChar);
    virtual void EndCellEdit(int row, int col, const char* newText);
    virtual bool ValidateCellEdit(int row, int col, const char* text);
    virtual void EndEditing();
    virtual void DrawGrid(ui::DC& dc);
    virtual std::unique_ptr<CGridCellBase> CreateCell(int row, int col);

protected:
    void PreSubclassWindow() override;
    ui::LRESULT WindowProc(ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) override;
    void OnPaint(ui::DC& dc) override;
    void OnSize(ui::UINT type, int cx, int cy) override;
    void OnHScroll(int code, int pos) override;
    void OnVScroll(int code, int pos) override;
    bool OnMouseWheel(ui::UINT flags, int delta, ui::Point point) override;

    void EraseBkgnd(ui::DC& dc);
    void ResetSelectedRange();

    // Keyboard and mouse (CGridCtrlKeys.cpp, CGridCtrlMouse.cpp).
    void OnKeyDown(ui::UINT vk, ui::UINT repeat, ui::UINT flags) override;
    ui::UINT OnGetDlgCode() override;
    void OnLButtonDown(ui::UINT flags, ui::Point point) override;
    void OnLButtonUp(ui::UINT flags, ui::Point point) override;
    void OnLButtonDblClk(ui::UINT flags, ui::Point point) override;
    void OnRButtonUp(ui::UINT flags, ui::Point point) override;
    void OnMouseMove(ui::UINT flags, ui::Point point) override;
    void OnTimer(uintptr_t id) override;
    void OnCaptureChanged(ui::Window* newCapture) override;
    bool OnNotify(ui::WPARAM wParam, ui::LPARAM lParam, ui::LRESULT* result) override;
    // A typed character does not open the editor: F2, a click or an input-method character do.
    void OnImeChar(ui::UINT ch);
    // The end-of-edit record from the in-place editor.
    void OnEndInPlaceEdit(const GV_DISPINFO& info);
    // Changes a cell's text the way the user would: -105, validation, -106 and its veto.
    void EditCellText(int row, int col, const std::string& text);

    // Cells of the rows table.
    using GridRow = std::vector<std::unique_ptr<CGridCellBase>>;
    std::vector<GridRow> m_RowData;

private:
    void ResetDefaultCells();
    void RedrawFocusHeaders(const CCellID& cell, const CCellID& other);
    void Scroll(int bar, int code, int trackPos);
    void InvalidateScrolledArea(int bar);
    // The shown non-fixed cell nearest to point: the auto-scroll's cell at the edge.
    CCellID CellNearestTo(ui::Point point);
    ui::LRESULT OnSetFont(ui::WPARAM wParam, ui::LPARAM lParam);
    // One key per cell the grid can hold, however many rows and columns it has.
    static uint64_t SelectionKey(int row, int col)
    {
        return (static_cast<uint64_t>(static_cast<uint32_t>(col)) << 32) | static_cast<uint32_t>(row);
    }

    ui::COLORREF m_crGridBkColour = 0;

    bool m_bEditable = true;

    int m_nRows = 0;
    int m_nFixedRows = 0;
    int m_nCols = 0;
    int m_nFixedCols = 0;
    std::vector<ui::UINT> m_arRowHeights;
    std::vector<ui::UINT> m_arColWidths;
    int m_nVScrollMax = 0;
    int m_nHScrollMax = 0;

    CGridDefaultCell m_cellDefault;
    CGridDefaultCell m_cellFixedColDef;
    CGridDefaultCell m_cellFixedRowDef;
    CGridDefaultCell m_cellFixedRowColDef;

    CCellID m_idCurrentCell;
    CCellID m_idTopLeftCell;
    CCellID m_SelectionStartCell;
    CCellID m_LeftClickDownCell;
    int m_nRowsPerWheelNotch = kDefaultWheelScrollLines;
    std::map<uint64_t, CCellID> m_SelectedCellMap;
    std::map<uint64_t, CCellID> m_PrevSelectedCellMap;

    // Input state.
    int m_MouseMode = 0;
    bool m_bLMouseButtonDown = false;
    ui::Point m_LastMousePoint;
    uintptr_t m_nTimerID = 0;
};
