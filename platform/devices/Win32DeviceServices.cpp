#include "platform/devices/Win32DeviceServices.h"

#include "platform/win32/Wide.h"

#include <cstring>
#include <tuple>
#include <vector>

#include "platform/win32/Windows.h"

#include <setupapi.h>

namespace devices {

namespace {

GUID ToGuid(const Guid& bytes)
{
    GUID guid{};
    static_assert(sizeof(guid) == std::tuple_size_v<Guid>);
    std::memcpy(&guid, bytes.data(), sizeof(guid));
    return guid;
}

HDEVINFO ToSet(Handle set) { return reinterpret_cast<HDEVINFO>(static_cast<intptr_t>(set)); }
HKEY ToKey(RegistryKey key) { return reinterpret_cast<HKEY>(static_cast<uintptr_t>(key)); }

bool Fail(DWORD error)
{
    ::SetLastError(error);
    return false;
}

// A text answer as the caller's buffer of `size` bytes would hold it, or nothing when it
// would not fit.
std::optional<std::string> Fitting(std::wstring_view wide, size_t size)
{
    std::string text = win32::Narrow(wide.substr(0, wide.find(L'\0')));
    if (!FitsBuffer(text, size)) {
        ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return std::nullopt;
    }
    return text;
}

} // namespace

struct Win32DeviceServices::Sets {
    std::map<Handle, GUID> interfaceClasses;
    std::map<uint32_t, SP_DEVINFO_DATA> devices; // by device instance
};

Win32DeviceServices::Win32DeviceServices()
    : m_sets(std::make_unique<Sets>())
{ }

Win32DeviceServices::~Win32DeviceServices() = default;

std::optional<OsVersion> Win32DeviceServices::GetVersion()
{
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!::GetVersionExW(&info)) return std::nullopt;
    return OsVersion{info.dwMajorVersion, info.dwPlatformId};
}

Module Win32DeviceServices::LoadModule(std::string_view name)
{
    return Module(reinterpret_cast<uintptr_t>(::LoadLibraryW(win32::Widen(name).c_str())));
}

bool Win32DeviceServices::HasProcedure(Module module, std::string_view name)
{
    return ::GetProcAddress(reinterpret_cast<HMODULE>(static_cast<uintptr_t>(module)), std::string(name).c_str()) != nullptr;
}

void Win32DeviceServices::FreeModule(Module module)
{
    ::FreeLibrary(reinterpret_cast<HMODULE>(static_cast<uintptr_t>(module)));
}

Handle Win32DeviceServices::GetClassDevices(const Guid& interfaceClass, uint32_t flags)
{
    const GUID guid = ToGuid(interfaceClass);
    const HDEVINFO set = ::SetupDiGetClassDevsW(&guid, nullptr, nullptr, flags);
    if (set == INVALID_HANDLE_VALUE) return kInvalidHandle;
    const Handle handle{reinterpret_cast<intptr_t>(set)};
    m_sets->interfaceClasses[handle] = guid;
    return handle;
}

bool Win32DeviceServices::EnumDeviceInterfaces(Handle set, const Guid& interfaceClass, uint32_t index, DeviceInterfaceData& deviceInterface)
{
    if (deviceInterface.cbSize != kDeviceInterfaceDataSize) return Fail(ERROR_INVALID_USER_BUFFER);
    const GUID guid = ToGuid(interfaceClass);
    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof(data);
    if (!::SetupDiEnumDeviceInterfaces(ToSet(set), nullptr, &guid, index, &data)) return false;
    deviceInterface.index = index;
    return true;
}

bool Win32DeviceServices::GetDeviceInterfaceDetail(
    Handle set, const DeviceInterfaceData& deviceInterface, DeviceInterfaceDetail& detail, size_t bufferSize, DeviceInfoData& device)
{
    if (detail.cbSize != kInterfaceDetailDataSize || device.cbSize != kDeviceInfoDataSize) return Fail(ERROR_INVALID_USER_BUFFER);
    if (bufferSize <= kInterfaceDetailHeaderBytes) return Fail(ERROR_INSUFFICIENT_BUFFER);
    const auto found = m_sets->interfaceClasses.find(set);
    if (found == m_sets->interfaceClasses.end()) return Fail(ERROR_INVALID_HANDLE);
    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof(data);
    if (!::SetupDiEnumDeviceInterfaces(ToSet(set), nullptr, &found->second, deviceInterface.index, &data)) return false;

    // Room for as many wide characters as the caller's buffer holds narrow ones.
    const size_t characters = bufferSize - kInterfaceDetailHeaderBytes;
    std::vector<BYTE> buffer(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath) + characters * sizeof(WCHAR));
    auto* system = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
    system->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    SP_DEVINFO_DATA info{};
    info.cbSize = sizeof(info);
    if (!::SetupDiGetDeviceInterfaceDetailW(ToSet(set), &data, system, static_cast<DWORD>(buffer.size()), nullptr, &info)) return false;
    const std::optional<std::string> path = Fitting(std::wstring_view(system->DevicePath, characters), characters);
    if (!path) return false;
    detail.devicePath = *path;
    device.devInst = info.DevInst;
    m_sets->devices[info.DevInst] = info;
    return true;
}

std::optional<std::string> Win32DeviceServices::GetDeviceRegistryProperty(
    Handle set, const DeviceInfoData& device, uint32_t property, size_t bufferSize)
{
    const auto found = m_sets->devices.find(device.devInst);
    if (device.cbSize != kDeviceInfoDataSize || found == m_sets->devices.end()) {
        ::SetLastError(ERROR_INVALID_USER_BUFFER);
        return std::nullopt;
    }
    std::wstring value(bufferSize, L'\0');
    DWORD type = 0;
    if (!::SetupDiGetDeviceRegistryPropertyW(ToSet(set), &found->second, property, &type, reinterpret_cast<BYTE*>(value.data()),
            static_cast<DWORD>(value.size() * sizeof(WCHAR)), nullptr))
        return std::nullopt;
    return Fitting(value, bufferSize);
}

void Win32DeviceServices::DestroyDeviceInfoList(Handle set)
{
    m_sets->interfaceClasses.erase(set);
    ::SetupDiDestroyDeviceInfoList(ToSet(set));
}

std::optional<RegistryKey> Win32DeviceServices::OpenKey(RegistryKey parent, const std::string& name)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(ToKey(parent), win32::Widen(name).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    return RegistryKey(reinterpret_cast<uintptr_t>(key));
}

std::optional<std::string> Win32DeviceServices::EnumKey(RegistryKey key, uint32_t index, size_t nameBufferSize)
{
    std::wstring name(nameBufferSize, L'\0');
    DWORD length = static_cast<DWORD>(name.size());
    if (::RegEnumKeyExW(ToKey(key), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) return std::nullopt;
    return Fitting(std::wstring_view(name.data(), length), nameBufferSize);
}

std::optional<std::string> Win32DeviceServices::QueryStringValue(RegistryKey key, const std::string& name, size_t bufferSize)
{
    std::wstring value(bufferSize, L'\0');
    DWORD type = 0;
    DWORD bytes = static_cast<DWORD>(value.size() * sizeof(WCHAR));
    if (::RegQueryValueExW(ToKey(key), win32::Widen(name).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &bytes)
            != ERROR_SUCCESS
        || type != REG_SZ)
        return std::nullopt;
    return Fitting(std::wstring_view(value.data(), bytes / sizeof(WCHAR)), bufferSize);
}

void Win32DeviceServices::CloseKey(RegistryKey key)
{
    ::RegCloseKey(ToKey(key));
}

Handle Win32DeviceServices::OpenDevice(const std::string& path)
{
    const HANDLE device
        = ::CreateFileW(win32::Widen(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return device == INVALID_HANDLE_VALUE ? kInvalidHandle : Handle(reinterpret_cast<intptr_t>(device));
}

void Win32DeviceServices::CloseDevice(Handle device)
{
    ::CloseHandle(reinterpret_cast<HANDLE>(static_cast<intptr_t>(device)));
}

uint32_t Win32DeviceServices::GetLastError() const
{
    return ::GetLastError();
}

DeviceServices& SystemDeviceServices()
{
    static Win32DeviceServices services;
    return services;
}

} // namespace devices
