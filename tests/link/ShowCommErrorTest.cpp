#include "link/CPFCComm.h"
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

// The link chooses the simulated port, which one holder at a time may have.
class ShowOpenError : public ShowCommError {
protected:
    void SetUp() override
    {
        ShowCommError::SetUp();
        sim::RegisterSimulatedPort(controller);
        comm.SetPortChooser(CPFCComm::PortNamed(sim::kSimulatedPortPath));
    }
    void TearDown() override { sim::UnregisterSimulatedPort(); }

    std::shared_ptr<sim::SimulatedController> controller
        = std::make_shared<sim::SimulatedController>(std::make_shared<sim::VirtualClock>());
};

TEST_F(ShowOpenError, ShowsNothingWhenThePortOpenedOrNoneWasChosen)
{
    ASSERT_EQ(comm.Open(), 1);
    EXPECT_EQ(comm.ShowOpenError(&window, "caption"), 0);
    CPFCComm cancelled{[](std::string&) { return false; }};
    ASSERT_EQ(cancelled.Open(), 0);
    EXPECT_EQ(cancelled.ShowOpenError(&window, "caption"), 0);
    EXPECT_TRUE(recorder.Boxes().empty());
}

} // namespace
