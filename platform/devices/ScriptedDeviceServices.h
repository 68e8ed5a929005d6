#pragma once

#include "platform/devices/DeviceServices.h"

#include <map>
#include <set>
#include <vector>

namespace devices {

// Device services that answer from a world a test describes, fail any step on request and
// log every call in order (see Calls() for the wording). Unless told otherwise it is a
// version 6 NT system whose setup library is complete, with no ports, no registry keys and
// every device openable. A successful setup call clears the last error, as the platform's do.
class ScriptedDeviceServices final : public DeviceServices {
public:
    // One COM-port interface; a property left empty cannot be read.
    struct PortInterface {
        std::string devicePath;
        std::optional<std::string> friendlyName;
        std::optional<std::string> description;
        std::optional<std::string> location;
    };

    void SetVersion(uint32_t majorVersion, uint32_t platformId) { m_version = {majorVersion, platformId}; }
    void FailVersion(uint32_t error) { m_versionError = error; }

    void RemoveSetupLibrary() { m_libraryPresent = false; }
    void RemoveEntryPoint(std::string_view name) { m_missingEntryPoints.emplace(name); }
    void FailClassDevices(uint32_t error) { m_classDevicesError = error; }
    // Interfaces are enumerated in the order they were added.
    void AddInterface(PortInterface port) { m_interfaces.push_back(std::move(port)); }
    void FailEnumAt(uint32_t index, uint32_t error) { m_enumErrors[index] = error; }
    void FailDetailAt(uint32_t index, uint32_t error) { m_detailErrors[index] = error; }

    // Registry keys below the local-machine hive by path ("Enum\USBPORTS\..."); missing
    // parents are created, and subkeys enumerate in the order they were first added.
    void AddKey(const std::string& path);
    void SetString(const std::string& keyPath, const std::string& name, const std::string& value);
    void FailOpenKey(const std::string& path) { Key(path).failsToOpen = true; }

    void FailOpenDevice(const std::string& path) { m_unopenable.insert(path); }

    // One line per call: "GetVersion", "LoadModule SETUPAPI", "HasProcedure <name>",
    // "FreeModule", "GetClassDevices {GUID} flags=0x12", "EnumDeviceInterfaces <index>",
    // "GetDeviceInterfaceDetail <index> buffer=<size>", "GetDeviceRegistryProperty <index>
    // <property> buffer=<size>", "DestroyDeviceInfoList", "OpenKey <path>", "EnumKey <path>
    // <index>", "QueryStringValue <path> <name>", "CloseKey <path>", "OpenDevice <path>",
    // "CloseDevice <path>". GetLastError is not logged.
    const std::vector<std::string>& Calls() const { return m_calls; }
    // Modules, sets, keys and devices opened and not yet released.
    size_t OpenHandles() const;

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
    struct RegistryNode {
        std::vector<std::string> subkeys;
        std::map<std::string, std::string> values;
        bool failsToOpen = false;
    };

    RegistryNode& Key(const std::string& path);
    std::string PathOf(RegistryKey key) const;
    bool Fail(uint32_t error);
    void Succeed() { m_lastError = ERROR_SUCCESS; }
    uintptr_t NextHandle() { return m_nextHandle++; }

    OsVersion m_version{6, VER_PLATFORM_WIN32_NT};
    std::optional<uint32_t> m_versionError;
    bool m_libraryPresent = true;
    std::set<std::string, std::less<>> m_missingEntryPoints;
    std::optional<uint32_t> m_classDevicesError;
    std::vector<PortInterface> m_interfaces;
    std::map<uint32_t, uint32_t> m_enumErrors;
    std::map<uint32_t, uint32_t> m_detailErrors;
    std::map<std::string, RegistryNode> m_registry{{"", {}}}; // "" is the hive itself
    std::set<std::string> m_unopenable;

    std::vector<std::string> m_calls;
    std::set<Module> m_modules;
    std::set<Handle> m_sets;
    std::map<RegistryKey, std::string> m_keys;
    std::map<Handle, std::string> m_devices;
    uintptr_t m_nextHandle = 0x100;
    uint32_t m_lastError = ERROR_SUCCESS;
};

} // namespace devices
