#include "platform/devices/LinuxDeviceServices.h"

#include "tests/platform/devices/FakeSysfs.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <functional>
#include <tuple>

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

// Each call the port listing makes fails as the platform's own would, with the same error.
TEST_F(LinuxDeviceServicesTest, FailingCallsGiveThePlatformsErrors)
{
    LinuxDeviceServices empty(tree.SysRoot() / "nowhere", tree.DevRoot());
    const Handle none = empty.GetClassDevices(GUID_DEVINTERFACE_COMPORT, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    const Handle set = services.GetClassDevices(GUID_DEVINTERFACE_COMPORT, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    DeviceInterfaceData deviceInterface{.cbSize = kDeviceInterfaceDataSize, .index = 0};
    DeviceInfoData wrongSize{.cbSize = kDeviceInfoDataSize + 1, .devInst = 0};
    const std::tuple<const char*, LinuxDeviceServices*, std::function<bool()>, uint32_t> cases[] = {
        {"no tty class", &empty, [&] { return empty.EnumDeviceInterfaces(none, GUID_DEVINTERFACE_COMPORT, 0, deviceInterface); },
            ERROR_NO_MORE_ITEMS},
        {"another module", &services, [&] { return services.LoadModule("KERNEL32") != kNoModule; }, ERROR_MOD_NOT_FOUND},
        {"a set never made", &services,
            [&] { return services.EnumDeviceInterfaces(Handle{99}, GUID_DEVINTERFACE_COMPORT, 0, deviceInterface); }, ERROR_INVALID_HANDLE},
        {"a record of the wrong size", &services,
            [&] { return services.GetDeviceRegistryProperty(set, wrongSize, SPDRP_FRIENDLYNAME, kPropertyBuffer).has_value(); },
            ERROR_INVALID_USER_BUFFER},
        {"no device node", &services, [&] { return services.OpenDevice((tree.DevRoot() / "ttyACM0").string()) != kInvalidHandle; },
            static_cast<uint32_t>(ENOENT)},
    };
    for (const auto& [name, target, call, error] : cases) {
        EXPECT_FALSE(call()) << name;
        EXPECT_EQ(target->GetLastError(), error) << name;
    }
}

} // namespace
