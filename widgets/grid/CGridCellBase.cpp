#include "widgets/grid/CGridCellBase.h"

#include "widgets/grid/CGridCtrl.h"
#include "widgets/grid/CInPlaceEdit.h"

#include "platform/ui/Styles.h"

CGridDefaultCell* CGridCellBase::GetDefaultCell() const
{
    CGridCtrl* grid = GetGrid();
    return grid != nullptr ? grid->GetDefaultCell(IsFixedRow(), IsFixedColumn()) : nullptr;
}

void CGridCellBase::Edit(int row, int col, ui::Rect rect, ui::Point, int controlId, ui::UINT firstChar)
{
    if (IsEditing()) {
        // Without a repeat count the character is one sent in code, which the editor types.
        if (ui::Window* editor = GetEditWindow()) editor->SendMessage(ui::WM_CHAR, firstChar);
        return;
    }
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr) return;
    const ui::UINT format = GetFormat();
    uint32_t alignment = ui::ES_LEFT;
    if ((format & ui::DT_RIGHT) != 0) {
        alignment = ui::ES_RIGHT;
    } else if ((format & ui::DT_CENTER) != 0) {
        alignment = ui::ES_CENTER;
    }
    CInPlaceEdit* editor = CInPlaceEdit::Open(*grid, rect, alignment, controlId, row, col, GetText(), firstChar);
    if (editor == nullptr) return;
    StartEditing(editor);
}

void CGridCellBase::EndEdit()
{
    if (auto* editor = dynamic_cast<CInPlaceEdit*>(GetEditWindow())) editor->EndEdit();
}
