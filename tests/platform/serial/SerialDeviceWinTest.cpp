#include "platform/serial/SerialDevice.h"
#include "sim/FrameCodec.h"
#include "sim/SimulatedController.h"
#include "sim/VirtualClock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

using namespace serial;

namespace {

// The port Wine maps to the simulated controller's terminal, and one whose controller hangs up
// when the second request arrives.
std::string TestPort(const char* variable)
{
    const char* port = std::getenv(variable);
    return port != nullptr ? port : "";
}

// The link's time-outs with more room, each byte within 401 ms: on a loaded machine the
// simulator may pause longer than the link's 100 ms, and an empty read ends a reply here.
constexpr CommTimeouts kTimeouts{0, 1, 400, 0, 0};

std::unique_ptr<SerialDevice> OpenForTheLink(const std::string& port)
{
    PortError why = PortError::None;
    auto device = SerialDevice::Open(port, why);
    LineSettings line;
    EXPECT_TRUE(device && ParseModeString("baud=19200 parity=e data=8 stop=1", line) && device->SetLineSettings(line)
        && device->SetTimeouts(kTimeouts))
        << port << ": " << static_cast<int>(why);
    return device;
}

// Every byte that arrives until a read comes back empty or fails; the last read's result.
std::pair<std::vector<uint8_t>, ReadResult> Reply(SerialDevice& device)
{
    std::vector<uint8_t> bytes;
    uint8_t byte = 0;
    ReadResult result;
    while ((result = device.ReadByte(byte)) == ReadResult::Byte) bytes.push_back(byte);
    return {bytes, result};
}

// What the simulated controller answers to `command`, asked in process.
std::vector<uint8_t> Answer(uint8_t command)
{
    sim::SimulatedController controller{std::make_shared<sim::VirtualClock>()};
    controller.Receive(sim::FrameCodec::Build(command, {}));
    std::vector<uint8_t> bytes;
    while (controller.NextByteDue()) bytes.push_back(controller.TakeByte());
    return bytes;
}

// One session for the whole suite: under Wine, the line settings of a second session on the
// same pseudo-terminal fail, which on a real port they do not.
class SerialDeviceWin : public ::testing::Test {
protected:
    static void SetUpTestSuite() { device = OpenForTheLink(TestPort("VELMORA_TEST_PORT")).release(); }
    static void TearDownTestSuite() { delete device; }
    void SetUp() override
    {
        ASSERT_NE(device, nullptr);
        ASSERT_TRUE(device->Purge());
    }

    static inline SerialDevice* device = nullptr;
};

// Every byte comes through as it was sent, whatever its value: no flow control, no line-end
// translation, no parity stripping.
TEST_F(SerialDeviceWin, RepliesComeBackByteForByte)
{
    for (const auto& [name, command] : {std::pair{"the engine code", 0xF3}, {"a byte map's first part", 0x40},
             {"a byte map's last part", 0x43}, {"the word map's first part", 0x50}}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(device->Write(sim::FrameCodec::Build(static_cast<uint8_t>(command), {})), 3);
        device->Drain();
        EXPECT_EQ(Reply(*device), std::pair(Answer(static_cast<uint8_t>(command)), ReadResult::Empty));
    }
}

// A read with nothing coming waits out its time-out and comes back empty, not failed.
TEST_F(SerialDeviceWin, AReadWithNothingComingIsEmptyAfterItsTimeOut)
{
    const auto before = std::chrono::steady_clock::now();
    uint8_t byte = 0;
    EXPECT_EQ(device->ReadByte(byte), ReadResult::Empty);
    EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(90));
}

// An unplugged controller: nothing arrives any more, and the next request cannot go out. (Wine
// reads the gone terminal as silence where Windows fails the read.)
TEST(SerialDeviceWinHangUp, AfterTheDeviceWentNothingArrivesAndWritesFail)
{
    const auto device = OpenForTheLink(TestPort("VELMORA_TEST_HANG_UP_PORT"));
    ASSERT_NE(device, nullptr);
    ASSERT_EQ(device->Write(sim::FrameCodec::Build(0xF3, {})), 3);
    EXPECT_EQ(Reply(*device), std::pair(Answer(0xF3), ReadResult::Empty));
    device->Write(sim::FrameCodec::Build(0xF3, {})); // its arrival unplugs the controller
    EXPECT_TRUE(Reply(*device).first.empty());
    EXPECT_EQ(device->Write(sim::FrameCodec::Build(0xF3, {})), -1);
}

// Wine lets a second open of a held port through, so only a missing port is tried here.
TEST_F(SerialDeviceWin, OpeningAMissingPortSaysSo)
{
    PortError why = PortError::None;
    EXPECT_EQ(SerialDevice::Open("COM99", why), nullptr);
    EXPECT_EQ(why, PortError::NotFound);
}

} // namespace
