#include "platform/profile/IniValue.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace profile {

namespace {

constexpr std::string_view kLeadingBlanks = " \t";
constexpr std::string_view kQuotes = "\"'";
constexpr int kDecimalBase = 10;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

int ParseIniInt(std::string_view value)
{
    std::size_t i = std::min(value.find_first_not_of(kLeadingBlanks), value.size());
    bool negative = false;
    if (i < value.size() && (value[i] == '+' || value[i] == '-')) {
        negative = value[i] == '-';
        ++i;
    }
    // The magnitude stops growing at the limit, so any number of digits is safe.
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(std::numeric_limits<int>::min()) : std::numeric_limits<int>::max();
    std::int64_t magnitude = 0;
    for (; i < value.size() && IsDigit(value[i]); ++i)
        magnitude = std::min<std::int64_t>(magnitude * kDecimalBase + (value[i] - '0'), limit);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

std::string_view UnquoteIniValue(std::string_view value)
{
    const bool quoted = value.size() >= 2 && value.front() == value.back() && kQuotes.find(value.front()) != std::string_view::npos;
    return quoted ? value.substr(1, value.size() - 2) : value;
}

} // namespace profile
