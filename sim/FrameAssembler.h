#pragma once

#include "sim/Frame.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace sim {

// Collects the host's bytes into request frames, one byte at a time. A frame ends the way the
// host's reader ends one: after its length byte says so, and never before two bytes.
class FrameAssembler {
public:
    // The request once its last byte is in; a frame that does not sum correctly is dropped,
    // as a controller ignores a garbled request.
    std::optional<Frame> Push(uint8_t byte);
    void Reset() { m_bytes.clear(); }

private:
    std::vector<uint8_t> m_bytes;
};

} // namespace sim
