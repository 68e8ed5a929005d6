#include "ListFixture.h"

#include "platform/ui/ListView.h"

using namespace ui;
using namespace listtest;

namespace {

using ListMessages = ListFixture;

} // namespace

TEST_F(ListMessages, FontOfHeightTwelveGivesRowsFifteenHighAndANewFontRemeasuresAtOnce)
{
    EXPECT_EQ(List().GetRowHeight(), 15);
    ASSERT_TRUE(otherFont.CreatePointFont(120, "Arial")); // 16 pixels
    List().SetFont(&otherFont);
    EXPECT_EQ(List().GetRowHeight(), 20);
    Rect second;
    ASSERT_TRUE(List().GetItemRect(1, second, LVIR_BOUNDS));
    EXPECT_EQ(second.top, 20);

    FocusList();
    List().SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    const Picture picture = Grab();
    EXPECT_EQ(picture.At(ClientWidth() - 1, 19), window);
    EXPECT_EQ(picture.At(ClientWidth() - 1, 20), highlight);
    EXPECT_EQ(picture.At(ClientWidth() - 1, 39), highlight);
    EXPECT_EQ(picture.At(ClientWidth() - 1, 40), window);
}

TEST_F(ListMessages, NewFontIsAnnouncedAsAPositionChangeOfTheListItself)
{
    List().positions.clear();
    List().SetFont(&arial9);
    ASSERT_EQ(List().positions.size(), 1u);
    const listctrl::WINDOWPOS& position = List().positions.front();
    EXPECT_EQ(position.hwnd, &List());
    EXPECT_EQ(position.cx, List().GetWindowRect().Width());
    EXPECT_EQ(position.cy, List().GetWindowRect().Height());
    EXPECT_EQ(position.flags, 0x216u); // no move, z-order, activation or owner z-order
    EXPECT_EQ(List().GetFont(), &arial9);
}

TEST_F(ListMessages, ValueFontIsMadeWhenTheControlIsBoundToItsWindow)
{
    const CListCtrlEx unbound;
    EXPECT_TRUE(unbound.ValueFont().IsNull());
    EXPECT_FALSE(List().ValueFont().IsNull());
}
