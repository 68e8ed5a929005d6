// How a cell draws itself.

#include "widgets/grid/CGridCellBase.h"

#include "widgets/grid/CGridCtrl.h"

#include "platform/ui/DeviceContext.h"

namespace {

ui::Rect Widened(ui::Rect rect)
{
    ++rect.right;
    ++rect.bottom;
    return rect;
}

// The raised look of a header cell: light along the top and left, dark along right and bottom.
void DrawRaisedBorder(ui::DC& dc, const ui::Rect& rect)
{
    dc.SelectPen(ui::Pen{ui::PS_SOLID, 1, ui::GetSysColor(ui::COLOR_BTNHIGHLIGHT)});
    dc.MoveTo(rect.right, rect.top);
    dc.LineTo(rect.left, rect.top);
    dc.LineTo(rect.left, rect.bottom);
    dc.SelectPen(ui::Pen{ui::PS_SOLID, 1, ui::GetSysColor(ui::COLOR_3DDKSHADOW)});
    dc.MoveTo(rect.right, rect.top);
    dc.LineTo(rect.right, rect.bottom);
    dc.LineTo(rect.left, rect.bottom);
}

} // namespace

bool CGridCellBase::Draw(ui::DC* dc, int row, int col, ui::Rect rect, bool eraseBackground)
{
    CGridCtrl* grid = GetGrid();
    CGridDefaultCell* defaultCell = GetDefaultCell();
    if (grid == nullptr || dc == nullptr || rect.Width() <= 0 || rect.Height() <= 0 || defaultCell == nullptr) return false;

    const int saved = dc->SaveDC();
    dc->SetBkMode(ui::TRANSPARENT);

    ui::COLORREF textColor = GetTextColor() != CLR_DEFAULT ? GetTextColor() : defaultCell->GetTextColor();
    ui::COLORREF backColor = GetBackColor() != CLR_DEFAULT ? GetBackColor() : defaultCell->GetBackColor();
    // A cell with a colour of its own always shows it.
    bool erase = eraseBackground || GetBackColor() != CLR_DEFAULT;

    if (IsFocused()) {
        if (IsSelected()) {
            backColor = ui::GetSysColor(ui::COLOR_HIGHLIGHT);
            textColor = ui::GetSysColor(ui::COLOR_HIGHLIGHTTEXT);
            erase = true;
        }
        rect = Widened(rect);
        if (erase) dc->FillSolidRect(rect, backColor);
        // The frame runs inside the grid lines.
        --rect.right;
        --rect.bottom;
        dc->Draw3dRect(rect, textColor, textColor);
        ++rect.top;
        --rect.right;
        --rect.bottom;
    } else if (IsSelected()) {
        dc->FillSolidRect(Widened(rect), ui::GetSysColor(ui::COLOR_HIGHLIGHT));
        textColor = ui::GetSysColor(ui::COLOR_HIGHLIGHTTEXT);
    } else if (erase) {
        dc->FillSolidRect(Widened(rect), backColor);
    }

    if (IsFixed()) {
        const CCellID focus = grid->GetFocusCell();
        if (grid->IsValid(focus) && (row == focus.row || col == focus.col)) {
            dc->DrawEdge(Widened(rect), ui::BDR_SUNKENINNER, ui::BF_RECT);
        } else {
            DrawRaisedBorder(*dc, rect);
        }
        rect.Deflate(1, 1);
    }

    dc->SelectFont(GetRealizedFont());
    const int margin = static_cast<int>(GetMargin());
    rect.left += margin;
    rect.right -= margin;
    dc->SetTextColor(textColor);
    dc->DrawText(GetText(), rect, GetFormat() | ui::DT_NOPREFIX);
    dc->RestoreDC(saved);
    return true;
}
