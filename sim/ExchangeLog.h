#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace sim {

// The simulator's own record of what it was asked and what it sent back, one line per
// request: "F3 02 0A -> F3 0A 56 ..." in hexadecimal, "-> none" for a request left unanswered.
// A line is complete on disk before the reply's first byte leaves, so whoever holds the reply
// can read the line that produced it.
class ExchangeLog {
public:
    static constexpr const char* kArrow = " -> ";
    static constexpr const char* kNoReply = "none";

    static std::string Line(std::span<const uint8_t> request, std::span<const uint8_t> reply);
};

} // namespace sim
