#pragma once

#include "platform/serial/SerialDevice.h"

#include <optional>

namespace sim {

// What the host has done to the simulated port, for tests to look at, and the two things they
// may do to it: break the line, or have it keep other settings than it is given.
struct PortLog {
    bool open = false;
    int purges = 0;
    std::optional<serial::CommTimeouts> timeouts;
    std::optional<serial::LineSettings> lineSettings;
    int errorClears = 0;
    bool broken = false; // reads and writes fail, as with a device that went away
    // What the line reads back as, as from a driver that cannot do all it is given; unset, it
    // keeps what it was given.
    std::optional<serial::LineSettings> keptLine;
};

} // namespace sim
