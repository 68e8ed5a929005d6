#include "sim/FrameCodec.h"
#include "sim/SimulatedController.h"
#include "sim/VirtualClock.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace sim {
namespace {

using namespace std::chrono_literals;

const std::vector<uint8_t> kLiveRequest = FrameCodec::Build(0xF0, {});
const std::vector<uint8_t> kCodeRequest = FrameCodec::Build(0xF3, {});

class SimulatedControllerTest : public ::testing::Test {
protected:
    // Everything on its way, with the moments it arrives.
    std::vector<TimedByte> Drain()
    {
        std::vector<TimedByte> bytes;
        while (const auto due = controller.NextByteDue()) {
            bytes.push_back({*due, controller.TakeByte()});
        }
        return bytes;
    }
    Duration ByteTime(size_t count) const { return WirePacing(true).TimeFor(count); }

    std::shared_ptr<VirtualClock> clock = std::make_shared<VirtualClock>();
    SimulatedController controller{clock};
};

TEST_F(SimulatedControllerTest, UnpacedReplyIsThereAtOnce)
{
    clock->Advance(3s);
    controller.Receive(kCodeRequest);
    const auto reply = Drain();
    ASSERT_EQ(reply.size(), 11u);
    EXPECT_EQ(reply.front().due, 3s);
    EXPECT_EQ(reply.back().due, 3s);
    EXPECT_EQ(reply.front().value, 0xF3);
}

TEST_F(SimulatedControllerTest, PacedExchangeTakesTheWireTimeOfBothFrames)
{
    controller.Pacing().SetPaced(true);
    controller.Receive(kLiveRequest);
    EXPECT_EQ(controller.HostBytesClearAt(), ByteTime(3));
    const auto reply = Drain();
    ASSERT_EQ(reply.size(), 33u);
    EXPECT_EQ(reply.front().due, ByteTime(3) + ByteTime(1));
    EXPECT_EQ(reply.back().due, ByteTime(3) + ByteTime(33));
    EXPECT_EQ(ByteTime(36), 20'625'000ns); // 36 bytes of 11 bits at 19200 baud
}

TEST_F(SimulatedControllerTest, RequestSplitOverWritesIsAnsweredOnceComplete)
{
    controller.Receive(std::span(kCodeRequest).first(2));
    EXPECT_FALSE(controller.NextByteDue());
    controller.Receive(std::span(kCodeRequest).last(1));
    EXPECT_EQ(Drain().size(), 11u);
    EXPECT_EQ(controller.Received(), kCodeRequest);
}

TEST_F(SimulatedControllerTest, HalfRequestLeftLongIsGivenUp)
{
    controller.Receive(std::span(kCodeRequest).first(2));
    clock->Advance(1s);
    controller.Receive(kLiveRequest);
    const auto reply = Drain();
    ASSERT_FALSE(reply.empty());
    EXPECT_EQ(reply.front().value, 0xF0);
}

TEST_F(SimulatedControllerTest, SecondReplyWaitsForTheFirstToLeaveTheLine)
{
    controller.Pacing().SetPaced(true);
    controller.Receive(kLiveRequest);
    controller.Receive(kCodeRequest);
    const auto bytes = Drain();
    ASSERT_EQ(bytes.size(), 33u + 11u);
    EXPECT_EQ(bytes[33].value, 0xF3);
    EXPECT_EQ(bytes[33].due, bytes[32].due + ByteTime(1));
    for (size_t i = 1; i < bytes.size(); ++i) {
        EXPECT_GT(bytes[i].due, bytes[i - 1].due);
    }
}

TEST_F(SimulatedControllerTest, LateReplyAndPausesShiftArrivals)
{
    controller.Faults().Set({.pauses = {{2, 150ms}}, .lateBy = 600ms}, 1);
    controller.Receive(kCodeRequest);
    const auto bytes = Drain();
    ASSERT_EQ(bytes.size(), 11u);
    EXPECT_EQ(bytes[0].due, 600ms);
    EXPECT_EQ(bytes[1].due, 600ms);
    EXPECT_EQ(bytes[2].due, 750ms);
    EXPECT_EQ(bytes[10].due, 750ms);
}

TEST_F(SimulatedControllerTest, PurgeDropsWhatArrivedAndKeepsWhatIsStillComing)
{
    controller.Faults().Set({.pauses = {{5, 1s}}}, 1);
    controller.Receive(kCodeRequest);
    clock->Advance(10ms);
    controller.DiscardArrived();
    EXPECT_EQ(controller.BytesOnTheWay(), 6u);
    EXPECT_EQ(controller.NextByteDue(), 1s);
}

TEST_F(SimulatedControllerTest, UnknownCommandLeavesTheLineQuiet)
{
    controller.Receive(FrameCodec::Build(0x3F, std::vector<uint8_t>{1, 2}));
    EXPECT_FALSE(controller.NextByteDue());
    EXPECT_THAT(controller.Received(), ElementsAre(0x3F, 0x04, 1, 2, 0xB9));
}

} // namespace
} // namespace sim
