// Cell text to and from the system clipboard, clearing with Delete, and the edit commands.
#include "widgets/grid/CGridCtrl.h"

#include "platform/ui/Clipboard.h"
#include "platform/ui/Edit.h"
#include "widgets/grid/PastedText.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr char kFieldSeparator = '\t';
constexpr char kLineSeparator = '\n';

// The cell's open in-place editor when it is an edit window.
ui::Edit* EditorOf(const CGridCellBase* cell)
{
    return cell != nullptr ? dynamic_cast<ui::Edit*>(cell->GetEditWindow()) : nullptr;
}

} // namespace

std::string CGridCtrl::CreateClipboardText()
{
    const CCellRange range = GetSelectedRange();
    if (!IsValid(range)) return {};

    std::string text;
    for (int row = range.minRow; row <= range.maxRow; ++row) {
        if (row > range.minRow) text += kLineSeparator;
        for (int col = range.minCol; col <= range.maxCol; ++col) {
            if (col > range.minCol) text += kFieldSeparator;
            if (!IsCellSelected(row, col)) continue;
            if (const CGridCellBase* cell = GetCell(row, col)) text += cell->GetText();
        }
    }
    return text;
}

bool CGridCtrl::CreateClipboardData(std::string& text)
{
    if (!IsValid(GetSelectedRange())) return false;
    text = CreateClipboardText();
    return true;
}

void CGridCtrl::CopySelection()
{
    std::string text;
    if (CreateClipboardData(text)) ui::Clipboard::SetText(text);
}

void CGridCtrl::CutSelection()
{
    if (!m_bEditable) return;
    std::string text;
    if (!CreateClipboardData(text)) return;
    ui::Clipboard::SetText(text);
    EraseSelectedText();
}

void CGridCtrl::PasteClipboard()
{
    if (!m_bEditable) return;

    CCellID target;
    const CCellRange selected = GetSelectedRange();
    if (IsValid(selected)) {
        target = CCellID(selected.minRow, selected.minCol);
    } else if (IsValid(m_idCurrentCell)) {
        target = m_idCurrentCell;
    } else {
        target = GetTopleftNonFixedCell();
        if (!IsValid(target)) return;
    }

    // An open editor lives on the focus cell; its text paste keeps the edit in one place.
    ui::Edit* editor = EditorOf(GetCell(target.row, target.col));
    if (editor == nullptr) editor = EditorOf(GetCell(m_idCurrentCell.row, m_idCurrentCell.col));
    if (editor != nullptr) {
        if (ui::Clipboard::HasText()) editor->ReplaceSel(ui::Clipboard::GetText());
        return;
    }

    if (!ui::Clipboard::HasText()) return;
    PasteData(target.row, target.col, ui::Clipboard::GetText(), true);
}

void CGridCtrl::PasteData(int row, int col, const std::string& text, bool selectPasted)
{
    if (!IsValid(row, col) || !IsCellEditable(CCellID(row, col))) return;

    int maxRow = -1;
    int maxCol = -1;
    int targetRow = row;
    const std::vector<PastedRow> lines = SplitPastedText(text);
    for (size_t line = 0; line < lines.size(); ++line) {
        if (targetRow >= m_nRows) break;

        int targetCol = col;
        for (size_t field = 0; field < lines[line].size(); ++field) {
            if (targetCol >= m_nCols) break;

            PasteCell(targetRow, targetCol, lines[line][field], line, field);
            maxRow = std::max(maxRow, targetRow);
            maxCol = std::max(maxCol, targetCol);
            ++targetCol;
        }
        ++targetRow;
    }

    if (selectPasted) {
        SetSelectedRange(row, col, maxRow, maxCol, true, true);
    } else {
        ResetSelectedRange();
        SetFocusCell(-1, -1);
        Refresh();
    }
}

void CGridCtrl::PasteCell(int row, int col, std::string_view text, size_t, size_t)
{
    EditCellText(row, col, std::string(text));
}

void CGridCtrl::EraseSelectedText()
{
    if (!m_bEditable) return;
    // Each edit may change the map through SetCellState, so walk a copy.
    const auto selected = m_SelectedCellMap;
    for (const auto& [key, cell] : selected) EditCellText(cell.row, cell.col, "");
}

void CGridCtrl::EditCellText(int row, int col, const std::string& text)
{
    CGridCellBase* cell = GetCell(row, col);
    if (!m_bEditable || cell == nullptr || cell->IsReadOnly()) return;
    if (SendMessageToParent(row, col, GVN_BEGINLABELEDIT) < 0) return;

    // The owner may change the grid when notified; ask for the cell again.
    cell = GetCell(row, col);
    if (cell == nullptr) return;
    const std::string oldText = cell->GetText();
    if (oldText == text) return;

    cell->SetText(text.c_str());
    if (ValidateCellEdit(row, col, text.c_str()) && SendMessageToParent(row, col, GVN_ENDLABELEDIT) >= 0) {
        RedrawCell(row, col);
        return;
    }
    if ((cell = GetCell(row, col)) != nullptr) cell->SetText(oldText.c_str());
    RedrawCell(row, col);
}
