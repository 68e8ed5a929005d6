// The console against the velmora-sim program on a pseudo-terminal, as a technician would use
// it: each command typed and sent by hand, the reply's bytes compared with the simulator's own
// log of what it answered.
#include "pages/CDTCommandDlg.h"

#include "link/CPFCComm.h"
#include "resources/ResourceIds.h"
#include "tests/support/SimulatorProcess.h"
#include "tests/support/TemporaryDirectory.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Recorder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

struct LogLine {
    Strings request;
    Strings reply; // empty when the simulator did not answer
};

Strings Words(const std::string& text)
{
    std::istringstream in(text);
    Strings words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

class ConsoleAgainstSimulator : public ::testing::Test {
protected:
    static void SetUpTestSuite() { res::InstallResources(); }
    void SetUp() override
    {
        ASSERT_FALSE(simulator.DevicePath().empty()) << "velmora-sim did not start";
        ASSERT_EQ(comm.Open(), 1);
        ASSERT_TRUE(host.Create());
        ui::testing::ShowAndActivate(host);
        page.Attach(comm);
        ASSERT_TRUE(page.Create(&host));
        page.ShowWindow(ui::SW_SHOW);
        ui::testing::ProcessEvents();
    }

    // Types the command into its field and clicks Send, as a technician does.
    void SendByHand(const std::string& command)
    {
        ui::Window& edit = *page.GetDlgItem(res::IDC_COMMAND);
        ui::testing::Click(edit);
        ui::testing::PressKey(ui::VK_END, ui::testing::None, &edit);
        for (int i = 0; i < 4; ++i) ui::testing::PressKey(ui::VK_BACK, ui::testing::None, &edit);
        ui::testing::TypeText(command, &edit);
        ui::testing::Click(*page.GetDlgItem(res::IDC_DWCMDSEND));
        ui::testing::ProcessEvents();
    }
    // The simulator writes a line before the reply leaves, so the last line is this exchange's.
    LogLine LastLogLine() const
    {
        std::ifstream in(log);
        std::string line;
        for (std::string next; std::getline(in, next);) line = next;
        const size_t arrow = line.find(" -> ");
        if (arrow == std::string::npos) return {};
        const std::string reply = line.substr(arrow + 4);
        return {Words(line.substr(0, arrow)), reply == "none" ? Strings{} : Words(reply)};
    }
    // What the receive grid shows in blue: the data bytes of the last reply.
    Strings ShownReplyData()
    {
        CGridCtrl& grid = page.ReceiveGrid();
        Strings shown;
        for (int i = 0; i < CDTCommandDlg::kBytes; ++i) {
            const int row = i / CDTCommandDlg::kBytesPerRow + 1;
            const int col = i % CDTCommandDlg::kBytesPerRow + 1;
            if (grid.GetCell(row, col)->GetBackColor() != ui::RGB(0, 0, 96)) break;
            shown.push_back(grid.GetCellText(row, col));
        }
        return shown;
    }

    TemporaryDirectory directory;
    std::string log = (directory.Path() / "sim.log").string();
    SimulatorProcess simulator{{"--log", log}};
    ui::testing::Recorder recorder;
    CPFCComm comm{CPFCComm::PortNamed(simulator.DevicePath())};
    ui::Dialog host{res::IDD_ABOUTBOX};
    CDTCommandDlg page;
};

// Every command the simulator serves with its default controller that the console may send:
// identity, live block, axes, the three byte maps' four parts and the word map's eight (the
// console refuses the password command).
TEST_F(ConsoleAgainstSimulator, EveryKnownCommandShowsTheBytesTheSimulatorLoggedAsItsReply)
{
    Strings commands{"F3", "F5", "F0", "8A"};
    char hex[3];
    for (const int base : {0x40, 0x44, 0x48}) {
        for (int part = 0; part < 4; ++part) {
            std::snprintf(hex, sizeof hex, "%02X", base + part);
            commands.push_back(hex);
        }
    }
    for (int part = 0; part < 8; ++part) {
        std::snprintf(hex, sizeof hex, "%02X", 0x50 + part);
        commands.push_back(hex);
    }

    for (const std::string& command : commands) {
        SCOPED_TRACE("command " + command);
        SendByHand(command);
        const LogLine exchange = LastLogLine();
        ASSERT_EQ(exchange.request.size(), 3u);
        EXPECT_EQ(exchange.request[0], command);
        EXPECT_EQ(exchange.request[1], "02");
        ASSERT_GE(exchange.reply.size(), 3u);
        EXPECT_EQ(exchange.reply[0], command);
        const Strings data(exchange.reply.begin() + 2, exchange.reply.end() - 1);
        EXPECT_EQ(ShownReplyData(), data);
    }
    EXPECT_TRUE(recorder.Boxes().empty());
}

// A command the simulator does not know goes out, is logged unanswered and ends in the link's
// time-out box, open for real until Return closes it without sending again; the console then
// still works.
TEST_F(ConsoleAgainstSimulator, AnUnknownCommandIsLoggedUnansweredAndTimesOut)
{
    recorder.WhilePopupOpen([] { ui::testing::PressKey(ui::VK_RETURN); });
    SendByHand("12");
    EXPECT_EQ(recorder.PopupsLeftOpen(), 0);
    const LogLine exchange = LastLogLine();
    EXPECT_EQ(exchange.request, (Strings{"12", "02", "EB"}));
    EXPECT_TRUE(exchange.reply.empty());
    ASSERT_EQ(recorder.Boxes().size(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].caption + ": " + recorder.Boxes()[0].text, "CDTCommandDlg::OnBnClickedDwcmdsend(): 通信タイムアウト");
    EXPECT_EQ(recorder.Boxes()[0].Icon(), ui::MB_ICONERROR);

    SendByHand("F5");
    EXPECT_EQ(ShownReplyData(), (Strings{"32", "2E", "31", "30", "41"}));
    EXPECT_EQ(recorder.Boxes().size(), 1u);
}

} // namespace
