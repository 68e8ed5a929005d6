#pragma once

#include "platform/ui/Colors.h"
#include "platform/ui/Window.h"

#include <string>
#include <vector>

namespace ui {

// Item states.
constexpr UINT LVIS_FOCUSED = 0x0001;
constexpr UINT LVIS_SELECTED = 0x0002;
constexpr UINT LVIS_CUT = 0x0004;
constexpr UINT LVIS_DROPHILITED = 0x0008;
constexpr UINT LVIS_OVERLAYMASK = 0x0F00;
constexpr UINT LVIS_STATEIMAGEMASK = 0xF000;
constexpr UINT INDEXTOSTATEIMAGEMASK(UINT i)
{
    return i << 12;
}

// Column formats.
constexpr int LVCFMT_LEFT = 0;
constexpr int LVCFMT_RIGHT = 1;
constexpr int LVCFMT_CENTER = 2;
constexpr int LVCFMT_JUSTIFYMASK = 3;

// Item rectangles.
constexpr int LVIR_BOUNDS = 0;
constexpr int LVIR_LABEL = 2;

// Messages a list view answers and a subclass may watch.
constexpr UINT LVM_SETBKCOLOR = 0x1001;
constexpr UINT LVM_SETTEXTBKCOLOR = 0x1026;

// Owner drawing.
constexpr UINT ODT_LISTVIEW = 102;
constexpr UINT ODA_DRAWENTIRE = 0x0001;

struct DRAWITEMSTRUCT {
    UINT CtlType = ODT_LISTVIEW;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemAction = ODA_DRAWENTIRE;
    Window* hwndItem = nullptr;
    DC* hDC = nullptr;
    Rect rcItem;
    uintptr_t itemData = 0;
};

struct MEASUREITEMSTRUCT {
    UINT CtlType = ODT_LISTVIEW;
    UINT CtlID = 0;
    UINT itemHeight = 0;
};

// A report-mode list view whose rows are drawn by DrawItem and measured by MeasureItem. It
// never scrolls: the program's lists show all their rows.
class ListView : public Window {
public:
    int InsertColumn(int column, std::string_view heading, int format, int width);
    bool GetColumn(int column, int& format, int& width) const;
    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }

    // Returns the index of the new item, or -1.
    int InsertItem(int index, std::string_view text, UINT state = 0, UINT stateMask = 0);
    void DeleteItem(int index);
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    void SetItemText(int index, int subItem, std::string_view text);
    std::string GetItemText(int index, int subItem) const;
    void SetItemState(int index, UINT state, UINT mask);
    UINT GetItemState(int index, UINT mask) const;
    bool GetItemRect(int index, Rect& rect, int code) const;
    int GetRowHeight() const { return m_rowHeight; }

    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const { return m_bkColor; }
    // While off, changes are not painted; turning it on repaints what changed.
    void SetRedraw(bool redraw);
    bool IsRedrawOn() const { return m_redraw; }

protected:
    virtual void DrawItem(DRAWITEMSTRUCT& draw);
    virtual void MeasureItem(MEASUREITEMSTRUCT& measure);

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint(DC& dc) override;
    void OnLButtonDown(UINT flags, Point point) override;
    void OnKeyDown(UINT vk, UINT repeat, UINT flags) override;
    UINT OnGetDlgCode() override;

private:
    struct Column {
        std::string heading;
        int format = LVCFMT_LEFT;
        int width = 0;
    };
    struct Item {
        std::vector<std::string> texts;
        UINT state = 0;
    };
    void Remeasure();
    void SelectOnly(int index);
    void RepaintItem(int index);
    // A sub-item's text lies within its column: only that part of the row needs drawing.
    void RepaintSubItem(int index, int subItem);
    // Repaints area now, or once drawing is on again.
    void MarkDirty(const Rect& area);

    std::vector<Column> m_columns;
    std::vector<Item> m_items;
    int m_rowHeight = 0;
    bool m_redraw = true;
    std::vector<Rect> m_dirty; // what changed while drawing was off
    COLORREF m_bkColor = GetSysColor(COLOR_WINDOW);
};

} // namespace ui
