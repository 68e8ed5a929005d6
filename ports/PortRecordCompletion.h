#pragma once

#include "ports/SerialPortInfo.h"

namespace devices {
class DeviceServices;
}

namespace ports {

// The pass every strategy's records go through: with probe set, a port that cannot be
// opened now is removed; an empty friendly name becomes the port name, an empty
// description comes from the friendly name.
void CompletePortRecords(SerialPortList& list, bool probe, devices::DeviceServices& services);

// "Communications Port (COM1)" gives "Communications Port": the text before the first " ("
// when that is not at the start and the first ")" ends the name; otherwise the whole name.
std::string DescriptionFromFriendlyName(const std::string& friendlyName);

} // namespace ports
