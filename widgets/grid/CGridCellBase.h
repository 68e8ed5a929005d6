#pragma once

#include "widgets/grid/GridDefs.h"

#include "platform/ui/Geometry.h"

namespace ui {
class DC;
class Font;
class Window;
} // namespace ui

class CGridCtrl;
class CGridDefaultCell;

// What every cell of the grid is: its state bits, and the operations through which the grid
// sets, reads, measures and draws it. The fields behind most of them are CGridCell's.
class CGridCellBase {
public:
    CGridCellBase() = default;
    virtual ~CGridCellBase() = default;
    CGridCellBase(const CGridCellBase&) = delete;
    CGridCellBase& operator=(const CGridCellBase&) = delete;

    virtual void SetText(const char* text) = 0;
    virtual void SetState(ui::UINT state) { m_nState = state; }
    virtual void SetFormat(ui::UINT format) = 0;
    virtual void SetTextColor(ui::COLORREF color) = 0;
    virtual void SetBackColor(ui::COLORREF color) = 0;
    virtual void SetFont(const ui::LOGFONT* logFont) = 0;
    virtual void SetMargin(ui::UINT margin) = 0;
    virtual void SetGrid(CGridCtrl* grid) = 0;
    virtual void SetPosition(int row, int col) = 0;

    virtual const char* GetText() const = 0;
    virtual ui::UINT GetState() const { return m_nState; }
    virtual ui::UINT GetFormat() const = 0;
    virtual ui::COLORREF GetTextColor() const = 0;
    virtual ui::COLORREF GetBackColor() const = 0;
    virtual const ui::LOGFONT* GetFont() const = 0;
    virtual ui::Font* GetRealizedFont() const = 0;
    virtual CGridCtrl* GetGrid() const = 0;
    virtual ui::Window* GetEditWindow() const = 0;
    virtual ui::UINT GetMargin() const = 0;
    virtual CGridDefaultCell* GetDefaultCell() const;

    virtual bool IsEditing() const = 0;
    virtual bool IsFocused() const { return (GetState() & GVIS_FOCUSED) != 0; }
    virtual bool IsFixed() const { return (GetState() & GVIS_FIXED) != 0; }
    virtual bool IsFixedColumn() const { return (GetState() & GVIS_FIXEDCOL) != 0; }
    virtual bool IsFixedRow() const { return (GetState() & GVIS_FIXEDROW) != 0; }
    virtual bool IsSelected() const { return (GetState() & GVIS_SELECTED) != 0; }
    virtual bool IsReadOnly() const { return (GetState() & GVIS_READONLY) != 0; }

    virtual bool Draw(ui::DC* dc, int row, int col, ui::Rect rect, bool eraseBackground = true);

    // The in-place editor (CInPlaceEdit) opened over the cell.
    virtual void Edit(int row, int col, ui::Rect rect, ui::Point point, int controlId, ui::UINT firstChar);
    virtual void EndEdit();
    virtual void EditEnded() { }

protected:
    // Edit marks the cell as editing with the editor it opened.
    virtual void StartEditing(ui::Window*) { }

private:
    ui::UINT m_nState = 0;
};
