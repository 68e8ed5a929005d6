#include "pages/TypedHexNumber.h"

#include <algorithm>
#include <climits>

namespace {

// Every field's limit lies far below; larger numbers stay here instead of growing.
constexpr long long kCeiling = INT_MAX;

bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<int> ParseTypedHex(std::string_view text)
{
    size_t at = 0;
    while (at < text.size() && IsCSpace(text[at])) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    // "0x" is a prefix only before a digit; otherwise its "0" is the number.
    if (text.size() - at > 2 && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X') && HexDigit(text[at + 2]) >= 0) at += 2;
    if (at == text.size() || HexDigit(text[at]) < 0) return std::nullopt;
    long long value = 0;
    for (; at < text.size() && HexDigit(text[at]) >= 0; ++at) value = std::min(value * 16 + HexDigit(text[at]), kCeiling);
    return static_cast<int>(negative ? -value : value);
}
