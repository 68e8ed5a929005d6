#include "platform/serial/SerialDevice.h"
#include "sim/FrameCodec.h"
#include "sim/PtyServer.h"
#include "sim/RealClock.h"
#include "sim/SimulatedController.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

using namespace sim;
using namespace std::chrono_literals;
using serial::ReadResult;

namespace {

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
