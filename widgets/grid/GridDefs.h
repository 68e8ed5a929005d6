#pragma once

// The grid's value types, numbers and notification records.

#include "platform/ui/Colors.h"
#include "platform/ui/DeviceContext.h"
#include "platform/ui/LogFont.h"
#include "platform/ui/Messages.h"

#include <cstdint>
#include <string>

class CGridCtrl;

// A cell's position: row first, both from 0; (-1, -1) is none.
struct CCellID {
    int row = -1;
    int col = -1;

    CCellID() = default;
    CCellID(int r, int c)
        : row(r)
        , col(c)
    { }
    bool IsValid() const { return row >= 0 && col >= 0; }
    bool operator==(const CCellID&) const = default;
};

// {min row, min column, max row, max column}; empty when any part is negative or a min
// exceeds its max.
struct CCellRange {
    int minRow = -1;
    int minCol = -1;
    int maxRow = -1;
    int maxCol = -1;

    CCellRange() = default;
    CCellRange(int r1, int c1, int r2, int c2)
        : minRow(r1)
        , minCol(c1)
        , maxRow(r2)
        , maxCol(c2)
    { }
    bool IsValid() const { return minRow >= 0 && minCol >= 0 && maxRow >= 0 && maxCol >= 0 && minRow <= maxRow && minCol <= maxCol; }
    bool InRange(int row, int col) const { return row >= minRow && row <= maxRow && col >= minCol && col <= maxCol; }
    bool operator==(const CCellRange&) const = default;
};

// Cell state bits.
constexpr ui::UINT GVIS_FOCUSED = 0x01;
constexpr ui::UINT GVIS_SELECTED = 0x02;
constexpr ui::UINT GVIS_READONLY = 0x08;
constexpr ui::UINT GVIS_FIXED = 0x10;
constexpr ui::UINT GVIS_FIXEDROW = 0x20;
constexpr ui::UINT GVIS_FIXEDCOL = 0x40;

// "Take it from the default cell" values of a cell's own fields.
constexpr ui::UINT kDefaultFormat = 0xFFFFFFFF;
constexpr ui::COLORREF CLR_DEFAULT = 0xFF000000;
constexpr ui::UINT kDefaultMargin = 0xFFFFFFFF;

// The default cells' format: end ellipsis, no prefix, one line, centred vertically.
constexpr ui::UINT kDefaultCellFormat = ui::DT_END_ELLIPSIS | ui::DT_NOPREFIX | ui::DT_SINGLELINE | ui::DT_VCENTER;
static_assert(kDefaultCellFormat == 0x8824);

// Which fields of a GV_ITEM count.
constexpr ui::UINT GVIF_TEXT = 0x0001;
constexpr ui::UINT GVIF_PARAM = 0x0004;
constexpr ui::UINT GVIF_STATE = 0x0008;
constexpr ui::UINT GVIF_BKCLR = 0x0010;
constexpr ui::UINT GVIF_FGCLR = 0x0020;
constexpr ui::UINT GVIF_FORMAT = 0x0040;
constexpr ui::UINT GVIF_FONT = 0x0080;
constexpr ui::UINT GVIF_MARGIN = 0x0100;

// What the mouse is doing.
constexpr int MOUSE_NOTHING = 0;
constexpr int MOUSE_SELECT_ALL = 1;
constexpr int MOUSE_SELECT_COL = 2;
constexpr int MOUSE_SELECT_ROW = 3;
constexpr int MOUSE_SELECT_CELLS = 4;
constexpr int MOUSE_PREPARE_EDIT = 10;

// The timer that scrolls while a selection is dragged past the cells.
constexpr uintptr_t kAutoScrollTimer = 513;

// Notification codes.
constexpr int NM_CLICK = -2;
constexpr int NM_DBLCLK = -3;
constexpr int NM_RCLICK = -5;
constexpr int GVN_SELCHANGING = -100;
constexpr int GVN_SELCHANGED = -101;
constexpr int GVN_BEGINLABELEDIT = -105;
constexpr int GVN_ENDLABELEDIT = -106;

// What a notification of the grid carries: the header, then the cell.
struct NM_GRIDVIEW {
    ui::NMHDR hdr;
    int iRow = -1;
    int iColumn = -1;
};

// A cell's contents as an in-place edit ends with them.
struct GV_ITEM {
    int row = -1;
    int col = -1;
    ui::UINT mask = 0;
    ui::UINT nState = 0;
    ui::UINT nFormat = 0;
    ui::COLORREF crBkClr = CLR_DEFAULT;
    ui::COLORREF crFgClr = CLR_DEFAULT;
    ui::LPARAM lParam = 0;
    ui::LOGFONT lfFont;
    ui::UINT nMargin = 0;
    std::string strText;
};

// The record an in-place edit ends with (-106).
struct GV_DISPINFO {
    ui::NMHDR hdr;
    GV_ITEM item;
};
