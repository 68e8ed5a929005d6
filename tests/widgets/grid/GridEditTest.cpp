// The in-place editor, driven by real keys inside it, and what the grid and its parent see
// when an edit ends.
#include "GridFixture.h"

#include "widgets/grid/CInPlaceEdit.h"

#include "platform/ui/Edit.h"
#include "platform/ui/Styles.h"
#include "platform/ui/testing/Input.h"

#include <map>
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

// Answers each grid notification code as told (0 otherwise) and keeps what arrived.
class Answering : public Host {
public:
    std::map<int, LRESULT> answers;

    int Count(int code) const
    {
        int count = 0;
        for (const Note& note : notes) count += note.code == code ? 1 : 0;
        return count;
    }

protected:
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        Host::OnNotify(wParam, lParam, result);
        const auto found = answers.find(notes.back().code);
        *result = found != answers.end() ? found->second : 0;
        return true;
    }
};

// The end-of-edit record as the grid received it.
struct Ended {
    int row;
    int col;
    std::string text;
    LPARAM lastKey;
    UINT mask;
    uintptr_t id;
    bool fromEditor;
    bool operator==(const Ended&) const = default;
};

// Keeps the editor's records; with moveRight, a key-down moves the focus one column right,
// standing in for the grid's keyboard handling.
class RecordingGrid : public CGridCtrl {
public:
    using CGridCtrl::CGridCtrl;

    std::vector<Ended> ended;
    std::vector<UINT> keys;
    bool moveRight = false;

protected:
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        const auto* info = NotificationRecord<GV_DISPINFO>(lParam);
        ended.push_back({info->item.row, info->item.col, info->item.strText, info->item.lParam, info->item.mask, info->hdr.idFrom,
            dynamic_cast<CInPlaceEdit*>(info->hdr.hwndFrom) != nullptr});
        return CGridCtrl::OnNotify(wParam, lParam, result);
    }
    void OnKeyDown(UINT vk, UINT repeat, UINT flags) override
    {
        if (!moveRight) {
            CGridCtrl::OnKeyDown(vk, repeat, flags);
            return;
        }
        keys.push_back(vk);
        SetFocusCell(GetFocusCell().row, GetFocusCell().col + 1);
    }
};

class GridEdit : public GridTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.Create());
        ui::testing::ShowAndActivate(parent);
        grid.SetRowCount(kRows);
        grid.SetColumnCount(kCols);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        for (int row = 0; row < kRows; ++row) grid.SetRowHeight(row, kRowHeight);
        for (int col = 0; col < kCols; ++col) grid.SetColumnWidth(col, kColWidth);
        ASSERT_TRUE(grid.Create(parent, Rect{0, 0, 200, 100}, kGridId));
        ResetCell();
    }

    void ResetCell()
    {
        grid.SetCellText(kRow, kCol, kText);
        grid.SetModified(false);
        grid.SetModified(false, kRow, kCol);
        grid.ended.clear();
        parent.notes.clear();
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

    Answering parent;
    RecordingGrid grid;
};

TEST_F(GridEdit, TheEditorOpensOverTheCellWithItsTextFontAndIdentifier)
{
    ASSERT_TRUE(Open(CInPlaceEdit::kCaretAtEnd));
    CInPlaceEdit* editor = Editor();
    Rect cellRect;
    ASSERT_TRUE(grid.GetCellRect(kRow, kCol, cellRect));
    EXPECT_EQ(editor->GetWindowRect(), cellRect);
    EXPECT_EQ(editor->GetParent(), &grid);
    EXPECT_EQ(editor->GetDlgCtrlID(), CGridCtrl::IDC_INPLACE_CONTROL);
    EXPECT_EQ(editor->GetFont(), grid.GetDefaultCell(false, false)->GetRealizedFont());
    EXPECT_TRUE(editor->IsWindowVisible());
    EXPECT_NE(editor->GetStyle() & WS_BORDER, 0u);
    EXPECT_EQ(editor->GetWindowText(), kText);
    EXPECT_EQ(Window::GetFocus(), editor);
    EXPECT_TRUE(grid.IsCellEditing(kRow, kCol));
    EXPECT_EQ(parent.Count(GVN_BEGINLABELEDIT), 1);
    EXPECT_EQ((std::vector<int>{editor->GetRow(), editor->GetColumn()}), (std::vector<int>{kRow, kCol}));
}

TEST_F(GridEdit, TheFirstCharacterDecidesWhetherTypingAppendsOrReplaces)
{
    const struct {
        UINT firstChar;
        const char* expected; // after typing "9" and Return
        bool exitsOnArrows;
    } cases[] = {
        {CInPlaceEdit::kCaretAtEnd, "129", false},
        {VK_RETURN, "129", true},
        {VK_BACK, "19", true},
        {'7', "79", true},
        {0xE9,
            "\xC3\xA9"
            "9",
            true},
        {VK_TAB, "9", true},
        {VK_SPACE, "9", true},
        {VK_HOME, "9", true},
        {VK_DOWN, "9", true},
    };
    for (const auto& each : cases) {
        ResetCell();
        ASSERT_TRUE(Open(each.firstChar)) << each.firstChar;
        EXPECT_EQ(Editor()->ExitsOnArrows(), each.exitsOnArrows) << each.firstChar;
        ui::testing::TypeText("9");
        ui::testing::PressKey(VK_RETURN);
        EXPECT_EQ(grid.GetCellText(kRow, kCol), each.expected) << each.firstChar;
        EXPECT_FALSE(grid.IsCellEditing(kRow, kCol)) << each.firstChar;
    }
}

TEST_F(GridEdit, ReturnReportsTheTextAndEscapeRestoresItSilently)
{
    const struct {
        UINT key;
        const char* recordText;
        const char* cellText;
        int parentRecords;
        bool modified;
    } cases[] = {
        {VK_RETURN, "125", "125", 1, true},
        {VK_ESCAPE, "12", "12", 0, false},
        {VK_TAB, "125", "125", 1, true},
    };
    for (const auto& each : cases) {
        ResetCell();
        ASSERT_TRUE(Open(CInPlaceEdit::kCaretAtEnd));
        ui::testing::TypeText("5");
        ui::testing::PressKey(each.key);
        const Ended expected{kRow, kCol, each.recordText, static_cast<LPARAM>(each.key), GVIF_TEXT | GVIF_PARAM,
            static_cast<uintptr_t>(CGridCtrl::IDC_INPLACE_CONTROL), true};
        EXPECT_EQ(grid.ended, std::vector<Ended>{expected}) << each.key;
        EXPECT_EQ(grid.GetCellText(kRow, kCol), each.cellText) << each.key;
        EXPECT_EQ(parent.Count(GVN_ENDLABELEDIT), each.parentRecords) << each.key;
        EXPECT_EQ(grid.GetModified(kRow, kCol), each.modified) << each.key;
        EXPECT_EQ(grid.GetModified(), each.modified) << each.key;
        EXPECT_EQ(Window::GetFocus(), &grid) << each.key;
    }
}

TEST_F(GridEdit, CellsThatCannotBeEditedAndTheParentsVetoesKeepTheText)
{
    const struct {
        int row;
        int col;
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
        parent.answers = {{each.code, each.answer}};
        grid.EditCell(each.row, each.col, kNoPoint, CInPlaceEdit::kCaretAtEnd);
        const std::string name = std::to_string(each.row) + "," + std::to_string(each.col) + " answer " + std::to_string(each.answer);
        EXPECT_EQ(Editor() != nullptr, each.opens) << name;
        if (each.opens) {
            ui::testing::TypeText("x");
            ui::testing::PressKey(VK_RETURN);
        }
        EXPECT_EQ(grid.GetCellText(kRow, kCol), each.cellText) << name;
        EXPECT_EQ(grid.GetModified(kRow, kCol), std::string(each.cellText) != kText) << name;
        EXPECT_FALSE(grid.IsCellEditing(kRow, kCol)) << name;
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
        ResetCell();
        ASSERT_TRUE(Open(each.firstChar));
        CInPlaceEdit* editor = Editor();
        for (UINT key : each.keys) ui::testing::PressKey(key, each.modifiers);
        ASSERT_EQ(grid.ended.size(), each.ends ? 1u : 0u) << each.firstChar;
        if (each.ends) {
            EXPECT_EQ(grid.ended.front().lastKey, static_cast<LPARAM>(each.keys.back())) << each.firstChar;
            EXPECT_EQ(grid.GetCellText(kRow, kCol), each.text) << each.firstChar;
            EXPECT_FALSE(grid.IsCellEditing(kRow, kCol)) << each.firstChar;
        } else {
            ui::testing::TypeText("x");
            EXPECT_EQ(editor->GetWindowText(), each.text);
            EXPECT_EQ(Window::GetFocus(), editor);
        }
    }
}

TEST_F(GridEdit, AKeyThatEndsTheEditCarriesItIntoTheNextCell)
{
    grid.moveRight = true;
    grid.SetCellText(kRow, kCol + 1, "34");
    grid.SetFocusCell(kRow, kCol);
    ASSERT_TRUE(Open('7'));
    ui::testing::PressKey(VK_RIGHT);
    EXPECT_EQ(grid.keys, (std::vector<UINT>{VK_RIGHT}));
    EXPECT_EQ(grid.GetCellText(kRow, kCol), "7");
    CInPlaceEdit* next = Editor(kRow, kCol + 1);
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(next->ExitsOnArrows());
    ui::testing::TypeText("5");
    EXPECT_EQ(next->GetWindowText(), "5") << "the next cell's text was all selected";
    ui::testing::PressKey(VK_RETURN);
    EXPECT_EQ(grid.GetCellText(kRow, kCol + 1), "5");
    EXPECT_EQ(parent.Count(GVN_ENDLABELEDIT), 2);
}

TEST_F(GridEdit, LosingTheFocusOrEndEditingEndsTheEdit)
{
    Edit other;
    ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE, Rect{0, 120, 80, 140}, parent, 301));
    const struct {
        bool byFocus;
        const char* name;
    } cases[] = {{true, "focus elsewhere"}, {false, "EndEditing"}};
    for (const auto& each : cases) {
        ResetCell();
        grid.SetFocusCell(kRow, kCol);
        ASSERT_TRUE(Open(CInPlaceEdit::kCaretAtEnd));
        CInPlaceEdit* editor = Editor();
        ui::testing::TypeText("4");
        if (each.byFocus) {
            other.SetFocus();
        } else {
            grid.EndEditing();
        }
        EXPECT_EQ(grid.GetCellText(kRow, kCol), "124") << each.name;
        EXPECT_EQ(parent.Count(GVN_ENDLABELEDIT), 1) << each.name;
        ASSERT_EQ(grid.ended.size(), 1u) << each.name;
        EXPECT_EQ(grid.ended.front().lastKey, 0) << each.name;
        EXPECT_FALSE(grid.IsCellEditing(kRow, kCol)) << each.name;
        ui::testing::ProcessEvents();
        EXPECT_FALSE(editor->IsWindow()) << each.name;
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
        const char* typed;
        bool widens;
        bool reachesEdge;
    } cases[] = {
        {"", false, false},
        {"3456", true, false},
        {"34567890123456789012345678901234567890", true, true},
    };
    for (const auto& each : cases) {
        ResetCell();
        ASSERT_TRUE(Open(CInPlaceEdit::kCaretAtEnd));
        CInPlaceEdit* editor = Editor();
        const Rect opened = editor->GetWindowRect();
        ui::testing::TypeText(each.typed);
        const Rect now = editor->GetWindowRect();
        EXPECT_EQ(now.left, opened.left) << each.typed;
        EXPECT_EQ(now.right > opened.right, each.widens) << each.typed;
        EXPECT_EQ(now.right == clientRight, each.reachesEdge) << each.typed;
        EXPECT_LE(now.right, clientRight) << each.typed;
        EXPECT_EQ(editor->GetEditRect(), now) << each.typed;
        ui::testing::PressKey(VK_ESCAPE);
    }
}

TEST_F(GridEdit, TheCellsFormatAlignsTheEditor)
{
    const struct {
        UINT format;
        uint32_t alignment;
    } cases[] = {
        {DT_LEFT, ES_LEFT},
        {DT_CENTER, ES_CENTER},
        {DT_RIGHT, ES_RIGHT},
        {DT_RIGHT | DT_CENTER, ES_RIGHT},
    };
    for (const auto& each : cases) {
        ResetCell();
        grid.SetCellFormat(kRow, kCol, each.format | DT_SINGLELINE);
        ASSERT_TRUE(Open(CInPlaceEdit::kCaretAtEnd));
        EXPECT_EQ(Editor()->GetStyle() & (ES_CENTER | ES_RIGHT), each.alignment) << each.format;
        ui::testing::PressKey(VK_ESCAPE);
    }
}

} // namespace
