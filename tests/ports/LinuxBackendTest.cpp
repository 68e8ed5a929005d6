#include "tests/ports/PortsFixture.h"

#include "platform/devices/LinuxDeviceServices.h"
#include "tests/platform/devices/FakeSysfs.h"

namespace {

TEST(LinuxBackend, ListsPortsWithADeviceAndAUartInNaturalOrderAndProbesByOpeningTheirNode)
{
    const ui::testing::Recorder recorder;
    const FakeSysfs tree;
    devices::LinuxDeviceServices services{tree.SysRoot(), tree.DevRoot()};
    const auto dev = [&](const char* name) { return (tree.DevRoot() / name).string(); };
    const SerialPortList all = {
        {dev("ttyACM0"), "", "Pico (ttyACM0)", 1, "Pico"},
        {dev("ttyS1"), "", "Serial Port (ttyS1)", 0, "Serial Port"},
        {dev("ttyS2"), "", "Serial Port (ttyS2)", 0, "Serial Port"},
        {dev("ttyS10"), "", "Serial Port (ttyS10)", 0, "Serial Port"},
        {dev("ttyUSB0"), "", "FT232R USB UART (ttyUSB0)", 1, "FT232R USB UART"},
    };
    SerialPortList list;
    EnumerateSerialPorts(list, false, services);
    EXPECT_EQ(list, all);
    EXPECT_TRUE(recorder.Boxes().empty());

    EnumerateSerialPorts(list, true, services);
    EXPECT_EQ(list, (SerialPortList{all[1], all[3], all[4]})); // the ones with a device node
}

} // namespace
