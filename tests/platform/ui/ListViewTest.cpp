#include "UiFixture.h"

#include "platform/ui/DeviceContext.h"
#include "platform/ui/Font.h"
#include "platform/ui/ListView.h"

#include <map>

using namespace ui;
using namespace uitest;

namespace {

// Draws each row in a colour of its own and measures rows from the font.
class CountingList : public ListView {
public:
    std::map<UINT, UINT> drawn;                          // row -> the state it was last drawn in
    std::map<UINT, std::pair<bool, bool>> columnsToDraw; // row -> first and second column need drawing
    std::vector<UINT> colourMessages;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == LVM_SETBKCOLOR || message == LVM_SETTEXTBKCOLOR) colourMessages.push_back(message);
        return ListView::WindowProc(message, wParam, lParam);
    }

protected:
    void DrawItem(DRAWITEMSTRUCT& draw) override
    {
        drawn[draw.itemID] = draw.itemState;
        const Rect& row = draw.rcItem;
        columnsToDraw[draw.itemID]
            = {draw.hDC->RectVisible(Rect{0, row.top, 50, row.bottom}), draw.hDC->RectVisible(Rect{50, row.top, 90, row.bottom})};
        draw.hDC->FillSolidRect(draw.rcItem, RGB(0, 0, 200 + static_cast<int>(draw.itemID)));
    }
    void MeasureItem(MEASUREITEMSTRUCT& measure) override
    {
        LOGFONT record{};
        if (Font* font = GetFont()) font->GetLogFont(record);
        measure.itemHeight = static_cast<UINT>(std::abs(record.lfHeight) * 13 / 10);
    }
};

using ListHost = DialogHost<CountingList, kListDialog, kListView>;

class ListViews : public UiFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Create());
        ui::testing::ShowAndActivate(host);
        list.InsertColumn(0, "", LVCFMT_RIGHT, 50);
        list.InsertColumn(1, "", LVCFMT_LEFT, 40);
        for (int i = 0; i < 3; ++i) list.InsertItem(i, "row");
    }

    ListHost host;
    CountingList& list = host.control;
};

} // namespace

TEST_F(ListViews, RowsAreAsHighAsTheirOwnerMeasures)
{
    Font font;
    font.CreatePointFont(120, "Arial"); // 16 pixels: rows of 20
    list.SetFont(&font);
    list.SendMessage(WM_WINDOWPOSCHANGED);
    EXPECT_EQ(list.GetRowHeight(), 20);
    Rect bounds;
    Rect label;
    ASSERT_TRUE(list.GetItemRect(1, bounds, LVIR_BOUNDS));
    ASSERT_TRUE(list.GetItemRect(1, label, LVIR_LABEL));
    EXPECT_EQ(bounds, (Rect{0, 20, 90, 40}));
    EXPECT_EQ(label, (Rect{0, 20, 50, 40}));
}

TEST_F(ListViews, EveryVisibleRowIsDrawnByItsOwner)
{
    const Bitmap picture = ui::testing::Grab(list);
    EXPECT_EQ(list.drawn.size(), 3u);
    const int row = list.GetRowHeight();
    EXPECT_EQ(picture.GetPixel(10, row * 2 + 1), RGB(0, 0, 202));
    EXPECT_EQ(picture.GetPixel(10, row * 3 + 2), list.GetBkColor());
}

TEST_F(ListViews, TextsAreKeptPerItemAndColumn)
{
    EXPECT_TRUE(list.SetItemText(1, 2, "unit"));
    EXPECT_EQ(list.GetItemText(1, 2), "unit");
    EXPECT_EQ(list.GetItemText(1, 1), "");
    EXPECT_EQ(list.GetItemText(7, 0), "");
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

TEST_F(ListViews, ColumnsKeepTheirFormatAndWidth)
{
    int format = -1;
    int width = -1;
    EXPECT_TRUE(list.GetColumn(0, format, width));
    EXPECT_EQ(format, LVCFMT_RIGHT);
    EXPECT_EQ(width, 50);
    EXPECT_FALSE(list.GetColumn(2, format, width));
}

TEST_F(ListViews, AClickSelectsAndFocusesOneRow)
{
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    ui::testing::Click(list, Point{5, list.GetRowHeight() + 2});
    EXPECT_EQ(list.GetItemState(0, LVIS_SELECTED), 0u);
    EXPECT_EQ(list.GetItemState(1, LVIS_SELECTED | LVIS_FOCUSED), LVIS_SELECTED | LVIS_FOCUSED);
    ui::testing::Grab(list);
    EXPECT_EQ(list.drawn[0] & ODS_SELECTED, 0u);
    EXPECT_EQ(list.drawn[1] & ODS_SELECTED, ODS_SELECTED);
}

TEST_F(ListViews, ColourMessagesPassThroughTheWindowProcedure)
{
    list.SetBkColor(RGB(1, 2, 3));
    list.SetTextBkColor(RGB(4, 5, 6));
    EXPECT_EQ(list.colourMessages, (std::vector<UINT>{LVM_SETBKCOLOR, LVM_SETTEXTBKCOLOR}));
}

TEST_F(ListViews, RedrawOffPaintsNothingUntilItIsOnAgain)
{
    ui::testing::Grab(list);
    list.drawn.clear();
    list.SetRedraw(false);
    list.SetItemText(0, 1, "changed");
    ui::testing::ProcessEvents();
    EXPECT_TRUE(list.drawn.empty());
    list.SetRedraw(true);
    ui::testing::Grab(list);
    EXPECT_FALSE(list.drawn.empty());
}

// A trace tick rewrites values: only their column is drawn again, and a value written again
// unchanged draws nothing.
TEST_F(ListViews, AChangedValueRedrawsItsOwnColumnAlone)
{
    ui::testing::ProcessEvents();
    list.columnsToDraw.clear();
    list.SetItemText(1, 1, "12.5");
    ui::testing::ProcessEvents();
    EXPECT_EQ(list.columnsToDraw, (std::map<UINT, std::pair<bool, bool>>{{1, {false, true}}}));

    list.columnsToDraw.clear();
    list.SetItemText(1, 1, "12.5");
    ui::testing::ProcessEvents();
    EXPECT_TRUE(list.columnsToDraw.empty());
}

TEST_F(ListViews, ValuesChangedWhileRedrawIsOffAreDrawnWithoutTheRowsBetween)
{
    ui::testing::ProcessEvents();
    list.columnsToDraw.clear();
    list.SetRedraw(false);
    list.SetItemText(0, 1, "1");
    list.SetItemText(2, 1, "3");
    list.SetRedraw(true);
    ui::testing::ProcessEvents();
    EXPECT_EQ(list.columnsToDraw, (std::map<UINT, std::pair<bool, bool>>{{0, {false, true}}, {2, {false, true}}}));
}
