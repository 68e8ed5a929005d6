#include "pages/CMapGridCtrl.h"

#include "platform/ui/Messages.h"

#include <algorithm>

namespace {

constexpr ui::COLORREF kTraceBack = ui::RGB(255, 255, 0);
constexpr ui::COLORREF kTraceText = ui::RGB(0, 0, 0);
constexpr ui::COLORREF kTrailText = ui::RGB(255, 255, 255);
constexpr int kTrailShadeStep = 30; // a fading mark is RGB(30 n, 30 n, 0) with n ticks left
constexpr int kBlueStart = 210;
constexpr int kBlueSpan = 180;
constexpr int kRedSpan = 255;
constexpr double kBlueUntil = 0.7; // of the range: no blue from here on
constexpr double kRedFrom = 0.2;   // of the range: no red up to here
constexpr ui::UINT kCaretAtEnd = 1;

} // namespace

CMapGridCtrl::CMapGridCtrl()
    : CGridCtrl(0, 0, 0, 0)
{ }

CellValue* CMapGridCtrl::ValueAt(int row, int col) const
{
    if (m_pValues == nullptr || row < 1 || col < 1 || row >= GetRowCount() || col >= GetColumnCount()) return nullptr;
    return &m_pValues[(GetColumnCount() - 1) * (row - 1) + (col - 1)];
}

CellValue* CMapGridCtrl::ShownValueAt(int row, int col) const
{
    CellValue* value = ValueAt(row, col);
    return value != nullptr && !GetCellText(row, col).empty() ? value : nullptr;
}

void CMapGridCtrl::ShowScaleColours(int row, int col)
{
    if (const CellValue* value = ValueAt(row, col)) SetCellBackColor(row, col, ValueToColor(value->current));
    SetCellTextColor(row, col, CLR_DEFAULT);
}

ui::COLORREF CMapGridCtrl::ValueToColor(int value) const
{
    value = std::min(std::max(value, m_nObservedMin), m_nObservedMax);
    const int range = m_nObservedMax - m_nObservedMin;
    const int offset = value - m_nObservedMin;
    int blue = 0;
    int red = 0;
    // With a range of 0 neither test holds: black, and no division.
    if (value < m_nObservedMin + kBlueUntil * range) blue = kBlueStart - offset * kBlueSpan / range;
    if (value > m_nObservedMin + kRedFrom * range) red = offset * kRedSpan / range;
    return ui::RGB(red, 0, blue);
}

void CMapGridCtrl::Recolor()
{
    if (m_pValues == nullptr) return;
    m_nObservedMax = m_nMinValue;
    m_nObservedMin = m_nMaxValue;
    for (int row = 1; row < GetRowCount(); ++row) {
        for (int col = 1; col < GetColumnCount(); ++col) {
            const int v = ValueAt(row, col)->current;
            if (v > m_nObservedMax) m_nObservedMax = v;
            if (v < m_nObservedMin) m_nObservedMin = v;
        }
    }
    // The text too: the last trace mark leaves black text that a dark colour would hide.
    for (int row = 1; row < GetRowCount(); ++row) {
        for (int col = 1; col < GetColumnCount(); ++col) ShowScaleColours(row, col);
    }
}

void CMapGridCtrl::MarkTraceCell(int column, int row)
{
    if (m_pValues == nullptr) return;
    for (TrailSlot& slot : m_trail) {
        if (slot.countdown <= 0) continue;
        const int gridRow = slot.row + 1;
        const int gridCol = slot.col + 1;
        SetCellTextColor(gridRow, gridCol, kTrailText);
        SetCellBackColor(gridRow, gridCol, ui::RGB(kTrailShadeStep * slot.countdown, kTrailShadeStep * slot.countdown, 0));
        if (--slot.countdown == 0) {
            if (const CellValue* value = ValueAt(gridRow, gridCol)) SetCellBackColor(gridRow, gridCol, ValueToColor(value->current));
        }
        RedrawCell(gridRow, gridCol);
    }
    SetCellBackColor(row + 1, column + 1, kTraceBack);
    SetCellTextColor(row + 1, column + 1, kTraceText);
    RedrawCell(row + 1, column + 1);
    m_trail[static_cast<size_t>(m_nNextSlot)] = TrailSlot{column, row, kTrailTicks};
    m_nNextSlot = (m_nNextSlot + 1) % kTrailSlots;
}

void CMapGridCtrl::ClearTrail()
{
    for (TrailSlot& slot : m_trail) {
        if (slot.countdown <= 0) continue;
        slot.countdown = 0;
        ShowScaleColours(slot.row + 1, slot.col + 1);
        RedrawCell(slot.row + 1, slot.col + 1);
    }
}

void CMapGridCtrl::RevertSelection()
{
    if (m_pValues == nullptr) return;
    const CCellRange range = GetSelectedRange();
    for (int row = range.minRow; row <= range.maxRow; ++row) {
        for (int col = range.minCol; col <= range.maxCol; ++col) {
            if (IsCellEditing(row, col)) return;
        }
    }
    for (int row = range.minRow; row <= range.maxRow; ++row) {
        for (int col = range.minCol; col <= range.maxCol; ++col) {
            if ((GetCellState(row, col) & GVIS_READONLY) != 0) continue;
            CellValue* value = ValueAt(row, col);
            if (value == nullptr || value->current == value->base) continue;
            value->current = value->base;
            EndCellEdit(row, col, "");
        }
    }
}

void CMapGridCtrl::StepSelection(int delta)
{
    if (m_pValues == nullptr) return;
    const CCellRange range = GetSelectedRange();
    for (int row = range.minRow; row <= range.maxRow; ++row) {
        for (int col = range.minCol; col <= range.maxCol; ++col) {
            if (IsCellEditing(row, col) || (GetCellState(row, col) & GVIS_READONLY) != 0) return;
        }
    }
    for (int row = range.minRow; row <= range.maxRow; ++row) {
        for (int col = range.minCol; col <= range.maxCol; ++col) {
            // A blank cell's value never arrived, or is not shown: nothing to step, and so
            // nothing that Escape would restore.
            CellValue* value = ShownValueAt(row, col);
            if (value == nullptr || !IsCellSelected(row, col)) continue;
            int v = value->current + delta;
            if (v > m_nMaxValue) v = m_nMaxValue;
            if (v < m_nMinValue) v = m_nMinValue;
            value->current = static_cast<uint16_t>(v);
            EndCellEdit(row, col, "");
        }
    }
}

bool CMapGridCtrl::PreTranslateMessage(ui::Msg& msg)
{
    if (msg.message != ui::WM_KEYDOWN) return CGridCtrl::PreTranslateMessage(msg);
    // While a cell is edited its editor has the keys: Escape cancels the edit there, and
    // keypad + and - can be typed. Page Up and Page Down stay here even then: the editor would
    // hand them to the grid, which would scroll the map by a page. The editor may be open on
    // another cell than the focus cell, so the key's window tells: one inside the grid is it.
    const CCellID focus = GetFocusCell();
    const bool pageKey = msg.wParam == ui::VK_PRIOR || msg.wParam == ui::VK_NEXT;
    const bool forEditor = msg.hwnd != this || IsCellEditing(focus.row, focus.col);
    if (!pageKey && forEditor) return CGridCtrl::PreTranslateMessage(msg);
    switch (msg.wParam) {
    case ui::VK_RETURN: EditCell(focus.row, focus.col, ui::Point{-1, -1}, kCaretAtEnd); return true;
    case ui::VK_ESCAPE: RevertSelection(); return true;
    case ui::VK_PRIOR:
    case ui::VK_ADD: StepSelection(+1); return true;
    case ui::VK_NEXT:
    case ui::VK_SUBTRACT: StepSelection(-1); return true;
    default: return CGridCtrl::PreTranslateMessage(msg);
    }
}
