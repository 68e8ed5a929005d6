#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One discovered serial port.
struct SerialPortInfo {
    std::string devicePath;   // what the link opens
    std::string portName;     // e.g. COM3; empty from the device-interface strategy
    std::string friendlyName; // shown in the selection list
    int32_t usb = 0;          // non-zero for a USB serial adapter
    std::string description;

    bool operator==(const SerialPortInfo&) const = default;
};

// The ports of one enumeration, in discovery order.
using SerialPortList = std::vector<SerialPortInfo>;
