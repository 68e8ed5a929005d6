#include "platform/devices/LinuxDeviceServices.h"

#include "tests/platform/devices/SampleSerialTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <vector>

using namespace devices;

namespace {

constexpr size_t kBuffer = 256;
constexpr size_t kDetailBuffer = 261;

class LinuxDeviceServicesTest : public ::testing::Test {
protected:
    // The device paths of the COM-port class, in enumeration order; the walk must end
    // with ERROR_NO_MORE_ITEMS.
    std::vector<std::string> DevicePaths(const Guid& interfaceClass = GUID_DEVINTERFACE_COMPORT)
    {
        const Handle set = services.GetClassDevices(interfaceClass, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
        EXPECT_NE(set, kInvalidHandle);
        std::vector<std::string> paths;
        DeviceInterfaceData deviceInterface{.cbSize = kDeviceInterfaceDataSize, .index = 0};
        for (uint32_t index = 0; services.EnumDeviceInterfaces(set, interfaceClass, index, deviceInterface); ++index) {
            DeviceInterfaceDetail detail{.cbSize = kInterfaceDetailDataSize, .devicePath = {}};
            DeviceInfoData device{.cbSize = kDeviceInfoDataSize, .devInst = 0};
            EXPECT_TRUE(services.GetDeviceInterfaceDetail(set, deviceInterface, detail, kDetailBuffer, device));
            paths.push_back(detail.devicePath);
        }
        EXPECT_EQ(services.GetLastError(), ERROR_NO_MORE_ITEMS);
        services.DestroyDeviceInfoList(set);
        return paths;
    }

    // The three properties of the port whose device path is /dev/<name>.
    struct Properties {
        std::optional<std::string> friendlyName, description, location;
    };
    Properties PropertiesOf(const std::string& name, size_t bufferSize = kBuffer)
    {
        const auto paths = DevicePaths();
        const auto found = std::ranges::find(paths, Dev(name));
        EXPECT_NE(found, paths.end()) << name;
        const Handle set = services.GetClassDevices(GUID_DEVINTERFACE_COMPORT, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
        const DeviceInfoData device{.cbSize = kDeviceInfoDataSize,
                                    .devInst = static_cast<uint32_t>(found - paths.begin())};
        Properties properties{services.GetDeviceRegistryProperty(set, device, SPDRP_FRIENDLYNAME, bufferSize),
                              services.GetDeviceRegistryProperty(set, device, SPDRP_DEVICEDESC, bufferSize),
                              services.GetDeviceRegistryProperty(set, device, SPDRP_LOCATION_INFORMATION, bufferSize)};
        services.DestroyDeviceInfoList(set);
        return properties;
    }

    std::string Dev(const std::string& name) const { return (tree.DevRoot() / name).string(); }

    SampleSerialTree tree;
    LinuxDeviceServices services{tree.SysRoot(), tree.DevRoot()};
};

TEST_F(LinuxDeviceServicesTest, ReportsAVersionThatTakesTheDeviceInterfaceRoad)
{
    const auto version = services.GetVersion();
    ASSERT_TRUE(version.has_value());
    EXPECT_EQ(version->majorVersion, 6u);
    EXPECT_EQ(version->platformId, VER_PLATFORM_WIN32_NT);
}

TEST_F(LinuxDeviceServicesTest, SetupLibraryIsBuiltInWithEveryEntryPoint)
{
    const Module module = services.LoadModule(kSetupLibrary);
    ASSERT_NE(module, kNoModule);
    for (const auto name : kSetupEntryPoints)
        EXPECT_TRUE(services.HasProcedure(module, name)) << name;
    EXPECT_FALSE(services.HasProcedure(module, "SetupDiOpenDevRegKey"));
    EXPECT_EQ(services.GetLastError(), ERROR_PROC_NOT_FOUND);
    services.FreeModule(module);

    EXPECT_EQ(services.LoadModule("KERNEL32"), kNoModule);
    EXPECT_EQ(services.GetLastError(), ERROR_MOD_NOT_FOUND);
}

TEST_F(LinuxDeviceServicesTest, ListsTtysWithADeviceAndAUartInNaturalOrder)
{
    // ttyS0 has no UART, tty0 no device.
    EXPECT_EQ(DevicePaths(), (std::vector<std::string>{Dev("ttyACM0"), Dev("ttyS1"), Dev("ttyS2"), Dev("ttyS10"),
                                                       Dev("ttyUSB0")}));
}

TEST_F(LinuxDeviceServicesTest, UsbAdapterIsNamedByItsProductAndLocatedOnUsb)
{
    const auto adapter = PropertiesOf("ttyUSB0");
    EXPECT_EQ(adapter.friendlyName, "FT232R USB UART (ttyUSB0)");
    EXPECT_EQ(adapter.description, "FT232R USB UART");
    EXPECT_EQ(adapter.location, "USB 1-1.2");

    // A CDC device's tty hangs off the interface, one level closer to the USB device.
    const auto cdc = PropertiesOf("ttyACM0");
    EXPECT_EQ(cdc.friendlyName, "Pico (ttyACM0)");
    EXPECT_EQ(cdc.location, "USB 1-2");
}

TEST_F(LinuxDeviceServicesTest, UsbDeviceWithoutProductGetsTheGenericName)
{
    tree.UsbDevice("pci0000:00/0000:00:14.0/usb1/1-3", "", "");
    tree.Tty(tree.Device("pci0000:00/0000:00:14.0/usb1/1-3/1-3:1.0/ttyUSB1"), "ttyUSB1");
    const auto adapter = PropertiesOf("ttyUSB1");
    EXPECT_EQ(adapter.friendlyName, "USB Serial (ttyUSB1)");
    EXPECT_EQ(adapter.description, "USB Serial");
    EXPECT_EQ(adapter.location, "USB 1-3");
}

TEST_F(LinuxDeviceServicesTest, BoardPortIsGenericAndNotLocatedOnUsb)
{
    const auto port = PropertiesOf("ttyS1");
    EXPECT_EQ(port.friendlyName, "Serial Port (ttyS1)");
    EXPECT_EQ(port.description, "Serial Port");
    EXPECT_EQ(port.location, "platform serial8250");
}

TEST_F(LinuxDeviceServicesTest, MissingOrOddAttributesDoNotHideAPort)
{
    // No type file, no subsystem link: still a port.
    tree.Tty(tree.Device("pnp0/00:05"), "ttyS3");
    // A type that is not a plain 0 is a UART.
    FakeSysfs::Attribute(tree.Tty(tree.Device("pnp0/00:06"), "ttyS4"), "type", "");
    const auto paths = DevicePaths();
    EXPECT_NE(std::ranges::find(paths, Dev("ttyS3")), paths.end());
    EXPECT_NE(std::ranges::find(paths, Dev("ttyS4")), paths.end());
    EXPECT_EQ(PropertiesOf("ttyS3").location, "device 00:05");
}

TEST_F(LinuxDeviceServicesTest, OnlyTheComPortClassHasInterfaces)
{
    Guid other = GUID_DEVINTERFACE_COMPORT;
    other[0] ^= 1;
    EXPECT_TRUE(DevicePaths(other).empty());
}

TEST_F(LinuxDeviceServicesTest, NoTtyClassMeansNoPorts)
{
    LinuxDeviceServices empty(tree.SysRoot() / "nowhere", tree.DevRoot());
    const Handle set = empty.GetClassDevices(GUID_DEVINTERFACE_COMPORT, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    ASSERT_NE(set, kInvalidHandle);
    DeviceInterfaceData deviceInterface{.cbSize = kDeviceInterfaceDataSize, .index = 0};
    EXPECT_FALSE(empty.EnumDeviceInterfaces(set, GUID_DEVINTERFACE_COMPORT, 0, deviceInterface));
    EXPECT_EQ(empty.GetLastError(), ERROR_NO_MORE_ITEMS);
}

TEST_F(LinuxDeviceServicesTest, TextsMustFitTheCallersBuffer)
{
    // "Serial Port (ttyS1)" is 19 characters: it needs 20 bytes with its terminator.
    EXPECT_EQ(PropertiesOf("ttyS1", 20).friendlyName, "Serial Port (ttyS1)");
    EXPECT_EQ(PropertiesOf("ttyS1", 19).friendlyName, std::nullopt);
    EXPECT_EQ(services.GetLastError(), ERROR_INSUFFICIENT_BUFFER);

    const Handle set = services.GetClassDevices(GUID_DEVINTERFACE_COMPORT, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    DeviceInterfaceData deviceInterface{.cbSize = kDeviceInterfaceDataSize, .index = 0};
    ASSERT_TRUE(services.EnumDeviceInterfaces(set, GUID_DEVINTERFACE_COMPORT, 0, deviceInterface));
    DeviceInterfaceDetail detail{.cbSize = kInterfaceDetailDataSize, .devicePath = {}};
    DeviceInfoData device{.cbSize = kDeviceInfoDataSize, .devInst = 0};
    const size_t exact = kInterfaceDetailHeaderBytes + Dev("ttyACM0").size() + 1;
    EXPECT_FALSE(services.GetDeviceInterfaceDetail(set, deviceInterface, detail, exact - 1, device));
    EXPECT_EQ(services.GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_TRUE(services.GetDeviceInterfaceDetail(set, deviceInterface, detail, exact, device));
    services.DestroyDeviceInfoList(set);
}

TEST_F(LinuxDeviceServicesTest, RecordsWithWrongSizeFieldsAreRefused)
{
    const Handle set = services.GetClassDevices(GUID_DEVINTERFACE_COMPORT, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    DeviceInterfaceData unsized;
    EXPECT_FALSE(services.EnumDeviceInterfaces(set, GUID_DEVINTERFACE_COMPORT, 0, unsized));
    EXPECT_EQ(services.GetLastError(), ERROR_INVALID_USER_BUFFER);

    DeviceInterfaceData deviceInterface{.cbSize = kDeviceInterfaceDataSize, .index = 0};
    ASSERT_TRUE(services.EnumDeviceInterfaces(set, GUID_DEVINTERFACE_COMPORT, 0, deviceInterface));
    DeviceInterfaceDetail detail{.cbSize = kDeviceInterfaceDataSize, .devicePath = {}};
    DeviceInfoData device{.cbSize = kDeviceInfoDataSize, .devInst = 0};
    EXPECT_FALSE(services.GetDeviceInterfaceDetail(set, deviceInterface, detail, kDetailBuffer, device));
    EXPECT_EQ(services.GetLastError(), ERROR_INVALID_USER_BUFFER);
    services.DestroyDeviceInfoList(set);
}

TEST_F(LinuxDeviceServicesTest, DestroyedSetIsNoLongerUsable)
{
    const Handle set = services.GetClassDevices(GUID_DEVINTERFACE_COMPORT, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    services.DestroyDeviceInfoList(set);
    DeviceInterfaceData deviceInterface{.cbSize = kDeviceInterfaceDataSize, .index = 0};
    EXPECT_FALSE(services.EnumDeviceInterfaces(set, GUID_DEVINTERFACE_COMPORT, 0, deviceInterface));
    EXPECT_EQ(services.GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(LinuxDeviceServicesTest, HasNoRegistry)
{
    EXPECT_EQ(services.OpenKey(kLocalMachine, "Enum"), std::nullopt);
    EXPECT_EQ(services.EnumKey(kLocalMachine, 0, kBuffer), std::nullopt);
}

TEST_F(LinuxDeviceServicesTest, OpensAnExistingDeviceAndReportsErrnoOtherwise)
{
    const Handle device = services.OpenDevice(Dev("ttyUSB0"));
    ASSERT_NE(device, kInvalidHandle);
    services.CloseDevice(device);

    EXPECT_EQ(services.OpenDevice(Dev("ttyACM0")), kInvalidHandle);
    EXPECT_EQ(services.GetLastError(), static_cast<uint32_t>(ENOENT));
}

TEST(SystemDeviceServices, IsOneLinuxBackendForTheProcess)
{
    DeviceServices& services = SystemDeviceServices();
    EXPECT_EQ(&services, &SystemDeviceServices());
    EXPECT_NE(dynamic_cast<LinuxDeviceServices*>(&services), nullptr);
}

} // namespace
