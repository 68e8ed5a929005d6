// How a cell draws itself.

#include "widgets/grid/CGridCellBase.h"

#include "widgets/grid/CGridCtrl.h"

#include "platform/ui/DeviceContext.h"
#include "platform/ui/ImageList.h"

namespace {

constexpr int kVerticalEscapement = 900;
constexpr int kArrowInset = 4; // the sort arrow is the height of "M" less this

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

// The sort column's arrow at the right of the text area (centred for vertical text); the text
// area gives up the arrow's width. Drawn only where it fits.
void DrawSortArrow(ui::DC& dc, ui::Rect& text, bool ascending, bool vertical)
{
    const int size = std::min(dc.GetTextExtent("M").cy - kArrowInset, text.Height() - kArrowInset);
    if (size <= 0 || size > text.Width()) return;
    const int left = vertical ? text.left + (text.Width() - size) / 2 : text.right - size;
    const int top = text.top + (text.Height() - size) / 2;
    const int apexY = ascending ? top : top + size;
    const int baseY = ascending ? top + size : top;
    const ui::Point apex{left + size / 2, apexY};
    dc.SelectPen(ui::Pen{ui::PS_SOLID, 1, ui::GetSysColor(ui::COLOR_3DSHADOW)});
    const ui::Point shadowSide[] = {ui::Point{left + size, baseY}, apex, ui::Point{left, baseY}};
    dc.Polyline(shadowSide);
    dc.SelectPen(ui::Pen{ui::PS_SOLID, 1, ui::GetSysColor(ui::COLOR_BTNHIGHLIGHT)});
    const ui::Point lightSide[] = {ui::Point{left, baseY}, ui::Point{left + size, baseY}};
    dc.Polyline(lightSide);
    if (!vertical) text.right -= size;
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
    const bool gridLines = grid->GetGridLines() != GVL_NONE;

    if (IsFocused() || IsDropTarget()) {
        if (IsSelected()) {
            backColor = ui::GetSysColor(ui::COLOR_HIGHLIGHT);
            textColor = ui::GetSysColor(ui::COLOR_HIGHLIGHTTEXT);
            erase = true;
        }
        rect = Widened(rect);
        if (erase) dc->FillSolidRect(rect, backColor);
        if (gridLines) {
            --rect.right;
            --rect.bottom;
        }
        if (grid->GetFrameFocusCell()) {
            // Round the rectangle as it stands: inside the grid lines when there are any.
            dc->Draw3dRect(rect, textColor, textColor);
        }
        if (!gridLines) {
            --rect.right;
            --rect.bottom;
        }
        ++rect.top;
        --rect.right;
        --rect.bottom;
    } else if (IsSelected()) {
        dc->FillSolidRect(Widened(rect), ui::GetSysColor(ui::COLOR_HIGHLIGHT));
        textColor = ui::GetSysColor(ui::COLOR_HIGHLIGHTTEXT);
    } else if (erase) {
        dc->FillSolidRect(Widened(rect), backColor);
    }

    if (IsFixed() && gridLines) {
        const CCellID focus = grid->GetFocusCell();
        if (grid->GetTrackFocusCell() && grid->IsValid(focus) && (row == focus.row || col == focus.col)) {
            dc->DrawEdge(Widened(rect), ui::BDR_SUNKENINNER, ui::BF_RECT);
        } else {
            DrawRaisedBorder(*dc, rect);
        }
        rect.Deflate(1, 1);
    }

    dc->SelectFont(GetRealizedFont());
    const int margin = static_cast<int>(GetMargin());

    ui::ImageList* images = grid->GetImageList();
    if (images != nullptr && GetImage() >= 0) {
        const ui::Size image = images->GetImageSize();
        if (rect.Width() >= image.cx && rect.Height() >= image.cy) images->Draw(*dc, GetImage(), ui::Point{rect.left + margin, rect.top});
    }
    rect.left += margin;
    rect.right -= margin;

    if (row == 0 && col == grid->GetSortColumn()) {
        const ui::LOGFONT* font = GetFont();
        DrawSortArrow(*dc, rect, grid->GetSortAscending(), font != nullptr && font->lfEscapement == kVerticalEscapement);
    }

    GetTextRect(rect);
    dc->SetTextColor(textColor);
    dc->DrawText(GetText(), rect, GetFormat() | ui::DT_NOPREFIX);
    dc->RestoreDC(saved);
    return true;
}
