#include "ControlsFixture.h"

// Dialog units: a quarter of the font's average character across, an eighth of its height down.
TEST_F(Controls, ControlsLandAtTheRectanglesTheirDialogUnitsGiveInTheTemplateFont)
{
    FormDialog dialog;
    FormDialog largerFont(kNoDefault); // 9 points against 8
    ASSERT_TRUE(dialog.Create());
    ASSERT_TRUE(largerFont.Create());
    const Size base = dialog.GetDialogBaseUnits();
    ASSERT_TRUE(base.cx > 3 && base.cy > 8) << base.cx << "x" << base.cy;
    EXPECT_LT(base.cy, largerFont.GetDialogBaseUnits().cy);
    // To the nearest pixel, halves up.
    const auto across = [&base](int units) { return (units * base.cx + 2) / 4; };
    const auto down = [&base](int units) { return (units * base.cy + 4) / 8; };
    EXPECT_EQ(dialog.GetDlgItem(kList)->GetWindowRect(), (Rect{across(7), down(24), across(7) + across(100), down(24) + down(60)}));
    EXPECT_EQ(dialog.GetClientRect(), (Rect{0, 0, across(200), down(100)}));
}

// Every dialog starts with the focus on its first tab stop.
TEST_F(Controls, EnterEscapeClicksAndTheCloseBoxPressTheRightButtonUnlessTheWindowConsumesTheKey)
{
    constexpr UINT kClick = 0;
    constexpr UINT kCloseBox = 1;
    const struct {
        const char* what;
        int templateId;
        int focus;
        UINT key;
        bool consumeEscape;
        int result;
        Log log;
    } cases[] = {
        {"Enter presses the default button", kFormDialog, kEdit, VK_RETURN, false, IDOK, {"command 1", "ok"}},
        {"Enter presses the focused push button", kFormDialog, IDCANCEL, VK_RETURN, false, IDCANCEL, {"command 2", "cancel"}},
        {"Enter without a default button sends OK", kNoDefault, kEdit, VK_RETURN, false, IDOK, {"command 1", "ok"}},
        {"Escape cancels", kFormDialog, kEdit, VK_ESCAPE, false, IDCANCEL, {"command 2", "cancel"}},
        {"an Escape the window consumes leaves it open", kFormDialog, kEdit, VK_ESCAPE, true, IDCANCEL, {}},
        {"a click on OK", kFormDialog, IDOK, kClick, false, IDOK, {"command 1", "ok"}},
        {"the close box closes as Cancel", kFormDialog, kEdit, kCloseBox, false, IDCANCEL, {"cancel"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FormDialog dialog(c.templateId);
        dialog.consumeEscape = c.consumeEscape;
        recorder.OnDialog(c.templateId, [&c](Dialog& d) {
            EXPECT_EQ(Window::GetFocus(), d.GetDlgItem(kEdit));
            Window& target = *d.GetDlgItem(c.focus);
            target.SetFocus();
            if (c.key == kClick)
                ui::testing::Click(target);
            else if (c.key == kCloseBox)
                ui::testing::PressCloseBox(d);
            else
                ui::testing::PressKey(c.key);
        });
        EXPECT_EQ(dialog.DoModal(), c.result); // a dialog left open is cancelled by the recorder
        EXPECT_EQ(dialog.log, c.log);
    }
}

// A child dialog is made only inside a window that exists, and hidden until shown; a top-level
// one shows at once.
TEST_F(Controls, ADialogIsMadeFromItsTemplateAndAChildOnlyInsideItsParentsWindow)
{
    Dialog missing(12345);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_FALSE(missing.Create());
    Dialog child(kChildPage);
    Dialog parent(kFormDialog);
    EXPECT_FALSE(child.Create(&parent));
    ASSERT_TRUE(parent.Create());
    EXPECT_TRUE(child.Create(&parent));
    EXPECT_TRUE(parent.IsWindowVisible());
    EXPECT_FALSE(child.IsWindowVisible());
}

// The program's choice of tab is not announced.
TEST_F(Controls, ATabChangeByAUserSendsChangingThenChangedUnlessTheParentRefuses)
{
    TabHost host;
    ASSERT_TRUE(host.Create());
    ui::testing::ShowAndActivate(host);
    for (const char* text : {"first", "second", "third"}) host.tab.InsertItem(9, text); // past the end appends
    const std::vector<int> taken{TCN_SELCHANGING, TCN_SELCHANGE};
    // A key of 0 clicks the first tab.
    const struct {
        const char* name;
        int from;
        unsigned vk;
        bool refuse;
        int selected;
        std::vector<int> sent;
    } cases[] = {
        {"Right", 0, VK_RIGHT, false, 1, taken},
        {"Right, refused", 0, VK_RIGHT, true, 0, {TCN_SELCHANGING}},
        {"Left", 2, VK_LEFT, false, 1, taken},
        {"Left on the first", 0, VK_LEFT, false, 0, {}},
        {"Right on the last", 2, VK_RIGHT, false, 2, {}},
        {"Down", 0, VK_DOWN, false, 0, {}},
        {"click on the first", 1, 0, false, 0, taken},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        host.notifications.clear();
        host.tab.SetCurSel(each.from);
        EXPECT_TRUE(host.notifications.empty()) << "the program's choice is announced";
        host.vetoChange = each.refuse;
        if (each.vk == 0)
            ui::testing::Click(host.tab, Point{6, 8});
        else
            ui::testing::PressKey(each.vk, ui::testing::None, &host.tab);
        EXPECT_EQ(host.tab.GetCurSel(), each.selected);
        EXPECT_EQ(host.notifications, each.sent);
    }
    EXPECT_EQ(host.tab.SetCurSel(3), -1) << "no tab past the last";
}

TEST_F(FormControls, AnEditUpdatesBeforeItChangesAndOnlyANotifyingStaticReportsClicks)
{
    dialog.GetDlgItem(kEdit)->SetWindowText("7F");
    ui::testing::Click(*dialog.GetDlgItem(kClickable));
    ui::testing::Click(*dialog.GetDlgItem(kLabel));
    EXPECT_EQ(dialog.log, (Log{"update 7F", "change 7F", "command " + std::to_string(kClickable)}));
}

// Entries inserted at a position stay there whatever the sort style; nothing is selected until
// the program says, nor past the end.
TEST_F(FormControls, ListBoxEntriesStayWhereInsertedAndSelectOnlyWhatTheyHold)
{
    ListBox* list = static_cast<ListBox*>(dialog.GetDlgItem(kList));
    EXPECT_EQ(list->InsertString(0, "C.ini"), 0);
    EXPECT_EQ(list->InsertString(1, "A.ini"), 1);
    EXPECT_EQ(list->InsertString(1, "B.ini"), 1);
    EXPECT_EQ(list->InsertString(7, "far"), LB_ERR);
    EXPECT_EQ(list->InsertString(-1, ""), 3);
    EXPECT_EQ(list->GetCount(), 4);
    EXPECT_EQ(list->GetText(0) + list->GetText(1) + list->GetText(2), "C.iniB.iniA.ini");
    EXPECT_EQ(list->GetCurSel(), LB_ERR);
    EXPECT_EQ(list->SetCurSel(3), 3);
    EXPECT_EQ(list->GetCurSel(), 3);
    EXPECT_EQ(list->SetCurSel(4), LB_ERR);
    EXPECT_EQ(list->GetCurSel(), LB_ERR);
}

// A border takes a pixel on each side of the client area, drawn in the shadow colour.
TEST_F(FormControls, ABorderedWindowsClientAreaLiesInsideItsBorder)
{
    ui::testing::ShowAndActivate(dialog);
    Window& framed = *dialog.GetDlgItem(kFramed);
    const Rect outside = framed.GetWindowRect();
    EXPECT_EQ(framed.GetClientRect(), (Rect{0, 0, outside.Width() - 2, outside.Height() - 2}));
    const Bitmap picture = ui::testing::Grab(framed);
    EXPECT_EQ(picture.GetPixel(0, picture.Height() / 2), GetSysColor(COLOR_3DSHADOW));
    EXPECT_NE(picture.GetPixel(1, picture.Height() / 2), GetSysColor(COLOR_3DSHADOW));
}

TEST_F(Controls, AClickOrAnArrowKeyInAListViewSelectsAndFocusesOneRowAndStopsAtTheEnds)
{
    DialogHost<ListView, kListDialog, kListView> host;
    ASSERT_TRUE(host.Create());
    ui::testing::ShowAndActivate(host);
    ListView& list = host.control;
    for (int i = 0; i < 3; ++i) list.InsertItem(i, "row");
    constexpr UINT kBoth = LVIS_SELECTED | LVIS_FOCUSED;
    // Each row's selection and focus, and none past the last: "S" both, "-" neither, "?" one.
    const auto states = [&list] {
        std::string states;
        for (int i = 0; i <= list.GetItemCount(); ++i) {
            const UINT state = list.GetItemState(i, kBoth);
            states += state == 0 ? '-' : state == kBoth ? 'S' : '?';
        }
        return states;
    };
    // A key of 0 clicks the middle row.
    const struct {
        const char* name;
        int from;
        unsigned vk;
        const char* states;
    } cases[] = {
        {"click", 0, 0, "-S--"},
        {"Down", 0, VK_DOWN, "-S--"},
        {"Down on the last row", 2, VK_DOWN, "--S-"},
        {"Up", 1, VK_UP, "S---"},
        {"Up on the first row", 0, VK_UP, "S---"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        for (int i = 0; i < 3; ++i) list.SetItemState(i, i == each.from ? kBoth : 0, kBoth);
        if (each.vk == 0)
            ui::testing::Click(list, Point{5, list.GetRowHeight() + 2});
        else
            ui::testing::PressKey(each.vk, ui::testing::None, &list);
        EXPECT_EQ(states(), each.states);
    }
    Rect rect;
    EXPECT_FALSE(list.GetItemRect(3, rect, LVIR_BOUNDS)) << "no row past the last";
}
