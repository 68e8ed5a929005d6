#include "UiFixture.h"

#include "platform/ui/Bitmap.h"
#include "platform/ui/Button.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/TabCtrl.h"

#include <cstdlib>

using namespace ui;
using namespace uitest;

namespace {

class TabHost : public DialogHost<TabCtrl, kHostDialog, kTab> {
public:
    TabCtrl& tab = control;
    std::vector<int> notifications;
    bool vetoChange = false;

protected:
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        const NMHDR* header = NotificationRecord(lParam);
        if (wParam != kTab || header->hwndFrom != &tab) return false;
        notifications.push_back(header->code);
        *result = header->code == TCN_SELCHANGING && vetoChange ? 1 : 0;
        return true;
    }
};

class Page : public Dialog {
public:
    Page()
        : Dialog(kChildPage)
    { }
    int cancels = 0;

protected:
    void OnCancel() override { ++cancels; }
};

class Tabs : public UiFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Create());
        ui::testing::ShowAndActivate(host);
        host.tab.InsertItem(0, "first", 10);
        host.tab.InsertItem(1, "second", 20);
        host.tab.InsertItem(9, "third", 30); // past the end appends
        host.tab.SetCurSel(0);
    }

    TabHost host;
};

// A child page on the tab control, created hidden.
class TabPages : public Tabs {
protected:
    void SetUp() override
    {
        Tabs::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_TRUE(page.Create(&host.tab));
    }

    // Moves the page below the tab bar and shows it.
    void Place()
    {
        const Rect size = page.GetWindowRect();
        page.MoveWindow(Rect{4, 24, 4 + size.Width(), 24 + size.Height()});
        page.ShowWindow(SW_SHOW);
    }

    Page page;
};

class FormControls : public UiFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Create());
        list = static_cast<ListBox*>(dialog.GetDlgItem(kList));
    }

    Dialog dialog{kFormDialog};
    ListBox* list = nullptr;
};

} // namespace

TEST_F(Tabs, SendNothingWhenTheProgramSelects)
{
    EXPECT_EQ(host.tab.SetCurSel(2), 0);
    EXPECT_EQ(host.tab.GetCurSel(), 2);
    EXPECT_TRUE(host.notifications.empty());
}

// The value a tab keeps follows it when a tab before it goes.
TEST_F(Tabs, KeepTheirValuesThroughADeletion)
{
    EXPECT_TRUE(host.tab.DeleteItem(1));
    EXPECT_FALSE(host.tab.DeleteItem(5));
    ASSERT_EQ(host.tab.GetItemCount(), 2);
    EXPECT_EQ(host.tab.GetItemData(1), 30);
}

TEST_F(Tabs, AUsersChangeSendsChangingThenChangedUnlessTheParentRefuses)
{
    for (const bool refuse : {false, true}) {
        SCOPED_TRACE(refuse ? "refused" : "taken");
        host.tab.SetCurSel(0);
        host.notifications.clear();
        host.vetoChange = refuse;
        ui::testing::PressKey(VK_RIGHT, ui::testing::None, &host.tab);
        EXPECT_EQ(host.tab.GetCurSel(), refuse ? 0 : 1);
        const std::vector<int> sent = refuse ? std::vector<int>{TCN_SELCHANGING} : std::vector<int>{TCN_SELCHANGING, TCN_SELCHANGE};
        EXPECT_EQ(host.notifications, sent);
    }
}

TEST_F(TabPages, KeepTheirRadiosExclusive)
{
    Place();
    auto* one = static_cast<Button*>(page.GetDlgItem(kRadio1));
    auto* two = static_cast<Button*>(page.GetDlgItem(kRadio2));
    EXPECT_FALSE(one->GetCheck() || two->GetCheck());
    ui::testing::Click(*one);
    ui::testing::Click(*two);
    EXPECT_FALSE(one->GetCheck());
    EXPECT_TRUE(two->GetCheck());
}

TEST_F(TabPages, NeverCloseThemselvesOnEscape)
{
    Place();
    page.GetDlgItem(kEdit)->SetFocus();
    ui::testing::PressKey(VK_ESCAPE);
    EXPECT_EQ(page.cancels, 1);
    EXPECT_TRUE(page.IsWindowVisible());
    EXPECT_TRUE(host.IsWindow());
}

TEST_F(FormControls, ListBoxEntriesStayAtTheirPositionsWhateverTheSortStyle)
{
    EXPECT_EQ(list->InsertString(0, "C.ini"), 0);
    EXPECT_EQ(list->InsertString(1, "A.ini"), 1);
    EXPECT_EQ(list->InsertString(1, "B.ini"), 1);
    EXPECT_EQ(list->InsertString(7, "far"), LB_ERR);
    EXPECT_EQ(list->InsertString(-1, ""), 3);
    EXPECT_EQ(list->GetCount(), 4);
    EXPECT_EQ(list->GetText(0), "C.ini");
    EXPECT_EQ(list->GetText(1), "B.ini");
    EXPECT_EQ(list->GetText(2), "A.ini");
}

TEST_F(FormControls, ListBoxesSelectNothingUntilToldAndNothingPastTheEnd)
{
    for (const char* entry : {"C.ini", "B.ini", "A.ini", ""}) list->InsertString(-1, entry);
    EXPECT_EQ(list->GetCurSel(), LB_ERR);
    EXPECT_EQ(list->SetCurSel(2), 2);
    EXPECT_EQ(list->GetCurSel(), 2);
    EXPECT_EQ(list->SetCurSel(4), LB_ERR);
    EXPECT_EQ(list->GetCurSel(), LB_ERR);
}

// A label's text sits at its top, or in its middle when asked to be centred vertically.
TEST_F(FormControls, StaticTextIsCentredVerticallyOnlyWhenAskedTo)
{
    ui::testing::ShowAndActivate(dialog);
    for (const auto& [id, centred] : {std::pair{kTall, false}, {kCentred, true}}) {
        SCOPED_TRACE(centred ? "centred" : "at the top");
        const Bitmap picture = ui::testing::Grab(*dialog.GetDlgItem(id));
        int first = -1;
        int last = -1;
        for (int y = 0; y < picture.Height(); ++y) {
            for (int x = 0; x < picture.Width(); ++x) {
                if (GetGValue(picture.GetPixel(x, y)) >= 100) continue;
                first = first < 0 ? y : first;
                last = y;
            }
        }
        ASSERT_GE(first, 0) << "no text drawn";
        EXPECT_EQ(std::abs((first + last) - picture.Height()) < picture.Height() / 4, centred) << first << ".." << last;
    }
}
