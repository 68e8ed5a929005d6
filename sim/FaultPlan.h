#pragma once

#include "sim/Clock.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sim {

// A gap on the line before the transmitted byte at `beforeByte` (stray bytes count).
struct Pause {
    size_t beforeByte = 0;
    Duration length{};
};

// Ways a reply goes wrong. They combine: stray bytes go first, then the reply, damaged as asked.
struct FaultPlan {
    bool silent = false;               // no reply (stray bytes still go out)
    bool badChecksum = false;          // the checksum byte is off by one
    int lengthOffBy = 0;               // added to the length byte; the checksum stays as it was
    size_t truncateBy = 0;             // bytes missing from the end of the reply
    std::vector<uint8_t> strayBytes{}; // sent ahead of the reply
    std::vector<Pause> pauses{};
    Duration lateBy{}; // the whole transmission starts this much later
};

// A transmission as it will leave the controller: bytes, and the gap before each.
struct Transmission {
    std::vector<uint8_t> bytes;
    std::vector<Duration> gapBefore;
};

} // namespace sim
