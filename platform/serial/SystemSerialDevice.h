#pragma once

#include "platform/serial/SerialDevice.h"

namespace serial {

// The system's own serial devices; each system's backend file defines it.
std::unique_ptr<SerialDevice> OpenSystemDevice(const std::string& path, PortError& why);

} // namespace serial
