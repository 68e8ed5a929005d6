#include "GridFixture.h"

#include "platform/ui/Colors.h"
#include "platform/ui/testing/Input.h"

#include <string>
#include <vector>

using namespace ui;
using namespace gridtest;
namespace input = ui::testing;

namespace {

constexpr int kRows = 10;
constexpr int kCols = 6;
constexpr UINT kCaretAtEnd = 1;

// Records the edits the keyboard and mouse open instead of opening them.
class CountingGrid : public CGridCtrl {
public:
    using CGridCtrl::CGridCtrl;

    struct EditCall {
        CCellID cell;
        UINT firstChar = 0;
    };
    std::vector<EditCall> edits;

    void EditCell(int row, int col, Point, UINT firstChar) override { edits.push_back({CCellID(row, col), firstChar}); }
};

class GridInput : public GridTest {
protected:
    // A rows x cols grid with one header row and column, shown and focused.
    void Make(CGridCtrl& grid, int rows = kRows, int cols = kCols, int width = 200, int height = 150)
    {
        grid.SetRowCount(rows);
        grid.SetColumnCount(cols);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        Place(grid, width, height);
        input::ShowAndActivate(host);
        grid.SetFocus();
        input::ProcessEvents();
        host.notes.clear();
    }

    // The middle of a cell while the grid is not scrolled.
    static Point At(int row, int col) { return Point{col * kColWidth + kColWidth / 2, row * kRowHeight + kRowHeight / 2}; }

    // The focus placed at cell by a click, and the notes so far forgotten.
    void FocusByClick(CountingGrid& grid, CCellID cell)
    {
        input::Click(grid, At(cell.row, cell.col));
        ASSERT_EQ(grid.GetFocusCell(), cell);
        host.notes.clear();
    }
};

TEST_F(GridInput, AClickLeavesTheFocusOnTheCellClicked)
{
    struct Case {
        const char* name;
        bool dragFirst; // (1,1) to (3,3) selected by a drag before the click
        unsigned modifiers;
        CCellRange selected;
    };
    for (Case c : {Case{"outside any selection", false, input::None, CCellRange(2, 2, 2, 2)},
             Case{"inside the selection", true, input::None, CCellRange(2, 2, 2, 2)},
             Case{"inside the selection with Shift", true, input::Shift, CCellRange(1, 1, 2, 2)}}) {
        SCOPED_TRACE(c.name);
        CountingGrid grid;
        Make(grid);
        if (c.dragFirst) input::Drag(grid, At(1, 1), At(3, 3));
        host.notes.clear();
        input::Click(grid, At(2, 2), c.modifiers);
        EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 2));
        EXPECT_EQ(grid.GetSelectedRange(), c.selected);
        EXPECT_EQ(host.Codes(), (std::vector<int>{GVN_SELCHANGING, GVN_SELCHANGED, NM_CLICK}));
        EXPECT_EQ(CCellID(host.notes.back().row, host.notes.back().col), CCellID(2, 2));
        EXPECT_EQ(grid.GetMouseMode(), MOUSE_NOTHING);
        EXPECT_TRUE(grid.edits.empty()) << "clicking a cell without the focus only moves the focus";
        RenewHost();
    }
}

// A second click on the focus cell opens the editor on release; a double-click opens it on a
// data cell at once.
TEST_F(GridInput, ClickingTheFocusCellAgainOrDoubleClickingOpensTheEditor)
{
    struct Case {
        const char* name;
        bool doubleClick;
        CCellID at;
        unsigned modifiers;
        bool editable;
        size_t edits;
    };
    for (Case c : {Case{"plain", false, {3, 2}, input::None, true, 1}, Case{"with Ctrl", false, {3, 2}, input::Control, true, 0},
             Case{"not editable", false, {3, 2}, input::None, false, 0}, Case{"double-click", true, {4, 3}, input::None, true, 1},
             Case{"double-click on a header", true, {0, 3}, input::None, true, 0}}) {
        SCOPED_TRACE(c.name);
        CountingGrid grid;
        Make(grid);
        grid.SetEditable(c.editable);
        FocusByClick(grid, CCellID(3, 2));
        if (c.doubleClick) {
            input::DoubleClick(grid, At(c.at.row, c.at.col));
        } else {
            input::Click(grid, At(c.at.row, c.at.col), c.modifiers);
        }
        ASSERT_EQ(grid.edits.size(), c.edits);
        if (c.edits == 1) {
            EXPECT_EQ(grid.edits[0].cell, c.at);
            EXPECT_EQ(grid.edits[0].firstChar, kCaretAtEnd);
            EXPECT_TRUE(c.doubleClick || host.Count(NM_CLICK) == 0) << "an edit click is no ordinary click";
        }
        EXPECT_EQ(host.Count(NM_DBLCLK), c.doubleClick ? 1 : 0);
        EXPECT_EQ(grid.GetMouseMode(), MOUSE_NOTHING);
        RenewHost();
    }
}

TEST_F(GridInput, CtrlClickAccumulatesOrDeselects)
{
    CountingGrid grid;
    Make(grid);
    input::Click(grid, At(1, 1));
    input::Click(grid, At(5, 5), input::Control);
    EXPECT_TRUE(grid.IsCellSelected(1, 1));
    EXPECT_TRUE(grid.IsCellSelected(5, 5));
    EXPECT_FALSE(grid.IsCellSelected(3, 3)) << "Ctrl adds cells, not the rectangle between them";
    EXPECT_EQ(grid.GetFocusCell(), CCellID(5, 5));
    host.notes.clear();
    input::Click(grid, At(1, 1), input::Control);
    EXPECT_FALSE(grid.IsCellSelected(1, 1));
    EXPECT_TRUE(grid.IsCellSelected(5, 5));
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 1));
    EXPECT_EQ(host.Count(GVN_SELCHANGING), 0) << "deselecting is no new selection";
}

TEST_F(GridInput, HeaderClicksSelectColumnsRowsOrEverything)
{
    struct Case {
        CCellID header;
        CCellRange selected;
    };
    for (Case c : {Case{CCellID(0, 3), CCellRange(1, 3, kRows - 1, 3)}, Case{CCellID(4, 0), CCellRange(4, 1, 4, kCols - 1)},
             Case{CCellID(0, 0), CCellRange(1, 1, kRows - 1, kCols - 1)}}) {
        SCOPED_TRACE(::testing::Message() << "header " << c.header.row << "," << c.header.col);
        CountingGrid grid;
        Make(grid);
        // Hovering over the headers' middle is not over a border.
        input::Click(grid, At(c.header.row, c.header.col));
        EXPECT_EQ(grid.GetSelectedRange(), c.selected);
        EXPECT_EQ(grid.GetFocusCell(), CCellID()) << "a header click leaves no focus cell";
        RenewHost();
    }
}

// The button held on a cell of a 20 x 20 map and the pointer moved: inside the cells the
// selection and the focus follow it; left past a corner, the real auto-scroll timer carries
// both together to the far corner.
TEST_F(GridInput, ADragCarriesTheSelectionAndTheFocusAlongToThePointer)
{
    constexpr int kMapSize = 21;
    struct Case {
        const char* name;
        bool fromEnd; // the view first scrolled to the bottom-right
        CCellID press;
        Point hold;
        CCellID focus;
        CCellRange selected;
    };
    for (Case c : {Case{"inside the cells", false, {2, 2}, At(4, 4), {4, 4}, {2, 2, 4, 4}},
             Case{"along the header row", false, {0, 2}, At(0, 4), {1, 4}, {1, 2, 20, 4}},
             Case{"past the bottom-right corner", false, {3, 3}, {260, 200}, {20, 20}, {3, 3, 20, 20}},
             Case{"past the top-left corner", true, {18, 18}, {-30, -30}, {1, 1}, {1, 1, 18, 18}}}) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid;
        Make(grid, kMapSize, kMapSize);
        if (c.fromEnd) {
            grid.SendMessage(WM_VSCROLL, SB_BOTTOM);
            grid.SendMessage(WM_HSCROLL, SB_RIGHT);
        }
        Rect pressed;
        ASSERT_TRUE(grid.GetCellRect(c.press.row, c.press.col, pressed));
        input::PressButton(grid, Point{pressed.left + 5, pressed.top + 5});
        input::MoveMouse(grid, c.hold, true);
        const bool arrived = input::RunUntil([&] { return grid.GetFocusCell() == c.focus && grid.GetSelectedRange() == c.selected; }, 5000);
        const CCellRange range = grid.GetSelectedRange();
        EXPECT_TRUE(arrived) << "focus " << grid.GetFocusCell().row << "," << grid.GetFocusCell().col << ", selection " << range.minRow
                             << "," << range.minCol << " to " << range.maxRow << "," << range.maxCol;
        input::ReleaseButton(grid, c.hold);
        EXPECT_FALSE(grid.HasTimer(kAutoScrollTimer)) << "the auto-scroll timer ends with the button";
        RenewHost();
    }
}

// Each tick of the auto-scroll timer scrolls towards the side the held pointer is past; on the
// first data row or column it is past nothing.
TEST_F(GridInput, AHeldDragScrollsOnlyWhileThePointerIsOverTheHeaders)
{
    struct Case {
        const char* name;
        Point hold;
        int rowsUp, colsLeft;
    };
    for (Case c : {Case{"on the first data row's top line", {3 * kColWidth, kRowHeight}, 0, 0},
             Case{"on the header row's last line", {3 * kColWidth, kRowHeight - 1}, 1, 0},
             Case{"on the first data column's left line", {kColWidth, 3 * kRowHeight}, 0, 0},
             Case{"on the header column's last line", {kColWidth - 1, 3 * kRowHeight}, 0, 1}}) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid;
        Make(grid, 40, 40);
        grid.SendMessage(WM_VSCROLL, SB_BOTTOM);
        grid.SendMessage(WM_HSCROLL, SB_RIGHT);
        const CCellID topLeft = grid.GetTopleftNonFixedCell();
        input::PressButton(grid, CellCentre(grid, topLeft.row, topLeft.col));
        input::MoveMouse(grid, c.hold, true);
        grid.SendMessage(WM_TIMER, kAutoScrollTimer);
        EXPECT_EQ(grid.GetTopleftNonFixedCell().row, topLeft.row - c.rowsUp);
        EXPECT_EQ(grid.GetTopleftNonFixedCell().col, topLeft.col - c.colsLeft);
        input::ReleaseButton(grid, c.hold);
        RenewHost();
    }
}

TEST_F(GridInput, TheWheelScrollsByTheSystemsLinesAndAZeroCountsAsThree)
{
    constexpr int kBigRows = 60;
    struct Case {
        int systemLines;
        int notches;
        int rowsDown;
    };
    for (Case c : {Case{0, 1, 3}, Case{5, 1, 5}, Case{1, 2, 2}}) {
        SCOPED_TRACE(::testing::Message() << "system lines " << c.systemLines << ", notches " << c.notches);
        input::SetWheelScrollLines(c.systemLines);
        CGridCtrl grid;
        input::SetWheelScrollLines(std::nullopt);
        Make(grid, kBigRows, kCols);
        input::TurnWheel(grid, At(3, 3), -120 * c.notches);
        input::ProcessEvents();
        EXPECT_EQ(grid.GetTopleftNonFixedCell().row, 1 + c.rowsDown);
        input::TurnWheel(grid, At(3, 3), 120 * c.notches);
        input::ProcessEvents();
        EXPECT_EQ(grid.GetTopleftNonFixedCell().row, 1) << "turned back, it scrolls back";
        RenewHost();
    }
}

TEST_F(GridInput, ArrowsSkipHiddenRowsAndColumnsAndStopAtTheHeaders)
{
    struct Case {
        CCellID from;
        UINT key;
        CCellID to;
        unsigned modifiers = input::None;
    };
    const Case cases[] = {
        {{2, 2}, VK_RIGHT, {2, 4}},
        {{2, 4}, VK_LEFT, {2, 2}},
        {{3, 2}, VK_DOWN, {5, 2}},
        {{5, 2}, VK_UP, {3, 2}},
        {{1, 1}, VK_LEFT, {1, 1}},
        {{1, 1}, VK_UP, {1, 1}},
        {{kRows - 1, kCols - 1}, VK_DOWN, {kRows - 1, kCols - 1}},
        {{kRows - 1, kCols - 1}, VK_RIGHT, {kRows - 1, kCols - 1}},
        {{2, 2}, VK_TAB, {2, 4}},
        {{2, kCols - 1}, VK_TAB, {3, 1}},
        {{kRows - 1, kCols - 1}, VK_TAB, {kRows - 1, kCols - 1}},
        {{5, 1}, VK_TAB, {3, kCols - 1}, input::Shift},
        {{1, 1}, VK_TAB, {1, 1}, input::Shift},
        {{5, 4}, VK_HOME, {5, 1}},
        {{5, 2}, VK_END, {5, kCols - 1}},
    };
    CountingGrid grid;
    Make(grid);
    grid.SetColumnWidth(3, 0);
    grid.SetRowHeight(4, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(
            ::testing::Message() << "key " << c.key << " modifiers " << c.modifiers << " from " << c.from.row << "," << c.from.col);
        grid.SetFocusCell(c.from.row, c.from.col);
        host.notes.clear();
        input::PressKey(c.key, c.modifiers, &grid);
        EXPECT_EQ(grid.GetFocusCell(), c.to);
        if (c.to != c.from) {
            EXPECT_EQ(grid.GetSelectedRange(), CCellRange(c.to.row, c.to.col, c.to.row, c.to.col));
            EXPECT_EQ(host.Codes(), (std::vector<int>{GVN_SELCHANGING, GVN_SELCHANGED}));
        } else {
            EXPECT_TRUE(host.notes.empty());
        }
    }
}

TEST_F(GridInput, ShiftExtendsFromTheSelectionStartCell)
{
    CountingGrid grid;
    Make(grid);
    FocusByClick(grid, CCellID(3, 3));
    input::PressKey(VK_RIGHT, input::Shift, &grid);
    input::PressKey(VK_DOWN, input::Shift, &grid);
    input::PressKey(VK_DOWN, input::Shift, &grid);
    EXPECT_EQ(grid.GetSelectedRange(), CCellRange(3, 3, 5, 4));
    input::PressKey(VK_LEFT, input::Shift, &grid);
    input::PressKey(VK_LEFT, input::Shift, &grid);
    EXPECT_EQ(grid.GetSelectedRange(), CCellRange(3, 2, 5, 3)) << "the start cell stays a corner";
    EXPECT_EQ(grid.GetFocusCell(), CCellID(5, 2));
    input::PressKey(VK_UP, input::None, &grid);
    EXPECT_EQ(grid.GetSelectedRange(), CCellRange(4, 2, 4, 2)) << "without Shift the selection starts again";
}

TEST_F(GridInput, HomeEndAndPagesScrollAndMoveTheFocus)
{
    constexpr int kBigRows = 60;
    constexpr int kBigCols = 30;
    CountingGrid grid;
    Make(grid, kBigRows, kBigCols, 150, 120);
    grid.SetFocusCell(5, 5);
    struct Case {
        UINT key;
        unsigned modifiers;
        CCellID to;
    };
    for (Case c : {Case{VK_END, input::None, {5, kBigCols - 1}}, Case{VK_HOME, input::None, {5, 1}},
             Case{VK_END, input::Control, {kBigRows - 1, kBigCols - 1}}, Case{VK_HOME, input::Control, {1, 1}}}) {
        SCOPED_TRACE(::testing::Message() << "key " << c.key << " modifiers " << c.modifiers);
        input::PressKey(c.key, c.modifiers, &grid);
        EXPECT_EQ(grid.GetFocusCell(), c.to);
        EXPECT_TRUE(grid.GetVisibleNonFixedCellRange().InRange(c.to.row, c.to.col)) << "the focus is scrolled into view";
        if (c.modifiers == input::Control) {
            const int shownTop = grid.GetTopleftNonFixedCell().row;
            grid.SendMessage(WM_VSCROLL, c.to.row == 1 ? SB_TOP : SB_BOTTOM);
            EXPECT_EQ(grid.GetTopleftNonFixedCell().row, shownTop) << "Ctrl+Home and Ctrl+End leave the view at the top or bottom";
        }
    }
    const int topBefore = grid.GetTopleftNonFixedCell().row;
    input::PressKey(VK_NEXT, input::None, &grid);
    const int moved = grid.GetTopleftNonFixedCell().row - topBefore;
    ASSERT_GT(moved, 1);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1 + moved, 1)) << "the focus moves by the rows the view moved";
    input::PressKey(VK_PRIOR, input::None, &grid);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 1));
    input::PressKey(VK_PRIOR, input::None, &grid);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 1)) << "a view at the top sends the focus to the first row";
    for (int page = 0; page < kBigRows; ++page) input::PressKey(VK_NEXT, input::None, &grid);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(kBigRows - 1, 1)) << "a view at the bottom sends the focus to the last row";
}

TEST_F(GridInput, OnlyF2AndInputMethodCharactersOpenTheEditor)
{
    CountingGrid grid;
    Make(grid);
    FocusByClick(grid, CCellID(2, 3));
    input::TypeText("7a", &grid);
    EXPECT_TRUE(grid.edits.empty()) << "typing a character does not open the editor";
    input::PressKey(VK_F2, input::None, &grid);
    ASSERT_EQ(grid.edits.size(), 1u);
    EXPECT_EQ(grid.edits[0].cell, CCellID(2, 3));
    EXPECT_EQ(grid.edits[0].firstChar, kCaretAtEnd);
    input::CommitText("ア１\x1b");
    ASSERT_EQ(grid.edits.size(), 3u) << "one edit per committed character, none for Escape";
    EXPECT_EQ(grid.edits[1].firstChar, 0x30A2u);
    EXPECT_EQ(grid.edits[2].firstChar, 0xFF11u);
    EXPECT_EQ(grid.edits[2].cell, CCellID(2, 3));
}

TEST_F(GridInput, CtrlAAndTheSelectAllCommandSelectEverythingAndRedrawIt)
{
    for (bool command : {false, true}) {
        SCOPED_TRACE(command ? "select-all command" : "Ctrl+A");
        CountingGrid grid;
        Make(grid);
        FocusByClick(grid, CCellID(2, 2));
        if (command) {
            grid.SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL, 0);
        } else {
            input::PressKey('A', input::Control, &grid);
        }
        EXPECT_EQ(grid.GetSelectedRange(), CCellRange(1, 1, kRows - 1, kCols - 1));
        EXPECT_EQ(host.Codes(), (std::vector<int>{GVN_SELCHANGING, GVN_SELCHANGED}));
        const COLORREF window = GetSysColor(COLOR_WINDOW);
        const Point probe{4 * kColWidth + 3, 5 * kRowHeight + 3};
        input::ProcessEvents();
        EXPECT_NE(input::Grab(grid).GetPixel(probe.x, probe.y), window) << "a selected cell is drawn highlighted";
        input::Click(grid, At(3, 3));
        input::ProcessEvents();
        EXPECT_EQ(input::Grab(grid).GetPixel(probe.x, probe.y), window) << "a deselected cell is drawn again";
        RenewHost();
    }
}

TEST_F(GridInput, BordersResizeOnlyWhileResizingIsAllowed)
{
    const Point columnBorder{3 * kColWidth - 1, kRowHeight / 2};
    const Point rowBorder{kColWidth / 2, 3 * kRowHeight - 1};
    struct Case {
        bool allowed;
        int columnMode, rowMode;
    };
    for (Case c : {Case{false, MOUSE_NOTHING, MOUSE_NOTHING}, Case{true, MOUSE_OVER_COL_DIVIDE, MOUSE_OVER_ROW_DIVIDE}}) {
        SCOPED_TRACE(c.allowed ? "resizing allowed" : "resizing off");
        CountingGrid grid;
        Make(grid);
        grid.SetColumnResize(c.allowed);
        grid.SetRowResize(c.allowed);
        grid.SetCellText(5, 2, "a text much wider than its column");
        input::MoveMouse(grid, columnBorder);
        EXPECT_EQ(grid.GetMouseMode(), c.columnMode);
        input::MoveMouse(grid, rowBorder);
        EXPECT_EQ(grid.GetMouseMode(), c.rowMode);
        input::MoveMouse(grid, At(3, 3));
        EXPECT_EQ(grid.GetMouseMode(), MOUSE_NOTHING);
        // The border is dragged 16 pixels right of column 3's left edge, 6 below row 3's top.
        input::Drag(grid, Point{4 * kColWidth - 1, kRowHeight / 2}, Point{3 * kColWidth + 16, kRowHeight / 2});
        EXPECT_EQ(grid.GetColumnWidth(3), c.allowed ? 16 : kColWidth);
        input::Drag(grid, Point{kColWidth / 2, 4 * kRowHeight - 1}, Point{kColWidth / 2, 3 * kRowHeight + 6});
        EXPECT_EQ(grid.GetRowHeight(3), c.allowed ? 6 : kRowHeight);
        host.notes.clear();
        input::DoubleClick(grid, columnBorder);
        if (c.allowed) {
            EXPECT_GT(grid.GetColumnWidth(2), 2 * kColWidth) << "a border double click fits the column to its text";
        } else {
            EXPECT_EQ(grid.GetColumnWidth(2), kColWidth);
            EXPECT_GT(host.Count(NM_DBLCLK), 0) << "only the ordinary double click";
            EXPECT_EQ(grid.GetSelectedRange(), CCellRange(1, 2, kRows - 1, 2)) << "the header click selected its column";
        }
        EXPECT_EQ(grid.GetMouseMode(), MOUSE_NOTHING);
        RenewHost();
    }
}

TEST_F(GridInput, TheGridAsksForTabOnlyWhileItWantsItAndCtrlIsUp)
{
    CountingGrid grid;
    Make(grid);
    const auto code = [&] { return static_cast<UINT>(grid.SendMessage(WM_GETDLGCODE)); };
    EXPECT_EQ(code(), DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB);
    grid.SetFocusCell(1, 1);
    input::PressKey(VK_TAB, input::Control);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 1)) << "Ctrl+Tab is the dialog's";
    input::PressKey(VK_TAB);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 2));
}

// The whole road with real keys: F2 opens the editor with the caret at the end, Tab ends the
// edit and carries it into the next column with its text selected, Return ends that one.
TEST_F(GridInput, KeysCarryAnEditFromCellToCell)
{
    CGridCtrl grid;
    Make(grid);
    grid.SetCellText(1, 1, "a");
    grid.SetCellText(1, 2, "b");
    grid.SetFocusCell(1, 1);
    input::PressKey(VK_F2);
    input::TypeText("1");
    input::PressKey(VK_TAB);
    input::TypeText("x");
    input::PressKey(VK_RETURN);
    EXPECT_EQ(grid.GetCellText(1, 1), "a1");
    EXPECT_EQ(grid.GetCellText(1, 2), "x");
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 2));
    EXPECT_FALSE(grid.IsCellEditing(1, 2));
    EXPECT_EQ(host.Count(GVN_ENDLABELEDIT), 2);
}

} // namespace
