#pragma once

#include "ports/SerialPortInfo.h"

#include <stdexcept>
#include <string>

namespace devices {
class DeviceServices;
}

// A failure of the enumeration; what() is the message text to show.
class EnumerationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Refills list with the machine's serial ports; with probe set, ports that cannot be opened
// now are left out. Throws EnumerationError.
void EnumerateSerialPorts(SerialPortList& list, bool probe, devices::DeviceServices& services);
