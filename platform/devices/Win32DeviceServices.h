#pragma once

#include "platform/devices/DeviceServices.h"

#include <map>
#include <memory>

namespace devices {

// Device services on Windows: the system's own version query, module loader, setup library
// and registry, each call as the interface names it, with text in UTF-8 on our side and the
// system's wide-character calls behind. A set remembers its interface class, so that a
// detail or a property can name the record the system gave.
class Win32DeviceServices final : public DeviceServices {
public:
    Win32DeviceServices();
    ~Win32DeviceServices() override;

    std::optional<OsVersion> GetVersion() override;
    Module LoadModule(std::string_view name) override;
    bool HasProcedure(Module module, std::string_view name) override;
    void FreeModule(Module module) override;
    Handle GetClassDevices(const Guid& interfaceClass, uint32_t flags) override;
    bool EnumDeviceInterfaces(Handle set, const Guid& interfaceClass, uint32_t index, DeviceInterfaceData& deviceInterface) override;
    bool GetDeviceInterfaceDetail(Handle set, const DeviceInterfaceData& deviceInterface, DeviceInterfaceDetail& detail, size_t bufferSize,
        DeviceInfoData& device) override;
    std::optional<std::string> GetDeviceRegistryProperty(
        Handle set, const DeviceInfoData& device, uint32_t property, size_t bufferSize) override;
    void DestroyDeviceInfoList(Handle set) override;
    std::optional<RegistryKey> OpenKey(RegistryKey parent, const std::string& name) override;
    std::optional<std::string> EnumKey(RegistryKey key, uint32_t index, size_t nameBufferSize) override;
    std::optional<std::string> QueryStringValue(RegistryKey key, const std::string& name, size_t bufferSize) override;
    void CloseKey(RegistryKey key) override;
    Handle OpenDevice(const std::string& path) override;
    void CloseDevice(Handle device) override;
    uint32_t GetLastError() const override;

private:
    struct Sets; // the system's records per set, kept for the calls that name them
    std::unique_ptr<Sets> m_sets;
};

} // namespace devices
