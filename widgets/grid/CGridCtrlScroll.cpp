// Scroll bars, scrolling, bringing a cell into view and sizing to contents.

#include "widgets/grid/CGridCtrl.h"
#include "widgets/grid/GridGeometry.h"

#include "platform/ui/DeviceContext.h"
#include "platform/ui/SystemMetrics.h"

#include <algorithm>

namespace {

constexpr int kWheelNotch = 120;
// Guards the size handler against the sizes that its own scroll-bar changes cause.
bool g_sizing = false;

// The furthest a scroll bar's position can go.
int ScrollLimit(const ui::ScrollInfo& info)
{
    return std::max(0, info.max - info.page + 1);
}

} // namespace

void CGridCtrl::OnSize(ui::UINT, int, int)
{
    if (g_sizing) return;
    g_sizing = true;
    EndEditing();
    ResetScrollBars();
    g_sizing = false;
}

void CGridCtrl::ResetScrollBars()
{
    m_idTopLeftCell = CCellID();
    if (!IsWindow()) return;
    ui::Rect client = GetClientRect();
    if (client.IsEmpty()) return;

    // As if no bar were shown: the bars are decided anew.
    const int bar = ui::GetScrollBarSize();
    if (IsScrollBarShown(ui::SB_VERT)) client.right += bar;
    if (IsScrollBarShown(ui::SB_HORZ)) client.bottom += bar;

    ui::Rect visible{GetFixedColumnWidth(), GetFixedRowHeight(), client.right, client.bottom};
    if (visible.IsEmpty()) {
        ShowScrollBar(ui::SB_VERT, false);
        ShowScrollBar(ui::SB_HORZ, false);
        m_nVScrollMax = m_nHScrollMax = 0;
        return;
    }
    const int contentHeight = GetVirtualHeight() - GetFixedRowHeight();
    const int contentWidth = GetVirtualWidth() - GetFixedColumnWidth();
    const bool vertical = contentHeight > visible.Height();
    if (vertical) visible.right -= bar;
    const bool horizontal = contentWidth > visible.Width();
    if (horizontal) visible.bottom -= bar;

    const auto apply = [this](int which, bool needed, int content, int page, int& maximum) {
        if (needed) {
            maximum = content - 1;
            const int pos = std::min(GetScrollPos(which), std::max(0, content - page));
            ShowScrollBar(which, true);
            SetScrollInfo(which, ui::ScrollInfo{0, maximum, page, pos});
        } else {
            maximum = 0;
            SetScrollInfo(which, ui::ScrollInfo{0, 0, 0, 0});
            ShowScrollBar(which, false);
        }
    };
    apply(ui::SB_VERT, vertical, contentHeight, visible.Height(), m_nVScrollMax);
    apply(ui::SB_HORZ, horizontal, contentWidth, visible.Width(), m_nHScrollMax);
    m_idTopLeftCell = CCellID();
}

void CGridCtrl::OnVScroll(int code, int)
{
    Scroll(ui::SB_VERT, code, GetScrollInfo(ui::SB_VERT).trackPos);
}

void CGridCtrl::OnHScroll(int code, int)
{
    Scroll(ui::SB_HORZ, code, GetScrollInfo(ui::SB_HORZ).trackPos);
}

// Repaints what scrolled: below the header rows, or right of the header columns.
void CGridCtrl::InvalidateScrolledArea(int bar)
{
    ui::Rect area = GetClientRect();
    if (bar == ui::SB_VERT) {
        area.top = GetFixedRowHeight();
    } else {
        area.left = GetFixedColumnWidth();
    }
    InvalidateRect(area);
}

void CGridCtrl::Scroll(int bar, int code, int trackPos)
{
    EndEditing();
    if (!IsWindow()) return;
    const bool vertical = bar == ui::SB_VERT;
    const std::vector<ui::UINT>& sizes = vertical ? m_arRowHeights : m_arColWidths;
    const int fixed = vertical ? m_nFixedRows : m_nFixedCols;
    const int count = vertical ? m_nRows : m_nCols;
    const ui::ScrollInfo info = GetScrollInfo(bar);
    const int limit = ScrollLimit(info);
    const int pos = GetScrollPos(bar);
    const CCellID topLeft = GetTopleftNonFixedCell();
    const int first = vertical ? topLeft.row : topLeft.col;
    const ui::Rect client = GetClientRect();
    const int page = (vertical ? client.Height() - GetFixedRowHeight() : client.Width() - GetFixedColumnWidth());

    const auto moveTo = [&](int newPos) {
        newPos = std::clamp(newPos, 0, limit);
        SetScrollPos(bar, newPos);
        m_idTopLeftCell = CCellID();
        return newPos;
    };

    switch (code) {
    case ui::SB_LINEDOWN: {
        if (pos >= limit || first >= count) break;
        // By the top visible one.
        if (moveTo(pos + static_cast<int>(sizes[static_cast<size_t>(first)])) != pos) InvalidateScrolledArea(bar);
        break;
    }
    case ui::SB_LINEUP: {
        if (pos <= 0 || first <= fixed) break;
        moveTo(pos - static_cast<int>(sizes[static_cast<size_t>(first - 1)]));
        InvalidateScrolledArea(bar);
        break;
    }
    case ui::SB_PAGEDOWN:
        moveTo(pos + page);
        InvalidateScrolledArea(bar);
        break;
    case ui::SB_PAGEUP:
        moveTo(pos - page);
        InvalidateScrolledArea(bar);
        break;
    case ui::SB_TOP:
        moveTo(0);
        Invalidate();
        break;
    case ui::SB_BOTTOM:
        moveTo(limit);
        Invalidate();
        break;
    case ui::SB_THUMBTRACK:
    case ui::SB_THUMBPOSITION: {
        moveTo(trackPos);
        const CCellID now = GetTopleftNonFixedCell();
        if ((vertical ? now.row : now.col) != first) InvalidateScrolledArea(bar);
        break;
    }
    default: break;
    }
}

bool CGridCtrl::OnMouseWheel(ui::UINT flags, int delta, ui::Point point)
{
    const int lines = m_nRowsPerWheelNotch * delta / kWheelNotch;
    for (int line = std::abs(lines); line > 0; --line) PostMessage(ui::WM_VSCROLL, lines > 0 ? ui::SB_LINEUP : ui::SB_LINEDOWN);
    return Window::OnMouseWheel(flags, delta, point);
}

bool CGridCtrl::EnsureVisible(int row, int col)
{
    if (!IsValid(row, col) || !IsWindow()) return false;
    ui::Window* focus = ui::Window::GetFocus();
    const CCellRange visible = GetVisibleNonFixedCellRange();

    const auto step = [this](ui::UINT message, int code, int times) {
        for (int i = 0; i < times; ++i) SendMessage(message, static_cast<ui::WPARAM>(code));
    };
    if (col >= m_nFixedCols) {
        step(ui::WM_HSCROLL, ui::SB_LINERIGHT, col - visible.maxCol);
        step(ui::WM_HSCROLL, ui::SB_LINELEFT, visible.minCol - col);
    }
    if (row >= m_nFixedRows) {
        step(ui::WM_VSCROLL, ui::SB_LINEDOWN, row - visible.maxRow);
        step(ui::WM_VSCROLL, ui::SB_LINEUP, visible.minRow - row);
    }

    // A cell only partly shown moves on until its far edge shows, unless the headers would
    // then cover its near edge; each step must still move something.
    const ui::Rect client = GetClientRect();
    ui::Rect rect;
    for (int pos = -1; col >= m_nFixedCols && GetCellRect(row, col, rect) && rect.right >= client.right && rect.left > GetFixedColumnWidth()
         && pos != GetScrollPos(ui::SB_HORZ);) {
        pos = GetScrollPos(ui::SB_HORZ);
        SendMessage(ui::WM_HSCROLL, ui::SB_LINERIGHT);
    }
    for (int pos = -1; row >= m_nFixedRows && GetCellRect(row, col, rect) && rect.bottom >= client.bottom && rect.top > GetFixedRowHeight()
         && pos != GetScrollPos(ui::SB_VERT);) {
        pos = GetScrollPos(ui::SB_VERT);
        SendMessage(ui::WM_VSCROLL, ui::SB_LINEDOWN);
    }
    if (focus != nullptr && focus->IsWindow()) focus->SetFocus();
    return true;
}
