#include "tests/ports/PortsFixture.h"

#include "platform/devices/LinuxDeviceServices.h"
#include "tests/platform/devices/FakeSysfs.h"

#include <filesystem>
#include <iterator>

namespace {

// The ports of the fake tree, in natural order.
class LinuxBackend : public ::testing::Test {
protected:
    std::string Dev(const char* name) const { return (tree.DevRoot() / name).string(); }

    const ui::testing::Recorder recorder;
    const FakeSysfs tree;
    devices::LinuxDeviceServices services{tree.SysRoot(), tree.DevRoot()};
    const SerialPortList all = {
        {Dev("ttyACM0"), "", "Pico (ttyACM0)", 1, "Pico"},
        {Dev("ttyS1"), "", "Serial Port (ttyS1)", 0, "Serial Port"},
        {Dev("ttyS2"), "", "Serial Port (ttyS2)", 0, "Serial Port"},
        {Dev("ttyS3"), "", "Serial Port (ttyS3)", 0, "Serial Port"},
        {Dev("ttyS4"), "", "Serial Port (ttyS4)", 0, "Serial Port"},
        {Dev("ttyS10"), "", "Serial Port (ttyS10)", 0, "Serial Port"},
        {Dev("ttyUSB0"), "", "FT232R USB UART (ttyUSB0)", 1, "FT232R USB UART"},
        {Dev("ttyUSB1"), "", "USB Serial (ttyUSB1)", 1, "USB Serial"},
    };
    SerialPortList list;
};

TEST_F(LinuxBackend, ListsPortsWithADeviceAndAUartInNaturalOrder)
{
    EnumerateSerialPorts(list, false, services);
    EXPECT_EQ(list, all);
    EXPECT_TRUE(recorder.Boxes().empty());
}

// Each port is opened once, ports next to each other among those that do not open included,
// and closed again.
TEST_F(LinuxBackend, ProbeKeepsOnlyThePortsWhoseNodeOpens)
{
    const auto descriptors = [] { return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}); };
    const auto before = descriptors();
    EnumerateSerialPorts(list, true, services);
    EXPECT_EQ(list, (SerialPortList{all[5], all[6]})); // the ones with a device node
    EXPECT_EQ(descriptors(), before);
}

} // namespace
