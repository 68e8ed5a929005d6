#include "GridFixture.h"

#include "platform/ui/Clipboard.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Styles.h"
#include "platform/ui/testing/Input.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace ui;
using namespace gridtest;

namespace {

constexpr int kRows = 5; // one header row
constexpr int kCols = 5; // one header column

class GridClipboard : public GridTest {
protected:
    // A created kRows x kCols grid with one header row and column; its cells hold "r<row>c<col>".
    void Make(CGridCtrl& grid)
    {
        grid.SetRowCount(kRows);
        grid.SetColumnCount(kCols);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        for (int row = 0; row < kRows; ++row) {
            for (int col = 0; col < kCols; ++col) grid.SetCellText(row, col, Name(row, col).c_str());
        }
        Place(grid, 300, 200);
        grid.SetModified(false);
    }

    static std::string Name(int row, int col) { return "r" + std::to_string(row) + "c" + std::to_string(col); }
};

struct Cell {
    int row, col;
    const char* text;
};

TEST_F(GridClipboard, CopiedTextSpansTheSelectionsBoundsWithoutHiddenRowsOrColumns)
{
    struct Case {
        const char* name;
        std::vector<Cell> selected;
        int hiddenRow, hiddenCol;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"bounding range filled with empty fields", {{1, 1, "A"}, {2, 3, "B"}}, -1, -1, "A\t\t\n\t\tB"},
        {"one cell", {{3, 2, "X"}}, -1, -1, "X"},
        {"hidden row left out", {{1, 1, "A"}, {2, 1, "B"}, {3, 1, "C"}}, 2, -1, "A\nC"},
        {"hidden column left out", {{1, 1, "A"}, {1, 2, "B"}, {1, 3, "C"}}, -1, 2, "A\tC"},
        {"hidden first row gives no leading line", {{1, 1, "A"}, {2, 2, "B"}}, 1, -1, "\tB"},
        {"nothing selected", {}, -1, -1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid;
        Make(grid);
        for (const Cell& cell : c.selected) {
            grid.SetCellText(cell.row, cell.col, cell.text);
            Select(grid, cell.row, cell.col);
        }
        if (c.hiddenRow >= 0) grid.SetRowHeight(c.hiddenRow, 0);
        if (c.hiddenCol >= 0) grid.SetColumnWidth(c.hiddenCol, 0);
        std::string data = "untouched";
        EXPECT_EQ(grid.CreateClipboardData(data), !c.selected.empty());
        EXPECT_EQ(data, c.selected.empty() ? "untouched" : c.expected);
        EXPECT_EQ(grid.CreateClipboardText(), c.expected);
    }
}

TEST_F(GridClipboard, PastedFieldsSplitAtTabsAndCommasAndSkipHiddenCells)
{
    struct Case {
        const char* name;
        std::string text;
        CCellID at;
        int hiddenRow, hiddenCol;
        std::vector<Cell> expected; // every other data cell keeps its name
    };
    const std::vector<Case> cases = {
        {"comma and tab both separate", "1,2\t3", {1, 1}, -1, -1, {{1, 1, "1"}, {1, 2, "2"}, {1, 3, "3"}}},
        {"lines go down, white space trimmed", " a \r\n\tb", {1, 1}, -1, -1, {{1, 1, "a"}, {2, 1, ""}, {2, 2, "b"}}},
        {"hidden row skipped", "x\ny", {1, 1}, 2, -1, {{1, 1, "x"}, {3, 1, "y"}}},
        {"hidden column skipped", "x,y", {1, 1}, -1, 2, {{1, 1, "x"}, {1, 3, "y"}}},
        {"fields past the last column dropped", "a,b,c,d", {1, 3}, -1, -1, {{1, 3, "a"}, {1, 4, "b"}}},
        {"lines past the last row dropped", "a\nb\nc", {3, 1}, -1, -1, {{3, 1, "a"}, {4, 1, "b"}}},
        {"a final line end adds no empty row", "a\tb\r\n", {1, 1}, -1, -1, {{1, 1, "a"}, {1, 2, "b"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid;
        Make(grid);
        if (c.hiddenRow >= 0) grid.SetRowHeight(c.hiddenRow, 0);
        if (c.hiddenCol >= 0) grid.SetColumnWidth(c.hiddenCol, 0);
        Select(grid, 4, 4);
        grid.SetFocusCell(4, 4);
        EXPECT_TRUE(grid.PasteData(c.at.row, c.at.col, c.text, false));
        EXPECT_FALSE(grid.IsValid(grid.GetSelectedRange())); // not selecting the pasted cells clears all
        EXPECT_FALSE(grid.GetFocusCell().IsValid());
        for (int row = 1; row < kRows; ++row) {
            for (int col = 1; col < kCols; ++col) {
                std::string want = Name(row, col);
                for (const Cell& cell : c.expected) {
                    if (cell.row == row && cell.col == col) want = cell.text;
                }
                EXPECT_EQ(grid.GetCellText(row, col), want) << row << "," << col;
            }
        }
    }
}

TEST_F(GridClipboard, PasteTargetsTheSelectionThenTheFocusThenTheTopLeftCell)
{
    struct Case {
        const char* name;
        CCellID selected, focus, expected;
    };
    const std::vector<Case> cases = {
        {"selection's top-left", {3, 2}, {1, 1}, {3, 2}},
        {"focus cell without a selection", {-1, -1}, {2, 3}, {2, 3}},
        {"top-left visible cell without either", {-1, -1}, {-1, -1}, {1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid;
        Make(grid);
        if (c.selected.IsValid()) Select(grid, c.selected.row, c.selected.col);
        if (c.focus.IsValid()) grid.SetFocusCell(c.focus.row, c.focus.col);
        Clipboard::SetText("pasted");
        grid.PasteClipboard();
        EXPECT_EQ(grid.GetCellText(c.expected.row, c.expected.col), "pasted");
        EXPECT_TRUE(grid.GetModified(c.expected.row, c.expected.col));
        EXPECT_EQ(grid.GetSelectedRange(), CCellRange(c.expected.row, c.expected.col, c.expected.row, c.expected.col));
    }
}

TEST_F(GridClipboard, PasteIsRefusedForAReadOnlyTargetOrAFixedGrid)
{
    struct Case {
        const char* name;
        bool editable, readOnlyTarget;
    };
    const std::vector<Case> cases = {
        {"read-only focus cell", true, true},
        {"grid not editable", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid;
        Make(grid);
        grid.SetEditable(c.editable);
        if (c.readOnlyTarget) grid.SetCellState(1, 1, GVIS_READONLY);
        grid.SetFocusCell(1, 1);
        Clipboard::SetText("a,b\nc,d");
        grid.PasteClipboard();
        EXPECT_FALSE(grid.PasteData(1, 1, "a,b", true));
        for (const CCellID& cell : {CCellID(1, 1), CCellID(1, 2), CCellID(2, 1), CCellID(2, 2)})
            EXPECT_EQ(grid.GetCellText(cell.row, cell.col), Name(cell.row, cell.col));
        EXPECT_TRUE(host.Codes({GVN_BEGINLABELEDIT, GVN_ENDLABELEDIT}).empty());
    }
}

TEST_F(GridClipboard, EachPastedCellPassesTheParentsVeto)
{
    struct Case {
        const char* name;
        LRESULT beginAnswer, endAnswer;
        const char* pasted;
        bool changed;
        std::vector<int> codes;
    };
    const std::vector<Case> cases = {
        {"accepted", 0, 0, "new,new2", true, {GVN_BEGINLABELEDIT, GVN_ENDLABELEDIT, GVN_BEGINLABELEDIT, GVN_ENDLABELEDIT}},
        {"-105 veto", -1, 0, "new,new2", false, {GVN_BEGINLABELEDIT, GVN_BEGINLABELEDIT}},
        {"-106 rejected", 0, -1, "new,new2", false, {GVN_BEGINLABELEDIT, GVN_ENDLABELEDIT, GVN_BEGINLABELEDIT, GVN_ENDLABELEDIT}},
        {"unchanged text ends nothing", 0, 0, "r1c1,r1c2", false, {GVN_BEGINLABELEDIT, GVN_BEGINLABELEDIT}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid;
        Make(grid);
        grid.SetModified(false);
        host.notes.clear();
        host.answers = {{GVN_BEGINLABELEDIT, c.beginAnswer}, {GVN_ENDLABELEDIT, c.endAnswer}};
        EXPECT_TRUE(grid.PasteData(1, 1, c.pasted, false));
        EXPECT_EQ(host.Codes({GVN_BEGINLABELEDIT, GVN_ENDLABELEDIT}), c.codes);
        EXPECT_EQ(grid.GetCellText(1, 1), c.changed ? "new" : Name(1, 1));
        EXPECT_EQ(grid.GetCellText(1, 2), c.changed ? "new2" : Name(1, 2));
        EXPECT_EQ(grid.GetModified(1, 1), c.changed);
        EXPECT_EQ(grid.GetModified(), c.changed);
    }
}

TEST_F(GridClipboard, DeleteClearsEditableSelectedCellsOnly)
{
    struct Case {
        const char* name;
        bool editable;
        LRESULT beginAnswer;
        std::vector<Cell> expected;
    };
    const std::vector<Case> cases = {
        {"editable cells cleared, read-only kept", true, 0, {{1, 1, ""}, {2, 2, "r2c2"}, {3, 3, ""}}},
        {"grid not editable", false, 0, {{1, 1, "r1c1"}, {2, 2, "r2c2"}, {3, 3, "r3c3"}}},
        {"parent vetoes", true, -1, {{1, 1, "r1c1"}, {2, 2, "r2c2"}, {3, 3, "r3c3"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid;
        Make(grid);
        grid.SetEditable(c.editable);
        host.answers = {{GVN_BEGINLABELEDIT, c.beginAnswer}};
        Select(grid, 1, 1);
        grid.SetCellState(2, 2, GVIS_SELECTED | GVIS_READONLY);
        Select(grid, 3, 3);
        grid.EraseSelectedText();
        for (const Cell& cell : c.expected) EXPECT_EQ(grid.GetCellText(cell.row, cell.col), cell.text);
        EXPECT_EQ(grid.GetCellText(1, 2), "r1c2"); // unselected cells inside the range stay
    }
}

// The editing keys reach the clipboard operations; cutting needs an editable grid, copying
// does not.
TEST_F(GridClipboard, EditingKeysCopyCutPasteAndDelete)
{
    struct Case {
        const char* name;
        UINT key;
        unsigned modifiers;
        bool editable;
        std::string clipboard, cellAfter;
    };
    const std::vector<Case> cases = {
        {"Ctrl+X", 'X', ui::testing::Control, true, "r1c1", ""},
        {"Ctrl+X on a fixed grid", 'X', ui::testing::Control, false, "before", "r1c1"},
        {"Ctrl+C on a fixed grid", 'C', ui::testing::Control, false, "r1c1", "r1c1"},
        {"Ctrl+Insert", VK_INSERT, ui::testing::Control, true, "r1c1", "r1c1"},
        {"Ctrl+V", 'V', ui::testing::Control, true, "before", "before"},
        {"Shift+Insert", VK_INSERT, ui::testing::Shift, true, "before", "before"},
        {"Delete", VK_DELETE, ui::testing::None, true, "before", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid;
        Make(grid);
        ui::testing::ShowAndActivate(host);
        grid.SetFocus();
        grid.SetEditable(c.editable);
        grid.SetFocusCell(1, 1);
        Select(grid, 1, 1);
        Clipboard::SetText("before");
        ui::testing::PressKey(c.key, c.modifiers, &grid);
        EXPECT_EQ(Clipboard::GetText(), c.clipboard);
        EXPECT_EQ(grid.GetCellText(1, 1), c.cellAfter);
        EXPECT_EQ(grid.GetCellText(1, 2), "r1c2") << "only the selected cell";
        RenewHost();
    }
}

TEST_F(GridClipboard, JapaneseTextSurvivesTheSystemClipboard)
{
    const std::string text = "日本語のセル";
    const std::string other = "ｶﾅ・漢字";
    CGridCtrl grid;
    Make(grid);
    grid.SetCellText(1, 1, text.c_str());
    grid.SetCellText(1, 2, other.c_str());
    Select(grid, 1, 1);
    Select(grid, 1, 2);
    grid.CopySelection();
    EXPECT_EQ(Clipboard::GetText(), text + "\t" + other);
    grid.SetCellState(1, 1, 0);
    grid.SetCellState(1, 2, 0);
    grid.SetFocusCell(3, 2);
    grid.PasteClipboard();
    EXPECT_EQ(grid.GetCellText(3, 2), text);
    EXPECT_EQ(grid.GetCellText(3, 3), other);
    EXPECT_EQ(grid.GetSelectedRange(), CCellRange(3, 2, 3, 3));
}

// A grid whose cell (1, 1) has an open editor.
class EditingGrid : public CGridCtrl {
public:
    class Cell : public CGridCell {
    public:
        ui::Window* editor = nullptr;
        ui::Window* GetEditWindow() const override { return editor; }
    };

    Cell* editing = nullptr;

protected:
    std::unique_ptr<CGridCellBase> CreateCell(int row, int col) override
    {
        if (row != 1 || col != 1) return CGridCtrl::CreateCell(row, col);
        auto cell = std::make_unique<Cell>();
        cell->SetGrid(this);
        editing = cell.get();
        return cell;
    }
};

TEST_F(GridClipboard, PasteWithAnOpenEditorGoesIntoTheEditorOnly)
{
    EditingGrid grid;
    Make(grid);
    Edit editor;
    ASSERT_TRUE(editor.Create(WS_CHILD | WS_VISIBLE, Rect{0, 0, 80, 20}, grid, CGridCtrl::IDC_INPLACE_CONTROL));
    editor.SetWindowText("ab");
    editor.SetSel(2, 2);
    ASSERT_NE(grid.editing, nullptr);
    grid.editing->editor = &editor;
    grid.SetFocusCell(1, 1);
    Clipboard::SetText("x,y");
    grid.PasteClipboard();
    EXPECT_EQ(editor.GetWindowText(), "abx,y");
    EXPECT_EQ(grid.GetCellText(1, 1), "r1c1");
    EXPECT_EQ(grid.GetCellText(1, 2), "r1c2");
    grid.editing->editor = nullptr;
}

} // namespace
