#include "sim/FrameCodec.h"
#include "sim/PortLog.h"
#include "sim/SimulatedController.h"
#include "sim/SimulatedPort.h"
#include "sim/VirtualClock.h"

#include <gtest/gtest.h>

namespace sim {
namespace {

using namespace std::chrono_literals;
using serial::ReadResult;

constexpr serial::CommTimeouts kLinkTimeouts{0xFFFFFFFF, 1, 100, 1, 100};

class SimulatedPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        log = RegisterSimulatedPort(controller);
        port = serial::SerialDevice::Open(kSimulatedPortPath);
        ASSERT_TRUE(port);
        port->SetTimeouts(kLinkTimeouts);
    }
    void TearDown() override { UnregisterSimulatedPort(); }

    void Send(uint8_t command)
    {
        const auto frame = FrameCodec::Build(command, {});
        ASSERT_EQ(port->Write(frame), 3);
        ASSERT_TRUE(port->Drain());
    }

    std::shared_ptr<VirtualClock> clock = std::make_shared<VirtualClock>();
    std::shared_ptr<SimulatedController> controller = std::make_shared<SimulatedController>(clock);
    std::shared_ptr<PortLog> log;
    std::unique_ptr<serial::SerialDevice> port;
};

TEST_F(SimulatedPortTest, OneHolderAtATime)
{
    EXPECT_FALSE(serial::SerialDevice::Open(kSimulatedPortPath));
    port.reset();
    EXPECT_FALSE(log->open);
    EXPECT_TRUE(serial::SerialDevice::Open(kSimulatedPortPath));
}

TEST_F(SimulatedPortTest, EmptyReadWaitsTheTotalTimeOutOnTheClock)
{
    uint8_t byte = 0;
    EXPECT_EQ(port->ReadByte(byte), ReadResult::Empty);
    EXPECT_EQ(clock->Now(), 101ms);
}

TEST_F(SimulatedPortTest, ZeroTimeOutLooksOnce)
{
    port->SetTimeouts({});
    uint8_t byte = 0;
    EXPECT_EQ(port->ReadByte(byte), ReadResult::Empty);
    EXPECT_EQ(clock->Now(), Duration{});
}

TEST_F(SimulatedPortTest, ReplyBytesArriveInOrderWhenDue)
{
    controller->Faults().Set({.pauses = {{1, 60ms}}}, 1);
    Send(0xF3);
    uint8_t byte = 0;
    ASSERT_EQ(port->ReadByte(byte), ReadResult::Byte);
    EXPECT_EQ(byte, 0xF3);
    ASSERT_EQ(port->ReadByte(byte), ReadResult::Byte);
    EXPECT_EQ(byte, 10);
    EXPECT_EQ(clock->Now(), 60ms);
}

TEST_F(SimulatedPortTest, PacedDrainWaitsUntilTheRequestHasLeft)
{
    controller->Pacing().SetPaced(true);
    Send(0xF0);
    EXPECT_EQ(clock->Now(), WirePacing(true).TimeFor(3));
}

TEST_F(SimulatedPortTest, BrokenLineFailsReadsAndWrites)
{
    log->broken = true;
    uint8_t byte = 0;
    EXPECT_EQ(port->ReadByte(byte), ReadResult::Failed);
    EXPECT_EQ(port->Write(FrameCodec::Build(0xF0, {})), -1);
    port->ClearError();
    EXPECT_EQ(log->errorClears, 1);
}

TEST_F(SimulatedPortTest, LogRecordsWhatTheHostSet)
{
    port->Purge();
    serial::LineSettings settings{19200, 'e', 8, 1};
    port->SetLineSettings(settings);
    EXPECT_EQ(log->purges, 1);
    ASSERT_TRUE(log->timeouts);
    EXPECT_EQ(log->timeouts->readTotalTimeoutConstant, 100u);
    ASSERT_TRUE(log->lineSettings);
    EXPECT_EQ(log->lineSettings->parity, 'e');
}

} // namespace
} // namespace sim
