#include "GridFixture.h"

#include "widgets/grid/CInPlaceEdit.h"

#include "platform/ui/Clipboard.h"

#include <string>
#include <vector>

using namespace ui;
using namespace gridtest;

namespace {

constexpr int kRows = 5; // one header row
constexpr int kCols = 5; // one header column

struct Cell {
    int row, col;
    const char* text;
};

class GridClipboard : public GridTest {
protected:
    // A shown 5 x 5 grid with one header row and column; its cells hold "r<row>c<col>", but for
    // those in `cells`, which are selected.
    void Fill(CGridCtrl& grid, const std::vector<Cell>& cells = {}, int hiddenRow = -1, int hiddenCol = -1)
    {
        Make(grid, kRows, kCols, 300, 200);
        for (int row = 0; row < kRows; ++row) {
            for (int col = 0; col < kCols; ++col) grid.SetCellText(row, col, Name(row, col).c_str());
        }
        for (const Cell& cell : cells) {
            grid.SetCellText(cell.row, cell.col, cell.text);
            Select(grid, cell.row, cell.col);
        }
        grid.SetRowHeight(hiddenRow, 0);
        grid.SetColumnWidth(hiddenCol, 0);
        grid.SetModified(false);
        host.notes.clear();
    }

    static std::string Name(int row, int col) { return "r" + std::to_string(row) + "c" + std::to_string(col); }

    // The first data cell whose text is not its name or the one `changed` gives it; "" if none.
    static std::string FirstWrongCell(const CGridCtrl& grid, const std::vector<Cell>& changed)
    {
        for (int row = 1; row < kRows; ++row) {
            for (int col = 1; col < kCols; ++col) {
                std::string want = Name(row, col);
                for (const Cell& cell : changed) {
                    if (cell.row == row && cell.col == col) want = cell.text;
                }
                if (grid.GetCellText(row, col) != want)
                    return std::to_string(row) + "," + std::to_string(col) + ": " + grid.GetCellText(row, col);
            }
        }
        return "";
    }
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
        Fill(grid, c.selected, c.hiddenRow, c.hiddenCol);
        EXPECT_EQ(grid.CreateClipboardText(), c.expected);
        RenewHost();
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
        Fill(grid, {{4, 4, "r4c4"}}, c.hiddenRow, c.hiddenCol);
        grid.SetFocusCell(4, 4);
        EXPECT_TRUE(grid.PasteData(c.at.row, c.at.col, c.text, false));
        EXPECT_FALSE(grid.IsValid(grid.GetSelectedRange())) << "not selecting the pasted cells clears all";
        EXPECT_FALSE(grid.GetFocusCell().IsValid());
        EXPECT_EQ(FirstWrongCell(grid, c.expected), "");
        RenewHost();
    }
}

TEST_F(GridClipboard, PasteTargetsTheSelectionThenTheFocusThenTheTopLeftCell)
{
    const std::string pasted = "日本語のセル";
    struct Case {
        const char* name;
        CCellID selected, focus, expected;
    };
    for (Case c : {Case{"selection's top-left", {3, 2}, {1, 1}, {3, 2}}, Case{"focus cell without a selection", {-1, -1}, {2, 3}, {2, 3}},
             Case{"top-left visible cell without either", {-1, -1}, {-1, -1}, {1, 1}}}) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid;
        Fill(grid);
        Select(grid, c.selected.row, c.selected.col);
        grid.SetFocusCell(c.focus.row, c.focus.col);
        Clipboard::SetText(pasted);
        grid.PasteClipboard();
        EXPECT_EQ(grid.GetCellText(c.expected.row, c.expected.col), pasted);
        EXPECT_TRUE(grid.GetModified(c.expected.row, c.expected.col));
        EXPECT_EQ(grid.GetSelectedRange(), CCellRange(c.expected.row, c.expected.col, c.expected.row, c.expected.col));
        RenewHost();
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
        Fill(grid);
        host.answers = {{GVN_BEGINLABELEDIT, c.beginAnswer}, {GVN_ENDLABELEDIT, c.endAnswer}};
        EXPECT_TRUE(grid.PasteData(1, 1, c.pasted, false));
        EXPECT_EQ(host.Codes({GVN_BEGINLABELEDIT, GVN_ENDLABELEDIT}), c.codes);
        EXPECT_EQ(FirstWrongCell(grid, c.changed ? std::vector<Cell>{{1, 1, "new"}, {1, 2, "new2"}} : std::vector<Cell>{}), "");
        EXPECT_EQ(grid.GetModified(1, 1), c.changed);
        EXPECT_EQ(grid.GetModified(), c.changed);
        RenewHost();
    }
}

// The editing keys with (1, 1) and the read-only (2, 2) selected and the focus on (1, 1).
TEST_F(GridClipboard, EditingKeysCopyCutPasteAndDelete)
{
    const char* const japanese = "ｶﾅ・漢字";
    struct Case {
        const char* name;
        UINT key;
        unsigned modifiers;
        bool editable;
        LRESULT beginAnswer;
        std::string clipboard;
        std::vector<Cell> changed;
    };
    const std::string both = std::string(japanese) + "\t\n\tr2c2";
    const std::vector<Case> cases = {
        {"Ctrl+C", 'C', ui::testing::Control, true, 0, both, {}},
        {"Ctrl+C on a fixed grid", 'C', ui::testing::Control, false, 0, both, {}},
        {"Ctrl+Insert", VK_INSERT, ui::testing::Control, true, 0, both, {}},
        {"Ctrl+X clears what may change", 'X', ui::testing::Control, true, 0, both, {{1, 1, ""}}},
        {"Ctrl+X on a fixed grid", 'X', ui::testing::Control, false, 0, "before", {}},
        {"Ctrl+V", 'V', ui::testing::Control, true, 0, "before", {{1, 1, "before"}}},
        {"Shift+Insert", VK_INSERT, ui::testing::Shift, true, 0, "before", {{1, 1, "before"}}},
        {"Ctrl+V on a fixed grid", 'V', ui::testing::Control, false, 0, "before", {}},
        {"Delete", VK_DELETE, ui::testing::None, true, 0, "before", {{1, 1, ""}}},
        {"Delete on a fixed grid", VK_DELETE, ui::testing::None, false, 0, "before", {}},
        {"Delete vetoed", VK_DELETE, ui::testing::None, true, -1, "before", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid;
        Fill(grid, {{1, 1, japanese}, {2, 2, "r2c2"}});
        grid.SetCellState(2, 2, grid.GetCellState(2, 2) | GVIS_READONLY);
        grid.SetEditable(c.editable);
        grid.SetFocusCell(1, 1);
        host.answers = {{GVN_BEGINLABELEDIT, c.beginAnswer}};
        Clipboard::SetText("before");
        ui::testing::PressKey(c.key, c.modifiers, &grid);
        EXPECT_EQ(Clipboard::GetText(), c.clipboard);
        std::vector<Cell> expected{{1, 1, japanese}};
        expected.insert(expected.end(), c.changed.begin(), c.changed.end());
        EXPECT_EQ(FirstWrongCell(grid, expected), "");
        RenewHost();
    }
}

// With the editor open on the focus cell, a paste is typing into it, whatever is selected.
TEST_F(GridClipboard, PasteWithAnOpenEditorGoesIntoTheEditorOnly)
{
    CGridCtrl grid;
    Fill(grid, {{3, 2, "r3c2"}});
    grid.SetFocusCell(1, 1);
    grid.EditCell(1, 1, Point{-1, -1}, CInPlaceEdit::kCaretAtEnd);
    ASSERT_TRUE(grid.IsCellEditing(1, 1));
    Clipboard::SetText("x,y");
    grid.PasteClipboard();
    EXPECT_EQ(grid.GetCell(1, 1)->GetEditWindow()->GetWindowText(), "r1c1x,y");
    EXPECT_EQ(FirstWrongCell(grid, {}), "");
}

} // namespace
