// The in-place editor, driven by real keys inside it, and what the grid and its parent see
// when an edit ends.
#include "GridFixture.h"

#include "widgets/grid/CInPlaceEdit.h"

#include "platform/ui/Edit.h"
#include "platform/ui/Styles.h"
#include "platform/ui/testing/Input.h"

#include <functional>
#include <string>
#include <vector>

using namespace ui;
using namespace gridtest;

namespace {

constexpr int kRows = 4;
constexpr int kCols = 4;
constexpr int kRow = 1;
constexpr int kCol = 1;
constexpr const char* kText = "12";
const Point kNoPoint{-1, -1};

// The end-of-edit record as the grid received it.
struct Ended {
    int row, col;
    std::string text;
    LPARAM lastKey;
    bool operator==(const Ended&) const = default;
};

// Keeps the editor's records.
class RecordingGrid : public CGridCtrl {
public:
    using CGridCtrl::CGridCtrl;

    std::vector<Ended> ended;

protected:
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        const auto* info = NotificationRecord<GV_DISPINFO>(lParam);
        if (dynamic_cast<CInPlaceEdit*>(info->hdr.hwndFrom) != nullptr)
            ended.push_back({info->item.row, info->item.col, info->item.strText, info->item.lParam});
        return CGridCtrl::OnNotify(wParam, lParam, result);
    }
};

class GridEdit : public GridTest {
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        ui::testing::ShowAndActivate(host);
        Place(grid, 200, 100);
        ResetCell();
    }

    void ResetCell()
    {
        grid.SetCellText(kRow, kCol, kText);
        grid.SetModified(false);
        grid.SetModified(false, kRow, kCol);
        grid.ended.clear();
        host.notes.clear();
    }

    CInPlaceEdit* Editor(int row = kRow, int col = kCol) const
    {
        CGridCellBase* cell = grid.GetCell(row, col);
        return cell != nullptr ? dynamic_cast<CInPlaceEdit*>(cell->GetEditWindow()) : nullptr;
    }

    // Opens the editor on the test cell; false when none opened.
    bool Open(UINT firstChar)
    {
        grid.EditCell(kRow, kCol, kNoPoint, firstChar);
        return Editor() != nullptr;
    }

    RecordingGrid grid{kRows, kCols, 1, 1};
};

TEST_F(GridEdit, TheEditorOpensOverTheCellWithItsTextAndFont)
{
    ASSERT_TRUE(Open(CInPlaceEdit::kCaretAtEnd));
    CInPlaceEdit* editor = Editor();
    EXPECT_EQ(editor->GetWindowRect(), CellRect(grid, kRow, kCol));
    EXPECT_EQ(editor->GetFont(), grid.GetDefaultCell(false, false)->GetRealizedFont());
    EXPECT_TRUE(editor->IsWindowVisible());
    EXPECT_EQ(editor->GetWindowText(), kText);
    EXPECT_EQ(Window::GetFocus(), editor);
    EXPECT_TRUE(grid.IsCellEditing(kRow, kCol));
    EXPECT_EQ(host.Count(GVN_BEGINLABELEDIT), 1);
}

TEST_F(GridEdit, TheFirstCharacterDecidesWhetherTypingAppendsOrReplaces)
{
    const struct {
        UINT firstChar;
        const char* expected; // after typing "9" and Return
    } cases[] = {
        {CInPlaceEdit::kCaretAtEnd, "129"},
        {VK_RETURN, "129"},
        {VK_BACK, "19"},
        {'7', "79"},
        {0xE9, "\xC3\xA9\x39"},
        {VK_TAB, "9"},
        {VK_SPACE, "9"},
        {VK_HOME, "9"},
        {VK_DOWN, "9"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(::testing::Message() << "first character " << each.firstChar);
        ResetCell();
        ASSERT_TRUE(Open(each.firstChar));
        ui::testing::TypeText("9");
        ui::testing::PressKey(VK_RETURN);
        EXPECT_EQ(grid.GetCellText(kRow, kCol), each.expected);
        EXPECT_FALSE(grid.IsCellEditing(kRow, kCol));
    }
}

// "5" typed after "12", then the edit ended: Escape restores the text without telling the
// parent; every other way stores it and reports it, with the key that ended it if any.
TEST_F(GridEdit, EachWayOfEndingAnEditReportsTheText)
{
    Edit other;
    ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE, Rect{0, 120, 80, 140}, host, 301));
    const struct {
        const char* name;
        std::function<void()> end;
        const char* text;
        LPARAM lastKey;
    } cases[] = {
        {"Return", [] { ui::testing::PressKey(VK_RETURN); }, "125", VK_RETURN},
        {"Escape", [] { ui::testing::PressKey(VK_ESCAPE); }, kText, VK_ESCAPE},
        {"Tab", [] { ui::testing::PressKey(VK_TAB); }, "125", VK_TAB},
        {"focus elsewhere", [&] { other.SetFocus(); }, "125", 0},
        {"EndEditing", [&] { grid.EndEditing(); }, "125", 0},
        {"scrolling", [&] { grid.SendMessage(WM_VSCROLL, SB_LINEDOWN); }, "125", 0},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        ResetCell();
        grid.SetFocusCell(each.lastKey == 0 ? kRow : -1, each.lastKey == 0 ? kCol : -1); // without one, Tab moves on to nothing
        ASSERT_TRUE(Open(CInPlaceEdit::kCaretAtEnd));
        CInPlaceEdit* editor = Editor();
        ui::testing::TypeText("5");
        each.end();
        EXPECT_EQ(grid.ended, (std::vector<Ended>{{kRow, kCol, each.text, each.lastKey}}));
        EXPECT_EQ(grid.GetCellText(kRow, kCol), each.text);
        const bool stored = std::string(each.text) != kText;
        EXPECT_EQ(host.Count(GVN_ENDLABELEDIT), stored ? 1 : 0);
        EXPECT_EQ(grid.GetModified(kRow, kCol), stored);
        EXPECT_EQ(grid.GetModified(), stored);
        EXPECT_TRUE(each.lastKey == 0 || Window::GetFocus() == &grid) << "a key gives the focus back to the grid";
        EXPECT_FALSE(grid.IsCellEditing(kRow, kCol));
        ui::testing::ProcessEvents();
        EXPECT_FALSE(editor->IsWindow());
    }
}

TEST_F(GridEdit, CellsThatCannotBeEditedAndTheParentsVetoesKeepTheText)
{
    const struct {
        int row, col;
        bool editable;
        UINT state;
        int code;
        LRESULT answer;
        bool opens;
        const char* cellText; // after typing "x" and Return in an opened editor
    } cases[] = {
        {kRows, kCol, true, 0, 0, 0, false, kText},
        {kRow, -1, true, 0, 0, 0, false, kText},
        {kRow, kCol, false, 0, 0, 0, false, kText},
        {kRow, kCol, true, GVIS_READONLY, 0, 0, false, kText},
        {kRow, kCol, true, 0, GVN_BEGINLABELEDIT, -1, false, kText},
        {kRow, kCol, true, 0, GVN_ENDLABELEDIT, -1, true, kText},
        {kRow, kCol, true, 0, GVN_ENDLABELEDIT, 0, true, "12x"},
        {kRow, kCol, true, 0, GVN_ENDLABELEDIT, 1, true, "12x"},
    };
    for (const auto& each : cases) {
        ResetCell();
        grid.SetEditable(each.editable);
        grid.SetCellState(kRow, kCol, each.state);
        host.answers = {{each.code, each.answer}};
        grid.EditCell(each.row, each.col, kNoPoint, CInPlaceEdit::kCaretAtEnd);
        SCOPED_TRACE(::testing::Message() << each.row << "," << each.col << " editable " << each.editable << " state " << each.state
                                          << " code " << each.code << " answer " << each.answer);
        EXPECT_EQ(Editor() != nullptr, each.opens);
        if (each.opens) {
            ui::testing::TypeText("x");
            ui::testing::PressKey(VK_RETURN);
        }
        EXPECT_EQ(grid.GetCellText(kRow, kCol), each.cellText);
        EXPECT_EQ(grid.GetModified(kRow, kCol), std::string(each.cellText) != kText);
        EXPECT_FALSE(grid.IsCellEditing(kRow, kCol));
    }
}

TEST_F(GridEdit, ArrowsLeaveAnEditorOpenedByATypedKeyOrWithCtrl)
{
    const struct {
        UINT firstChar;
        std::vector<UINT> keys;
        unsigned modifiers;
        bool ends;
        const char* text; // the cell's when the edit ended, else the editor's after typing "x"
    } cases[] = {
        {'7', {VK_RIGHT}, ui::testing::None, true, "7"},
        {VK_RETURN, {VK_UP}, ui::testing::None, true, kText},
        {CInPlaceEdit::kCaretAtEnd, {VK_RIGHT}, ui::testing::Control, true, kText},
        {CInPlaceEdit::kCaretAtEnd, {VK_NEXT}, ui::testing::Control, true, kText},
        {CInPlaceEdit::kCaretAtEnd, {VK_LEFT, VK_LEFT, VK_RIGHT}, ui::testing::None, false, "1x2"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(::testing::Message() << "first character " << each.firstChar << " last key " << each.keys.back() << " modifiers "
                                          << each.modifiers);
        ResetCell();
        ASSERT_TRUE(Open(each.firstChar));
        CInPlaceEdit* editor = Editor();
        for (UINT key : each.keys) ui::testing::PressKey(key, each.modifiers);
        ASSERT_EQ(grid.ended.size(), each.ends ? 1u : 0u);
        if (each.ends) {
            EXPECT_EQ(grid.ended.front().lastKey, static_cast<LPARAM>(each.keys.back()));
            EXPECT_EQ(grid.GetCellText(kRow, kCol), each.text);
            EXPECT_FALSE(grid.IsCellEditing(kRow, kCol));
        } else {
            ui::testing::TypeText("x");
            EXPECT_EQ(editor->GetWindowText(), each.text);
            EXPECT_EQ(Window::GetFocus(), editor);
        }
    }
}

TEST_F(GridEdit, AltCharactersAreSwallowedAndALaterEditsFirstCharacterIsTyped)
{
    ASSERT_TRUE(Open(CInPlaceEdit::kCaretAtEnd));
    CInPlaceEdit* editor = Editor();
    ui::testing::PressKey('A', ui::testing::Alt);
    ui::testing::PressKey('5', ui::testing::Alt);
    grid.EditCell(kRow, kCol, kNoPoint, '3');
    EXPECT_EQ(Editor(), editor);
    EXPECT_EQ(editor->GetWindowText(), "123");
}

TEST_F(GridEdit, TheEditorWidensWithItsTextUpToTheGridsRightEdge)
{
    const int clientRight = grid.GetClientRect().right;
    const struct {
        UINT firstChar;
        const char* typed;
        bool widens, reachesEdge;
        int width = kColWidth;
    } cases[] = {
        {CInPlaceEdit::kCaretAtEnd, "", false, false},
        {CInPlaceEdit::kCaretAtEnd, "3456", true, false},
        {CInPlaceEdit::kCaretAtEnd, "34567890123456789012345678901234567890", true, true},
        {'W', "", true, false, 3},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(::testing::Message() << "first character " << each.firstChar << ", typed \"" << each.typed << "\"");
        ResetCell();
        grid.SetColumnWidth(kCol, each.width);
        ASSERT_TRUE(Open(each.firstChar));
        CInPlaceEdit* editor = Editor();
        const Rect opened = CellRect(grid, kRow, kCol);
        ui::testing::TypeText(each.typed);
        const Rect now = editor->GetWindowRect();
        EXPECT_EQ(now.left, opened.left);
        EXPECT_EQ(now.right > opened.right, each.widens);
        EXPECT_EQ(now.right == clientRight, each.reachesEdge);
        EXPECT_LE(now.right, clientRight);
        ui::testing::PressKey(VK_ESCAPE);
    }
}

} // namespace
