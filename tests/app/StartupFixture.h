#pragma once

#include "app/CVelmoraDlg.h"
#include "config/ActiveProfile.h"
#include "link/CPFCComm.h"
#include "resources/ResourceIds.h"
#include "sim/SimulatedController.h"
#include "sim/SimulatedPort.h"
#include "sim/VirtualClock.h"
#include "tests/support/WorkingDirectory.h"

#include "platform/ui/ListBox.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Recorder.h"

#include <gtest/gtest.h>

#include <memory>

// The main window started in a temporary working directory against the simulated controller
// on a virtual clock; the base file lists the simulator as its one port.
class StartupFixture : public ::testing::Test {
protected:
    static constexpr const char* kBaseFile = "[CommSelect]\nItem=0\n[Ports]\nItems=1\nItem1=sim:\n"
                                             "[Profiles]\nItems=2\nItem1=Demo.ini\nItem2=Empty.ini\n";

    static void SetUpTestSuite() { res::InstallResources(); }
    void SetUp() override
    {
        directory.Write("Velmora.ini", kBaseFile);
        config::TheProfile().SetProfilePath("Velmora.ini");
        sim::RegisterSimulatedPort(controller);
    }
    void TearDown() override { sim::UnregisterSimulatedPort(); }

    // The port dialog confirms its preselected entry; the profile dialog takes entry `profile`,
    // or is cancelled when it is negative.
    void ScriptStartup(int profile = -1)
    {
        recorder.OnDialog(res::IDD_COMMSELECT, [](ui::Dialog&) { ui::testing::PressKey(ui::VK_RETURN); });
        recorder.OnDialog(res::IDD_PROFSEL, [profile](ui::Dialog& dialog) {
            if (profile < 0) return; // left open, the recorder cancels it
            static_cast<ui::ListBox*>(dialog.GetDlgItem(res::IDC_PROFLIST))->SetCurSel(profile);
            ui::testing::PressKey(ui::VK_RETURN);
        });
    }

    std::string Text(int id) { return window.GetDlgItem(id)->GetWindowText(); }

    WorkingDirectory directory;
    ui::testing::Recorder recorder;
    std::shared_ptr<sim::VirtualClock> clock = std::make_shared<sim::VirtualClock>();
    std::shared_ptr<sim::SimulatedController> controller = std::make_shared<sim::SimulatedController>(clock);
    CPFCComm comm;
    CVelmoraDlg window{comm, config::TheProfile()};
};
