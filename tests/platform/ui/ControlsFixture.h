#pragma once

// Dialogs of form controls and of a tab control, built from templates for these tests.

#include "UiFixture.h"

#include "platform/ui/ListBox.h"
#include "platform/ui/ListView.h"
#include "platform/ui/TabCtrl.h"

#include <functional>
#include <string>

using namespace ui;
using namespace uitest;

namespace uitest {

using Log = std::vector<std::string>;

// Logs the commands it receives, with the edit's text for the edit's, and the OK/Cancel
// handlers that run; consumes Escape when told to.
class FormDialog : public Dialog {
public:
    explicit FormDialog(int templateId = kFormDialog)
        : Dialog(templateId)
    { }
    Log log;
    bool consumeEscape = false;

    bool PreTranslateMessage(Msg& msg) override
    {
        return (consumeEscape && msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) || Dialog::PreTranslateMessage(msg);
    }

protected:
    bool OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        const int id = LOWORD(wParam);
        const std::string edit = HIWORD(wParam) == EN_UPDATE ? "update " : "change ";
        log.push_back(id == kEdit ? edit + GetDlgItem(kEdit)->GetWindowText() : "command " + std::to_string(id));
        return Dialog::OnCommand(wParam, lParam);
    }
    void OnOK() override
    {
        log.push_back("ok");
        Dialog::OnOK();
    }
    void OnCancel() override
    {
        log.push_back("cancel");
        Dialog::OnCancel();
    }
};

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

class FormControls : public UiFixture {
protected:
    void SetUp() override { ASSERT_TRUE(dialog.Create()); }

    FormDialog dialog;
};

using Controls = UiFixture;

} // namespace uitest
