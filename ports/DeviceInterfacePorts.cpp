#include "ports/DeviceInterfacePorts.h"

#include "platform/devices/DeviceServices.h"
#include "platform/ui/MessageBox.h"
#include "ports/EnumerateSerialPorts.h"
#include "ports/ErrorText.h"
#include "resources/ResourceIds.h"

namespace ports {
namespace {

using namespace devices;

constexpr char kMissingLibraryText[] = "Can't Load SETUPAPI.DLL";
constexpr char kClassDevicesFailed[] = "pSetupDiGetClassDevs failed. (err=%lx)";
constexpr char kEnumInterfacesFailed[] = "pSetupDiEnumDeviceInterfaces failed. (err=%lx)";
constexpr char kInterfaceDetailFailed[] = "pSetupDiGetDeviceInterfaceDetail failed. (err=%lx)";

constexpr uint32_t kPresentInterfaces = DIGCF_PRESENT | DIGCF_DEVICEINTERFACE;
constexpr size_t kInterfaceDetailBufferSize = 261;
constexpr size_t kPropertyBufferSize = 256;
// Case-sensitive: a location that begins with "usb" is not a USB adapter.
constexpr std::string_view kUsbLocationPrefix = "USB";

class LoadedModule {
public:
    LoadedModule(DeviceServices& services, Module module)
        : m_services(services)
        , m_module(module)
    { }
    ~LoadedModule() { m_services.FreeModule(m_module); }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

private:
    DeviceServices& m_services;
    const Module m_module;
};

class DeviceInfoSet {
public:
    DeviceInfoSet(DeviceServices& services, Handle set)
        : m_services(services)
        , m_set(set)
    { }
    ~DeviceInfoSet() { m_services.DestroyDeviceInfoList(m_set); }
    DeviceInfoSet(const DeviceInfoSet&) = delete;
    DeviceInfoSet& operator=(const DeviceInfoSet&) = delete;

private:
    DeviceServices& m_services;
    const Handle m_set;
};

} // namespace

void DeviceInterfacePorts::AppendTo(SerialPortList& list)
{
    const Module module = m_services.LoadModule(kSetupLibrary);
    if (module == kNoModule) {
        ui::MessageBox(nullptr, kMissingLibraryText, res::kAppName, ui::MB_OK);
        return;
    }
    // Guards are released in reverse: the detail buffer, the set, then the library.
    const LoadedModule library(m_services, module);
    if (!HasEntryPoints(module)) return;

    const Handle set = m_services.GetClassDevices(GUID_DEVINTERFACE_COMPORT, kPresentInterfaces);
    if (set == kInvalidHandle) throw EnumerationError(ErrorText(kClassDevicesFailed, m_services.GetLastError()));
    const DeviceInfoSet devices(m_services, set);
    AppendInterfaces(set, list);
}

bool DeviceInterfacePorts::HasEntryPoints(Module module)
{
    // Every one is looked up, then all must be there.
    bool complete = true;
    for (const std::string_view name : kSetupEntryPoints) complete = m_services.HasProcedure(module, name) && complete;
    return complete;
}

void DeviceInterfacePorts::AppendInterfaces(Handle set, SerialPortList& list)
{
    DeviceInterfaceDetail detail{.cbSize = kInterfaceDetailDataSize, .devicePath = {}};
    DeviceInterfaceData deviceInterface{.cbSize = kDeviceInterfaceDataSize, .index = 0};
    DeviceInfoData device{.cbSize = kDeviceInfoDataSize, .devInst = 0};
    for (uint32_t index = 0;; ++index) {
        if (!m_services.EnumDeviceInterfaces(set, GUID_DEVINTERFACE_COMPORT, index, deviceInterface)) {
            const uint32_t error = m_services.GetLastError();
            if (error == ERROR_NO_MORE_ITEMS) return;
            throw EnumerationError(ErrorText(kEnumInterfacesFailed, error));
        }
        if (!m_services.GetDeviceInterfaceDetail(set, deviceInterface, detail, kInterfaceDetailBufferSize, device))
            throw EnumerationError(ErrorText(kInterfaceDetailFailed, m_services.GetLastError()));
        AppendPort(set, device, detail.devicePath, list);
    }
}

void DeviceInterfacePorts::AppendPort(Handle set, const DeviceInfoData& device, std::string devicePath, SerialPortList& list)
{
    const auto friendlyName = m_services.GetDeviceRegistryProperty(set, device, SPDRP_FRIENDLYNAME, kPropertyBufferSize);
    std::optional<std::string> description;
    if (friendlyName) description = m_services.GetDeviceRegistryProperty(set, device, SPDRP_DEVICEDESC, kPropertyBufferSize);
    const auto location = m_services.GetDeviceRegistryProperty(set, device, SPDRP_LOCATION_INFORMATION, kPropertyBufferSize);
    const bool usb = location && location->starts_with(kUsbLocationPrefix);
    if (!friendlyName || !description) return;
    list.push_back({.devicePath = std::move(devicePath),
        .portName = {},
        .friendlyName = *friendlyName,
        .usb = usb ? 1 : 0,
        .description = *description});
}

} // namespace ports
