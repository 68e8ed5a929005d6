// The in-place editor, driven by real keys inside it, and what the grid and its parent see
// when an edit ends.
#include "GridFixture.h"

#include "widgets/grid/CInPlaceEdit.h"

#include "platform/ui/Edit.h"
#include "platform/ui/Styles.h"
#include "platform/ui/testing/Input.h"

#include <functional>
#include <string>
#include <tuple>
#include <vector>

using namespace ui;
using namespace gridtest;
namespace input = ui::testing;

namespace {

constexpr int kRow = 1;
constexpr int kCol = 1;
constexpr const char* kText = "12";
constexpr UINT kAtEnd = CInPlaceEdit::kCaretAtEnd;
const Point kNoPoint{-1, -1};

// The end-of-edit record as the grid received it: row, column, text and the key that ended it.
using Ended = std::tuple<int, int, std::string, LPARAM>;

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
            ended.emplace_back(info->item.row, info->item.col, info->item.strText, info->item.lParam);
        return CGridCtrl::OnNotify(wParam, lParam, result);
    }
};

class GridEdit : public GridTest {
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        Place(grid, 200, 100);
        input::ShowAndActivate(host);
        ResetCell();
    }

    void ResetCell()
    {
        grid.SetCellText(kRow, kCol, kText);
        grid.ended.clear();
        host.notes.clear();
    }

    CInPlaceEdit* Editor() const { return dynamic_cast<CInPlaceEdit*>(grid.GetCell(kRow, kCol)->GetEditWindow()); }

    // Opens the editor on the test cell; false when none opened.
    bool Open(UINT firstChar)
    {
        grid.EditCell(kRow, kCol, kNoPoint, firstChar);
        return Editor() != nullptr;
    }

    RecordingGrid grid{4, 4, 1, 1};
};

TEST_F(GridEdit, TheEditorOpensOverTheCellWithItsTextFontAndAlignment)
{
    grid.SetCellFormat(kRow, kCol, DT_RIGHT | DT_SINGLELINE);
    ASSERT_TRUE(Open(kAtEnd));
    CInPlaceEdit* editor = Editor();
    EXPECT_EQ(editor->GetWindowRect(), CellRect(grid, kRow, kCol));
    EXPECT_EQ(editor->GetStyle() & (ES_CENTER | ES_RIGHT), ES_RIGHT);
    EXPECT_EQ(editor->GetFont(), grid.GetDefaultCell(false, false)->GetRealizedFont());
    EXPECT_TRUE(editor->IsWindowVisible());
    EXPECT_EQ(editor->GetWindowText(), kText);
    EXPECT_EQ(Window::GetFocus(), editor);
    EXPECT_TRUE(grid.IsCellEditing(kRow, kCol));
    EXPECT_EQ(host.Count(GVN_BEGINLABELEDIT), 1);
}

TEST_F(GridEdit, TheFirstCharacterDecidesWhetherTypingAppendsOrReplaces)
{
    // The cell's text after typing "9" and Return.
    const std::pair<UINT, const char*> cases[] = {
        {kAtEnd, "129"}, {VK_RETURN, "129"}, {VK_BACK, "19"}, {'7', "79"}, {0xE9, "\xC3\xA9\x39"},
        {VK_TAB, "9"}, {VK_SPACE, "9"}, {VK_HOME, "9"}, {VK_DOWN, "9"},
    };
    for (auto [firstChar, expected] : cases) {
        SCOPED_TRACE(::testing::Message() << "first character " << firstChar);
        ResetCell();
        ASSERT_TRUE(Open(firstChar));
        input::TypeText("9");
        input::PressKey(VK_RETURN);
        EXPECT_EQ(grid.GetCellText(kRow, kCol), expected);
        EXPECT_FALSE(grid.IsCellEditing(kRow, kCol));
    }
}

// "5" typed after "12", then the edit ended: Escape restores the text without telling the
// parent; every other way stores it and reports it, with the key that ended it if any.
TEST_F(GridEdit, EachWayOfEndingAnEditReportsTheText)
{
    Edit other;
    ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE, Rect{0, 120, 80, 140}, host, 301));
    struct Case { const char* name; std::function<void()> end; const char* text; LPARAM lastKey; };
    const Case cases[] = {
        {"Return", [] { input::PressKey(VK_RETURN); }, "125", VK_RETURN},
        {"Escape", [] { input::PressKey(VK_ESCAPE); }, kText, VK_ESCAPE},
        {"Tab", [] { input::PressKey(VK_TAB); }, "125", VK_TAB},
        {"focus elsewhere", [&] { other.SetFocus(); }, "125", 0},
        {"EndEditing", [&] { grid.EndEditing(); }, "125", 0},
        {"scrolling", [&] { grid.SendMessage(WM_VSCROLL, SB_LINEDOWN); }, "125", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetCell();
        grid.SetFocusCell(c.lastKey == 0 ? kRow : -1, c.lastKey == 0 ? kCol : -1); // without one, Tab moves on to nothing
        ASSERT_TRUE(Open(kAtEnd));
        CInPlaceEdit* editor = Editor();
        input::TypeText("5");
        c.end();
        EXPECT_EQ(grid.ended, (std::vector<Ended>{{kRow, kCol, c.text, c.lastKey}}));
        EXPECT_EQ(grid.GetCellText(kRow, kCol), c.text);
        const bool stored = std::string(c.text) != kText;
        EXPECT_EQ(host.Count(GVN_ENDLABELEDIT), stored ? 1 : 0);
        EXPECT_TRUE(c.lastKey == 0 || Window::GetFocus() == &grid) << "a key gives the focus back to the grid";
        EXPECT_FALSE(grid.IsCellEditing(kRow, kCol));
        input::ProcessEvents();
        EXPECT_FALSE(editor->IsWindow());
    }
}

TEST_F(GridEdit, CellsThatCannotBeEditedAndTheParentsVetoesKeepTheText)
{
    // `text`: the cell's after typing "x" and Return in an editor that opened.
    struct Case { int row, col; bool editable; UINT state; int code; LRESULT answer; bool opens; const char* text; };
    const Case cases[] = {
        {4, kCol, true, 0, 0, 0, false, kText},
        {kRow, -1, true, 0, 0, 0, false, kText},
        {kRow, kCol, false, 0, 0, 0, false, kText},
        {kRow, kCol, true, GVIS_READONLY, 0, 0, false, kText},
        {kRow, kCol, true, 0, GVN_BEGINLABELEDIT, -1, false, kText},
        {kRow, kCol, true, 0, GVN_ENDLABELEDIT, -1, true, kText},
        {kRow, kCol, true, 0, GVN_ENDLABELEDIT, 0, true, "12x"},
        {kRow, kCol, true, 0, GVN_ENDLABELEDIT, 1, true, "12x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.row << "," << c.col << " " << c.editable << c.state << " " << c.code << c.answer);
        ResetCell();
        grid.SetEditable(c.editable);
        grid.SetCellState(kRow, kCol, c.state);
        host.answers = {{c.code, c.answer}};
        grid.EditCell(c.row, c.col, kNoPoint, kAtEnd);
        EXPECT_EQ(Editor() != nullptr, c.opens);
        if (c.opens) input::TypeText("x"), input::PressKey(VK_RETURN);
        EXPECT_EQ(grid.GetCellText(kRow, kCol), c.text);
        EXPECT_FALSE(grid.IsCellEditing(kRow, kCol));
    }
}

TEST_F(GridEdit, ArrowsLeaveAnEditorOpenedByATypedKeyOrWithCtrl)
{
    // `text`: the cell's when the edit ended, else the editor's after typing "x".
    struct Case { UINT firstChar; std::vector<UINT> keys; unsigned modifiers; bool ends; const char* text; };
    const Case cases[] = {
        {'7', {VK_RIGHT}, input::None, true, "7"},
        {VK_RETURN, {VK_UP}, input::None, true, kText},
        {kAtEnd, {VK_RIGHT}, input::Control, true, kText},
        {kAtEnd, {VK_NEXT}, input::Control, true, kText},
        {kAtEnd, {VK_LEFT, VK_LEFT, VK_RIGHT}, input::None, false, "1x2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "first " << c.firstChar << " last " << c.keys.back() << " modifiers " << c.modifiers);
        ResetCell();
        ASSERT_TRUE(Open(c.firstChar));
        CInPlaceEdit* editor = Editor();
        for (UINT key : c.keys) input::PressKey(key, c.modifiers);
        ASSERT_EQ(grid.ended.size(), c.ends ? 1u : 0u);
        if (c.ends) {
            EXPECT_EQ(std::get<3>(grid.ended.front()), static_cast<LPARAM>(c.keys.back()));
            EXPECT_EQ(grid.GetCellText(kRow, kCol), c.text);
            EXPECT_FALSE(grid.IsCellEditing(kRow, kCol));
        } else {
            input::TypeText("x");
            EXPECT_EQ(editor->GetWindowText(), c.text);
            EXPECT_EQ(Window::GetFocus(), editor);
        }
    }
}

TEST_F(GridEdit, AltCharactersAreSwallowedAndALaterEditsFirstCharacterIsTyped)
{
    ASSERT_TRUE(Open(kAtEnd));
    CInPlaceEdit* editor = Editor();
    input::PressKey('A', input::Alt);
    input::PressKey('5', input::Alt);
    grid.EditCell(kRow, kCol, kNoPoint, '3');
    EXPECT_EQ(Editor(), editor);
    EXPECT_EQ(editor->GetWindowText(), "123");
}

TEST_F(GridEdit, TheEditorWidensWithItsTextUpToTheGridsRightEdge)
{
    const int clientRight = grid.GetClientRect().right;
    struct Case { UINT firstChar; const char* typed; bool widens, reachesEdge; int width = kColWidth; };
    for (Case c : {Case{kAtEnd, "", false, false}, Case{kAtEnd, "3456", true, false},
             Case{kAtEnd, "34567890123456789012345678901234567890", true, true}, Case{'W', "", true, false, 3}}) {
        SCOPED_TRACE(::testing::Message() << "first character " << c.firstChar << ", typed \"" << c.typed << "\"");
        ResetCell();
        grid.SetColumnWidth(kCol, c.width);
        ASSERT_TRUE(Open(c.firstChar));
        const Rect opened = CellRect(grid, kRow, kCol);
        input::TypeText(c.typed);
        const Rect now = Editor()->GetWindowRect();
        EXPECT_EQ(now.left, opened.left);
        EXPECT_EQ(now.right > opened.right, c.widens);
        EXPECT_EQ(now.right == clientRight, c.reachesEdge);
        EXPECT_LE(now.right, clientRight);
        input::PressKey(VK_ESCAPE);
    }
}

} // namespace
