#include "UiFixture.h"

#include "platform/ui/DeviceContext.h"
#include "platform/ui/ListView.h"

#include <map>
#include <optional>

using namespace ui;
using namespace uitest;

namespace {

using Needed = std::map<UINT, std::pair<bool, bool>>; // row -> first and second column need drawing

// Notes which of its columns each drawn row needed drawn.
class CountingList : public ListView {
public:
    Needed columnsToDraw;

protected:
    void DrawItem(DRAWITEMSTRUCT& draw) override
    {
        const Rect& row = draw.rcItem;
        columnsToDraw[draw.itemID]
            = {draw.hDC->RectVisible(Rect{0, row.top, 50, row.bottom}), draw.hDC->RectVisible(Rect{50, row.top, 90, row.bottom})};
    }
};

class ListViews : public UiFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Create());
        ui::testing::ShowAndActivate(host);
        list.InsertColumn(0, "", LVCFMT_RIGHT, 50);
        list.InsertColumn(1, "", LVCFMT_LEFT, 40);
        for (int i = 0; i < 3; ++i) list.InsertItem(i, "row");
        ui::testing::ProcessEvents();
        list.columnsToDraw.clear();
    }

    // The one selected row, which also has the focus; none when no row or several are.
    std::optional<int> Selected() const
    {
        std::optional<int> selected;
        for (int i = 0; i < list.GetItemCount(); ++i) {
            const UINT state = list.GetItemState(i, LVIS_SELECTED | LVIS_FOCUSED);
            if (state == 0) continue;
            if (selected || state != (LVIS_SELECTED | LVIS_FOCUSED)) return std::nullopt;
            selected = i;
        }
        return selected;
    }

    DialogHost<CountingList, kListDialog, kListView> host;
    CountingList& list = host.control;
};

} // namespace

TEST_F(ListViews, AClickOrAnArrowKeySelectsAndFocusesOneRowAndStopsAtTheEnds)
{
    const struct {
        const char* name;
        int from;
        unsigned vk; // 0 clicks the middle row
        int selected;
    } cases[] = {
        {"click", 0, 0, 1},
        {"Down", 0, VK_DOWN, 1},
        {"Down on the last row", 2, VK_DOWN, 2},
        {"Up", 1, VK_UP, 0},
        {"Up on the first row", 0, VK_UP, 0},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        for (int i = 0; i < 3; ++i) list.SetItemState(i, i == each.from ? LVIS_SELECTED | LVIS_FOCUSED : 0, LVIS_SELECTED | LVIS_FOCUSED);
        if (each.vk == 0)
            ui::testing::Click(list, Point{5, list.GetRowHeight() + 2});
        else
            ui::testing::PressKey(each.vk, ui::testing::None, &list);
        EXPECT_EQ(Selected(), each.selected);
    }
}

TEST_F(ListViews, ADeletionMovesTheLaterItemsUpWithTheirTextsAndStates)
{
    list.SetItemText(1, 2, "unit");
    list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetItemState(1, LVIS_SELECTED), LVIS_SELECTED);
    EXPECT_EQ(list.GetItemText(0, 2), "unit");
}

// A trace tick rewrites values: only a changed value's column is drawn again.
TEST_F(ListViews, AChangedValueRedrawsItsOwnColumnAlone)
{
    const struct {
        int subItem;
        const char* text;
        Needed needed;
    } cases[] = {
        {1, "12.5", {{1, {false, true}}}},
        {0, "row", {}}, // unchanged
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.text);
        list.columnsToDraw.clear();
        list.SetItemText(1, each.subItem, each.text);
        ui::testing::ProcessEvents();
        EXPECT_EQ(list.columnsToDraw, each.needed);
    }
}

TEST_F(ListViews, ValuesChangedWhileRedrawIsOffAreDrawnOnceItIsOnWithoutTheRowsBetween)
{
    list.SetRedraw(false);
    list.SetItemText(0, 1, "1");
    list.SetItemText(2, 1, "3");
    ui::testing::ProcessEvents();
    EXPECT_TRUE(list.columnsToDraw.empty()) << "drawn while redraw was off";
    list.SetRedraw(true);
    ui::testing::ProcessEvents();
    EXPECT_EQ(list.columnsToDraw, (Needed{{0, {false, true}}, {2, {false, true}}}));
}
