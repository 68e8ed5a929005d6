#include "platform/devices/LinuxDeviceServices.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace devices {
namespace {

// What the version query reports: an NT system new enough for device interfaces.
constexpr OsVersion kReportedVersion{6, VER_PLATFORM_WIN32_NT};
// The one module there is: the built-in setup services.
constexpr Module kSetupModule{1};

} // namespace

DeviceServices& SystemDeviceServices()
{
    static LinuxDeviceServices services;
    return services;
}

LinuxDeviceServices::LinuxDeviceServices(std::filesystem::path sysRoot, std::filesystem::path devRoot)
    : m_scanner(std::move(sysRoot), std::move(devRoot))
{ }

bool LinuxDeviceServices::Fail(uint32_t error)
{
    m_lastError = error;
    return false;
}

std::optional<OsVersion> LinuxDeviceServices::GetVersion()
{
    return kReportedVersion;
}

Module LinuxDeviceServices::LoadModule(std::string_view name)
{
    if (name != kSetupLibrary) {
        Fail(ERROR_MOD_NOT_FOUND);
        return kNoModule;
    }
    return kSetupModule;
}

bool LinuxDeviceServices::HasProcedure(Module module, std::string_view name)
{
    if (module != kSetupModule) return Fail(ERROR_INVALID_HANDLE);
    if (std::find(kSetupEntryPoints.begin(), kSetupEntryPoints.end(), name) == kSetupEntryPoints.end()) return Fail(ERROR_PROC_NOT_FOUND);
    return true;
}

void LinuxDeviceServices::FreeModule(Module)
{ }

Handle LinuxDeviceServices::GetClassDevices(const Guid& interfaceClass, uint32_t)
{
    // Only present devices exist here, so the flags change nothing.
    const Handle set{m_nextSet++};
    m_sets[set] = interfaceClass == GUID_DEVINTERFACE_COMPORT ? m_scanner.Scan() : std::vector<TtyPort>{};
    return set;
}

const TtyPort* LinuxDeviceServices::PortAt(Handle set, uint32_t index)
{
    const auto found = m_sets.find(set);
    if (found == m_sets.end()) {
        Fail(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (index >= found->second.size()) {
        Fail(ERROR_NO_MORE_ITEMS);
        return nullptr;
    }
    return &found->second[index];
}

bool LinuxDeviceServices::EnumDeviceInterfaces(Handle set, const Guid&, uint32_t index, DeviceInterfaceData& deviceInterface)
{
    if (deviceInterface.cbSize != kDeviceInterfaceDataSize) return Fail(ERROR_INVALID_USER_BUFFER);
    if (PortAt(set, index) == nullptr) return false;
    deviceInterface.index = index;
    return true;
}

bool LinuxDeviceServices::GetDeviceInterfaceDetail(
    Handle set, const DeviceInterfaceData& deviceInterface, DeviceInterfaceDetail& detail, size_t bufferSize, DeviceInfoData& device)
{
    if (detail.cbSize != kInterfaceDetailDataSize || device.cbSize != kDeviceInfoDataSize) return Fail(ERROR_INVALID_USER_BUFFER);
    const TtyPort* port = PortAt(set, deviceInterface.index);
    if (port == nullptr) return false;
    if (bufferSize < kInterfaceDetailHeaderBytes || !FitsBuffer(port->devicePath, bufferSize - kInterfaceDetailHeaderBytes))
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    detail.devicePath = port->devicePath;
    device.devInst = deviceInterface.index;
    return true;
}

std::optional<std::string> LinuxDeviceServices::GetDeviceRegistryProperty(
    Handle set, const DeviceInfoData& device, uint32_t property, size_t bufferSize)
{
    if (device.cbSize != kDeviceInfoDataSize) {
        Fail(ERROR_INVALID_USER_BUFFER);
        return std::nullopt;
    }
    const TtyPort* port = PortAt(set, device.devInst);
    if (port == nullptr) return std::nullopt;
    const std::string* value = nullptr;
    switch (property) {
    case SPDRP_FRIENDLYNAME: value = &port->friendlyName; break;
    case SPDRP_DEVICEDESC: value = &port->description; break;
    case SPDRP_LOCATION_INFORMATION: value = &port->location; break;
    default: Fail(ERROR_INVALID_DATA); return std::nullopt;
    }
    if (!FitsBuffer(*value, bufferSize)) {
        Fail(ERROR_INSUFFICIENT_BUFFER);
        return std::nullopt;
    }
    return *value;
}

void LinuxDeviceServices::DestroyDeviceInfoList(Handle set)
{
    m_sets.erase(set);
}

std::optional<RegistryKey> LinuxDeviceServices::OpenKey(RegistryKey, const std::string&)
{
    return std::nullopt;
}

std::optional<std::string> LinuxDeviceServices::EnumKey(RegistryKey, uint32_t, size_t)
{
    return std::nullopt;
}

std::optional<std::string> LinuxDeviceServices::QueryStringValue(RegistryKey, const std::string&, size_t)
{
    return std::nullopt;
}

void LinuxDeviceServices::CloseKey(RegistryKey)
{ }

Handle LinuxDeviceServices::OpenDevice(const std::string& path)
{
    // Non-blocking so a port without carrier cannot hold up the listing.
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        Fail(static_cast<uint32_t>(errno));
        return kInvalidHandle;
    }
    return Handle{fd};
}

void LinuxDeviceServices::CloseDevice(Handle device)
{
    ::close(static_cast<int>(device));
}

} // namespace devices
