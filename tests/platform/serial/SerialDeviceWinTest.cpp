#include "platform/serial/SerialDevice.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

using namespace serial;

namespace {

// The port Wine maps to the simulated controller's terminal.
std::string TestPort()
{
    const char* port = std::getenv("VELMORA_TEST_PORT");
    return port != nullptr ? port : "COM5";
}

// The link's time-outs: each byte within 101 ms.
constexpr CommTimeouts kLinkTimeouts{0, 1, 100, 0, 0};

// One session for the whole suite: under Wine, the line settings of a second session on the
// same pseudo-terminal fail, which on a real port they do not.
class SerialDeviceWin : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        PortError why = PortError::None;
        device = SerialDevice::Open(TestPort(), why).release();
        ASSERT_NE(device, nullptr) << static_cast<int>(why);
        LineSettings line;
        ASSERT_TRUE(ParseModeString("baud=19200 parity=e data=8 stop=1", line));
        ASSERT_TRUE(device->SetLineSettings(line));
        ASSERT_TRUE(device->SetTimeouts(kLinkTimeouts));
    }
    static void TearDownTestSuite() { delete device; }
    void SetUp() override
    {
        ASSERT_NE(device, nullptr);
        ASSERT_TRUE(device->Purge());
    }

    // Every byte that arrives until a read comes back empty.
    static std::vector<uint8_t> Reply()
    {
        std::vector<uint8_t> bytes;
        uint8_t byte = 0;
        while (device->ReadByte(byte) == ReadResult::Byte) bytes.push_back(byte);
        return bytes;
    }

    static inline SerialDevice* device = nullptr;
};

TEST_F(SerialDeviceWin, TheEngineCodeComesBackForItsRequest)
{
    const std::vector<uint8_t> request{0xF3, 0x02, 0x0A};
    ASSERT_EQ(device->Write(request), 3);
    ASSERT_TRUE(device->Drain());
    const std::vector<uint8_t> reply = Reply();
    ASSERT_EQ(reply.size(), 11u);
    EXPECT_EQ(std::string(reply.begin() + 2, reply.end() - 1), "VLM20DET");
}

// A read with nothing coming waits out its time-out and comes back empty, not failed.
TEST_F(SerialDeviceWin, AReadWithNothingComingIsEmptyAfterItsTimeOut)
{
    const auto before = std::chrono::steady_clock::now();
    uint8_t byte = 0;
    EXPECT_EQ(device->ReadByte(byte), ReadResult::Empty);
    EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(90));
}

// Wine lets a second open of a held port through, so only a missing port is tried here.
TEST_F(SerialDeviceWin, OpeningAMissingPortSaysSo)
{
    PortError why = PortError::None;
    EXPECT_EQ(SerialDevice::Open("COM99", why), nullptr);
    EXPECT_EQ(why, PortError::NotFound);
}

} // namespace
