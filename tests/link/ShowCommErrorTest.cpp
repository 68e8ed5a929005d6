#include "link/CPFCComm.h"
#include "sim/PortLog.h"
#include "sim/SimulatedController.h"
#include "sim/SimulatedPort.h"
#include "sim/VirtualClock.h"

#include "platform/ui/MessageBox.h"
#include "platform/ui/Window.h"
#include "platform/ui/testing/Recorder.h"

#include <gtest/gtest.h>

namespace {

class ShowCommError : public ::testing::Test {
protected:
    static constexpr int kAnswer = 7;
    void SetUp() override { recorder.AnswerBoxesWith(kAnswer); }

    ui::testing::Recorder recorder;
    ui::Window window;
    CPFCComm comm;
};

TEST_F(ShowCommError, EachFailureCodeShowsItsErrorBox)
{
    const std::tuple<int, std::string, ui::Window*> cases[] = {
        {CPFCComm::kCommError, "通信エラー", &window},
        {CPFCComm::kChecksumError, "チェックサムエラー", &window},
        {CPFCComm::kTimeout, "通信タイムアウト", nullptr},
    };
    for (const auto& [code, text, owner] : cases) {
        recorder.ClearBoxes();
        EXPECT_EQ(comm.ShowCommError(owner, "CVelmoraDlg::GetPFCID()", code), kAnswer) << code;
        EXPECT_EQ(recorder.Boxes().size(), 1u) << code;
        if (recorder.Boxes().empty()) continue;
        const auto& box = recorder.Boxes()[0];
        EXPECT_EQ(box.text, text) << code;
        EXPECT_EQ(box.caption, "CVelmoraDlg::GetPFCID()") << code;
        EXPECT_EQ(box.owner, owner) << code;
        EXPECT_EQ(box.Icon(), ui::MB_ICONERROR) << code;
        EXPECT_EQ(box.flags & ~ui::MB_ICONMASK, ui::MB_OK) << code;
    }
}

TEST_F(ShowCommError, OtherCodesShowNothingAndComeBackUnchanged)
{
    for (int code : {0, 1, 2, 32, 255, -4, -100}) {
        EXPECT_EQ(comm.ShowCommError(&window, "caption", code), code);
    }
    EXPECT_TRUE(recorder.Boxes().empty());
}

// The simulated port, which one holder at a time may have.
class ShowOpenError : public ShowCommError {
protected:
    void SetUp() override
    {
        ShowCommError::SetUp();
        log = sim::RegisterSimulatedPort(controller);
    }
    void TearDown() override { sim::UnregisterSimulatedPort(); }

    std::shared_ptr<sim::SimulatedController> controller
        = std::make_shared<sim::SimulatedController>(std::make_shared<sim::VirtualClock>());
    std::shared_ptr<sim::PortLog> log;
};

// A driver that takes only part of the line settings still reports success; what it kept tells.
TEST_F(ShowOpenError, SaysWhyThePortIsNotReadyInOneErrorBox)
{
    const std::string kCheck
        = "が反映されませんでした。アダプタが 19200bps・偶数パリティ・データ 8 ビット・ストップ 1 ビットに対応しているか確認してください。";
    const CPFCComm::PortChooser cancel = [](std::string&) { return false; };
    const struct {
        const char* name;
        CPFCComm::PortChooser chooser;
        std::optional<serial::LineSettings> kept;
        int opened;
        bool open;        // left open
        std::string text; // empty: no box
    } cases[] = {
        {"opened as asked", CPFCComm::PortNamed(sim::kSimulatedPortPath), std::nullopt, 1, true, ""},
        {"none chosen", cancel, std::nullopt, 0, false, ""},
        {"parity dropped", CPFCComm::PortNamed(sim::kSimulatedPortPath), serial::LineSettings{19200, 'n', 8, 1}, 0, true,
            "sim: の通信設定（パリティ）" + kCheck},
        {"nothing kept", CPFCComm::PortNamed(sim::kSimulatedPortPath), serial::LineSettings{9600, 'o', 7, 2}, 0, true,
            "sim: の通信設定（通信速度、データビット、パリティ、ストップビット）" + kCheck},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        recorder.ClearBoxes();
        log->keptLine = each.kept;
        CPFCComm link{each.chooser};
        EXPECT_EQ(link.Open(), each.opened);
        EXPECT_EQ(link.IsOpen(), each.open);
        EXPECT_EQ(link.ShowOpenError(&window, "CVelmoraDlg::OnInitDialog()"), each.text.empty() ? 0 : kAnswer);
        ASSERT_EQ(recorder.Boxes().size(), each.text.empty() ? 0u : 1u);
        if (each.text.empty()) continue;
        const auto& box = recorder.Boxes()[0];
        EXPECT_EQ(box.text, each.text);
        EXPECT_EQ(box.caption, "CVelmoraDlg::OnInitDialog()");
        EXPECT_EQ(box.owner, &window);
        EXPECT_EQ(box.Icon(), ui::MB_ICONERROR);
        EXPECT_EQ(box.flags & ~ui::MB_ICONMASK, ui::MB_OK);
    }
}

} // namespace
