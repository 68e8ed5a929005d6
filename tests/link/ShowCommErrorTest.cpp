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

// A failure code gives one error box with OK and the box's answer; any other result shows
// nothing and comes back as it was.
TEST_F(ShowCommError, EachFailureCodeShowsItsErrorBox)
{
    const std::tuple<int, std::string, ui::Window*> cases[] = {
        {CPFCComm::kCommError, "通信エラー", &window},
        {CPFCComm::kChecksumError, "チェックサムエラー", &window},
        {CPFCComm::kTimeout, "通信タイムアウト", nullptr},
        {0, "", &window},
        {32, "", &window},
        {-4, "", &window},
    };
    for (const auto& [code, text, owner] : cases) {
        SCOPED_TRACE(code);
        recorder.ClearBoxes();
        EXPECT_EQ(comm.ShowCommError(owner, "CVelmoraDlg::GetPFCID()", code), text.empty() ? code : kAnswer);
        ASSERT_EQ(recorder.Boxes().size(), text.empty() ? 0u : 1u);
        if (text.empty()) continue;
        const auto& box = recorder.Boxes()[0];
        EXPECT_EQ(std::tuple(box.text, box.caption, box.owner, box.flags), std::tuple(text, "CVelmoraDlg::GetPFCID()", owner, ui::MB_ICONERROR | ui::MB_OK));
    }
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
        EXPECT_EQ(std::tuple(box.text, box.caption, box.owner, box.flags),
            std::tuple(each.text, "CVelmoraDlg::OnInitDialog()", &window, ui::MB_ICONERROR | ui::MB_OK));
    }
}

} // namespace
