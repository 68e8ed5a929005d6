#include "GridFixture.h"

#include "widgets/grid/CInPlaceEdit.h"

#include "platform/ui/Clipboard.h"

#include <string>
#include <vector>

using namespace ui;
using namespace gridtest;

namespace {

constexpr int kSize = 5; // rows and columns, one of each a header

struct Cell { int row, col; const char* text; };

std::string Name(int row, int col) { return "r" + std::to_string(row) + "c" + std::to_string(col); }

// The first data cell whose text is not its name or the one `changed` gives it; "" if none.
std::string FirstWrongCell(const CGridCtrl& grid, const std::vector<Cell>& changed)
{
    for (int row = 1; row < kSize; ++row) {
        for (int col = 1; col < kSize; ++col) {
            std::string want = Name(row, col);
            for (const Cell& cell : changed) want = cell.row == row && cell.col == col ? cell.text : want;
            if (grid.GetCellText(row, col) != want)
                return std::to_string(row) + "," + std::to_string(col) + ": " + grid.GetCellText(row, col);
        }
    }
    return "";
}

class GridClipboard : public GridTest {
protected:
    // A shown 5 x 5 grid with one header row and column; its cells hold "r<row>c<col>", but for
    // those in `cells`, which are selected.
    void Fill(CGridCtrl& grid, const std::vector<Cell>& cells = {})
    {
        Make(grid, 300, 200);
        for (int row = 0; row < kSize; ++row) {
            for (int col = 0; col < kSize; ++col) grid.SetCellText(row, col, Name(row, col).c_str());
        }
        for (const Cell& cell : cells) {
            grid.SetCellText(cell.row, cell.col, cell.text);
            Select(grid, cell.row, cell.col);
        }
        host.notes.clear();
    }
};

TEST_F(GridClipboard, CopiedTextSpansTheSelectionsBounds)
{
    struct Case { const char* name; std::vector<Cell> selected; std::string expected; };
    const std::vector<Case> cases = {
        {"bounding range filled with empty fields", {{1, 1, "A"}, {2, 3, "B"}}, "A\t\t\n\t\tB"},
        {"one cell", {{3, 2, "X"}}, "X"},
        {"nothing selected", {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid(kSize, kSize, 1, 1);
        Fill(grid, c.selected);
        EXPECT_EQ(grid.CreateClipboardText(), c.expected);
    }
}

TEST_F(GridClipboard, PastedFieldsSplitAtTabsAndCommas)
{
    // `expected`: the cells changed; every other data cell keeps its name.
    struct Case { const char* name; std::string text; CCellID at; std::vector<Cell> expected; };
    const std::vector<Case> cases = {
        {"comma and tab both separate", "1,2\t3", {1, 1}, {{1, 1, "1"}, {1, 2, "2"}, {1, 3, "3"}}},
        {"lines go down, white space trimmed", " a \r\n\tb", {1, 1}, {{1, 1, "a"}, {2, 1, ""}, {2, 2, "b"}}},
        {"fields past the last column dropped", "a,b,c,d", {1, 3}, {{1, 3, "a"}, {1, 4, "b"}}},
        {"lines past the last row dropped", "a\nb\nc", {3, 1}, {{3, 1, "a"}, {4, 1, "b"}}},
        {"a final line end adds no empty row", "a\tb\r\n", {1, 1}, {{1, 1, "a"}, {1, 2, "b"}}},
        {"an empty last field blanks its cell", "a\t", {1, 1}, {{1, 1, "a"}, {1, 2, ""}}},
        {"an empty line before the final line end is a row", "a\n\n", {1, 1}, {{1, 1, "a"}, {2, 1, ""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid(kSize, kSize, 1, 1);
        Fill(grid, {{4, 4, "r4c4"}});
        grid.SetFocusCell(4, 4);
        grid.PasteData(c.at.row, c.at.col, c.text, false);
        EXPECT_FALSE(grid.IsValid(grid.GetSelectedRange())) << "not selecting the pasted cells clears all";
        EXPECT_FALSE(grid.GetFocusCell().IsValid());
        EXPECT_EQ(FirstWrongCell(grid, c.expected), "");
    }
}

TEST_F(GridClipboard, PasteTargetsTheSelectionThenTheFocusThenTheTopLeftCell)
{
    const std::string pasted = "日本語のセル";
    struct Case { const char* name; CCellID selected, focus, expected; };
    for (Case c : {Case{"selection's top-left", {3, 2}, {1, 1}, {3, 2}}, Case{"focus cell without a selection", {-1, -1}, {2, 3}, {2, 3}},
             Case{"top-left visible cell without either", {-1, -1}, {-1, -1}, {1, 1}}}) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid(kSize, kSize, 1, 1);
        Fill(grid);
        Select(grid, c.selected.row, c.selected.col);
        grid.SetFocusCell(c.focus.row, c.focus.col);
        Clipboard::SetText(pasted);
        grid.PasteClipboard();
        EXPECT_EQ(grid.GetCellText(c.expected.row, c.expected.col), pasted);
        EXPECT_EQ(grid.GetSelectedRange(), CCellRange(c.expected.row, c.expected.col, c.expected.row, c.expected.col));
    }
}

TEST_F(GridClipboard, EachPastedCellPassesTheParentsVeto)
{
    // Two cells pasted: `ends` is how many edits of them end.
    struct Case { const char* name; LRESULT beginAnswer, endAnswer; const char* pasted; bool changed; int ends; };
    const std::vector<Case> cases = {
        {"accepted", 0, 0, "new,new2", true, 2},
        {"-105 veto", -1, 0, "new,new2", false, 0},
        {"-106 rejected", 0, -1, "new,new2", false, 2},
        {"unchanged text ends nothing", 0, 0, "r1c1,r1c2", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid(kSize, kSize, 1, 1);
        Fill(grid);
        host.answers = {{GVN_BEGINLABELEDIT, c.beginAnswer}, {GVN_ENDLABELEDIT, c.endAnswer}};
        grid.PasteData(1, 1, c.pasted, false);
        EXPECT_EQ(std::pair(host.Count(GVN_BEGINLABELEDIT), host.Count(GVN_ENDLABELEDIT)), std::pair(2, c.ends));
        EXPECT_EQ(FirstWrongCell(grid, c.changed ? std::vector<Cell>{{1, 1, "new"}, {1, 2, "new2"}} : std::vector<Cell>{}), "");
    }
}

// The editing keys with (1, 1) and the read-only (2, 2) selected and the focus on (1, 1).
TEST_F(GridClipboard, EditingKeysCopyCutPasteAndDelete)
{
    const unsigned ctrl = ui::testing::Control;
    const unsigned none = ui::testing::None;
    const char* const kana = "ｶﾅ・漢字";
    const std::string both = std::string(kana) + "\t\n\tr2c2";
    // `cell`: what (1, 1) holds after.
    struct Case { const char* name; UINT key; unsigned modifiers; bool editable; LRESULT beginAnswer; std::string clipboard;
        const char* cell; };
    const std::vector<Case> cases = {
        {"Ctrl+C", 'C', ctrl, true, 0, both, kana},
        {"Ctrl+C on a fixed grid", 'C', ctrl, false, 0, both, kana},
        {"Ctrl+Insert", VK_INSERT, ctrl, true, 0, both, kana},
        {"Ctrl+X clears what may change", 'X', ctrl, true, 0, both, ""},
        {"Ctrl+X on a fixed grid", 'X', ctrl, false, 0, "before", kana},
        {"Ctrl+V", 'V', ctrl, true, 0, "before", "before"},
        {"Shift+Insert", VK_INSERT, ui::testing::Shift, true, 0, "before", "before"},
        {"Ctrl+V on a fixed grid", 'V', ctrl, false, 0, "before", kana},
        {"Delete", VK_DELETE, none, true, 0, "before", ""},
        {"Delete on a fixed grid", VK_DELETE, none, false, 0, "before", kana},
        {"Delete vetoed", VK_DELETE, none, true, -1, "before", kana},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid(kSize, kSize, 1, 1);
        Fill(grid, {{1, 1, kana}, {2, 2, "r2c2"}});
        grid.SetCellState(2, 2, grid.GetCellState(2, 2) | GVIS_READONLY);
        grid.SetEditable(c.editable);
        grid.SetFocusCell(1, 1);
        host.answers = {{GVN_BEGINLABELEDIT, c.beginAnswer}};
        Clipboard::SetText("before");
        ui::testing::PressKey(c.key, c.modifiers, &grid);
        EXPECT_EQ(Clipboard::GetText(), c.clipboard);
        EXPECT_EQ(FirstWrongCell(grid, {{1, 1, c.cell}}), "");
    }
}

// With the editor open on the focus cell, a paste is typing into it, whatever is selected.
TEST_F(GridClipboard, PasteWithAnOpenEditorGoesIntoTheEditorOnly)
{
    CGridCtrl grid(kSize, kSize, 1, 1);
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
