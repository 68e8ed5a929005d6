#pragma once

#include "config/ActiveProfile.h"
#include "ports/CCommSelectDlg.h"
#include "tests/support/PortDialogScript.h"
#include "tests/support/WorkingDirectory.h"

#include "platform/devices/ScriptedDeviceServices.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using Action = std::function<void(ui::Dialog&, ui::ListBox&)>;

class PortSelection : public ::testing::Test {
protected:
    static void SetUpTestSuite() { res::InstallResources(); }
    void SetUp() override
    {
        profile.SetProfilePath("Velmora.ini");
        services.AddInterface({"/dev/ttyUSB0", "USB Serial (ttyUSB0)", "FT232R USB UART", "USB 1-1"});
        services.AddInterface({"/dev/ttyS1", "Serial Port (ttyS1)", "Serial Port", "platform"});
    }

    // Runs the dialog, answered by the action; returns its result.
    int Run(const Action& action)
    {
        OnPortDialog(recorder, action);
        CCommSelectDlg dialog(profile, &services);
        dialog.m_pTarget = &port;
        return dialog.DoModal();
    }
    // The entries the dialog lists, then its selection.
    std::vector<std::string> Listed()
    {
        std::vector<std::string> entries;
        Run([&](ui::Dialog& dialog, ui::ListBox& list) {
            for (int i = 0; i < list.GetCount(); ++i) entries.push_back(list.GetText(i));
            entries.push_back("selected " + std::to_string(list.GetCurSel()));
            dialog.EndDialog(ui::IDCANCEL);
        });
        return entries;
    }

    WorkingDirectory directory;
    config::ActiveProfile profile;
    devices::ScriptedDeviceServices services;
    ui::testing::Recorder recorder;
    std::string port = "untouched";
};
