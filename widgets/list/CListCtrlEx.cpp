#include "widgets/list/CListCtrlEx.h"

#include "platform/ui/DeviceContext.h"
#include "platform/ui/Styles.h"
#include "widgets/list/RowRules.h"
#include "widgets/list/TextFitting.h"
#include "widgets/list/WindowPos.h"

#include <string>

using namespace ui;

namespace {

// Item and sub-item texts are read through a buffer of this many characters, terminator included.
constexpr size_t kTextBufferSize = 260;
// Pixels a text keeps clear of its column's edges.
constexpr int kTextInset = 2;
// Spare pixels a text must leave when fitted: the label, and a value column.
constexpr int kLabelAllowance = 2;
constexpr int kValueAllowance = 4;

constexpr UINT kAllItemStates = LVIS_FOCUSED | LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED | LVIS_OVERLAYMASK | LVIS_STATEIMAGEMASK;
constexpr unsigned kTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP;
// A position change that only tells the list view to measure its rows again.
constexpr UINT kRemeasureFlags = listctrl::SWP_NOMOVE | listctrl::SWP_NOZORDER | listctrl::SWP_NOACTIVATE | listctrl::SWP_NOOWNERZORDER;

std::string ReadText(const ListView& list, int item, int subItem)
{
    return std::string(listctrl::FirstCodePoints(list.GetItemText(item, subItem), kTextBufferSize - 1));
}

listctrl::FittedText FitInCurrentFont(const DC& dc, std::string_view text, int width, int allowance)
{
    // Most texts fit with room to spare; a new value each tick need not be laid out to see it.
    if (dc.TextSurelyFits(text, width - allowance)) return {std::string(text), false};
    return listctrl::FitText(text, width, allowance, [&dc](std::string_view part) { return dc.GetTextExtent(part).cx; });
}

Rect Inset(Rect rect)
{
    rect.left += kTextInset;
    rect.right -= kTextInset;
    return rect;
}

} // namespace

void CListCtrlEx::PreSubclassWindow()
{
    m_valueFont.DeleteObject();
    m_valueFont.CreatePointFont(kValueFontTenthsOfPoint, kValueFontFace);
    ListView::PreSubclassWindow();
}

LRESULT CListCtrlEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case LVM_SETTEXTBKCOLOR: m_textBkColor = static_cast<COLORREF>(lParam); break;
    case LVM_SETBKCOLOR: m_bkColor = static_cast<COLORREF>(lParam); break;
    case WM_SETFONT: return OnSetFont(wParam, lParam);
    default: break;
    }
    return ListView::WindowProc(message, wParam, lParam);
}

void CListCtrlEx::OnSize(UINT type, int cx, int cy)
{
    m_clientWidth = cx;
    ListView::OnSize(type, cx, cy);
}

LRESULT CListCtrlEx::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ListView::WindowProc(WM_SETFONT, wParam, lParam);
    // The list view measures its rows only when its position changes; a new font must count as one.
    const Rect window = GetWindowRect();
    listctrl::WINDOWPOS position{this, nullptr, 0, 0, window.Width(), window.Height(), kRemeasureFlags};
    SendMessage(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
    return result;
}

void CListCtrlEx::MeasureItem(MEASUREITEMSTRUCT& measure)
{
    LOGFONT record;
    const Font* font = GetFont();
    if (font == nullptr || !font->GetLogFont(record)) {
        ListView::MeasureItem(measure);
        return;
    }
    measure.itemHeight = static_cast<UINT>(listctrl::RowHeightForFont(record.lfHeight));
}

void CListCtrlEx::DrawItem(DRAWITEMSTRUCT& draw)
{
    DC& dc = *draw.hDC;
    const int item = static_cast<int>(draw.itemID);
    const std::string text = ReadText(*this, item, 0);
    const UINT state = GetItemState(item, kAllItemStates);

    const bool hasFocus = GetFocus() == this;
    const bool highlighted = listctrl::IsRowHighlighted(state, hasFocus, (GetStyle() & LVS_SHOWSELALWAYS) != 0);

    Rect bounds;
    Rect label;
    GetItemRect(item, bounds, LVIR_BOUNDS);
    GetItemRect(item, label, LVIR_LABEL);
    const Rect row = listctrl::RowRectangle(bounds, label, m_clientWidth);

    COLORREF oldTextColor = 0;
    COLORREF oldBkColor = 0;
    if (highlighted) {
        oldTextColor = dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
        oldBkColor = dc.SetBkColor(GetSysColor(COLOR_HIGHLIGHT));
        dc.FillSolidRect(row, GetSysColor(COLOR_HIGHLIGHT));
    } else {
        dc.FillSolidRect(row, m_textBkColor);
    }

    // Item and state images: this list view has no image lists, so there are none to draw.

    Rect labelArea = label;
    labelArea.right -= m_stateImageOffset;
    // A trace tick repaints only the value that changed: texts elsewhere are not fitted again.
    if (dc.RectVisible(labelArea)) {
        const listctrl::FittedText first = FitInCurrentFont(dc, text, labelArea.Width(), kLabelAllowance);
        Rect labelText = Inset(labelArea);
        dc.DrawText(first.text, labelText, DT_LEFT | kTextFormat);
    }

    DrawValueColumns(dc, item, row, label);

    if ((state & LVIS_FOCUSED) != 0 && hasFocus) dc.DrawFocusRect(row);

    if (highlighted) {
        dc.SetTextColor(oldTextColor);
        dc.SetBkColor(oldBkColor);
    }
}

void CListCtrlEx::DrawValueColumns(DC& dc, int item, const Rect& row, const Rect& label)
{
    Rect column{label.right, row.top, label.right, row.bottom};
    int format = LVCFMT_LEFT;
    int width = 0;
    for (int sub = 1; GetColumn(sub, format, width); ++sub) {
        column.left = column.right;
        column.right = column.left + width;
        if (!dc.RectVisible(column)) continue;
        const std::string text = ReadText(*this, item, sub);
        if (text.empty()) continue;

        // Fitted in the control's font, which the device context still holds.
        const listctrl::FittedText fitted = FitInCurrentFont(dc, text, width, kValueAllowance);
        const unsigned align = listctrl::ValueTextAlignment(format, fitted.shortened);
        Font* const previous = dc.SelectFont(m_valueFont.IsNull() ? dc.GetCurrentFont() : &m_valueFont);
        Rect area = Inset(column);
        dc.DrawText(fitted.text, area, align | kTextFormat);
        dc.SelectFont(previous);
    }
}
