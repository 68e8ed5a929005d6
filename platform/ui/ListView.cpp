#include "platform/ui/ListView.h"

#include "platform/ui/DeviceContext.h"

#include <algorithm>

namespace ui {

int ListView::InsertColumn(int column, std::string_view heading, int format, int width)
{
    if (column < 0) return -1;
    const int at = std::min(column, GetColumnCount());
    m_columns.insert(m_columns.begin() + at, Column{std::string(heading), format, width});
    for (Item& item : m_items) {
        if (at > 0 && static_cast<int>(item.texts.size()) >= at) item.texts.insert(item.texts.begin() + at, std::string());
    }
    MarkDirty(GetClientRect());
    return at;
}

bool ListView::GetColumn(int column, int& format, int& width) const
{
    if (column < 0 || column >= GetColumnCount()) return false;
    format = m_columns[static_cast<size_t>(column)].format;
    width = m_columns[static_cast<size_t>(column)].width;
    return true;
}

int ListView::InsertItem(int index, std::string_view text, UINT state, UINT stateMask)
{
    if (index < 0) return -1;
    if (m_rowHeight == 0) Remeasure();
    const int at = std::min(index, GetItemCount());
    Item item;
    item.texts.assign(std::max<size_t>(1, m_columns.size()), std::string());
    item.texts[0] = std::string(text);
    item.state = state & stateMask;
    m_items.insert(m_items.begin() + at, std::move(item));
    MarkDirty(GetClientRect());
    return at;
}

void ListView::DeleteItem(int index)
{
    if (index < 0 || index >= GetItemCount()) return;
    m_items.erase(m_items.begin() + index);
    MarkDirty(GetClientRect());
}

void ListView::SetItemText(int index, int subItem, std::string_view text)
{
    if (index < 0 || index >= GetItemCount() || subItem < 0) return;
    auto& texts = m_items[static_cast<size_t>(index)].texts;
    if (subItem >= static_cast<int>(texts.size())) texts.resize(static_cast<size_t>(subItem) + 1);
    if (texts[static_cast<size_t>(subItem)] == text) return;
    texts[static_cast<size_t>(subItem)] = std::string(text);
    RepaintSubItem(index, subItem);
}

std::string ListView::GetItemText(int index, int subItem) const
{
    if (index < 0 || index >= GetItemCount() || subItem < 0) return {};
    const auto& texts = m_items[static_cast<size_t>(index)].texts;
    return subItem < static_cast<int>(texts.size()) ? texts[static_cast<size_t>(subItem)] : std::string();
}

void ListView::SetItemState(int index, UINT state, UINT mask)
{
    if (index < 0 || index >= GetItemCount()) return;
    UINT& current = m_items[static_cast<size_t>(index)].state;
    current = (current & ~mask) | (state & mask);
    RepaintItem(index);
}

UINT ListView::GetItemState(int index, UINT mask) const
{
    return index >= 0 && index < GetItemCount() ? (m_items[static_cast<size_t>(index)].state & mask) : 0;
}

bool ListView::GetItemRect(int index, Rect& rect, int code) const
{
    if (index < 0 || index >= GetItemCount()) return false;
    const int top = index * m_rowHeight;
    int width = 0;
    for (const Column& column : m_columns) width += column.width;
    rect = Rect{0, top, width, top + m_rowHeight};
    if (code == LVIR_LABEL) rect.right = m_columns.empty() ? 0 : m_columns.front().width;
    return true;
}

COLORREF ListView::SetBkColor(COLORREF color)
{
    const COLORREF previous = m_bkColor;
    SendMessage(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(color));
    return previous;
}

void ListView::SetRedraw(bool redraw)
{
    m_redraw = redraw;
    // Turning drawing back on repaints only what changed meanwhile, so a trace tick that
    // rewrote one row redraws one row.
    if (redraw && !m_dirty.empty()) {
        for (const Rect& area : m_dirty) InvalidateRect(area);
        m_dirty.clear();
    }
}

void ListView::MarkDirty(const Rect& area)
{
    if (m_redraw) {
        InvalidateRect(area);
        return;
    }
    // Past a few dozen parts, one box around them all costs less to keep and to draw.
    constexpr size_t kMostParts = 64;
    if (area.IsEmpty()) return;
    if (m_dirty.size() < kMostParts) {
        m_dirty.push_back(area);
        return;
    }
    Rect box = area;
    for (const Rect& part : m_dirty) {
        box = Rect{
            std::min(box.left, part.left), std::min(box.top, part.top), std::max(box.right, part.right), std::max(box.bottom, part.bottom)};
    }
    m_dirty = {box};
}

void ListView::Remeasure()
{
    MEASUREITEMSTRUCT measure;
    measure.CtlID = static_cast<UINT>(GetDlgCtrlID());
    MeasureItem(measure);
    m_rowHeight = std::max<int>(1, static_cast<int>(measure.itemHeight));
    MarkDirty(GetClientRect());
}

void ListView::RepaintItem(int index)
{
    Rect rect;
    if (GetItemRect(index, rect, LVIR_BOUNDS)) {
        rect.right = std::max(rect.right, GetClientRect().right);
        MarkDirty(rect);
    }
}

void ListView::RepaintSubItem(int index, int subItem)
{
    Rect rect;
    if (subItem == 0 || subItem >= GetColumnCount() || !GetItemRect(index, rect, LVIR_BOUNDS)) {
        RepaintItem(index);
        return;
    }
    int left = 0;
    for (int column = 0; column < subItem; ++column) left += m_columns[static_cast<size_t>(column)].width;
    const bool last = subItem + 1 == GetColumnCount();
    // The last column's part runs to the client edge, as the row's background does.
    const int right = last ? std::max(rect.right, GetClientRect().right) : left + m_columns[static_cast<size_t>(subItem)].width;
    MarkDirty(Rect{left, rect.top, right, rect.bottom});
}

void ListView::SelectOnly(int index)
{
    for (int i = 0; i < GetItemCount(); ++i) {
        const UINT state = i == index ? (LVIS_SELECTED | LVIS_FOCUSED) : 0;
        if (GetItemState(i, LVIS_SELECTED | LVIS_FOCUSED) != state) SetItemState(i, state, LVIS_SELECTED | LVIS_FOCUSED);
    }
}

void ListView::MeasureItem(MEASUREITEMSTRUCT& measure)
{
    auto dc = GetDC();
    measure.itemHeight = static_cast<UINT>(dc->GetTextMetrics().height + 2);
}

// The rows are the owner's to draw: every list view of the program is owner-drawn.
void ListView::DrawItem(DRAWITEMSTRUCT&) { }

void ListView::OnPaint(DC& dc)
{
    const Rect clip = dc.GetClipBox();
    if (!m_redraw) {
        // Drawn once drawing is on again.
        MarkDirty(clip);
        return;
    }
    dc.FillSolidRect(clip, m_bkColor);
    if (m_rowHeight == 0) return;
    // Only the rows that meet the area being painted are drawn.
    for (int index = std::max(0, clip.top / m_rowHeight); index < GetItemCount(); ++index) {
        DRAWITEMSTRUCT draw;
        draw.CtlID = static_cast<UINT>(GetDlgCtrlID());
        draw.itemID = static_cast<UINT>(index);
        draw.hwndItem = this;
        draw.hDC = &dc;
        GetItemRect(index, draw.rcItem, LVIR_BOUNDS);
        if (draw.rcItem.top >= clip.bottom) break;
        if (!dc.RectVisible(Rect{clip.left, draw.rcItem.top, clip.right, draw.rcItem.bottom})) continue;
        const int saved = dc.SaveDC();
        DrawItem(draw);
        dc.RestoreDC(saved);
    }
}

void ListView::OnLButtonDown(UINT, Point point)
{
    SetFocus();
    if (m_rowHeight == 0) return;
    const int index = point.y / m_rowHeight;
    if (index >= 0 && index < GetItemCount()) SelectOnly(index);
}

void ListView::OnKeyDown(UINT vk, UINT, UINT)
{
    int current = -1;
    for (int i = 0; i < GetItemCount(); ++i) {
        if (GetItemState(i, LVIS_FOCUSED) != 0) current = i;
    }
    if (vk == VK_DOWN && current + 1 < GetItemCount()) SelectOnly(current + 1);
    if (vk == VK_UP && current > 0) SelectOnly(current - 1);
}

UINT ListView::OnGetDlgCode()
{
    return DLGC_WANTARROWS;
}

LRESULT ListView::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case LVM_SETBKCOLOR:
        m_bkColor = static_cast<COLORREF>(lParam);
        MarkDirty(GetClientRect());
        return 1;
    case WM_WINDOWPOSCHANGED: Remeasure(); return 0;
    default: return Window::DefWindowProc(message, wParam, lParam);
    }
}

} // namespace ui
