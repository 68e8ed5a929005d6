#include "sim/FrameCodec.h"
#include "sim/PtyServer.h"
#include "sim/RealClock.h"
#include "sim/SimulatedController.h"

#include "platform/serial/SerialDevice.h"

#include <gtest/gtest.h>

#include <thread>

namespace sim {
namespace {

// Generous: the reply needs a few milliseconds; the limit only keeps a broken server from
// hanging the suite.
constexpr serial::CommTimeouts kPatient{0xFFFFFFFF, 0, 5000, 0, 5000};

class PtyServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        controller.Pacing().SetPaced(true);
        ASSERT_TRUE(server.Open());
        serving = std::thread([this] { server.Serve(); });
        host = serial::SerialDevice::Open(server.DevicePath());
        ASSERT_TRUE(host);
        host->SetTimeouts(kPatient);
    }
    void TearDown() override
    {
        server.Stop();
        serving.join();
    }

    std::vector<uint8_t> Exchange(uint8_t command, size_t replySize)
    {
        const auto request = FrameCodec::Build(command, {});
        EXPECT_EQ(host->Write(request), 3);
        std::vector<uint8_t> reply;
        uint8_t byte = 0;
        while (reply.size() < replySize && host->ReadByte(byte) == serial::ReadResult::Byte) {
            reply.push_back(byte);
        }
        return reply;
    }

    SimulatedController controller{std::make_shared<RealClock>()};
    PtyServer server{controller};
    std::thread serving;
    std::unique_ptr<serial::SerialDevice> host;
};

TEST_F(PtyServerTest, HostOnTheTerminalGetsFramedReplies)
{
    EXPECT_EQ(server.DevicePath().rfind("/dev/pts/", 0), 0u);
    const auto code = Exchange(0xF3, 11);
    ASSERT_EQ(code.size(), 11u);
    EXPECT_EQ(code[0], 0xF3);
    EXPECT_TRUE(FrameCodec::SumsCorrectly(code));

    const auto live = Exchange(0xF0, 33);
    ASSERT_EQ(live.size(), 33u);
    EXPECT_TRUE(FrameCodec::SumsCorrectly(live));
    EXPECT_EQ(controller.Received().size(), 6u);
}

TEST_F(PtyServerTest, ServesAHostThatOpensTheTerminalAgain)
{
    host.reset();
    host = serial::SerialDevice::Open(server.DevicePath());
    ASSERT_TRUE(host);
    host->SetTimeouts(kPatient);
    const auto version = Exchange(0xF5, 8);
    ASSERT_EQ(version.size(), 8u);
    EXPECT_TRUE(FrameCodec::SumsCorrectly(version));
}

} // namespace
} // namespace sim
