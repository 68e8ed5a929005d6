#pragma once

#include "sim/Clock.h"

#include <cstdint>

namespace sim {

// A byte on its way to the host, and the moment it is there to be read.
struct TimedByte {
    Instant due{};
    uint8_t value = 0;
};

} // namespace sim
