#pragma once

#include "app/CVelmoraDlg.h"
#include "config/ActiveProfile.h"
#include "sim/PtyServer.h"
#include "sim/RealClock.h"
#include "tests/support/PortDialogScript.h"
#include "tests/support/SimulatedPage.h"

#include <thread>

// The program started in a temporary working directory against the simulated controller
// behind a real pseudo-terminal, served from a thread of the test: the port dialog offers the
// terminal's path, and the link opens it through the system's serial backend. The controller
// runs on the real clock, paced as the wire is, with the extended live block so the profile's
// one monitor item keeps its row.
class PtyAppFixture : public ::testing::Test {
protected:
    static constexpr const char* kProfile = "[Velmora]\nMonItems=1\nDataItems=0\n"
                                            "[MonItem1]\nName=回転\nUnit=rpm\nCoefficient=1\nOffset=0\nAddress=0\nType=1\n";
    static constexpr const char* kIdle = "idle, ﾄﾚｰｽ開始";
    static constexpr const char* kTracing = "tracing, ﾄﾚｰｽ停止";

    static void SetUpTestSuite() { res::InstallResources(); }
    void SetUp() override
    {
        controller.Pacing().SetPaced(true);
        controller.Responder().Config().liveLength = sim::ResponderConfig::kExtendedLiveLength;
        ASSERT_TRUE(server.Open());
        serving = std::thread([this] { server.Serve(); });
        OfferPort(server.DevicePath());
        directory.Write("Trace.ini", kProfile);
        config::TheProfile().SetProfilePath("Velmora.ini");
    }
    void TearDown() override
    {
        server.Stop();
        if (serving.joinable()) serving.join();
    }

    // The base file lists `path` as the one port, preselected, and the profile.
    void OfferPort(const std::string& path) const
    {
        directory.Write("Velmora.ini", "[CommSelect]\nItem=0\n[Ports]\nItems=1\nItem1=" + path + "\n[Profiles]\nItems=1\nItem1=Trace.ini\n");
    }
    // Start-up with the port dialog confirmed; the profile dialog takes the profile, or is
    // left open for the recorder to cancel, which ends start-up before the monitor list.
    void Start(bool chooseProfile = true)
    {
        ScriptStartupDialogs(recorder, chooseProfile ? 0 : -1);
        ASSERT_TRUE(window.Create());
    }

    // Every reply from now on is damaged as `plan` says, until another plan replaces it.
    void EveryReply(const sim::FaultPlan& plan) { server.WithController([&](sim::SimulatedController& c) { c.Faults().Set(plan); }); }
    size_t Polls()
    {
        size_t polls = 0;
        server.WithController([&](sim::SimulatedController& c) { polls = frames::CountSent(c.Received(), 0xF0); });
        return polls;
    }

    void ClickTrace() { ui::testing::Click(*window.GetDlgItem(res::IDC_TRACE)); }
    // Runs the program's own loop, trace timer and all, until a box shows or done() holds;
    // false on a hang.
    bool RunUntilBoxOr(const std::function<bool()>& done = [] { return false; })
    {
        // Far beyond what any fault makes an exchange last; reaching it means a hang.
        return ui::testing::RunUntil([&] { return !recorder.Boxes().empty() || done(); }, 5000);
    }
    // Every box shown so far, as "caption: text", and forgets them.
    Strings TakeBoxes()
    {
        Strings boxes = recorder.BoxTexts();
        recorder.ClearBoxes();
        return boxes;
    }
    // The trace flag and the button's label, which names the next action.
    std::string TraceState()
    {
        return std::string(window.Tracing() ? "tracing, " : "idle, ") + window.GetDlgItem(res::IDC_TRACE)->GetWindowText();
    }
    std::string Value() { return window.MonitorList().GetItemText(0, 1); }

    WorkingDirectory directory;
    sim::SimulatedController controller{std::make_shared<sim::RealClock>()};
    sim::PtyServer server{controller};
    std::thread serving;
    ui::testing::Recorder recorder;
    CPFCComm comm;
    CVelmoraDlg window{comm, config::TheProfile()};
};
