#include "ports/PortRecordCompletion.h"

#include "platform/devices/DeviceServices.h"

namespace ports {
namespace {

constexpr std::string_view kQualifierOpen = " (";
constexpr char kQualifierClose = ')';

bool CanOpen(const std::string& devicePath, devices::DeviceServices& services)
{
    const devices::Handle device = services.OpenDevice(devicePath);
    if (device == devices::kInvalidHandle) return false;
    services.CloseDevice(device);
    return true;
}

} // namespace

void CompletePortRecords(SerialPortList& list, bool probe, devices::DeviceServices& services)
{
    // No increment after a removal: the record moved into this position is examined too.
    for (size_t i = 0; i < list.size();) {
        SerialPortInfo& port = list[i];
        if (probe && !CanOpen(port.devicePath, services)) {
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        if (port.friendlyName.empty()) port.friendlyName = port.portName;
        if (port.description.empty()) port.description = DescriptionFromFriendlyName(port.friendlyName);
        ++i;
    }
}

std::string DescriptionFromFriendlyName(const std::string& friendlyName)
{
    const size_t open = friendlyName.find(kQualifierOpen);
    const size_t close = friendlyName.find(kQualifierClose);
    const bool qualified = open != std::string::npos && open > 0 && close != std::string::npos && close + 1 == friendlyName.size();
    return qualified ? friendlyName.substr(0, open) : friendlyName;
}

} // namespace ports
