#pragma once

#include "ports/SerialPortInfo.h"

namespace devices {
class DeviceServices;
enum class RegistryKey : uintptr_t;
} // namespace devices

namespace ports {

// Lists the ports recorded in the registry's hardware tree (HKLM\Enum\<enumerator>\<device>
// \<instance>): instances of the serial port devices *PNP0500 and *PNP0501 under any
// enumerator, and of every device under USBPORTS. A port name seen again overwrites its
// first record in place. A key that cannot be opened throws EnumerationError once every
// key opened so far is closed; records appended so far stay.
class RegistryPorts {
public:
    explicit RegistryPorts(devices::DeviceServices& services)
        : m_services(services)
    { }

    void AppendTo(SerialPortList& list);

private:
    void ReadEnumerator(devices::RegistryKey enumKey, const std::string& enumerator, SerialPortList& list);
    void ReadInstances(devices::RegistryKey deviceKey, bool usb, SerialPortList& list);
    // The duplicate rule: the first record with this port name takes the new values.
    static void Record(SerialPortInfo port, SerialPortList& list);

    devices::DeviceServices& m_services;
};

} // namespace ports
