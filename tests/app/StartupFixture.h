#pragma once

#include "app/CVelmoraDlg.h"
#include "config/ActiveProfile.h"
#include "link/CPFCComm.h"
#include "resources/ResourceIds.h"
#include "sim/PortLog.h"
#include "sim/SimulatedController.h"
#include "sim/SimulatedPort.h"
#include "sim/VirtualClock.h"
#include "tests/support/Frames.h"
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
    static constexpr const char* kIdle = "idle, no timer, ﾄﾚｰｽ開始";
    static constexpr const char* kTracing = "tracing, timer, ﾄﾚｰｽ停止";

    static void SetUpTestSuite() { res::InstallResources(); }
    void SetUp() override
    {
        directory.Write("Velmora.ini", kBaseFile);
        config::TheProfile().SetProfilePath("Velmora.ini");
        port = sim::RegisterSimulatedPort(controller);
    }
    void TearDown() override { sim::UnregisterSimulatedPort(); }

    // The port dialog confirms entry `port`, or its preselected one when that is negative; the
    // profile dialog takes entry `profile`, or is cancelled when it is negative.
    void ScriptStartup(int profile = -1, int port = -1)
    {
        recorder.OnDialog(res::IDD_COMMSELECT, [port](ui::Dialog& dialog) {
            if (port >= 0) static_cast<ui::ListBox*>(dialog.GetDlgItem(res::IDC_PORTLIST))->SetCurSel(port);
            ui::testing::PressKey(ui::VK_RETURN);
        });
        recorder.OnDialog(res::IDD_PROFSEL, [profile](ui::Dialog& dialog) {
            if (profile < 0) return; // left open, the recorder cancels it
            static_cast<ui::ListBox*>(dialog.GetDlgItem(res::IDC_PROFLIST))->SetCurSel(profile);
            ui::testing::PressKey(ui::VK_RETURN);
        });
    }
    // The next reply is replaced by a frame of `command` carrying `data`.
    void Reply(uint8_t command, const std::vector<uint8_t>& data, int after = 0)
    {
        controller->Faults().Set(frames::ReplyWith(command, data), 1, after);
    }
    size_t Requests(uint8_t command) { return frames::CountSent(controller->Received(), command); }

    std::string Text(int id) { return window.GetDlgItem(id)->GetWindowText(); }
    ui::Window& TraceButton() { return *window.GetDlgItem(res::IDC_TRACE); }
    // The trace flag, its timer and the button's label, which names the next action.
    std::string TraceState()
    {
        const bool timer = window.HasTimer(CVelmoraDlg::kTraceTimer);
        return std::string(window.Tracing() ? "tracing" : "idle") + (timer ? ", timer, " : ", no timer, ") + Text(res::IDC_TRACE);
    }
    // Every box shown so far, as "caption: text".
    std::vector<std::string> Boxes() const
    {
        std::vector<std::string> boxes;
        for (const auto& box : recorder.Boxes()) boxes.push_back(box.caption + ": " + box.text);
        return boxes;
    }

    WorkingDirectory directory;
    ui::testing::Recorder recorder;
    std::shared_ptr<sim::VirtualClock> clock = std::make_shared<sim::VirtualClock>();
    std::shared_ptr<sim::SimulatedController> controller = std::make_shared<sim::SimulatedController>(clock);
    std::shared_ptr<sim::PortLog> port; // what the program did to the port, and a way to break it
    CPFCComm comm;
    CVelmoraDlg window{comm, config::TheProfile()};
};
