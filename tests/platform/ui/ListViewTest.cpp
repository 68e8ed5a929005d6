#include "UiFixture.h"

#include "platform/ui/DeviceContext.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Font.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Styles.h"
#include "platform/ui/testing/Input.h"

#include <map>

using namespace ui;

namespace {

constexpr int kListDialog = 9101;
constexpr int kListId = 200;

// Draws each row in a colour of its own and measures rows from the font, counting both.
class CountingList : public ListView {
public:
    std::map<UINT, int> draws;
    int measures = 0;

protected:
    void DrawItem(DRAWITEMSTRUCT& draw) override
    {
        ++draws[draw.itemID];
        states[draw.itemID] = draw.itemState;
        draw.hDC->FillSolidRect(draw.rcItem, RGB(0, 0, 200 + static_cast<int>(draw.itemID)));
    }
    void MeasureItem(MEASUREITEMSTRUCT& measure) override
    {
        ++measures;
        LOGFONT record{};
        Font* font = GetFont();
        if (font != nullptr) font->GetLogFont(record);
        measure.itemHeight = static_cast<UINT>(std::abs(record.lfHeight) * 13 / 10);
    }

public:
    std::map<UINT, UINT> states;
};

class ListHost : public Dialog {
public:
    ListHost() : Dialog(kListDialog) {}
    CountingList list;

protected:
    void DoDataExchange() override { BindControl(kListId, list); }
};

class ListViews : public UiFixture {
protected:
    static void SetUpTestSuite()
    {
        UiFixture::SetUpTestSuite();
        Resources::AddDialog({kListDialog, 160, 120, "MS UI Gothic", 9, "List", WS_POPUP | WS_CAPTION, 0,
                              {{kListId, wc::ListView, "", 0, 0, 160, 120,
                                WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDRAWFIXED | LVS_NOCOLUMNHEADER | WS_TABSTOP}}});
    }
    void SetUp() override
    {
        ASSERT_TRUE(host.Create());
        ui::testing::ShowAndActivate(host);
        host.list.InsertColumn(0, "", LVCFMT_RIGHT, 50);
        host.list.InsertColumn(1, "", LVCFMT_LEFT, 40);
        for (int i = 0; i < 3; ++i) host.list.InsertItem(i, "row");
    }

    ListHost host;
};

} // namespace

TEST_F(ListViews, RowsAreAsHighAsTheirOwnerMeasures)
{
    Font font;
    font.CreatePointFont(120, "Arial"); // 16 pixels: rows of 20
    host.list.SetFont(&font);
    host.list.SendMessage(WM_WINDOWPOSCHANGED);
    EXPECT_EQ(host.list.GetRowHeight(), 20);
    Rect second;
    ASSERT_TRUE(host.list.GetItemRect(1, second, LVIR_BOUNDS));
    EXPECT_EQ(second.top, 20);
    EXPECT_EQ(second.Width(), 90);
    Rect label;
    ASSERT_TRUE(host.list.GetItemRect(1, label, LVIR_LABEL));
    EXPECT_EQ(label.Width(), 50);
}

TEST_F(ListViews, EveryVisibleRowIsDrawnByItsOwner)
{
    const Bitmap picture = ui::testing::Grab(host.list);
    EXPECT_EQ(host.list.draws.size(), 3u);
    const int row = host.list.GetRowHeight();
    EXPECT_EQ(picture.GetPixel(10, row * 2 + 1), RGB(0, 0, 202));
    EXPECT_EQ(picture.GetPixel(10, row * 3 + 2), host.list.GetBkColor());
}

TEST_F(ListViews, TextsStatesAndDeletionsAreKeptPerItem)
{
    EXPECT_TRUE(host.list.SetItemText(1, 2, "unit"));
    EXPECT_EQ(host.list.GetItemText(1, 2), "unit");
    EXPECT_EQ(host.list.GetItemText(1, 1), "");
    EXPECT_EQ(host.list.GetItemText(7, 0), "");
    host.list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_TRUE(host.list.DeleteItem(0));
    EXPECT_EQ(host.list.GetItemCount(), 2);
    EXPECT_EQ(host.list.GetItemState(1, LVIS_SELECTED), LVIS_SELECTED);
    EXPECT_EQ(host.list.GetItemText(0, 2), "unit");
    int format = -1;
    int width = -1;
    EXPECT_TRUE(host.list.GetColumn(0, format, width));
    EXPECT_EQ(format, LVCFMT_RIGHT);
    EXPECT_EQ(width, 50);
    EXPECT_FALSE(host.list.GetColumn(2, format, width));
}

TEST_F(ListViews, AClickSelectsAndFocusesOneRow)
{
    host.list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    ui::testing::Click(host.list, Point{5, host.list.GetRowHeight() + 2});
    EXPECT_EQ(host.list.GetItemState(0, LVIS_SELECTED), 0u);
    EXPECT_EQ(host.list.GetItemState(1, LVIS_SELECTED | LVIS_FOCUSED), LVIS_SELECTED | LVIS_FOCUSED);
    ui::testing::Grab(host.list);
    EXPECT_EQ(host.list.states[0] & ODS_SELECTED, 0u);
    EXPECT_EQ(host.list.states[1] & ODS_SELECTED, ODS_SELECTED);
}

TEST_F(ListViews, ColourMessagesPassThroughTheWindowProcedure)
{
    class Watching : public ListView {
    public:
        std::vector<UINT> seen;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            seen.push_back(message);
            return ListView::WindowProc(message, wParam, lParam);
        }
    } watching;
    watching.SetBkColor(RGB(1, 2, 3));
    watching.SetTextBkColor(RGB(4, 5, 6));
    EXPECT_EQ(watching.seen, (std::vector<UINT>{LVM_SETBKCOLOR, LVM_SETTEXTBKCOLOR}));
    EXPECT_EQ(watching.GetBkColor(), RGB(1, 2, 3));
    EXPECT_EQ(watching.GetTextBkColor(), RGB(4, 5, 6));
}

TEST_F(ListViews, RedrawOffPaintsNothingUntilItIsOnAgain)
{
    ui::testing::Grab(host.list);
    host.list.draws.clear();
    host.list.SetRedraw(false);
    host.list.SetItemText(0, 1, "changed");
    ui::testing::ProcessEvents();
    EXPECT_TRUE(host.list.draws.empty());
    host.list.SetRedraw(true);
    ui::testing::Grab(host.list);
    EXPECT_FALSE(host.list.draws.empty());
}
