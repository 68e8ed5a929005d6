#include "GridFixture.h"

#include "platform/ui/Colors.h"

#include <vector>

using namespace ui;
using namespace gridtest;
namespace input = ui::testing;

namespace {

constexpr int kRows = 10;
constexpr int kCols = 6;
constexpr UINT kCaretAtEnd = 1;

using Edits = std::vector<std::pair<CCellID, UINT>>; // the cell and the first character

// Records the edits the keyboard and mouse open instead of opening them.
class CountingGrid : public CGridCtrl {
public:
    using CGridCtrl::CGridCtrl;
    Edits edits;
    void EditCell(int row, int col, Point, UINT firstChar) override { edits.emplace_back(CCellID(row, col), firstChar); }
};

// The middle of a cell while the grid is not scrolled.
Point At(int row, int col)
{
    return Point{col * kColWidth + kColWidth / 2, row * kRowHeight + kRowHeight / 2};
}
Point At(CCellID cell) { return At(cell.row, cell.col); }

using GridInput = GridTest;

struct Press { CCellID at; unsigned modifiers = input::None; bool right = false; };

TEST_F(GridInput, ClicksChooseTheFocusAndTheSelection)
{
    // `codes`: what the host is notified of; `unselected`: a cell that must not be selected.
    struct Case { const char* name; std::vector<Press> before; Press click; CCellID focus; CCellRange selected;
        std::vector<int> codes; CCellID unselected{-1, -1}; };
    const std::vector<int> plain{GVN_SELCHANGING, GVN_SELCHANGED, NM_CLICK};
    const std::vector<Press> oneToThree{{{1, 1}}, {{3, 3}, input::Shift}};
    const std::vector<Case> cases = {
        {"a data cell", {}, {{2, 2}}, {2, 2}, {2, 2, 2, 2}, plain},
        {"inside an earlier selection", oneToThree, {{2, 2}}, {2, 2}, {2, 2, 2, 2}, plain},
        {"inside it with Shift", oneToThree, {{2, 2}, input::Shift}, {2, 2}, {1, 1, 2, 2}, plain},
        {"with Ctrl adds the cell alone", {{{1, 1}}}, {{5, 5}, input::Control}, {5, 5}, {1, 1, 5, 5}, plain, {3, 3}},
        {"with Ctrl on a selected cell deselects it", {{{1, 1}}, {{5, 5}, input::Control}}, {{1, 1}, input::Control},
            {1, 1}, {5, 5, 5, 5}, {GVN_SELCHANGED, NM_CLICK}},
        {"the first column's header", {}, {{0, 1}}, {}, {1, 1, kRows - 1, 1}, plain},
        {"the first row's header", {}, {{1, 0}}, {}, {1, 1, 1, kCols - 1}, plain},
        {"the corner, taking the focus away", {{{2, 2}}}, {{0, 0}}, {}, {1, 1, kRows - 1, kCols - 1}, plain},
        {"the right button", {{{1, 1}}}, {{3, 4}, input::None, true}, {3, 4}, {1, 1, 1, 1}, {NM_RCLICK}},
        {"the right button past the cells", {{{1, 1}}}, {{kRows, kCols}, input::None, true}, {1, 1}, {1, 1, 1, 1}, {NM_RCLICK}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CountingGrid grid(kRows, kCols, 1, 1);
        Make(grid);
        for (const Press& press : c.before) input::Click(grid, At(press.at), press.modifiers);
        host.notes.clear();
        c.click.right ? input::RightClick(grid, At(c.click.at)) : input::Click(grid, At(c.click.at), c.click.modifiers);
        EXPECT_EQ(grid.GetFocusCell(), c.focus);
        EXPECT_EQ(grid.GetSelectedRange(), c.selected);
        EXPECT_FALSE(grid.IsCellSelected(c.unselected.row, c.unselected.col));
        EXPECT_EQ(host.Codes(), c.codes);
        const CCellID noted = c.click.at.row < kRows ? c.click.at : CCellID();
        EXPECT_TRUE(host.notes.empty() || CCellID(host.notes.back().row, host.notes.back().col) == noted) << "the cell noted";
        EXPECT_TRUE(grid.edits.empty()) << "clicking a cell without the focus only moves the focus";
        EXPECT_EQ(Window::GetCapture(), nullptr) << "the mouse is let go";
    }
}

// A second click on the focus cell (3, 2) opens the editor on release; a double-click opens it
// on a data cell at once.
TEST_F(GridInput, ClickingTheFocusCellAgainOrDoubleClickingOpensTheEditor)
{
    struct Case { const char* name; bool doubleClick; CCellID at; unsigned modifiers; bool editable, opens; };
    for (Case c : {Case{"plain", false, {3, 2}, input::None, true, true}, Case{"with Ctrl", false, {3, 2}, input::Control, true, false},
             Case{"not editable", false, {3, 2}, input::None, false, false}, Case{"double-click", true, {4, 3}, input::None, true, true},
             Case{"double-click on a header", true, {0, 3}, input::None, true, false}}) {
        SCOPED_TRACE(c.name);
        CountingGrid grid(kRows, kCols, 1, 1);
        Make(grid);
        grid.SetEditable(c.editable);
        input::Click(grid, At(3, 2));
        host.notes.clear();
        c.doubleClick ? input::DoubleClick(grid, At(c.at)) : input::Click(grid, At(c.at), c.modifiers);
        EXPECT_EQ(grid.edits, (c.opens ? Edits{{c.at, kCaretAtEnd}} : Edits{}));
        EXPECT_TRUE(!c.opens || c.doubleClick || host.Count(NM_CLICK) == 0) << "an edit click is no ordinary click";
        EXPECT_EQ(host.Count(NM_DBLCLK), c.doubleClick ? 1 : 0);
        EXPECT_EQ(grid.GetMouseMode(), MOUSE_NOTHING);
    }
}

// The button held on a cell of a 20 x 20 map and the pointer moved: inside the cells the
// selection and the focus follow it; left past a corner, the real auto-scroll timer carries
// both together to the far corner.
TEST_F(GridInput, ADragCarriesTheSelectionAndTheFocusAlongToThePointer)
{
    struct Case { const char* name; bool fromEnd; CCellID press; Point hold; CCellID focus; CCellRange selected; };
    for (Case c : {Case{"inside the cells", false, {2, 2}, At(4, 4), {4, 4}, {2, 2, 4, 4}},
             Case{"along the header row", false, {0, 2}, At(0, 4), {1, 4}, {1, 2, 20, 4}},
             Case{"past the bottom-right corner", false, {3, 3}, {260, 200}, {20, 20}, {3, 3, 20, 20}},
             Case{"past the top-left corner", true, {18, 18}, {-30, -30}, {1, 1}, {1, 1, 18, 18}}}) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid(21, 21, 1, 1);
        Make(grid);
        if (c.fromEnd) ToBottomRight(grid);
        input::PressButton(grid, CellCorner(grid, c.press.row, c.press.col, 5, 5));
        input::MoveMouse(grid, c.hold, true);
        input::RunUntil([&] { return grid.GetFocusCell() == c.focus && grid.GetSelectedRange() == c.selected; }, 5000);
        EXPECT_EQ(std::pair(grid.GetFocusCell(), grid.GetSelectedRange()), std::pair(c.focus, c.selected));
        input::ReleaseButton(grid, c.hold);
        EXPECT_FALSE(grid.HasTimer(kAutoScrollTimer)) << "the auto-scroll timer ends with the button";
    }
}

// Each tick of the auto-scroll timer scrolls towards the side the held pointer is past and takes
// the selection along; on the first data row or column it is past nothing, and with the button
// up there is no drag.
TEST_F(GridInput, AHeldDragScrollsOnlyWhileThePointerIsOverTheHeaders)
{
    struct Case { const char* name; Point hold; bool released; int rowsUp, colsLeft; };
    for (Case c : {Case{"on the first data row's top line", {3 * kColWidth, kRowHeight}, false, 0, 0},
             Case{"on the header row's last line", {3 * kColWidth, kRowHeight - 1}, false, 1, 0},
             Case{"on the first data column's left line", {kColWidth, 3 * kRowHeight}, false, 0, 0},
             Case{"on the header column's last line", {kColWidth - 1, 3 * kRowHeight}, false, 0, 1},
             Case{"released over the headers", {kColWidth - 1, kRowHeight - 1}, true, 0, 0}}) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid(40, 40, 1, 1);
        Make(grid);
        ToBottomRight(grid);
        const CCellID topLeft = grid.GetTopleftNonFixedCell();
        input::PressButton(grid, CellCentre(grid, topLeft.row, topLeft.col));
        input::MoveMouse(grid, c.hold, true);
        if (c.released) input::ReleaseButton(grid, c.hold);
        grid.SendMessage(WM_TIMER, kAutoScrollTimer);
        const CCellID shown(topLeft.row - c.rowsUp, topLeft.col - c.colsLeft);
        EXPECT_EQ(grid.GetTopleftNonFixedCell(), shown);
        const CCellRange selected = grid.GetSelectedRange();
        EXPECT_EQ(CCellID(selected.minRow, selected.minCol), shown) << "the selection follows into what scrolled in";
        if (!c.released) input::ReleaseButton(grid, c.hold);
    }
}

TEST_F(GridInput, TheWheelScrollsByTheSystemsLinesAndAZeroCountsAsThree)
{
    struct Case { int systemLines, notches, rowsDown; };
    for (Case c : {Case{0, 1, 3}, Case{5, 1, 5}, Case{1, 2, 2}}) {
        SCOPED_TRACE(::testing::Message() << "system lines " << c.systemLines << ", notches " << c.notches);
        input::SetWheelScrollLines(c.systemLines);
        CGridCtrl grid(60, kCols, 1, 1);
        input::SetWheelScrollLines(std::nullopt);
        Make(grid);
        input::TurnWheel(grid, At(3, 3), -120 * c.notches);
        input::ProcessEvents();
        EXPECT_EQ(grid.GetTopleftNonFixedCell().row, 1 + c.rowsDown);
        input::TurnWheel(grid, At(3, 3), 120 * c.notches);
        input::ProcessEvents();
        EXPECT_EQ(grid.GetTopleftNonFixedCell().row, 1) << "turned back, it scrolls back";
    }
}

TEST_F(GridInput, ArrowsAndTabMoveByOneCellAndStopAtTheHeadersAndTheEnds)
{
    struct Case { CCellID from; UINT key; CCellID to; unsigned modifiers = input::None; };
    const CCellID last{kRows - 1, kCols - 1};
    const Case cases[] = {
        {{2, 2}, VK_RIGHT, {2, 3}}, {{2, 4}, VK_LEFT, {2, 3}}, {{3, 2}, VK_DOWN, {4, 2}}, {{5, 2}, VK_UP, {4, 2}},
        {{1, 1}, VK_LEFT, {1, 1}}, {{1, 1}, VK_UP, {1, 1}}, {last, VK_DOWN, last}, {last, VK_RIGHT, last},
        {{2, 2}, VK_TAB, {2, 3}}, {{2, kCols - 1}, VK_TAB, {3, 1}}, {last, VK_TAB, last},
        {{5, 1}, VK_TAB, {4, kCols - 1}, input::Shift}, {{5, 3}, VK_TAB, {5, 2}, input::Shift}, {{1, 1}, VK_TAB, {1, 1}, input::Shift},
        {{5, 4}, VK_HOME, {5, 1}}, {{5, 2}, VK_END, {5, kCols - 1}}, {{2, 2}, VK_TAB, {2, 2}, input::Control},
    };
    CountingGrid grid(kRows, kCols, 1, 1);
    Make(grid);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "key " << c.key << "+" << c.modifiers << " from " << c.from.row << "," << c.from.col);
        grid.SetFocusCell(c.from.row, c.from.col);
        host.notes.clear();
        input::PressKey(c.key, c.modifiers);
        EXPECT_EQ(grid.GetFocusCell(), c.to);
        const bool moved = c.to != c.from;
        EXPECT_TRUE(!moved || grid.GetSelectedRange() == CCellRange(c.to.row, c.to.col, c.to.row, c.to.col));
        EXPECT_EQ(host.Codes(), (moved ? std::vector<int>{GVN_SELCHANGING, GVN_SELCHANGED} : std::vector<int>{}));
    }
}

TEST_F(GridInput, ShiftExtendsFromTheSelectionStartCell)
{
    CountingGrid grid(kRows, kCols, 1, 1);
    Make(grid);
    input::Click(grid, At(3, 3));
    for (UINT key : {VK_RIGHT, VK_DOWN, VK_DOWN, VK_LEFT, VK_LEFT}) input::PressKey(key, input::Shift, &grid);
    EXPECT_EQ(grid.GetSelectedRange(), CCellRange(3, 2, 5, 3)) << "the start cell stays a corner";
    EXPECT_EQ(grid.GetFocusCell(), CCellID(5, 2));
    input::PressKey(VK_UP, input::None, &grid);
    EXPECT_EQ(grid.GetSelectedRange(), CCellRange(4, 2, 4, 2)) << "without Shift the selection starts again";
}

// A 60 x 30 grid with its focus on (5, 5), or `from`, and the view at the top-left.
TEST_F(GridInput, HomeEndAndPagesScrollAndMoveTheFocus)
{
    constexpr int kBigRows = 60;
    constexpr int kBigCols = 30;
    // `to`: a row of -1 is as many rows down as the view went; `atBottom` and `atRight`: the view
    // scrolled as far as it goes; `stays`: the view stays at the top-left.
    struct Case { UINT key; unsigned modifiers; int times; CCellID to; bool atBottom, atRight; bool stays = false; CCellID from{5, 5}; };
    const unsigned none = input::None;
    for (Case c : {Case{VK_END, none, 1, {5, kBigCols - 1}, false, true}, Case{VK_HOME, none, 1, {5, 1}, false, false, true},
             Case{VK_DOWN, none, 1, {6, 5}, false, false, true}, Case{VK_LEFT, none, 1, {5, 4}, false, false, true},
             Case{VK_END, input::Control, 1, {kBigRows - 1, kBigCols - 1}, true, true},
             Case{VK_HOME, input::Control, 1, {1, 1}, false, false}, Case{VK_NEXT, none, 1, {-1, 5}, false, false},
             Case{VK_PRIOR, none, 1, {1, 5}, false, false}, Case{VK_NEXT, none, kBigRows, {kBigRows - 1, 5}, true, false},
             Case{VK_TAB, none, 1, {6, 1}, false, false, true, {5, kBigCols - 1}},
             Case{VK_TAB, input::Shift, 1, {4, kBigCols - 1}, false, true, false, {5, 1}}}) {
        SCOPED_TRACE(::testing::Message() << "key " << c.key << " modifiers " << c.modifiers << " times " << c.times);
        CountingGrid grid(kBigRows, kBigCols, 1, 1);
        Make(grid, 150, 120);
        grid.SetFocusCell(c.from.row, c.from.col);
        for (int i = 0; i < c.times; ++i) input::PressKey(c.key, c.modifiers, &grid);
        const CCellID to(c.to.row >= 0 ? c.to.row : 5 + grid.GetTopleftNonFixedCell().row - 1, c.to.col);
        EXPECT_GT(to.row, c.to.row >= 0 ? 0 : 6);
        EXPECT_EQ(grid.GetFocusCell(), to);
        EXPECT_TRUE(grid.GetVisibleNonFixedCellRange().InRange(to.row, to.col)) << "the focus is scrolled into view";
        const auto atEnd = [&](int bar) { const ScrollInfo info = grid.GetScrollInfo(bar); return info.pos == info.max - info.page + 1; };
        EXPECT_EQ(std::pair(atEnd(SB_VERT), atEnd(SB_HORZ)), std::pair(c.atBottom, c.atRight));
        EXPECT_TRUE(!c.stays || grid.GetTopleftNonFixedCell() == CCellID(1, 1)) << "a move inside the view does not scroll";
    }
}

TEST_F(GridInput, OnlyF2AndInputMethodCharactersOpenTheEditor)
{
    CountingGrid grid(kRows, kCols, 1, 1);
    Make(grid);
    grid.SetFocusCell(2, 3);
    input::TypeText("7a", &grid);
    EXPECT_TRUE(grid.edits.empty()) << "typing a character does not open the editor";
    input::PressKey(VK_F2, input::None, &grid);
    input::CommitText("ア\x1b");
    EXPECT_EQ(grid.edits, (Edits{{{2, 3}, kCaretAtEnd}, {{2, 3}, 0x30A2u}})) << "F2, the committed character, not Escape";
}

TEST_F(GridInput, CtrlASelectsEverything)
{
    CountingGrid grid(kRows, kCols, 1, 1);
    Make(grid);
    input::Click(grid, At(2, 2));
    host.notes.clear();
    input::PressKey('A', input::Control, &grid);
    EXPECT_EQ(grid.GetSelectedRange(), CCellRange(1, 1, kRows - 1, kCols - 1));
    EXPECT_EQ(host.Codes(), (std::vector<int>{GVN_SELCHANGING, GVN_SELCHANGED}));
}

// The whole road with real keys: F2 opens the editor with the caret at the end, Tab ends the
// edit and carries it into the next column with its text selected, Return ends that one.
TEST_F(GridInput, KeysCarryAnEditFromCellToCell)
{
    CGridCtrl grid(kRows, kCols, 1, 1);
    Make(grid);
    EXPECT_EQ(grid.SendMessage(WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB);
    grid.SetCellText(1, 1, "a");
    grid.SetCellText(1, 2, "b");
    grid.SetFocusCell(1, 1);
    input::PressKey(VK_F2);
    input::TypeText("1");
    input::PressKey(VK_TAB);
    input::TypeText("x");
    input::PressKey(VK_RETURN);
    EXPECT_EQ(grid.GetCellText(1, 1) + "|" + grid.GetCellText(1, 2), "a1|x");
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 2));
    EXPECT_FALSE(grid.IsCellEditing(1, 2));
    EXPECT_EQ(host.Count(GVN_ENDLABELEDIT), 2);
}

} // namespace
