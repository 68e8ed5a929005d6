#include "GridFixture.h"

#include "platform/ui/SystemMetrics.h"
#include "platform/ui/testing/Input.h"

#include <algorithm>
#include <optional>

using namespace ui;
using namespace gridtest;

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kHeader = RGB(192, 192, 192);

// Notes which of the watched points the paints through the window reach.
class WatchedGrid : public CGridCtrl {
public:
    using CGridCtrl::CGridCtrl;
    void DrawGrid(DC& dc) override
    {
        for (Point p : watched) {
            if (dc.RectVisible(Rect{p.x, p.y, p.x + 1, p.y + 1})) repainted.push_back(p);
        }
        CGridCtrl::DrawGrid(dc);
    }
    bool Repainted(Point p) { return std::ranges::count(repainted, p) > 0; }
    std::vector<Point> watched, repainted;
};

class GridPaint : public GridTest {
protected:
    // The map pages' look: black data cells under grey headers.
    void PlaceMap(CGridCtrl& grid, int width, int height)
    {
        for (auto [fixedRow, fixedCol] : kCellKinds)
            grid.GetDefaultCell(fixedRow, fixedCol)->SetBackColor(fixedRow || fixedCol ? kHeader : kBlack);
        Place(grid, width, height);
    }

    // Shows the host and lets every pending paint happen; from then on the corner header and a
    // data cell in the middle are watched.
    static void Settle(WatchedGrid& grid)
    {
        ui::testing::ShowAndActivate(*grid.GetParent());
        ui::testing::ProcessEvents();
        grid.watched = {{kColWidth / 2, kRowHeight / 2}, {100, 100}};
    }
};

// The first data cell whose inside is not black or whose right or bottom edge is not the grid
// line; "" when there is none.
std::string FirstWrongDataCell(CGridCtrl& grid, const Bitmap& shot)
{
    for (int row = 1; row < grid.GetRowCount(); ++row) {
        for (int col = 1; col < grid.GetColumnCount(); ++col) {
            const Rect r = CellRect(grid, row, col);
            const Point mid = CellCentre(grid, row, col);
            if (shot.GetPixel(r.left, r.top) != kBlack || shot.GetPixel(r.right - 1, r.bottom - 1) != kBlack
                || shot.GetPixel(r.right, mid.y) != CGridCtrl::kGridLineColor
                || shot.GetPixel(mid.x, r.bottom) != CGridCtrl::kGridLineColor)
                return std::to_string(row) + "," + std::to_string(col);
        }
    }
    return "";
}

TEST_F(GridPaint, DataCellsHeadersAndGridLinesOfA21By21Grid)
{
    CGridCtrl grid(21, 21, 1, 1);
    PlaceMap(grid, 480, 300);
    grid.SetCellText(3, 4, "88"); // black on black: only a box behind the text would show
    const Bitmap shot = ui::testing::Grab(grid); // as the window paints itself
    EXPECT_EQ(FirstWrongDataCell(grid, shot), "");
    for (int x = CellRect(grid, 3, 4).left; x < CellRect(grid, 3, 4).right; ++x)
        EXPECT_EQ(shot.GetPixel(x, CellCentre(grid, 3, 4).y), kBlack) << "behind the text, at " << x;
    for (int i = 0; i < 21; ++i) {
        const Point inRow = CellCorner(grid, 0, i, 5, 5);
        const Point inCol = CellCorner(grid, i, 0, 5, 5);
        EXPECT_EQ(shot.GetPixel(inRow.x, inRow.y), kHeader) << "header row, column " << i;
        EXPECT_EQ(shot.GetPixel(inCol.x, inCol.y), kHeader) << "header column, row " << i;
    }
    const Rect last = CellRect(grid, 20, 20);
    EXPECT_EQ(shot.GetPixel(last.right + 5, last.top), grid.GetGridBkColor()) << "right of the cells";
    EXPECT_EQ(shot.GetPixel(last.left, last.bottom + 5), grid.GetGridBkColor()) << "below the cells";
}

// The map pages redraw single cells as their values change; the cell's lines reach its corner.
TEST_F(GridPaint, ARedrawnCellGetsItsWholeGridLines)
{
    CGridCtrl grid(5, 5, 1, 1);
    Place(grid, 200, 100);
    Bitmap shot(grid.GetClientRect().Width(), grid.GetClientRect().Height(), RGB(255, 0, 255));
    DC dc(shot);
    ASSERT_TRUE(grid.RedrawCell(2, 2, &dc));
    const Rect r = CellRect(grid, 2, 2);
    for (Point p : {Point{r.right, r.top}, Point{r.right, r.bottom - 1}, Point{r.right, r.bottom}, Point{r.left, r.bottom}})
        EXPECT_EQ(shot.GetPixel(p.x, p.y), CGridCtrl::kGridLineColor) << "at " << p.x << "," << p.y;
}

TEST_F(GridPaint, TheFocusCellIsFramedInItsTextColourAndHighlightedWhenSelected)
{
    struct Case { const char* name; bool selected; COLORREF frame, fill; };
    for (Case c : {Case{"focused", false, kYellow, kBlack},
             Case{"focused and selected", true, GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_HIGHLIGHT)}}) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid(21, 21, 1, 1);
        PlaceMap(grid, 480, 300);
        grid.GetDefaultCell(false, false)->SetTextColor(kYellow);
        grid.SetFocusCell(2, 4);
        grid.SetFocusCell(3, 4);
        if (c.selected) Select(grid, 3, 4);
        const Bitmap shot = Paint(grid);
        const Rect r = CellRect(grid, 3, 4);
        const Point mid = CellCentre(grid, 3, 4);
        EXPECT_EQ(shot.GetPixel(r.left + 3, r.top + 3), c.fill) << "inside";
        // The left, top, right and bottom sides, the last two inside the grid lines.
        for (Point p : {Point{r.left, mid.y}, Point{mid.x, r.top}, Point{r.right - 1, mid.y}, Point{mid.x, r.bottom - 1}})
            EXPECT_EQ(shot.GetPixel(p.x, p.y), c.frame) << p.x << "," << p.y;
        EXPECT_EQ(shot.GetPixel(r.right, mid.y), CGridCtrl::kGridLineColor) << "grid line";
        EXPECT_EQ(shot.GetPixel(r.left, mid.y - r.Height()), kBlack) << "the cell the focus left keeps no frame";
    }
}

// The focus row's header is sunken (its top edge darker than its face), its neighbours raised.
TEST_F(GridPaint, OnlyTheFocusRowsHeaderIsSunken)
{
    const auto brightness = [](COLORREF c) { return 299 * GetRValue(c) + 587 * GetGValue(c) + 114 * GetBValue(c); };
    CGridCtrl grid(21, 21, 1, 1);
    PlaceMap(grid, 480, 300);
    grid.SetFocusCell(5, 7);
    const Bitmap shot = Paint(grid);
    for (int row : {4, 5, 6}) {
        const Point face = CellCorner(grid, row, 0, 5, 5);
        EXPECT_EQ(brightness(shot.GetPixel(face.x, face.y - 5)) < brightness(kHeader), row == 5) << "row " << row;
    }
}

TEST_F(GridPaint, ScrollBarsAppearOnlyWhenTheCellsDoNotFit)
{
    // 21 x 21 cells of 20 x 12 pixels: the non-fixed ones take 400 x 240. When `start` is not
    // empty the grid is placed at that size first, then resized; `grown` is added to the size
    // of column 1 and row 1 after.
    struct Case { int width, height; bool vertical, horizontal; Size start{}; Size grown{}; };
    for (Case c : {Case{480, 300, false, false}, Case{420, 252, false, false}, Case{480, 150, true, false},
             Case{200, 300, false, true}, Case{200, 150, true, true}, Case{430, 150, true, true},
             Case{480, 300, false, false, {200, 150}}, Case{480, 150, true, false, {200, 150}},
             Case{480, 300, false, true, {}, {100, 0}}, Case{480, 300, true, false, {}, {0, 100}}}) {
        SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height << " from " << c.start.cx << " x " << c.start.cy);
        CGridCtrl grid(21, 21, 1, 1);
        Place(grid, c.start.cx > 0 ? c.start.cx : c.width, c.start.cx > 0 ? c.start.cy : c.height);
        grid.MoveWindow(Rect{0, 0, c.width, c.height});
        if (c.grown.cx > 0) grid.SetColumnWidth(1, kColWidth + c.grown.cx);
        if (c.grown.cy > 0) grid.SetRowHeight(1, kRowHeight + c.grown.cy);
        EXPECT_EQ(std::pair(grid.IsScrollBarShown(SB_VERT), grid.IsScrollBarShown(SB_HORZ)), std::pair(c.vertical, c.horizontal));
        EXPECT_EQ(std::pair(grid.GetScrollInfo(SB_VERT).max, grid.GetScrollInfo(SB_HORZ).max),
            std::pair(c.vertical ? 239 + c.grown.cy : 0, c.horizontal ? 399 + c.grown.cx : 0));
    }
}

// The map pages give their grids the counts once the window is there.
TEST_F(GridPaint, CountsGivenToAShownGridBringTheScrollBarsTheyNeed)
{
    CGridCtrl grid(1, 1, 1, 1);
    Place(grid, 480, 300);
    grid.SetRowCount(40);
    EXPECT_EQ(std::pair(grid.IsScrollBarShown(SB_VERT), grid.IsScrollBarShown(SB_HORZ)), std::pair(true, false));
    grid.SetColumnCount(40);
    EXPECT_TRUE(grid.IsScrollBarShown(SB_HORZ));
}

// A scroll repaints the cells that moved, never the corner header; a line down moves by the top
// shown row, and at the bottom nothing moves.
TEST_F(GridPaint, AScrollRepaintsWhatMovedAndNeverTheCorner)
{
    constexpr int kTallRow = 30; // row 1
    // The view first goes to `start`; `moved`: the change of the scroll position, where known.
    struct Case { int bar, start, code; std::optional<int> moved; };
    for (Case c : {Case{SB_VERT, SB_TOP, SB_LINEDOWN, kTallRow}, Case{SB_VERT, SB_BOTTOM, SB_LINEDOWN, 0},
             Case{SB_VERT, SB_PAGEDOWN, SB_LINEUP, {}}, Case{SB_VERT, SB_PAGEDOWN, SB_PAGEDOWN, {}},
             Case{SB_VERT, SB_PAGEDOWN, SB_PAGEUP, {}}, Case{SB_HORZ, SB_PAGERIGHT, SB_LINELEFT, -kColWidth},
             Case{SB_HORZ, SB_PAGERIGHT, SB_LINERIGHT, kColWidth}, Case{SB_HORZ, SB_PAGERIGHT, SB_PAGERIGHT, {}},
             Case{SB_HORZ, SB_PAGERIGHT, SB_PAGELEFT, {}}}) {
        SCOPED_TRACE(::testing::Message() << c.bar << ", " << c.start << ", " << c.code);
        WatchedGrid grid(41, 41, 1, 1);
        Place(grid, 200, 150);
        grid.SetRowHeight(1, kTallRow);
        const UINT message = c.bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
        grid.SendMessage(message, c.start);
        Settle(grid);
        const int before = grid.GetScrollPos(c.bar);
        grid.SendMessage(message, c.code);
        const int moved = grid.GetScrollPos(c.bar) - before;
        EXPECT_EQ(moved, c.moved.value_or(moved));
        ui::testing::ProcessEvents();
        EXPECT_EQ(std::pair(grid.Repainted(grid.watched[0]), grid.Repainted(grid.watched[1])), std::pair(false, moved != 0));
    }
}

// Ten 20 x 12 cells fill the client area exactly each way: the eleventh starts on its edge.
TEST_F(GridPaint, OnlyCellsInsideTheClientAreaShow)
{
    // `bar` and `code`: a scroll, when bar is not -1; `tallRow`: made taller than the view.
    struct Case { const char* name; int rows, cols, fixed, bar, code; CCellID cell; bool shows; int tallRow = -1; };
    const Case cases[] = {
        {"last column inside", 3, 30, 0, -1, 0, {1, 9}, true},
        {"column on the right edge", 3, 30, 0, -1, 0, {1, 10}, false},
        {"last row inside", 30, 3, 0, -1, 0, {9, 1}, true},
        {"row on the bottom edge", 30, 3, 0, -1, 0, {10, 1}, false},
        {"first data column scrolled out", 3, 30, 1, SB_HORZ, SB_LINERIGHT, {1, 1}, false},
        {"first data row scrolled out", 30, 3, 1, SB_VERT, SB_LINEDOWN, {1, 1}, false},
        {"its header stays", 30, 3, 1, SB_VERT, SB_LINEDOWN, {0, 1}, true},
        {"a tall last row at the bottom", 5, 3, 1, SB_VERT, SB_BOTTOM, {4, 1}, true, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid(c.rows, c.cols, c.fixed, c.fixed);
        Place(grid, 10 * kColWidth, 10 * kRowHeight + (c.cols > 10 ? GetScrollBarSize() : 0));
        grid.SetRowHeight(c.tallRow, 30 * kRowHeight);
        if (c.bar >= 0) grid.SendMessage(c.bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, c.code);
        Rect rect;
        EXPECT_EQ(grid.IsCellVisible(c.cell.row, c.cell.col), c.shows);
        EXPECT_EQ(grid.GetCellRect(c.cell.row, c.cell.col, rect), c.shows);
    }
}

// Ten rows and columns show at a time, and `extra` pixels more each way: part of one more, or
// all of the tenth but its last pixel. The view moves just far enough: the cell ends up whole on
// the side it came from.
TEST_F(GridPaint, EnsureVisibleMovesJustFarEnough)
{
    struct Case { const char* name; bool fromEnd; int extra, target; };
    for (Case c : {Case{"down and right", false, 0, 61}, Case{"up and left", true, 0, 30},
             Case{"down and right onto the half shown one", false, 6, 61}, Case{"down and right onto one a pixel short", false, -1, 61}}) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid(81, 81, 1, 1);
        const int half = c.extra != 0 ? 1 : 0, bar = GetScrollBarSize();
        Place(grid, 11 * kColWidth + bar + c.extra, 11 * kRowHeight + bar + c.extra);
        ToBottomRight(grid);
        if (!c.fromEnd) grid.SendMessage(WM_VSCROLL, SB_TOP), grid.SendMessage(WM_HSCROLL, SB_LEFT);
        EXPECT_FALSE(grid.IsCellVisible(c.target, c.target)) << "out of view at first";
        EXPECT_TRUE(grid.EnsureVisible(c.target, c.target) && !grid.EnsureVisible(81, 81)) << "no cell past the last is shown";
        const Rect rect = CellRect(grid, c.target, c.target);
        EXPECT_LT(rect.right, grid.GetClientRect().right);
        EXPECT_LT(rect.bottom, grid.GetClientRect().bottom);
        const CCellRange shown = grid.GetVisibleNonFixedCellRange();
        const CCellID edge = c.fromEnd ? CCellID(shown.minRow, shown.minCol) : CCellID(shown.maxRow - half, shown.maxCol - half);
        EXPECT_EQ(edge, CCellID(c.target, c.target));
    }
}

} // namespace
