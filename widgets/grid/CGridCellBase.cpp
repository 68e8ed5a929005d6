#include "widgets/grid/CGridCellBase.h"

#include "widgets/grid/CGridCtrl.h"
#include "widgets/grid/CInPlaceEdit.h"

#include "platform/ui/Styles.h"

CGridDefaultCell* CGridCellBase::GetDefaultCell() const
{
    CGridCtrl* grid = GetGrid();
    return grid != nullptr ? grid->GetDefaultCell(IsFixedRow(), IsFixedColumn()) : nullptr;
}

ui::Size CGridCellBase::MeasureText(const char* text, ui::DC* dc)
{
    CGridDefaultCell* defaultCell = GetDefaultCell();
    const bool noText = text == nullptr || *text == '\0';
    std::unique_ptr<ui::DC> own;
    if (dc == nullptr && !noText && GetGrid() != nullptr) {
        own = GetGrid()->GetMeasuringDC();
        dc = own.get();
    }
    if (dc == nullptr || noText) {
        return defaultCell != nullptr ? ui::Size{defaultCell->GetWidth(), defaultCell->GetHeight()} : ui::Size{};
    }

    const int saved = dc->SaveDC();
    dc->SelectFont(GetRealizedFont());
    const ui::UINT format = GetFormat();
    const std::string_view whole(text);
    ui::Size size;
    if ((format & ui::DT_WORDBREAK) == 0 || (format & ui::DT_SINGLELINE) != 0) {
        size = dc->GetTextExtent(whole);
    } else {
        // The widest line sets the width; laying the text out at that width gives the height.
        int widest = 0;
        for (size_t start = 0; start <= whole.size();) {
            const size_t end = std::min(whole.find('\n', start), whole.size());
            widest = std::max(widest, dc->GetTextExtent(whole.substr(start, end - start)).cx);
            start = end + 1;
        }
        ui::Rect layout{0, 0, widest, 0};
        dc->DrawText(whole, layout, format | ui::DT_CALCRECT);
        // The layout may come back narrower than the widest line; the width stays that line's.
        size = ui::Size{widest, layout.Height()};
    }
    const ui::TextMetrics metrics = dc->GetTextMetrics();
    dc->RestoreDC(saved);

    const int margin = static_cast<int>(GetMargin());
    size.cx += metrics.overhang + 4 * margin;
    size.cy += 2 * margin;
    const ui::LOGFONT* font = GetFont();
    if (font != nullptr && (font->lfEscapement == 900 || font->lfEscapement == -900)) {
        size = ui::Size{size.cy, size.cx + 4 * margin};
    }
    return size;
}

ui::Size CGridCellBase::GetCellSize(ui::DC* dc)
{
    return MeasureText(GetText(), dc);
}

bool CGridCellBase::Edit(int row, int col, ui::Rect rect, ui::Point, int controlId, ui::UINT firstChar)
{
    if (IsEditing()) {
        // Without a repeat count the character is one sent in code, which the editor types.
        if (ui::Window* editor = GetEditWindow()) editor->SendMessage(ui::WM_CHAR, firstChar);
        return true;
    }
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr) return false;
    const ui::UINT format = GetFormat();
    uint32_t alignment = ui::ES_LEFT;
    if ((format & ui::DT_RIGHT) != 0) {
        alignment = ui::ES_RIGHT;
    } else if ((format & ui::DT_CENTER) != 0) {
        alignment = ui::ES_CENTER;
    }
    CInPlaceEdit* editor = CInPlaceEdit::Open(*grid, rect, alignment, controlId, row, col, GetText(), firstChar);
    if (editor == nullptr) return false;
    StartEditing(editor);
    return true;
}

void CGridCellBase::EndEdit()
{
    if (auto* editor = dynamic_cast<CInPlaceEdit*>(GetEditWindow())) editor->EndEdit();
}
