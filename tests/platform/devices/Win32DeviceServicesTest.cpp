#include "platform/devices/DeviceServices.h"

#include <gtest/gtest.h>

using namespace devices;

namespace {

// The system's own answers under Wine: an NT system with the whole setup library, whose
// COM-port interface class lists nothing, and a registry; the port mapped for the tests opens.
TEST(Win32DeviceServices, AnswerAsTheSystemDoes)
{
    DeviceServices& system = SystemDeviceServices();
    const std::optional<OsVersion> version = system.GetVersion();
    ASSERT_TRUE(version);
    EXPECT_EQ(version->platformId, VER_PLATFORM_WIN32_NT);

    const Module setup = system.LoadModule(kSetupLibrary);
    ASSERT_NE(setup, kNoModule);
    for (std::string_view entry : kSetupEntryPoints) EXPECT_TRUE(system.HasProcedure(setup, entry)) << entry;
    EXPECT_FALSE(system.HasProcedure(setup, "NoSuchEntryPoint"));
    system.FreeModule(setup);

    const Handle set = system.GetClassDevices(GUID_DEVINTERFACE_COMPORT, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    ASSERT_NE(set, kInvalidHandle);
    DeviceInterfaceData deviceInterface{kDeviceInterfaceDataSize};
    EXPECT_FALSE(system.EnumDeviceInterfaces(set, GUID_DEVINTERFACE_COMPORT, 0, deviceInterface));
    EXPECT_EQ(system.GetLastError(), ERROR_NO_MORE_ITEMS);
    deviceInterface.cbSize = 0;
    EXPECT_FALSE(system.EnumDeviceInterfaces(set, GUID_DEVINTERFACE_COMPORT, 0, deviceInterface));
    EXPECT_EQ(system.GetLastError(), ERROR_INVALID_USER_BUFFER) << "a record of the wrong size";
    system.DestroyDeviceInfoList(set);

    const std::optional<RegistryKey> hardware = system.OpenKey(kLocalMachine, "HARDWARE");
    ASSERT_TRUE(hardware);
    EXPECT_TRUE(system.EnumKey(*hardware, 0, 256)) << "it has subkeys";
    system.CloseKey(*hardware);
    EXPECT_FALSE(system.OpenKey(kLocalMachine, "Enum\\NoSuchEnumerator"));

    const Handle port = system.OpenDevice("\\\\.\\COM5");
    EXPECT_NE(port, kInvalidHandle);
    system.CloseDevice(port);
    EXPECT_EQ(system.OpenDevice("\\\\.\\COM99"), kInvalidHandle);
}

} // namespace
