#include "UiFixture.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Resources.h"
#include "platform/ui/testing/Input.h"

using namespace ui;
using namespace uitest;
using ui::testing::PressKey;

namespace {

// A dialog that remembers which of its handlers ran.
class FormDialog : public Dialog {
public:
    explicit FormDialog(int templateId = kFormDialog) : Dialog(templateId) {}

    std::vector<int> commands;
    int okCount = 0;
    int cancelCount = 0;
    bool consumeEscape = false;

    bool PreTranslateMessage(Msg& msg) override
    {
        if (consumeEscape && msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) return true;
        return Dialog::PreTranslateMessage(msg);
    }

protected:
    bool OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back(LOWORD(wParam));
        return Dialog::OnCommand(wParam, lParam);
    }
    void OnOK() override
    {
        ++okCount;
        Dialog::OnOK();
    }
    void OnCancel() override
    {
        ++cancelCount;
        Dialog::OnCancel();
    }
};

using DialogTemplates = UiFixture;
using DialogKeys = UiFixture;
using ModalDialog = UiFixture;

} // namespace

TEST_F(DialogTemplates, ControlsLandAtTheRectanglesTheirDialogUnitsGive)
{
    FormDialog dialog;
    ASSERT_TRUE(dialog.Create());
    const Size base = dialog.GetDialogBaseUnits();
    ASSERT_GT(base.cx, 3);
    ASSERT_GT(base.cy, 8);
    const Rect list = dialog.GetDlgItem(kList)->GetWindowRect();
    EXPECT_EQ(list.left, MulDiv(7, base.cx, 4));
    EXPECT_EQ(list.top, MulDiv(24, base.cy, 8));
    EXPECT_EQ(list.Width(), MulDiv(100, base.cx, 4));
    EXPECT_EQ(list.Height(), MulDiv(60, base.cy, 8));
    const Rect client = dialog.GetClientRect();
    EXPECT_EQ(client.Width(), MulDiv(200, base.cx, 4));
    EXPECT_EQ(client.Height(), MulDiv(100, base.cy, 8));
}

TEST_F(DialogTemplates, DialogUnitsFollowTheTemplateFont)
{
    FormDialog shellFont(kFormDialog);     // 8 points
    FormDialog largerFont(kNoDefault);     // 9 points
    ASSERT_TRUE(shellFont.Create());
    ASSERT_TRUE(largerFont.Create());
    EXPECT_LT(shellFont.GetDialogBaseUnits().cy, largerFont.GetDialogBaseUnits().cy);
}

TEST_F(DialogTemplates, KeepTextsCaptionAndHiddenState)
{
    FormDialog dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.GetWindowText(), "Form");
    EXPECT_EQ(dialog.GetDlgItem(IDCANCEL)->GetWindowText(), "キャンセル");
    EXPECT_EQ(dialog.GetDlgItem(kLabel)->GetWindowText(), "ラベル");
    EXPECT_EQ(dialog.GetDlgItem(9999), nullptr);
}

TEST_F(DialogKeys, EnterPressesTheDefaultButton)
{
    FormDialog dialog;
    recorder.OnDialog(kFormDialog, [](Dialog& d) {
        d.GetDlgItem(kEdit)->SetFocus();
        PressKey(VK_RETURN);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.okCount, 1);
    EXPECT_EQ(dialog.cancelCount, 0);
}

TEST_F(DialogKeys, EnterOnAFocusedPushButtonPressesThatButton)
{
    FormDialog dialog;
    recorder.OnDialog(kFormDialog, [](Dialog& d) {
        d.GetDlgItem(IDCANCEL)->SetFocus();
        PressKey(VK_RETURN);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.okCount, 0);
}

TEST_F(DialogKeys, EnterWithoutADefaultButtonSendsOk)
{
    FormDialog dialog(kNoDefault);
    recorder.OnDialog(kNoDefault, [](Dialog& d) {
        d.GetDlgItem(kEdit)->SetFocus();
        PressKey(VK_RETURN);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.commands, std::vector<int>{IDOK});
}

TEST_F(DialogKeys, EscapeCancels)
{
    FormDialog dialog;
    recorder.OnDialog(kFormDialog, [](Dialog&) { PressKey(VK_ESCAPE); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.cancelCount, 1);
}

TEST_F(DialogKeys, EscapeConsumedByTheWindowLeavesItOpen)
{
    FormDialog dialog;
    dialog.consumeEscape = true;
    recorder.OnDialog(kFormDialog, [](Dialog& d) {
        PressKey(VK_ESCAPE);
        EXPECT_TRUE(d.IsWindow());
        EXPECT_EQ(static_cast<FormDialog&>(d).cancelCount, 0);
        d.EndDialog(42);
    });
    EXPECT_EQ(dialog.DoModal(), 42);
}

TEST_F(DialogKeys, CloseBoxClosesAsCancel)
{
    FormDialog dialog;
    recorder.OnDialog(kFormDialog, [](Dialog& d) { ui::testing::PressCloseBox(d); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.cancelCount, 1);
}

TEST_F(ModalDialog, InitialFocusGoesToTheFirstTabStop)
{
    FormDialog dialog;
    int focused = 0;
    recorder.OnDialog(kFormDialog, [&](Dialog& d) {
        Window* focus = Window::GetFocus();
        focused = focus != nullptr ? focus->GetDlgCtrlID() : -1;
        d.EndDialog(IDOK);
    });
    dialog.DoModal();
    EXPECT_EQ(focused, kEdit);
}

TEST_F(ModalDialog, ScriptedActionSelectsAnEntryAndPressesOk)
{
    class Chooser : public FormDialog {
    public:
        ListBox list;
        int chosen = -2;

    protected:
        void DoDataExchange() override { BindControl(kList, list); }
        bool OnInitDialog() override
        {
            FormDialog::OnInitDialog();
            for (int i = 0; i < 3; ++i) list.InsertString(i, std::string(1, static_cast<char>('c' - i)));
            return true;
        }
        void OnOK() override
        {
            chosen = list.GetCurSel();
            FormDialog::OnOK();
        }
    } chooser;
    recorder.OnDialog(kFormDialog, [](Dialog& d) {
        static_cast<ListBox*>(d.GetDlgItem(kList))->SetCurSel(2);
        ui::testing::Click(*d.GetDlgItem(IDOK));
    });
    EXPECT_EQ(chooser.DoModal(), IDOK);
    EXPECT_EQ(chooser.chosen, 2);
    EXPECT_EQ(recorder.DialogsOpened(kFormDialog), 1);
}

TEST_F(ModalDialog, AnUnscriptedDialogIsCancelledInsteadOfWaiting)
{
    FormDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(dialog.IsWindow());
}

TEST_F(ModalDialog, MissingTemplateFails)
{
    Dialog dialog(12345);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_FALSE(dialog.Create());
}

TEST_F(ModalDialog, ModelessDialogIgnoresEndDialog)
{
    FormDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.EndDialog(IDOK);
    EXPECT_TRUE(dialog.IsWindow());
    ui::testing::ShowAndActivate(dialog);
    dialog.GetDlgItem(kEdit)->SetFocus();
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(dialog.IsWindow());
    EXPECT_EQ(dialog.cancelCount, 1);
}
