#include "widgets/list/CListCtrlEx.h"

#include "platform/ui/DeviceContext.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Styles.h"
#include "platform/ui/testing/Input.h"
#include "tests/support/DialogHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

using namespace ui;

namespace {

constexpr int kListDialog = 9201, kListId = 100, kEditId = 101; // the list and an edit to take the focus

// The fixture's column edges: a label, a right-aligned value and a centred unit.
constexpr int kEdges[] = {0, 60, 130, 180};

class StyledList : public CListCtrlEx {
public:
    using CListCtrlEx::SetStyle;
};

using ListHost = DialogHost<StyledList, kListDialog, kListId>;

class ListControl : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        constexpr uint32_t kChild = WS_CHILD | WS_VISIBLE;
        constexpr uint32_t kList = kChild | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDRAWFIXED | LVS_NOCOLUMNHEADER | WS_BORDER | WS_TABSTOP;
        Resources::AddDialog({kListDialog, 220, 120, "MS UI Gothic", 9, "List", WS_POPUP | WS_CAPTION, 0,
            {{kListId, wc::ListView, "", 5, 5, 210, 80, kList}, {kEditId, wc::Edit, "", 5, 95, 60, 12, kChild | WS_BORDER | WS_TABSTOP}}});
    }

    void SetUp() override
    {
        ASSERT_TRUE(arial9.CreatePointFont(90, "Arial"));
        host = std::make_unique<ListHost>();
        ASSERT_TRUE(host->Create());
        ui::testing::ShowAndActivate(*host);
        List().SetFont(&arial9);
        constexpr int kFormats[] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER};
        for (const int column : {0, 1, 2}) List().InsertColumn(column, "", kFormats[column], kEdges[column + 1] - kEdges[column]);
        List().InsertItem(0, "Speed");
        List().InsertItem(1, "Boost");
    }

    StyledList& List() { return host->control; }
    int ClientWidth() const { return host->control.GetClientRect().Width(); }

    // Gives `focus` the focus and `item` the state, then paints.
    void Paint(Window& focus, int item, UINT state)
    {
        focus.SetFocus();
        ui::testing::ProcessEvents();
        ASSERT_EQ(Window::GetFocus(), &focus);
        List().SetItemState(item, state, state);
        Grab();
    }

    // Paints the list; At and InkIn then read the picture in client coordinates.
    void Grab() { shot = ui::testing::Grab(List()); }
    COLORREF At(int x, int y) const
    {
        const int border = (host->control.GetWindowRect().Width() - ClientWidth()) / 2;
        return shot.GetPixel(x + border, y + border);
    }

    // Bounds of the area's pixels that differ from the background, or from `reference` (a
    // picture of the area) when given; empty when there are none.
    Rect InkIn(const Rect& area, COLORREF background, const Bitmap* reference = nullptr) const
    {
        Rect ink{area.right, area.bottom, area.left, area.top};
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                const COLORREF expected = reference != nullptr ? reference->GetPixel(x - area.left, y - area.top) : background;
                if (At(x, y) != expected)
                    ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1), std::max(ink.bottom, y + 1)};
            }
        }
        return ink;
    }

    // Where area differs from text drawn there as a value column draws it: in the value
    // font's twin, black, inset 2 pixels, over the window colour.
    Rect MismatchWithValue(const Rect& area, std::string_view text, unsigned align)
    {
        Bitmap reference(area.Width(), area.Height(), window);
        {
            DC dc(reference);
            dc.SelectFont(&arial9);
            Rect inset{2, 0, area.Width() - 2, area.Height()};
            dc.DrawText(text, inset, align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        }
        return InkIn(area, window, &reference);
    }

    // A fixture column's share of a row, in client coordinates.
    Rect Cell(int item, int column) const
    {
        Rect bounds;
        EXPECT_TRUE(host->control.GetItemRect(item, bounds, LVIR_BOUNDS));
        return Rect{kEdges[column], bounds.top, kEdges[column + 1], bounds.bottom};
    }

    COLORREF window = GetSysColor(COLOR_WINDOW);
    COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    Font arial9;    // the control's font in most tests, and the value font's twin
    Font otherFont; // a font a test gives the control instead; outlives the host
    std::unique_ptr<ListHost> host;
    Bitmap shot{1, 1};
};

} // namespace

// A bigger font makes taller rows at once and a bigger label; values stay in 9-point Arial.
TEST_F(ListControl, ABiggerFontMakesTallerRowsAndLabelsButNotValues)
{
    const int before = List().GetRowHeight();
    ASSERT_TRUE(otherFont.CreatePointFont(180, "Arial")); // 24 pixels
    List().SetFont(&otherFont);
    const int row = List().GetRowHeight();
    EXPECT_GT(row, before);
    List().SetItemText(0, 0, "8");
    List().SetItemText(0, 1, "8");

    Paint(List(), 1, LVIS_SELECTED);
    for (const int y : {row, 2 * row - 1}) EXPECT_EQ(At(ClientWidth() - 1, y), highlight) << y;
    for (const int y : {row - 1, 2 * row}) EXPECT_EQ(At(ClientWidth() - 1, y), window) << y;
    EXPECT_GE(InkIn(Cell(0, 0), window).Height(), 15);
    EXPECT_TRUE(MismatchWithValue(Cell(0, 1), "8", DT_RIGHT).IsEmpty());
}

// Right of the columns, inside the focus outline's place: the row's colour, and whether the
// outline is drawn.
TEST_F(ListControl, RowIsHighlightedAndOutlinedByItsStateAndWhereTheFocusIs)
{
    const struct {
        const char* name;
        bool listFocused, showSelectionAlways;
        UINT state;
        bool highlighted, outlined;
    } cases[] = {{"selected and focused in a focused list", true, false, LVIS_SELECTED | LVIS_FOCUSED, true, true},
        {"selected in a focused list", true, false, LVIS_SELECTED, true, false},
        {"selected while the focus is elsewhere", false, false, LVIS_SELECTED | LVIS_FOCUSED, false, false},
        {"drop target while the focus is elsewhere", false, false, LVIS_DROPHILITED, true, false},
        {"selected, shown always, while the focus is elsewhere", false, true, LVIS_SELECTED | LVIS_FOCUSED, true, false}};
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        List().SetStyle(each.showSelectionAlways ? List().GetStyle() | LVS_SHOWSELALWAYS : List().GetStyle() & ~LVS_SHOWSELALWAYS);
        List().SetItemState(0, 0, LVIS_SELECTED | LVIS_FOCUSED | LVIS_DROPHILITED);
        Paint(each.listFocused ? static_cast<Window&>(List()) : *host->GetDlgItem(kEditId), 0, each.state);
        const Rect row = Cell(0, 0);
        const COLORREF fill = each.highlighted ? highlight : window;
        EXPECT_TRUE(InkIn(Rect{kEdges[3], row.top + 1, ClientWidth() - 1, row.bottom - 1}, fill).IsEmpty());
        EXPECT_EQ(InkIn(Rect{kEdges[3], row.top, ClientWidth(), row.top + 1}, fill).IsEmpty(), !each.outlined);
        EXPECT_EQ(At(ClientWidth() - 1, Cell(1, 0).top + 2), window) << "the other row";
    }
}

// A text that fits keeps its column's alignment. One too long, the label's or a value's, shows a
// prefix of whole characters and "...", left-aligned, inside its column, nothing else on the row.
TEST_F(ListControl, TextsFitTheirColumnsOrEndInAnEllipsisInsideThem)
{
    const struct {
        int item, column;
        std::string text;
        unsigned align; // 0: too long
    } cases[] = {{0, 0, "Intake air temperature", 0}, {0, 0, "吸気温度補正値マップ", 0}, {1, 1, "1234567.890123", 0},
        {1, 1, "1234", DT_RIGHT}, {1, 2, "rpm", DT_CENTER}};
    for (const auto& each : cases) {
        SCOPED_TRACE(each.text);
        List().SetItemText(each.item, each.column, each.text);
        Grab();
        const Rect cell = Cell(each.item, each.column);
        if (each.align != 0) {
            EXPECT_TRUE(MismatchWithValue(cell, each.text, each.align).IsEmpty());
            continue;
        }
        const Rect rest{cell.left, cell.top, ClientWidth(), cell.bottom};
        std::string shown;
        for (size_t end = 1; end < each.text.size() && shown.empty(); ++end) {
            if ((static_cast<unsigned char>(each.text[end]) & 0xC0) == 0x80) continue; // inside a character
            const std::string form = each.text.substr(0, end) + "...";
            if (MismatchWithValue(rest, form, DT_LEFT).IsEmpty()) shown = form;
        }
        EXPECT_FALSE(shown.empty()) << "drawn as none of the text's shortened forms";
        EXPECT_LE(InkIn(rest, window).right, cell.right);
    }
}
