#include "tests/ports/PortsFixture.h"

#include "platform/devices/LinuxDeviceServices.h"
#include "tests/platform/devices/SampleSerialTree.h"

namespace {

class LinuxBackend : public ::testing::Test {
protected:
    std::string Dev(const std::string& name) const { return (tree.DevRoot() / name).string(); }

    ui::testing::Recorder recorder;
    SampleSerialTree tree;
    devices::LinuxDeviceServices services{tree.SysRoot(), tree.DevRoot()};
    SerialPortList list;
};

TEST_F(LinuxBackend, ListsEveryPortWithItsDevicePathNamesAndUsbFlag)
{
    EnumerateSerialPorts(list, false, services);
    EXPECT_EQ(list, (SerialPortList{
                        {Dev("ttyACM0"), "", "Pico (ttyACM0)", 1, "Pico"},
                        {Dev("ttyS1"), "", "Serial Port (ttyS1)", 0, "Serial Port"},
                        {Dev("ttyS2"), "", "Serial Port (ttyS2)", 0, "Serial Port"},
                        {Dev("ttyS10"), "", "Serial Port (ttyS10)", 0, "Serial Port"},
                        {Dev("ttyUSB0"), "", "FT232R USB UART (ttyUSB0)", 1, "FT232R USB UART"},
                    }));
    EXPECT_TRUE(recorder.Boxes().empty());
}

TEST_F(LinuxBackend, ProbeKeepsOnlyPortsWhoseDeviceOpens)
{
    EnumerateSerialPorts(list, true, services);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].devicePath, Dev("ttyS1"));
    EXPECT_EQ(list[1].devicePath, Dev("ttyS10"));
    EXPECT_EQ(list[2].devicePath, Dev("ttyUSB0"));
}

TEST_F(LinuxBackend, ProductTooLongForThePropertyBufferHidesThePort)
{
    // 246 characters and " (ttyUSB9)" make 256, which with the terminator is one byte too many.
    tree.UsbDevice("pci0000:00/0000:00:14.0/usb1/1-4", std::string(246, 'P'), "");
    tree.Tty(tree.Device("pci0000:00/0000:00:14.0/usb1/1-4/1-4:1.0/ttyUSB9"), "ttyUSB9");
    tree.UsbDevice("pci0000:00/0000:00:14.0/usb1/1-5", std::string(245, 'P'), "");
    tree.Tty(tree.Device("pci0000:00/0000:00:14.0/usb1/1-5/1-5:1.0/ttyUSB8"), "ttyUSB8");
    EnumerateSerialPorts(list, false, services);
    ASSERT_EQ(list.size(), 6u);
    EXPECT_EQ(list.back().devicePath, Dev("ttyUSB8"));
    EXPECT_EQ(list.back().friendlyName.size(), 255u);
}

} // namespace
