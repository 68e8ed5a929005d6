#include "pages/TypedHexNumber.h"

#include "pages/NumberLead.h"

#include <algorithm>
#include <climits>

namespace {

// Every field's limit lies far below; larger numbers stay here instead of growing.
constexpr long long kCeiling = INT_MAX;

// The value of a hexadecimal digit.
int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return c - 'A' + 10;
}

} // namespace

std::optional<int> ParseTypedHex(std::string_view text)
{
    auto [at, negative] = ReadNumberLead(text);
    // "0x" is a prefix only before a digit; otherwise its "0" is the number.
    if (HasHexPrefix(text, at) && IsHexDigit(text[at + 2])) at += 2;
    if (at == text.size() || !IsHexDigit(text[at])) return std::nullopt;
    long long value = 0;
    for (const char c : text.substr(at)) {
        if (!IsHexDigit(c)) break;
        value = std::min(value * 16 + HexValue(c), kCeiling);
    }
    return static_cast<int>(negative ? -value : value);
}
