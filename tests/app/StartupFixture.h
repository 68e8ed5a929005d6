#pragma once

#include "app/CVelmoraDlg.h"
#include "config/ActiveProfile.h"
#include "tests/support/SimulatedPage.h"

#include "platform/ui/ListBox.h"

// The main window started in a temporary working directory against the simulated controller;
// the base file lists the simulator as its one port.
class StartupFixture : public SimulatedLink {
protected:
    static constexpr const char* kBaseFile = "[CommSelect]\nItem=0\n[Ports]\nItems=1\nItem1=sim:\n"
                                             "[Profiles]\nItems=2\nItem1=Demo.ini\nItem2=Empty.ini\n";
    static constexpr const char* kIdle = "idle, no timer, ﾄﾚｰｽ開始";
    static constexpr const char* kTracing = "tracing, timer, ﾄﾚｰｽ停止";

    void SetUp() override
    {
        SimulatedLink::SetUp();
        directory.Write("Velmora.ini", kBaseFile);
        config::TheProfile().SetProfilePath("Velmora.ini");
    }

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

    std::string Text(int id) { return window.GetDlgItem(id)->GetWindowText(); }
    ui::Window& TraceButton() { return *window.GetDlgItem(res::IDC_TRACE); }
    // The trace flag, its timer and the button's label, which names the next action.
    std::string TraceState()
    {
        const bool timer = window.HasTimer(CVelmoraDlg::kTraceTimer);
        return std::string(window.Tracing() ? "tracing" : "idle") + (timer ? ", timer, " : ", no timer, ") + Text(res::IDC_TRACE);
    }

    CPFCComm comm;
    CVelmoraDlg window{comm, config::TheProfile()};
};
