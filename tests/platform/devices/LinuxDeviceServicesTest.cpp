#include "platform/devices/LinuxDeviceServices.h"

#include "tests/platform/devices/FakeSysfs.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>

using namespace devices;

namespace {

constexpr size_t kPropertyBuffer = 256;
constexpr size_t kDetailBuffer = 261;

// Friendly name, description and location.
using Properties = std::array<std::optional<std::string>, 3>;

class LinuxDeviceServicesTest : public ::testing::Test {
protected:
    // The properties of the index-th COM-port interface (ports come in natural name order).
    Properties PropertiesAt(uint32_t index, size_t bufferSize = kPropertyBuffer)
    {
        const Handle set = services.GetClassDevices(GUID_DEVINTERFACE_COMPORT, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
        DeviceInterfaceData deviceInterface{.cbSize = kDeviceInterfaceDataSize, .index = 0};
        DeviceInterfaceDetail detail{.cbSize = kInterfaceDetailDataSize, .devicePath = {}};
        DeviceInfoData device{.cbSize = kDeviceInfoDataSize, .devInst = 0};
        EXPECT_TRUE(services.EnumDeviceInterfaces(set, GUID_DEVINTERFACE_COMPORT, index, deviceInterface));
        EXPECT_TRUE(services.GetDeviceInterfaceDetail(set, deviceInterface, detail, kDetailBuffer, device));
        const auto get = [&](uint32_t property) { return services.GetDeviceRegistryProperty(set, device, property, bufferSize); };
        return {get(SPDRP_FRIENDLYNAME), get(SPDRP_DEVICEDESC), get(SPDRP_LOCATION_INFORMATION)};
    }

    FakeSysfs tree;
    LinuxDeviceServices services{tree.SysRoot(), tree.DevRoot()};
};

TEST_F(LinuxDeviceServicesTest, UsbPortsAreNamedAndLocatedByTheirUsbDeviceOthersGenericallyBySubsystem)
{
    const std::string usb = "pci0000:00/0000:00:14.0/usb1/1-3";
    tree.UsbDevice(usb, "");
    tree.Tty(usb + "/1-3:1.0/ttyUSB1", "ttyUSB1");
    tree.Tty("pnp0/00:05", "ttyS3");                                               // no type, no subsystem
    FakeSysfs::Attribute(tree.Tty("pnp0/00:06", "ttyS4"), "type", "");             // not a plain 0: a UART
    EXPECT_EQ(PropertiesAt(0), (Properties{"Pico (ttyACM0)", "Pico", "USB 1-2"})); // tty under the interface
    EXPECT_EQ(PropertiesAt(1), (Properties{"Serial Port (ttyS1)", "Serial Port", "platform serial8250"}));
    EXPECT_EQ(PropertiesAt(3), (Properties{"Serial Port (ttyS3)", "Serial Port", "device 00:05"}));
    EXPECT_EQ(PropertiesAt(4), (Properties{"Serial Port (ttyS4)", "Serial Port", "device 00:06"}));
    EXPECT_EQ(PropertiesAt(6), (Properties{"FT232R USB UART (ttyUSB0)", "FT232R USB UART", "USB 1-1.2"}));
    EXPECT_EQ(PropertiesAt(7), (Properties{"USB Serial (ttyUSB1)", "USB Serial", "USB 1-3"})); // no product
}

TEST_F(LinuxDeviceServicesTest, TextsMustFitTheCallersBuffer)
{
    // "Pico (ttyACM0)" is 14 characters: it needs 15 bytes with its terminator.
    EXPECT_EQ(PropertiesAt(0, 15)[0], "Pico (ttyACM0)");
    EXPECT_EQ(PropertiesAt(0, 14)[0], std::nullopt);
    EXPECT_EQ(services.GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

TEST_F(LinuxDeviceServicesTest, NoTtyClassMeansNoPorts)
{
    LinuxDeviceServices empty(tree.SysRoot() / "nowhere", tree.DevRoot());
    const Handle set = empty.GetClassDevices(GUID_DEVINTERFACE_COMPORT, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    DeviceInterfaceData deviceInterface{.cbSize = kDeviceInterfaceDataSize, .index = 0};
    EXPECT_FALSE(empty.EnumDeviceInterfaces(set, GUID_DEVINTERFACE_COMPORT, 0, deviceInterface));
    EXPECT_EQ(empty.GetLastError(), ERROR_NO_MORE_ITEMS);
}

TEST_F(LinuxDeviceServicesTest, FailedOpenReportsErrno)
{
    EXPECT_EQ(services.OpenDevice((tree.DevRoot() / "ttyACM0").string()), kInvalidHandle); // no device node
    EXPECT_EQ(services.GetLastError(), static_cast<uint32_t>(ENOENT));
}

TEST(SystemDeviceServices, IsOneLinuxBackendForTheProcess)
{
    DeviceServices& services = SystemDeviceServices();
    EXPECT_EQ(&services, &SystemDeviceServices());
    EXPECT_NE(dynamic_cast<LinuxDeviceServices*>(&services), nullptr);
}

} // namespace
