#include "sim/ExchangeLog.h"

#include <array>

namespace sim {

namespace {

void AppendHex(std::string& line, std::span<const uint8_t> bytes)
{
    static constexpr std::array<char, 16> kDigits = {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i != 0) line += ' ';
        line += kDigits[bytes[i] >> 4];
        line += kDigits[bytes[i] & 0x0F];
    }
}

} // namespace

std::string ExchangeLog::Line(std::span<const uint8_t> request, std::span<const uint8_t> reply)
{
    std::string line;
    AppendHex(line, request);
    line += kArrow;
    if (reply.empty()) {
        line += kNoReply;
    } else {
        AppendHex(line, reply);
    }
    return line;
}

} // namespace sim
