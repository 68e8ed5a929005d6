#include "pages/TypedNumber.h"

#include "pages/NumberLead.h"

#include <charconv>

namespace {

// What follows "0x" starts a hexadecimal number only with a digit, or a point and a digit;
// the reader below would also take "nan" or "inf" there.
bool StartsHexDigits(std::string_view text)
{
    return !text.empty() && (IsHexDigit(text[0]) || (text[0] == '.' && text.size() > 1 && IsHexDigit(text[1])));
}

} // namespace

std::optional<double> ParseTypedNumber(std::string_view text)
{
    const auto [at, negative] = ReadNumberLead(text);
    if (HasHexPrefix(text, at) && StartsHexDigits(text.substr(at + 2))) {
        // "%lf" reads hexadecimal numbers too; "0x" without digits is the number 0, read below.
        double hex = 0.0;
        const auto result = std::from_chars(text.data() + at + 2, text.data() + text.size(), hex, std::chars_format::hex);
        if (result.ec == std::errc()) return negative ? -hex : hex;
        // Beyond a double, like a decimal number; not the "0" before the "x".
        if (result.ec == std::errc::result_out_of_range) return std::nullopt;
    }
    const std::string_view rest = text.substr(at);
    if (rest.empty() || rest.front() == '+' || rest.front() == '-') return std::nullopt;
    double value = 0.0;
    const auto result = std::from_chars(rest.data(), rest.data() + rest.size(), value, std::chars_format::general);
    if (result.ec != std::errc()) return std::nullopt;
    return negative ? -value : value;
}
