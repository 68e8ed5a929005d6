#pragma once

#include "sim/FaultPlan.h"
#include "sim/FrameCodec.h"

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

// Frames as the tests build the controller's replies and read back what the program sent.
namespace frames {

// How many frames of `command` the sent bytes hold: a frame is its command, its length byte
// and length - 1 further bytes.
inline size_t CountSent(const std::vector<uint8_t>& sent, uint8_t command)
{
    size_t count = 0;
    for (size_t at = 0; at + 1 < sent.size(); at += static_cast<size_t>(sent[at + 1]) + 1) count += sent[at] == command ? 1 : 0;
    return count;
}

// The controller's next reply replaced by a whole frame of `command` carrying `data`.
inline sim::FaultPlan ReplyWith(uint8_t command, const std::vector<uint8_t>& data)
{
    return {.silent = true, .strayBytes = sim::FrameCodec::Build(command, data)};
}

// Live data of `size` bytes, zero but for little-endian words at the given offsets.
inline std::vector<uint8_t> LiveWords(std::initializer_list<std::pair<size_t, uint16_t>> words, size_t size = 30)
{
    std::vector<uint8_t> live(size, 0);
    for (const auto& [at, word] : words) {
        live[at] = static_cast<uint8_t>(word & 0xFF);
        live[at + 1] = static_cast<uint8_t>(word >> 8);
    }
    return live;
}

} // namespace frames
