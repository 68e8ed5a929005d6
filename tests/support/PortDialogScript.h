#pragma once

#include "platform/ui/Dialog.h"
#include "platform/ui/ListBox.h"
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

