#include "UiFixture.h"

#include "platform/ui/ListBox.h"

using namespace ui;
using namespace uitest;
using ui::testing::PressKey;

namespace {

using Log = std::vector<std::string>;

// A dialog that logs the commands it receives and the OK/Cancel handlers that run.
class FormDialog : public Dialog {
public:
    explicit FormDialog(int templateId = kFormDialog)
        : Dialog(templateId)
    { }
    Log log;
    bool consumeEscape = false;
    int chosen = -2; // the list selection OK saw

    bool PreTranslateMessage(Msg& msg) override
    {
        return (consumeEscape && msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) || Dialog::PreTranslateMessage(msg);
    }

protected:
    bool OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        log.push_back("command " + std::to_string(LOWORD(wParam)));
        return Dialog::OnCommand(wParam, lParam);
    }
    void OnOK() override
    {
        log.push_back("ok");
        if (auto* list = static_cast<ListBox*>(GetDlgItem(kList))) chosen = list->GetCurSel();
        Dialog::OnOK();
    }
    void OnCancel() override
    {
        log.push_back("cancel");
        Dialog::OnCancel();
    }
};

using Dialogs = UiFixture;

} // namespace

TEST_F(Dialogs, ControlsLandAtTheRectanglesTheirDialogUnitsGiveInTheTemplateFont)
{
    FormDialog dialog;
    FormDialog largerFont(kNoDefault); // 9 points against 8
    ASSERT_TRUE(dialog.Create());
    ASSERT_TRUE(largerFont.Create());
    const Size base = dialog.GetDialogBaseUnits();
    ASSERT_GT(base.cx, 3);
    ASSERT_GT(base.cy, 8);
    EXPECT_LT(base.cy, largerFont.GetDialogBaseUnits().cy);
    const Rect list = dialog.GetDlgItem(kList)->GetWindowRect();
    EXPECT_EQ(list.left, MulDiv(7, base.cx, 4));
    EXPECT_EQ(list.top, MulDiv(24, base.cy, 8));
    EXPECT_EQ(list.Width(), MulDiv(100, base.cx, 4));
    EXPECT_EQ(list.Height(), MulDiv(60, base.cy, 8));
    EXPECT_EQ(dialog.GetClientRect(), (Rect{0, 0, MulDiv(200, base.cx, 4), MulDiv(100, base.cy, 8)}));
}

TEST_F(Dialogs, EnterEscapeAndTheCloseBoxPressTheRightButtonUnlessTheWindowConsumesTheKey)
{
    struct Case {
        const char* what;
        int templateId;
        int focus;
        UINT key;
        bool consumeEscape;
        int result;
        Log log;
    };
    const Case cases[] = {
        {"Enter presses the default button", kFormDialog, kEdit, VK_RETURN, false, IDOK, {"command 1", "ok"}},
        {"Enter presses the focused push button", kFormDialog, IDCANCEL, VK_RETURN, false, IDCANCEL, {"command 2", "cancel"}},
        {"Enter without a default button sends OK", kNoDefault, kEdit, VK_RETURN, false, IDOK, {"command 1", "ok"}},
        {"Escape cancels", kFormDialog, kEdit, VK_ESCAPE, false, IDCANCEL, {"command 2", "cancel"}},
        {"an Escape the window consumes leaves it open", kFormDialog, kEdit, VK_ESCAPE, true, IDCANCEL, {}},
        {"the close box closes as Cancel", kFormDialog, kEdit, 0, false, IDCANCEL, {"cancel"}},
    };
    for (const Case& c : cases) {
        FormDialog dialog(c.templateId);
        dialog.consumeEscape = c.consumeEscape;
        recorder.OnDialog(c.templateId, [&c](Dialog& d) {
            d.GetDlgItem(c.focus)->SetFocus();
            if (c.key == 0)
                ui::testing::PressCloseBox(d);
            else
                PressKey(c.key);
        });
        EXPECT_EQ(dialog.DoModal(), c.result) << c.what; // a dialog left open is cancelled by the recorder
        EXPECT_EQ(dialog.log, c.log) << c.what;
    }
}

TEST_F(Dialogs, AScriptStartsOnTheFirstTabStopSelectsAnEntryAndPressesOk)
{
    FormDialog dialog;
    recorder.OnDialog(kFormDialog, [](Dialog& d) {
        EXPECT_EQ(Window::GetFocus(), d.GetDlgItem(kEdit));
        auto* list = static_cast<ListBox*>(d.GetDlgItem(kList));
        for (const char* entry : {"c", "b", "a"}) list->InsertString(-1, entry);
        list->SetCurSel(2);
        ui::testing::Click(*d.GetDlgItem(IDOK));
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.chosen, 2);
}

TEST_F(Dialogs, AMissingTemplateFailsModalAndModeless)
{
    Dialog missing(12345);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_FALSE(missing.Create());
}
