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
    const auto byteTime = [](size_t count) { return WirePacing(true).TimeFor(count); };
    controller->Pacing().SetPaced(true);
    controller->Receive(kLiveRequest);
    EXPECT_EQ(controller->HostBytesClearAt(), byteTime(3));
    controller->Receive(kCodeRequest);
    const auto bytes = Drain();
    ASSERT_EQ(bytes.size(), 33u + 11u);
    const Duration lastLive = byteTime(3) + byteTime(33);
    EXPECT_EQ(std::pair(bytes[0].due, bytes[32].due), std::pair(byteTime(3) + byteTime(1), lastLive));
    EXPECT_EQ(std::tuple(bytes[33].value, bytes[33].due, bytes[43].due), std::tuple(0xF3, lastLive + byteTime(1), lastLive + byteTime(11)));
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
    EXPECT_EQ(log, (std::vector<std::string>{"F3 02 0A -> 55 F3 0A 56 4C 4D 32 30 44 45", "11 03 AB 40 -> none",
                       "F5 02 08 -> F5 07 32 2E 31 30 41 01"}));
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
    EXPECT_EQ(std::pair(rest.front().due, rest.back().due), std::pair(Duration(150ms), Duration(150ms)));
}

// The link's time-outs: a read waits up to multiplier + constant for the next byte and takes it
// when it comes; zero time-outs take what has arrived and do not wait.
TEST_F(SimulatedControllerTest, ThePortsReadWaitsUpToItsTotalTimeOut)
{
    const std::shared_ptr<PortLog> log = RegisterSimulatedPort(controller);
    const auto port = serial::SerialDevice::Open(kSimulatedPortPath);
    ASSERT_TRUE(port);
    uint8_t byte = 0;
    port->SetTimeouts({});
    EXPECT_EQ(port->ReadByte(byte), ReadResult::Empty);
    ASSERT_EQ(port->Write(kLiveRequest), 3);
    EXPECT_EQ(port->ReadByte(byte), ReadResult::Byte);
    EXPECT_EQ(clock->Now(), 0ms);
    port->Purge();
    port->SetTimeouts({0xFFFFFFFF, 1, 100, 1, 100});
    EXPECT_EQ(port->ReadByte(byte), ReadResult::Empty);
    EXPECT_EQ(clock->Now(), 101ms);
    controller->Faults().Set({.pauses = {{1, 60ms}, {2, 101ms}}}, 1);
    ASSERT_EQ(port->Write(kCodeRequest), 3);
    for (const auto& [value, at] : {std::pair<uint8_t, Duration>{0xF3, 101ms}, {10, 161ms}, {0x56, 262ms}}) {
        EXPECT_EQ(port->ReadByte(byte), ReadResult::Byte) << int{value};
        EXPECT_EQ(std::pair(byte, clock->Now()), std::pair(value, at)) << int{value};
    }
    UnregisterSimulatedPort();
}

// A host killed while holding the port exclusively cannot clear the claim; the next one still
// gets the port, as it would get a real device's.
TEST(PtyServer, AHostThatDiedHoldingThePortLeavesItFreeForTheNext)
{
    SimulatedController controller{std::make_shared<RealClock>()};
    controller.Pacing().SetPaced(true);
    PtyServer server{controller};
    ASSERT_TRUE(server.Open());
    std::thread serving([&server] { server.Serve(); });
    const int dead = ::open(server.DevicePath().c_str(), O_RDWR | O_NOCTTY);
    EXPECT_EQ(::ioctl(dead, TIOCEXCL), 0);
    ::close(dead); // what the kernel does for a killed process: no TIOCNXCL first
    // The server hears of the close on its own thread; a host starting again comes later.
    std::unique_ptr<serial::SerialDevice> host;
    for (const auto deadline = std::chrono::steady_clock::now() + 2s; !host && std::chrono::steady_clock::now() < deadline;)
        host = serial::SerialDevice::Open(server.DevicePath());
    EXPECT_TRUE(host) << "the port stayed claimed";
    // Generous: a reply takes milliseconds; the limit only keeps a broken server from hanging.
    for (const auto& [command, size] : {std::pair<uint8_t, size_t>{0xF3, 11}, {0xF0, 33}}) {
        if (!host || !host->SetTimeouts({0xFFFFFFFF, 0, 5000, 0, 5000})) break;
        EXPECT_EQ(host->Write(FrameCodec::Build(command, {})), 3);
        std::vector<uint8_t> reply(size);
        for (uint8_t& got : reply) EXPECT_EQ(host->ReadByte(got), ReadResult::Byte);
        EXPECT_EQ(reply[0], command);
        EXPECT_TRUE(FrameCodec::SumsCorrectly(reply));
    }
    server.Stop();
    serving.join();
}

} // namespace
