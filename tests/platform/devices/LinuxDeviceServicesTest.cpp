#include "platform/devices/LinuxDeviceServices.h"

#include "tests/platform/devices/FakeSysfs.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <tuple>

using namespace devices;

namespace {

// Each call the port listing makes fails as the platform's own would, with the same error.
TEST(LinuxDeviceServices, FailingCallsGiveThePlatformsErrors)
{
    const FakeSysfs tree;
    LinuxDeviceServices services{tree.SysRoot(), tree.DevRoot()};
    LinuxDeviceServices empty(tree.SysRoot() / "nowhere", tree.DevRoot());
    const Handle none = empty.GetClassDevices(GUID_DEVINTERFACE_COMPORT, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    const Handle set = services.GetClassDevices(GUID_DEVINTERFACE_COMPORT, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    DeviceInterfaceData deviceInterface{.cbSize = kDeviceInterfaceDataSize, .index = 0};
    DeviceInfoData wrongSize{.cbSize = kDeviceInfoDataSize + 1, .devInst = 0};
    DeviceInfoData device{.cbSize = kDeviceInfoDataSize, .devInst = 0};
    DeviceInterfaceData pastTheEnd{.cbSize = kDeviceInterfaceDataSize, .index = 99};
    DeviceInterfaceData wrongRecord{.cbSize = kDeviceInterfaceDataSize + 1, .index = 0};
    DeviceInterfaceDetail detail{.cbSize = kInterfaceDetailDataSize, .devicePath = {}};
    // The error a call left behind, none when it succeeded.
    const auto error = [](const LinuxDeviceServices& target, bool succeeded) { return succeeded ? 0u : target.GetLastError(); };
    const std::tuple<const char*, std::function<uint32_t()>, uint32_t> cases[] = {
        {"no tty class", [&] { return error(empty, empty.EnumDeviceInterfaces(none, GUID_DEVINTERFACE_COMPORT, 0, deviceInterface)); },
            ERROR_NO_MORE_ITEMS},
        {"another module", [&] { return error(services, services.LoadModule("KERNEL32") != kNoModule); }, ERROR_MOD_NOT_FOUND},
        {"a set never made", [&] { return error(services, services.EnumDeviceInterfaces(Handle{99}, GUID_DEVINTERFACE_COMPORT, 0, deviceInterface)); },
            ERROR_INVALID_HANDLE},
        {"an interface record of the wrong size",
            [&] { return error(services, services.EnumDeviceInterfaces(set, GUID_DEVINTERFACE_COMPORT, 0, wrongRecord)); }, ERROR_INVALID_USER_BUFFER},
        {"details past the last interface", [&] { return error(services, services.GetDeviceInterfaceDetail(set, pastTheEnd, detail, 256, device)); },
            ERROR_NO_MORE_ITEMS},
        {"details into a device record of the wrong size",
            [&] { return error(services, services.GetDeviceInterfaceDetail(set, deviceInterface, detail, 256, wrongSize)); }, ERROR_INVALID_USER_BUFFER},
        {"a record of the wrong size",
            [&] { return error(services, services.GetDeviceRegistryProperty(set, wrongSize, SPDRP_FRIENDLYNAME, 256).has_value()); },
            ERROR_INVALID_USER_BUFFER},
        {"no device node", [&] { return error(services, services.OpenDevice((tree.DevRoot() / "ttyACM0").string()) != kInvalidHandle); },
            static_cast<uint32_t>(ENOENT)},
    };
    for (const auto& [name, call, expected] : cases) EXPECT_EQ(call(), expected) << name;
}

} // namespace
