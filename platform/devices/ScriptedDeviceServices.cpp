#include "platform/devices/ScriptedDeviceServices.h"

#include <algorithm>
#include <cstdio>

namespace devices {
namespace {

constexpr char kKeySeparator = '\\';

// The registry form of a GUID, {8-4-4-4-12} upper-case, from its little-endian bytes.
std::string GuidText(const Guid& guid)
{
    char text[40];
    std::snprintf(text, sizeof text, "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}", guid[3], guid[2], guid[1],
        guid[0], guid[5], guid[4], guid[7], guid[6], guid[8], guid[9], guid[10], guid[11], guid[12], guid[13], guid[14], guid[15]);
    return text;
}

std::string HexText(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(value));
    return text;
}

std::string Join(const std::string& parent, const std::string& name)
{
    return parent.empty() ? name : parent + kKeySeparator + name;
}

} // namespace

void ScriptedDeviceServices::AddKey(const std::string& path)
{
    Key(path);
}

void ScriptedDeviceServices::SetString(const std::string& keyPath, const std::string& name, const std::string& value)
{
    Key(keyPath).values[name] = value;
}

ScriptedDeviceServices::RegistryNode& ScriptedDeviceServices::Key(const std::string& path)
{
    if (const auto found = m_registry.find(path); found != m_registry.end()) return found->second;
    const size_t cut = path.rfind(kKeySeparator);
    const std::string parent = cut == std::string::npos ? std::string() : path.substr(0, cut);
    Key(parent).subkeys.push_back(cut == std::string::npos ? path : path.substr(cut + 1));
    return m_registry[path];
}

std::string ScriptedDeviceServices::PathOf(RegistryKey key) const
{
    if (key == kLocalMachine) return {};
    const auto found = m_keys.find(key);
    return found != m_keys.end() ? found->second : "<closed key>";
}

size_t ScriptedDeviceServices::OpenHandles() const
{
    return m_modules.size() + m_sets.size() + m_keys.size() + m_devices.size();
}

bool ScriptedDeviceServices::Fail(uint32_t error)
{
    m_lastError = error;
    return false;
}

std::optional<OsVersion> ScriptedDeviceServices::GetVersion()
{
    m_calls.push_back("GetVersion");
    if (m_versionError) {
        Fail(*m_versionError);
        return std::nullopt;
    }
    Succeed();
    return m_version;
}

Module ScriptedDeviceServices::LoadModule(std::string_view name)
{
    m_calls.push_back("LoadModule " + std::string(name));
    if (!m_libraryPresent || name != kSetupLibrary) {
        Fail(ERROR_MOD_NOT_FOUND);
        return kNoModule;
    }
    Succeed();
    const Module module{NextHandle()};
    m_modules.insert(module);
    return module;
}

bool ScriptedDeviceServices::HasProcedure(Module module, std::string_view name)
{
    m_calls.push_back("HasProcedure " + std::string(name));
    if (!m_modules.contains(module)) return Fail(ERROR_INVALID_HANDLE);
    const bool known = std::find(kSetupEntryPoints.begin(), kSetupEntryPoints.end(), name) != kSetupEntryPoints.end();
    if (!known || m_missingEntryPoints.contains(name)) return Fail(ERROR_PROC_NOT_FOUND);
    Succeed();
    return true;
}

void ScriptedDeviceServices::FreeModule(Module module)
{
    m_calls.push_back("FreeModule");
    m_modules.erase(module);
    Succeed();
}

Handle ScriptedDeviceServices::GetClassDevices(const Guid& interfaceClass, uint32_t flags)
{
    m_calls.push_back("GetClassDevices " + GuidText(interfaceClass) + " flags=" + HexText(flags));
    if (m_classDevicesError) {
        Fail(*m_classDevicesError);
        return kInvalidHandle;
    }
    Succeed();
    const Handle set{static_cast<intptr_t>(NextHandle())};
    m_sets.insert(set);
    return set;
}

bool ScriptedDeviceServices::EnumDeviceInterfaces(Handle set, const Guid&, uint32_t index, DeviceInterfaceData& deviceInterface)
{
    m_calls.push_back("EnumDeviceInterfaces " + std::to_string(index));
    if (!m_sets.contains(set)) return Fail(ERROR_INVALID_HANDLE);
    if (deviceInterface.cbSize != kDeviceInterfaceDataSize) return Fail(ERROR_INVALID_USER_BUFFER);
    if (const auto error = m_enumErrors.find(index); error != m_enumErrors.end()) return Fail(error->second);
    if (index >= m_interfaces.size()) return Fail(ERROR_NO_MORE_ITEMS);
    deviceInterface.index = index;
    Succeed();
    return true;
}

bool ScriptedDeviceServices::GetDeviceInterfaceDetail(
    Handle set, const DeviceInterfaceData& deviceInterface, DeviceInterfaceDetail& detail, size_t bufferSize, DeviceInfoData& device)
{
    const uint32_t index = deviceInterface.index;
    m_calls.push_back("GetDeviceInterfaceDetail " + std::to_string(index) + " buffer=" + std::to_string(bufferSize));
    if (!m_sets.contains(set) || index >= m_interfaces.size()) return Fail(ERROR_INVALID_HANDLE);
    if (detail.cbSize != kInterfaceDetailDataSize || device.cbSize != kDeviceInfoDataSize) return Fail(ERROR_INVALID_USER_BUFFER);
    if (const auto error = m_detailErrors.find(index); error != m_detailErrors.end()) return Fail(error->second);
    const std::string& path = m_interfaces[index].devicePath;
    if (bufferSize < kInterfaceDetailHeaderBytes || !FitsBuffer(path, bufferSize - kInterfaceDetailHeaderBytes))
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    detail.devicePath = path;
    device.devInst = index;
    Succeed();
    return true;
}

std::optional<std::string> ScriptedDeviceServices::GetDeviceRegistryProperty(
    Handle set, const DeviceInfoData& device, uint32_t property, size_t bufferSize)
{
    m_calls.push_back("GetDeviceRegistryProperty " + std::to_string(device.devInst) + " " + std::to_string(property)
        + " buffer=" + std::to_string(bufferSize));
    if (!m_sets.contains(set) || device.devInst >= m_interfaces.size()) {
        Fail(ERROR_INVALID_HANDLE);
        return std::nullopt;
    }
    if (device.cbSize != kDeviceInfoDataSize) {
        Fail(ERROR_INVALID_USER_BUFFER);
        return std::nullopt;
    }
    const PortInterface& port = m_interfaces[device.devInst];
    std::optional<std::string> value;
    switch (property) {
    case SPDRP_FRIENDLYNAME: value = port.friendlyName; break;
    case SPDRP_DEVICEDESC: value = port.description; break;
    case SPDRP_LOCATION_INFORMATION: value = port.location; break;
    default: break;
    }
    if (!value) {
        Fail(ERROR_INVALID_DATA);
        return std::nullopt;
    }
    if (!FitsBuffer(*value, bufferSize)) {
        Fail(ERROR_INSUFFICIENT_BUFFER);
        return std::nullopt;
    }
    Succeed();
    return value;
}

void ScriptedDeviceServices::DestroyDeviceInfoList(Handle set)
{
    m_calls.push_back("DestroyDeviceInfoList");
    m_sets.erase(set);
    Succeed();
}

std::optional<RegistryKey> ScriptedDeviceServices::OpenKey(RegistryKey parent, const std::string& name)
{
    const std::string path = Join(PathOf(parent), name);
    m_calls.push_back("OpenKey " + path);
    const auto node = m_registry.find(path);
    if (node == m_registry.end() || node->second.failsToOpen) return std::nullopt;
    const RegistryKey key{NextHandle()};
    m_keys[key] = path;
    return key;
}

std::optional<std::string> ScriptedDeviceServices::EnumKey(RegistryKey key, uint32_t index, size_t nameBufferSize)
{
    const std::string path = PathOf(key);
    m_calls.push_back("EnumKey " + path + " " + std::to_string(index));
    const auto node = m_registry.find(path);
    if (node == m_registry.end() || index >= node->second.subkeys.size()) return std::nullopt;
    const std::string& name = node->second.subkeys[index];
    if (!FitsBuffer(name, nameBufferSize)) return std::nullopt;
    return name;
}

std::optional<std::string> ScriptedDeviceServices::QueryStringValue(RegistryKey key, const std::string& name, size_t bufferSize)
{
    const std::string path = PathOf(key);
    m_calls.push_back("QueryStringValue " + path + " " + name);
    const auto node = m_registry.find(path);
    if (node == m_registry.end()) return std::nullopt;
    const auto value = node->second.values.find(name);
    if (value == node->second.values.end() || !FitsBuffer(value->second, bufferSize)) return std::nullopt;
    return value->second;
}

void ScriptedDeviceServices::CloseKey(RegistryKey key)
{
    m_calls.push_back("CloseKey " + PathOf(key));
    m_keys.erase(key);
}

Handle ScriptedDeviceServices::OpenDevice(const std::string& path)
{
    m_calls.push_back("OpenDevice " + path);
    if (m_unopenable.contains(path)) {
        Fail(ERROR_FILE_NOT_FOUND);
        return kInvalidHandle;
    }
    Succeed();
    const Handle device{static_cast<intptr_t>(NextHandle())};
    m_devices[device] = path;
    return device;
}

void ScriptedDeviceServices::CloseDevice(Handle device)
{
    const auto found = m_devices.find(device);
    m_calls.push_back("CloseDevice " + (found != m_devices.end() ? found->second : std::string("<closed device>")));
    if (found != m_devices.end()) m_devices.erase(found);
    Succeed();
}

} // namespace devices
