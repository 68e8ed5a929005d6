#pragma once

// Where a grid shows its cells, for tests that click, drag or look at them.

#include "widgets/grid/CGridCtrl.h"

#include <gtest/gtest.h>

namespace gridtest {

// Where cell (row, col) shows in the grid's client area.
inline ui::Rect CellRect(CGridCtrl& grid, int row, int col)
{
    ui::Rect rect;
    EXPECT_TRUE(grid.GetCellRect(row, col, rect)) << "cell " << row << "," << col << " shows";
    return rect;
}

// The middle of cell (row, col) as the grid shows it now, scrolled or not.
inline ui::Point CellCentre(CGridCtrl& grid, int row, int col)
{
    const ui::Rect rect = CellRect(grid, row, col);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// A point inside cell (row, col), `dx` and `dy` pixels from its top-left corner.
inline ui::Point CellCorner(CGridCtrl& grid, int row, int col, int dx, int dy)
{
    const ui::Rect rect = CellRect(grid, row, col);
    return {rect.left + dx, rect.top + dy};
}

} // namespace gridtest
