#pragma once

#include "platform/devices/DeviceServices.h"
#include "platform/devices/SysfsPortScanner.h"

#include <map>

namespace devices {

// Device services on Linux. It answers the version query as an NT system of version 6, so
// callers take the device-interface road, and serves that road from sysfs: the setup
// library is built in, the COM-port interface class lists the serial ports SysfsPortScanner
// finds (a snapshot per set), the device path is /dev/<name>. There is no registry: every
// key fails to open. Opening a device is open(2) for reading and writing without becoming
// its controlling terminal; its failure leaves errno as the last error.
class LinuxDeviceServices final : public DeviceServices {
public:
    LinuxDeviceServices() = default;
    // Reads sysfs under sysRoot and names devices under devRoot (tests use a temporary tree).
    LinuxDeviceServices(std::filesystem::path sysRoot, std::filesystem::path devRoot);

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
    uint32_t GetLastError() const override { return m_lastError; }

private:
    // The port an interface or device record of a set refers to; null after failing.
    const TtyPort* PortAt(Handle set, uint32_t index);
    bool Fail(uint32_t error);

    SysfsPortScanner m_scanner{"/sys", "/dev"};
    std::map<Handle, std::vector<TtyPort>> m_sets;
    intptr_t m_nextSet = 1;
    uint32_t m_lastError = ERROR_SUCCESS;
};

} // namespace devices
