#include "sim/SimulatedController.h"
#include "sim/ExchangeLog.h"
#include "sim/FrameCodec.h"
#include "sim/PortLog.h"
#include "sim/PtyServer.h"
#include "sim/RealClock.h"
#include "sim/SimulatedPort.h"
#include "sim/VirtualClock.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

using namespace sim;
using namespace std::chrono_literals;
using serial::ReadResult;

namespace {

const std::vector<uint8_t> kLiveRequest = FrameCodec::Build(0xF0, {});
const std::vector<uint8_t> kCodeRequest = FrameCodec::Build(0xF3, {});

Duration ByteTime(size_t count)
{
    return WirePacing(true).TimeFor(count);
}

class SimulatedControllerTest : public ::testing::Test {
protected:
    // Everything on its way, with the moments it arrives.
    std::vector<TimedByte> Drain()
    {
        std::vector<TimedByte> bytes;
        while (const auto due = controller->NextByteDue()) bytes.push_back({*due, controller->TakeByte()});
        return bytes;
    }

    std::shared_ptr<VirtualClock> clock = std::make_shared<VirtualClock>();
    std::shared_ptr<SimulatedController> controller = std::make_shared<SimulatedController>(clock);
};

// Each direction carries one byte after the other: a second reply waits for the first.
TEST_F(SimulatedControllerTest, PacedBytesQueueOnTheLine)
{
    controller->Pacing().SetPaced(true);
    controller->Receive(kLiveRequest);
    EXPECT_EQ(controller->HostBytesClearAt(), ByteTime(3));
    controller->Receive(kCodeRequest);
    const auto bytes = Drain();
    ASSERT_EQ(bytes.size(), 33u + 11u);
    EXPECT_EQ(bytes[0].due, ByteTime(3) + ByteTime(1));
    EXPECT_EQ(bytes[32].due, ByteTime(3) + ByteTime(33));
    EXPECT_EQ(bytes[33].value, 0xF3);
    EXPECT_EQ(bytes[33].due, bytes[32].due + ByteTime(1));
    EXPECT_EQ(bytes[43].due, bytes[32].due + ByteTime(11));
}

// The log shows what went out, damage included, and the requests nobody answered.
TEST_F(SimulatedControllerTest, ExchangeLogHasALinePerRequestWithTheBytesThatWentBack)
{
    std::vector<std::string> log;
    controller->ObserveExchanges([&log](auto request, auto reply) { log.push_back(ExchangeLog::Line(request, reply)); });
    controller->Faults().Set({.truncateBy = 2, .strayBytes = {0x55}}, 1);
    controller->Receive(kCodeRequest);
    controller->Receive(FrameCodec::Build(0x11, std::vector<uint8_t>{0xAB}));
    controller->Receive(FrameCodec::Build(0xF5, {}));
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0], "F3 02 0A -> 55 F3 0A 56 4C 4D 32 30 44 45");
    EXPECT_EQ(log[1], "11 03 AB 40 -> none");
    EXPECT_EQ(log[2], "F5 02 08 -> F5 07 32 2E 31 30 41 01");
    EXPECT_EQ(Drain().size(), 10u + 8u);
}

// Unpaced, bytes come together unless a pause holds them; a purge keeps what is still coming.
TEST_F(SimulatedControllerTest, PurgeDropsOnlyWhatHasArrived)
{
    controller->Faults().Set({.pauses = {{2, 150ms}}}, 1);
    controller->Receive(kCodeRequest);
    controller->DiscardArrived();
    const auto rest = Drain();
    ASSERT_EQ(rest.size(), 9u);
    EXPECT_EQ(rest.front().due, 150ms);
    EXPECT_EQ(rest.back().due, 150ms);
}

class SimulatedPortTest : public SimulatedControllerTest {
protected:
    void SetUp() override
    {
        log = RegisterSimulatedPort(controller);
        port = serial::SerialDevice::Open(kSimulatedPortPath);
        ASSERT_TRUE(port);
        port->SetTimeouts({0xFFFFFFFF, 1, 100, 1, 100});
    }
    void TearDown() override { UnregisterSimulatedPort(); }

    std::shared_ptr<PortLog> log;
    std::unique_ptr<serial::SerialDevice> port;
    uint8_t byte = 0;
};

// The total time-out is multiplier + constant; a byte due by then is read when it comes.
TEST_F(SimulatedPortTest, ReadWaitsUpToTheTotalTimeOutForTheNextByte)
{
    EXPECT_EQ(port->ReadByte(byte), ReadResult::Empty);
    EXPECT_EQ(clock->Now(), 101ms);
    controller->Faults().Set({.pauses = {{1, 60ms}, {2, 101ms}}}, 1);
    ASSERT_EQ(port->Write(kCodeRequest), 3);
    for (const auto& [value, at] : {std::pair<uint8_t, Duration>{0xF3, 101ms}, {10, 161ms}, {0x56, 262ms}}) {
        ASSERT_EQ(port->ReadByte(byte), ReadResult::Byte) << int{value};
        EXPECT_EQ(byte, value);
        EXPECT_EQ(clock->Now(), at) << int{value};
    }
}

// Zero time-outs take what has arrived and do not wait.
TEST_F(SimulatedPortTest, ZeroTimeOutsLookOnce)
{
    port->SetTimeouts({});
    EXPECT_EQ(port->ReadByte(byte), ReadResult::Empty);
    ASSERT_EQ(port->Write(kCodeRequest), 3);
    EXPECT_EQ(port->ReadByte(byte), ReadResult::Byte);
    EXPECT_EQ(clock->Now(), 0ms);
}

// Generous: a reply takes milliseconds; the limit only keeps a broken server from hanging.
constexpr serial::CommTimeouts kPatient{0xFFFFFFFF, 0, 5000, 0, 5000};

class PtyServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        controller.Pacing().SetPaced(true);
        ASSERT_TRUE(server.Open());
        serving = std::thread([this] { server.Serve(); });
    }
    void TearDown() override
    {
        server.Stop();
        if (serving.joinable()) serving.join();
    }

    // Sends the command from the host and reads back a well-formed reply of `size` bytes.
    void ExpectReply(uint8_t command, size_t size)
    {
        ASSERT_EQ(host->Write(FrameCodec::Build(command, {})), 3);
        std::vector<uint8_t> reply(size);
        for (uint8_t& byte : reply) ASSERT_EQ(host->ReadByte(byte), ReadResult::Byte);
        EXPECT_EQ(reply[0], command);
        EXPECT_TRUE(FrameCodec::SumsCorrectly(reply));
    }

    SimulatedController controller{std::make_shared<RealClock>()};
    PtyServer server{controller};
    std::thread serving;
    std::unique_ptr<serial::SerialDevice> host;
};

// A host killed while holding the port exclusively cannot clear the claim; the next one still
// gets the port, as it would get a real device's.
TEST_F(PtyServerTest, AHostThatDiedHoldingThePortLeavesItFreeForTheNext)
{
    const int dead = ::open(server.DevicePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(dead, 0);
    ASSERT_EQ(::ioctl(dead, TIOCEXCL), 0);
    ::close(dead); // what the kernel does for a killed process: no TIOCNXCL first
    // The server hears of the close on its own thread; a host starting again comes later.
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    while (!host && std::chrono::steady_clock::now() < deadline) {
        host = serial::SerialDevice::Open(server.DevicePath());
        if (!host) std::this_thread::yield();
    }
    ASSERT_TRUE(host) << "the port stayed claimed";
    ASSERT_TRUE(host->SetTimeouts(kPatient));
    ExpectReply(0xF3, 11);
    ExpectReply(0xF0, 33);
}

} // namespace
