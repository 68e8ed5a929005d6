#pragma once

#include "platform/ui/Dialog.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Recorder.h"
#include "resources/ResourceIds.h"

#include <functional>
#include <utility>

// Answers every port dialog that opens: the action sees the dialog and its port list.
inline void OnPortDialog(ui::testing::Recorder& recorder, std::function<void(ui::Dialog&, ui::ListBox&)> action)
{
    recorder.OnDialog(res::IDD_COMMSELECT, [action = std::move(action)](ui::Dialog& dialog) {
        action(dialog, *static_cast<ui::ListBox*>(dialog.GetDlgItem(res::IDC_PORTLIST)));
    });
}

// Start-up's dialogs: the port dialog confirms entry `port`, or its preselected one when that is
// negative; the profile dialog takes entry `profile`, or is left open for the recorder to cancel
// when that is negative.
inline void ScriptStartupDialogs(ui::testing::Recorder& recorder, int profile, int port = -1)
{
    OnPortDialog(recorder, [port](ui::Dialog&, ui::ListBox& ports) {
        if (port >= 0) ports.SetCurSel(port);
        ui::testing::PressKey(ui::VK_RETURN);
    });
    recorder.OnDialog(res::IDD_PROFSEL, [profile](ui::Dialog& dialog) {
        if (profile < 0) return;
        static_cast<ui::ListBox*>(dialog.GetDlgItem(res::IDC_PROFLIST))->SetCurSel(profile);
        ui::testing::PressKey(ui::VK_RETURN);
    });
}
