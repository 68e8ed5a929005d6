#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace sim {

// The frame shape both ends use: [command][L][L - 2 data bytes][checksum], where L counts the
// bytes after the command and the checksum makes the 8-bit sum of the whole frame 0xFF.
class FrameCodec {
public:
    static constexpr size_t kMaxLength = 255;
    static constexpr size_t kOverhead = 2; // length byte and checksum, counted in L
    static constexpr size_t kMaxData = kMaxLength - kOverhead;
    static constexpr uint8_t kFrameSum = 0xFF;

    // Bitwise NOT of the 8-bit sum of the bytes.
    static uint8_t Checksum(std::span<const uint8_t> bytes);
    // Data past kMaxData cannot be framed and is left out.
    static std::vector<uint8_t> Build(uint8_t command, std::span<const uint8_t> data);
    static bool SumsCorrectly(std::span<const uint8_t> frame);
};

} // namespace sim
