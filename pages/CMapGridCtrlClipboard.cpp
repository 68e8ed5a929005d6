// Copying the stored values beside the text, and pasting them back.
#include "pages/CMapGridCtrl.h"

#include "platform/ui/Clipboard.h"

namespace {

constexpr const char* kValuesFormat = "map-values";
constexpr std::string_view kPastedBlanks = " \t\r";

std::string_view Trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(kPastedBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kPastedBlanks) - first + 1);
}

} // namespace

void CMapGridCtrl::CopySelection()
{
    CopyWithValues();
}

void CMapGridCtrl::CutSelection()
{
    if (IsEditable() && CopyWithValues()) EraseSelectedText();
}

bool CMapGridCtrl::CopyWithValues()
{
    std::string text;
    if (!CreateClipboardData(text)) return false;
    if (m_strValueScale.empty()) {
        ui::Clipboard::SetText(text);
    } else {
        ui::Clipboard::SetText(text, kValuesFormat, SelectedValues().Record());
    }
    return true;
}

// Laid out as the clipboard text is: a line per row of the selection's bounds, a field per column.
CopiedValues CMapGridCtrl::SelectedValues() const
{
    const CCellRange range = GetSelectedRange();
    std::vector<CopiedValues::Line> lines;
    for (int row = range.minRow; row <= range.maxRow; ++row) {
        CopiedValues::Line& line = lines.emplace_back();
        for (int col = range.minCol; col <= range.maxCol; ++col) {
            const CellValue* value = IsCellSelected(row, col) ? ShownValueAt(row, col) : nullptr;
            line.push_back(value != nullptr ? std::optional<uint16_t>(value->current) : std::nullopt);
        }
    }
    return CopiedValues(m_strValueScale, std::move(lines));
}

void CMapGridCtrl::PasteData(int row, int col, const std::string& text, bool selectPasted)
{
    // The values count only beside the very text they were copied with, from a grid of this scale.
    if (!m_strValueScale.empty() && ui::Clipboard::GetText() == text) {
        if (const std::optional<std::string> record = ui::Clipboard::GetRecord(kValuesFormat)) {
            m_pasted = CopiedValues::FromRecord(*record);
            if (m_pasted && (m_pasted->Scale() != m_strValueScale || !m_pasted->LaidOutAs(text))) m_pasted.reset();
        }
    }
    CGridCtrl::PasteData(row, col, text, selectPasted);
    m_pasted.reset();
}

void CMapGridCtrl::PasteCell(int row, int col, std::string_view text, size_t line, size_t field)
{
    const std::optional<uint16_t> value = m_pasted ? m_pasted->At(line, field) : std::nullopt;
    if (CellValue* record = ValueAt(row, col); value && record != nullptr) {
        PasteValue(row, col, *record, *value);
        return;
    }
    // The pasted field lost the blanks around it and the cell's text kept them: the text the
    // cell shows is no change, and read again it could round to another value.
    if (text == Trimmed(GetCellText(row, col))) return;
    CGridCtrl::PasteCell(row, col, text, line, field);
}

// The edit path with a value in place of text: the page answers the empty text by showing
// the value as it shows every stored value.
void CMapGridCtrl::PasteValue(int row, int col, CellValue& record, uint16_t value)
{
    if ((GetCellState(row, col) & GVIS_READONLY) != 0) return;
    if (record.current == value && !GetCellText(row, col).empty()) return;
    record.current = value;
    SetCellText(row, col, "");
    SendMessageToParent(row, col, GVN_ENDLABELEDIT);
    RedrawCell(row, col);
}
