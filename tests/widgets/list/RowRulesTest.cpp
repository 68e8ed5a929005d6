#include "widgets/list/RowRules.h"

#include <gtest/gtest.h>

TEST(RowRules, RowIsThirteenTenthsOfTheFontHeightTruncated)
{
    EXPECT_EQ(listctrl::RowHeightForFont(-12), 15);
    EXPECT_EQ(listctrl::RowHeightForFont(-16), 20);
    EXPECT_EQ(listctrl::RowHeightForFont(-13), 16); // 16.9
    EXPECT_EQ(listctrl::RowHeightForFont(-10), 13);
    EXPECT_EQ(listctrl::RowHeightForFont(12), 15); // a cell height measures the same
}
