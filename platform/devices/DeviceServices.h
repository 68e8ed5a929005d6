#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace devices {

// Platform error codes the port listing tells apart or that the backends report.
constexpr uint32_t ERROR_SUCCESS = 0;
constexpr uint32_t ERROR_FILE_NOT_FOUND = 2;
constexpr uint32_t ERROR_INVALID_HANDLE = 6;
constexpr uint32_t ERROR_INVALID_DATA = 13; // the device has no such property
constexpr uint32_t ERROR_INSUFFICIENT_BUFFER = 122;
constexpr uint32_t ERROR_MOD_NOT_FOUND = 126;
constexpr uint32_t ERROR_PROC_NOT_FOUND = 127;
constexpr uint32_t ERROR_NO_MORE_ITEMS = 259;
constexpr uint32_t ERROR_INVALID_USER_BUFFER = 1784; // a record whose size field is wrong

// The NT family in the version query's platform id.
constexpr uint32_t VER_PLATFORM_WIN32_NT = 2;

// An interface class, in the little-endian byte layout of a GUID.
using Guid = std::array<uint8_t, 16>;
// {86E0D1E0-8089-11D0-9CE4-08003E301F73}: serial (COM) port device interfaces.
constexpr Guid GUID_DEVINTERFACE_COMPORT = {0xe0, 0xd1, 0xe0, 0x86, 0x89, 0x80, 0xd0, 0x11, 0x9c, 0xe4, 0x08, 0x00, 0x3e, 0x30, 0x1f, 0x73};

// Flags of the class-devices query.
constexpr uint32_t DIGCF_PRESENT = 0x02;
constexpr uint32_t DIGCF_DEVICEINTERFACE = 0x10;

// Device registry properties.
constexpr uint32_t SPDRP_DEVICEDESC = 0;
constexpr uint32_t SPDRP_FRIENDLYNAME = 12;
constexpr uint32_t SPDRP_LOCATION_INFORMATION = 13;

// The setup services library and the entry points a caller requires of it.
constexpr std::string_view kSetupLibrary = "SETUPAPI";
constexpr std::array<std::string_view, 8> kSetupEntryPoints = {
    "SetupDiGetClassDevsW",
    "SetupDiGetClassDevsA",
    "SetupDiEnumDeviceInterfaces",
    "SetupDiGetDeviceInterfaceDetailA",
    "SetupDiGetDeviceInterfaceDetailW",
    "SetupDiGetDeviceRegistryPropertyA",
    "SetupDiGetDeviceRegistryPropertyW",
    "SetupDiDestroyDeviceInfoList",
};

// Size fields the caller sets in the setup records (their sizes on the platform).
constexpr uint32_t kDeviceInterfaceDataSize = 28;
constexpr uint32_t kDeviceInfoDataSize = 28;
constexpr uint32_t kInterfaceDetailDataSize = 5;
// The interface-detail buffer starts with its 4-byte size field; the path follows.
constexpr size_t kInterfaceDetailHeaderBytes = 4;

// Handles, opaque to the caller.
enum class Handle : intptr_t {};
constexpr Handle kInvalidHandle{-1};
enum class Module : uintptr_t {};
constexpr Module kNoModule{0};
enum class RegistryKey : uintptr_t {};
constexpr RegistryKey kLocalMachine{0x80000002};

struct OsVersion {
    uint32_t majorVersion = 0;
    uint32_t platformId = 0;
};

// One interface of a device-information set; the callee fills index.
struct DeviceInterfaceData {
    uint32_t cbSize = 0;
    uint32_t index = 0;
};

// The device that owns an interface; the callee fills devInst.
struct DeviceInfoData {
    uint32_t cbSize = 0;
    uint32_t devInst = 0;
};

// The interface-detail record: the caller sets cbSize, the callee fills the path.
struct DeviceInterfaceDetail {
    uint32_t cbSize = 0;
    std::string devicePath;
};

// Whether text and its terminator fit a buffer of size bytes. Every text answer below is
// written into a caller's buffer of a stated size; one that does not fit is a failure
// (ERROR_INSUFFICIENT_BUFFER), never a cut text, as the platform's own calls behave.
constexpr bool FitsBuffer(std::string_view text, size_t size)
{
    return text.size() < size;
}

// What port discovery needs from the system, in the shape of the Windows calls it was
// written against (named in each comment), so that their numbers keep their meaning. A
// failing call leaves its code for GetLastError unless it says otherwise.
class DeviceServices {
public:
    virtual ~DeviceServices() = default;

    // GetVersionExA.
    virtual std::optional<OsVersion> GetVersion() = 0;

    // LoadLibraryA, GetProcAddress, FreeLibrary.
    virtual Module LoadModule(std::string_view name) = 0;
    virtual bool HasProcedure(Module module, std::string_view name) = 0;
    virtual void FreeModule(Module module) = 0;

    // SetupDiGetClassDevsA for device interfaces: kInvalidHandle on failure.
    virtual Handle GetClassDevices(const Guid& interfaceClass, uint32_t flags) = 0;
    // SetupDiEnumDeviceInterfaces: ERROR_NO_MORE_ITEMS past the last interface.
    virtual bool EnumDeviceInterfaces(Handle set, const Guid& interfaceClass, uint32_t index, DeviceInterfaceData& deviceInterface) = 0;
    // SetupDiGetDeviceInterfaceDetailA into a buffer of bufferSize bytes (size field included).
    virtual bool GetDeviceInterfaceDetail(
        Handle set, const DeviceInterfaceData& deviceInterface, DeviceInterfaceDetail& detail, size_t bufferSize, DeviceInfoData& device)
        = 0;
    // SetupDiGetDeviceRegistryPropertyA into a buffer of bufferSize bytes.
    virtual std::optional<std::string> GetDeviceRegistryProperty(
        Handle set, const DeviceInfoData& device, uint32_t property, size_t bufferSize)
        = 0;
    // SetupDiDestroyDeviceInfoList.
    virtual void DestroyDeviceInfoList(Handle set) = 0;

    // RegOpenKeyExA for reading, RegEnumKeyExA, RegQueryValueExA of a string, RegCloseKey.
    // These report failure only through their result, as the registry calls do.
    virtual std::optional<RegistryKey> OpenKey(RegistryKey parent, const std::string& name) = 0;
    virtual std::optional<std::string> EnumKey(RegistryKey key, uint32_t index, size_t nameBufferSize) = 0;
    virtual std::optional<std::string> QueryStringValue(RegistryKey key, const std::string& name, size_t bufferSize) = 0;
    virtual void CloseKey(RegistryKey key) = 0;

    // CreateFileA of an existing device for reading and writing, CloseHandle.
    virtual Handle OpenDevice(const std::string& path) = 0;
    virtual void CloseDevice(Handle device) = 0;

    // GetLastError.
    virtual uint32_t GetLastError() const = 0;
};

// This process's device services.
DeviceServices& SystemDeviceServices();

} // namespace devices
