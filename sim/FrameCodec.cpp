#include "sim/FrameCodec.h"

#include <algorithm>
#include <numeric>

namespace sim {

namespace {

uint8_t Sum(std::span<const uint8_t> bytes)
{
    return static_cast<uint8_t>(std::accumulate(bytes.begin(), bytes.end(), 0u));
}

} // namespace

uint8_t FrameCodec::Checksum(std::span<const uint8_t> bytes)
{
    return static_cast<uint8_t>(~Sum(bytes));
}

std::vector<uint8_t> FrameCodec::Build(uint8_t command, std::span<const uint8_t> data)
{
    const auto carried = data.first(std::min(data.size(), kMaxData));
    std::vector<uint8_t> frame;
    frame.reserve(carried.size() + 1 + kOverhead);
    frame.push_back(command);
    frame.push_back(static_cast<uint8_t>(carried.size() + kOverhead));
    frame.insert(frame.end(), carried.begin(), carried.end());
    frame.push_back(Checksum(frame));
    return frame;
}

bool FrameCodec::SumsCorrectly(std::span<const uint8_t> frame)
{
    return Sum(frame) == kFrameSum;
}

} // namespace sim
