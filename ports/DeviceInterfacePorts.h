#pragma once

#include "ports/SerialPortInfo.h"

namespace devices {
class DeviceServices;
struct DeviceInfoData;
enum class Handle : intptr_t;
enum class Module : uintptr_t;
} // namespace devices

namespace ports {

// Lists the present COM-port device interfaces through the setup services, loaded at run
// time. A missing library is reported in a message box, a missing entry point silently;
// both leave the list as it was. Other failures release the buffer, the set and the
// library, in that order, then throw EnumerationError; records appended so far stay.
class DeviceInterfacePorts {
public:
    explicit DeviceInterfacePorts(devices::DeviceServices& services)
        : m_services(services)
    { }

    void AppendTo(SerialPortList& list);

private:
    bool HasEntryPoints(devices::Module module);
    void AppendInterfaces(devices::Handle set, SerialPortList& list);
    // Appends the interface's port unless its friendly name or description cannot be read.
    void AppendPort(devices::Handle set, const devices::DeviceInfoData& device, std::string devicePath, SerialPortList& list);

    devices::DeviceServices& m_services;
};

} // namespace ports
