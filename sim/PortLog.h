#pragma once

#include "platform/serial/SerialDevice.h"

#include <optional>

namespace sim {

// What the host has done to the simulated port, for tests to look at, and the one thing they
// may do to it: break the line.
struct PortLog {
    bool open = false;
    int purges = 0;
    std::optional<serial::CommTimeouts> timeouts;
    std::optional<serial::LineSettings> lineSettings;
    int errorClears = 0;
    bool broken = false; // reads and writes fail, as with a device that went away
};

} // namespace sim
