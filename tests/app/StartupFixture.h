#pragma once

#include "app/CVelmoraDlg.h"
#include "config/ActiveProfile.h"
#include "tests/support/PortDialogScript.h"
#include "tests/support/SimulatedPage.h"

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
