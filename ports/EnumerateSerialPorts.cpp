#include "ports/EnumerateSerialPorts.h"

#include "platform/devices/DeviceServices.h"
#include "ports/DeviceInterfacePorts.h"
#include "ports/DevicePath.h"
#include "ports/ErrorText.h"
#include "ports/PortRecordCompletion.h"
#include "ports/RegistryPorts.h"

namespace {

constexpr char kVersionFailed[] = "Could not get OS version. (err=%lx)";
// From this major version on the setup services list device interfaces.
constexpr uint32_t kDeviceInterfaceMajorVersion = 5;
constexpr int kFixedPortCount = 16;
constexpr char kFixedPortPrefix[] = "COM";

// The NT family before device interfaces: every name is listed, none is opened.
void AppendFixedPorts(SerialPortList& list)
{
    for (int n = 1; n <= kFixedPortCount; ++n) {
        std::string name = kFixedPortPrefix + std::to_string(n);
        list.push_back(
            {.devicePath = ports::DevicePathFor(name), .portName = std::move(name), .friendlyName = {}, .usb = 0, .description = {}});
    }
}

} // namespace

void EnumerateSerialPorts(SerialPortList& list, bool probe, devices::DeviceServices& services)
{
    list.clear();
    const auto version = services.GetVersion();
    if (!version) throw EnumerationError(ports::ErrorText(kVersionFailed, services.GetLastError()));

    if (version->majorVersion >= kDeviceInterfaceMajorVersion)
        ports::DeviceInterfacePorts(services).AppendTo(list);
    else if (version->platformId == devices::VER_PLATFORM_WIN32_NT)
        AppendFixedPorts(list);
    else
        ports::RegistryPorts(services).AppendTo(list);

    ports::CompletePortRecords(list, probe, services);
}

