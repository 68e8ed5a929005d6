#include "tests/pages/MapPageFixture.h"

#include <gtest/gtest.h>

#include <string>

using namespace ui;
namespace input = ui::testing;
using Ints = std::pair<int, int>;

namespace {

constexpr COLORREF kYellow = RGB(255, 255, 0), kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);

// The grid of a byte map page whose records hold 100 and whose cells show the bare numbers.
class MapGrid : public MapPage {
protected:
    void SetUp() override
    {
        MapPage::SetUp();
        ASSERT_EQ(Load(byteMap, 0, kByteMapCommand), 0);
        Fill(100);
        grid.SetFocus();
        input::ProcessEvents();
    }

    // Every record at value, as read from the controller, and shown.
    void Fill(int value)
    {
        for (int cell = 0; cell < 400; ++cell) {
            Value(cell / 20 + 1, cell % 20 + 1).base = static_cast<uint16_t>(value);
            Set(cell / 20 + 1, cell % 20 + 1, value);
        }
    }
    CellValue& Value(int row, int col) { return *grid.ValueAt(row, col); }
    void Set(int row, int col, int current)
    {
        Value(row, col).current = static_cast<uint16_t>(current);
        grid.SetCellText(row, col, std::to_string(current).c_str());
    }
    // The map's range made 0..255 by two corner cells.
    void SpanFullRange()
    {
        Value(20, 19) = {0, 0};
        Value(20, 20) = {255, 255};
        grid.Recolor();
    }

    COLORREF Back(int row, int col) const { return grid.GetCell(row, col)->GetBackColor(); }
    COLORREF TextColor(int row, int col) const { return grid.GetCell(row, col)->GetTextColor(); }
    // The cells whose background is not `back`, as x = column, y = row.
    std::vector<Point> CellsNotIn(COLORREF back) const
    {
        std::vector<Point> cells;
        for (int cell = 0; cell < 400; ++cell)
            if (Back(cell / 20 + 1, cell % 20 + 1) != back) cells.push_back({cell % 20 + 1, cell / 20 + 1});
        return cells;
    }
    void Select(int row, int col) { grid.SetCellState(row, col, grid.GetCellState(row, col) | GVIS_SELECTED); }
    std::string EditorText(int row, int col) const
    {
        Window* editor = grid.GetCell(row, col)->GetEditWindow();
        return editor != nullptr ? editor->GetWindowText() : std::string("<no editor>");
    }

    CMapGridCtrl& grid = byteMap.Grid();
};

// --- Colour scale ---

TEST_F(MapGrid, ValueToColorFollowsTheScaleOfAFullByteRange)
{
    SpanFullRange();
    ASSERT_EQ(grid.ObservedMinimum(), 0);
    ASSERT_EQ(grid.ObservedMaximum(), 255);
    // Pure blue at the minimum, red joins past 0.2 of the range, blue leaves past 0.7, pure red at
    // the maximum; values out of the range take the colour of its end.
    const std::pair<int, COLORREF> cases[] = {{0, RGB(0, 0, 210)}, {51, RGB(0, 0, 174)}, {52, RGB(52, 0, 174)}, {178, RGB(178, 0, 85)},
        {179, RGB(179, 0, 0)}, {255, RGB(255, 0, 0)}, {-40, RGB(0, 0, 210)}, {1000, RGB(255, 0, 0)}};
    for (const auto& [value, color] : cases) EXPECT_EQ(grid.ValueToColor(value), color) << value;
}

TEST_F(MapGrid, AnAllEqualMapIsBlack)
{
    Fill(77);
    grid.Recolor();
    EXPECT_EQ(Ints(grid.ObservedMinimum(), grid.ObservedMaximum()), std::pair(77, 77));
    EXPECT_EQ(CellsNotIn(kBlack), std::vector<Point>{});
}

TEST_F(MapGrid, RecolorPaintsEveryDataCellByItsOwnRecordTextIncluded)
{
    Fill(120);
    Value(3, 5).current = 220; // the largest: record 2 x 20 + 4
    Value(17, 2).current = 20; // the smallest
    grid.MarkTraceCell(4, 2);  // black text on yellow at (3, 5)
    grid.MarkTraceCell(0, 0);
    grid.Recolor();
    // The range is what the map holds, not the limits.
    EXPECT_EQ(Ints(grid.ObservedMinimum(), grid.ObservedMaximum()), std::pair(20, 220));
    EXPECT_EQ(CellsNotIn(RGB(127, 0, 120)), (std::vector<Point>{{5, 3}, {2, 17}}));
    EXPECT_EQ(std::pair(Back(3, 5), Back(17, 2)), std::pair(RGB(255, 0, 0), RGB(0, 0, 210)));
    EXPECT_EQ(TextColor(3, 5), CLR_DEFAULT);
}

// --- Trace trail ---

// A mark is black on yellow, then white on ever darker yellow, then its scale colour.
TEST_F(MapGrid, AMarkFadesTickByTickAndThenShowsItsScaleColour)
{
    SpanFullRange();
    Set(3, 5, 200);
    grid.MarkTraceCell(4, 2); // grid cell (3, 5)
    EXPECT_EQ(Back(3, 5), kYellow);
    const Point inside = gridtest::CellCorner(grid, 3, 5, 2, 2);
    EXPECT_EQ(input::Grab(grid).GetPixel(inside.x, inside.y), kYellow) << "as the grid shows it";
    EXPECT_EQ(TextColor(3, 5), kBlack);
    COLORREF previous = kYellow;
    for (int age = 1; age < CMapGridCtrl::kTrailTicks; ++age) {
        SCOPED_TRACE(age);
        grid.MarkTraceCell(0, age); // elsewhere
        const COLORREF back = Back(3, 5);
        EXPECT_TRUE(GetRValue(back) == GetGValue(back) && GetBValue(back) == 0 && GetRValue(back) < GetRValue(previous));
        EXPECT_EQ(TextColor(3, 5), kWhite);
        previous = back;
    }
    grid.MarkTraceCell(0, 0);
    EXPECT_EQ(Back(3, 5), RGB(200, 0, 0));
}

// Twenty marks on a diagonal, one per tick: the older ones have faded to their scale colour
// while the younger ones, whose slots later marks must not take, still fade.
TEST_F(MapGrid, TrailSlotsAreReusedOnlyAfterTheirMarkFadedOut)
{
    SpanFullRange();
    const COLORREF scale = grid.ValueToColor(100);
    for (int tick = 0; tick < 20; ++tick) grid.MarkTraceCell(tick, tick);
    for (int cell = 1; cell <= 20; ++cell) {
        const bool faded = 20 - cell >= CMapGridCtrl::kTrailTicks;
        EXPECT_EQ(Back(cell, cell) == scale, faded) << "cell " << cell;
    }
    EXPECT_EQ(Back(20, 20), kYellow);
}

// --- Revert (Escape) ---

// Escape reverts the changed editable cells of the selected block, selected or not.
TEST_F(MapGrid, EscapeRevertsTheChangedEditableCellsOfTheSelectedBlock)
{
    Select(2, 2);
    Select(4, 4);
    Set(2, 2, 7);
    Set(3, 3, 8); // inside the block, not selected
    Set(2, 3, 6); // inside the block, read-only
    grid.SetCellState(2, 3, grid.GetCellState(2, 3) | GVIS_READONLY);
    Set(5, 5, 9); // outside the block
    input::PressKey(VK_ESCAPE);
    EXPECT_EQ((std::vector<int>{Value(2, 2).current, Value(3, 3).current, Value(2, 3).current, Value(5, 5).current}),
        (std::vector<int>{100, 100, 6, 9}));
    // The page shows the stored values in degrees.
    EXPECT_EQ((std::vector<std::string>{grid.GetCellText(2, 2), grid.GetCellText(3, 3), grid.GetCellText(2, 3)}),
        (std::vector<std::string>{"75", "75", "6"}));
    EXPECT_TRUE(byteMap.IsWindowVisible()) << "Escape does not cancel the page";
}

// --- Steps (Page Up, Page Down, keypad + and -) ---

TEST_F(MapGrid, StepKeysChangeOnlySelectedValuesWithinTheLimits)
{
    const struct {
        const char* name;
        UINT vk;
        unsigned modifiers;
        int from, to;
    } cases[] = {{"Page Up", VK_PRIOR, input::None, 10, 11}, {"keypad +", VK_ADD, input::Keypad, 10, 11},
        {"Page Down", VK_NEXT, input::None, 10, 9}, {"Page Up at 255", VK_PRIOR, input::None, 255, 255},
        {"keypad + at 255", VK_ADD, input::Keypad, 255, 255}, {"Page Down at 0", VK_NEXT, input::None, 0, 0},
        {"keypad - at 0", VK_SUBTRACT, input::Keypad, 0, 0}};
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        Fill(each.from);
        Select(2, 2);
        Select(2, 4);
        input::PressKey(each.vk, each.modifiers);
        EXPECT_EQ(Ints(Value(2, 2).current, Value(2, 4).current), std::pair(each.to, each.to));
        EXPECT_EQ(grid.GetCellText(2, 4), std::to_string(each.to - 25)) << "shown by the page in degrees";
        EXPECT_EQ(Value(2, 3).current, each.from) << "in the block, not selected";
        EXPECT_FALSE(grid.IsCellEditing(2, 2)) << "a step opens no editor";
    }
}

TEST_F(MapGrid, StepsDoNothingWhenTheBlockHoldsAReadOnlyCell)
{
    for (const UINT vk : {VK_PRIOR, VK_NEXT}) {
        SCOPED_TRACE(vk);
        grid.SetSelectedRange(2, 2, 3, 3);
        grid.SetCellState(3, 2, grid.GetCellState(3, 2) | GVIS_READONLY);
        input::PressKey(vk);
        EXPECT_EQ(Ints(Value(2, 2).current, Value(3, 3).current), std::pair(100, 100));
    }
}

// --- Return and the editor ---

// Keypad + and - type into an open editor, and Escape cancels the edit, however the editor was
// opened: by Return or F2, by a double-click inside a dragged selection, or on a cell other than
// the focus cell. In an editor the user opened, Page Up and Page Down neither scroll nor step.
TEST_F(MapGrid, KeysGoToTheOpenEditor)
{
    enum class Opened { ByReturn, ByF2, ByDoubleClickInSelection, AwayFromTheFocus };
    for (Opened opened : {Opened::ByReturn, Opened::ByF2, Opened::ByDoubleClickInSelection, Opened::AwayFromTheFocus}) {
        SCOPED_TRACE(static_cast<int>(opened));
        Set(3, 4, 9); // changed, so a revert would show
        ClickCell(grid, 5, 5);
        if (opened == Opened::ByReturn || opened == Opened::ByF2) {
            ClickCell(grid, 3, 4);
            input::PressKey(opened == Opened::ByReturn ? VK_RETURN : VK_F2);
        } else if (opened == Opened::ByDoubleClickInSelection) {
            input::PressButton(grid, CellCentre(grid, 4, 5)), input::MoveMouse(grid, CellCentre(grid, 2, 3), true);
            input::ReleaseButton(grid, CellCentre(grid, 2, 3));
            input::DoubleClick(grid, CellCentre(grid, 3, 4));
        } else {
            grid.EditCell(3, 4, Point{-1, -1}, 1);
        }
        ASSERT_TRUE(grid.IsCellEditing(3, 4));
        input::TypeText("99");
        input::PressKey(VK_ADD, input::Keypad);
        input::PressKey(VK_SUBTRACT, input::Keypad);
        if (opened != Opened::AwayFromTheFocus) {
            for (const UINT vk : {VK_NEXT, VK_NEXT, VK_PRIOR}) input::PressKey(vk);
        }
        EXPECT_EQ(EditorText(3, 4), "999+-");
        EXPECT_EQ(Value(3, 4).current, 9) << "no step while editing";
        EXPECT_EQ(grid.GetTopleftNonFixedCell(true), CCellID(1, 1));
        input::PressKey(VK_ESCAPE);
        EXPECT_FALSE(grid.IsCellEditing(3, 4));
        EXPECT_EQ(grid.GetCellText(3, 4), "9") << "Escape cancelled the edit";
        EXPECT_EQ(Value(3, 4).current, 9) << "and reverted nothing";
        EXPECT_TRUE(byteMap.IsWindowVisible());
        input::ProcessEvents();
    }
}

// Committed input-method text reaches the grid one character at a time: the first opens the
// editor with the cell's text replaced, the rest are typed into it, as into an editor already open.
TEST_F(MapGrid, InputMethodTextOpensTheEditorOrGoesIntoTheOpenOne)
{
    const struct {
        const char* name;
        UINT opener; // 0: none
        const char *composing, *committed, *shown;
    } cases[] = {{"a full-width digit, kana, UTF-8 length steps", 0, "", "１あ\u0080\u0800\U00010000", "１あ\u0080\u0800\U00010000"},
        {"into an editor opened by F2", VK_F2, "", "あ", "100あ"}, {"after composing in the editor", VK_F2, "か", "課", "100課"}};
    int col = 1;
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        ClickCell(grid, 3, ++col);
        if (each.opener != 0) input::PressKey(each.opener);
        if (*each.composing != '\0') input::ComposeText(each.composing);
        input::CommitText(each.committed);
        EXPECT_EQ(EditorText(3, col), each.shown);
        input::PressKey(VK_ESCAPE);
        ASSERT_FALSE(grid.IsCellEditing(3, col));
    }
}

} // namespace
