#pragma once

#include <string>
#include <string_view>

namespace ports {

// "\\.\": what turns a port name such as COM3 into the path the link opens.
constexpr std::string_view kDevicePathPrefix = "\\\\.\\";

inline std::string DevicePathFor(std::string_view portName)
{
    return std::string(kDevicePathPrefix).append(portName);
}

} // namespace ports
