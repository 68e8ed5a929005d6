#pragma once

#include <cstdint>
#include <vector>

namespace sim {

// One frame's content, without its length byte and checksum.
struct Frame {
    uint8_t command = 0;
    std::vector<uint8_t> data;
};

} // namespace sim
