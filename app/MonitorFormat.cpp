#include "app/MonitorFormat.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace {

constexpr const char* kDefaultFormat = "%4g";
constexpr size_t kMaxDigits = 2;

bool IsOneOf(char c, std::string_view set)
{
    return c != '\0' && set.find(c) != std::string_view::npos;
}

size_t SkipDigits(std::string_view text, size_t at, size_t& count)
{
    count = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        ++at;
        ++count;
    }
    return at;
}

} // namespace

bool IsSafeMonitorFormat(std::string_view format)
{
    int conversions = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '\0') return false;
        if (format[i] != '%') continue;
        if (i + 1 < format.size() && format[i + 1] == '%') {
            ++i;
            continue;
        }
        ++i;
        while (i < format.size() && IsOneOf(format[i], "-+ #0")) ++i;
        size_t digits = 0;
        i = SkipDigits(format, i, digits);
        if (digits > kMaxDigits) return false;
        if (i < format.size() && format[i] == '.') {
            i = SkipDigits(format, i + 1, digits);
            if (digits > kMaxDigits) return false;
        }
        // "l" is a no-op on a floating conversion ("%lf"); "L" would want a long double.
        if (i < format.size() && format[i] == 'l') ++i;
        if (i >= format.size() || !IsOneOf(format[i], "fFeEgGaA")) return false;
        ++conversions;
    }
    return conversions == 1;
}

std::string FormatMonitorValue(const std::string& format, double value)
{
    const char* checked = IsSafeMonitorFormat(format) ? format.c_str() : kDefaultFormat;
    std::array<char, 512> text{};
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    const int written = std::snprintf(text.data(), text.size(), checked, value);
#pragma GCC diagnostic pop
    return written < 0 ? std::string() : std::string(text.data());
}

double ParseProfileNumber(std::string_view text)
{
    size_t at = text.find_first_not_of(" \t");
    if (at == std::string_view::npos) return 0.0;
    const size_t first = text[at] == '+' || text[at] == '-' ? at + 1 : at;
    // A decimal number starts with a digit or a point; the reader below would also take the
    // words for infinity and not-a-number.
    if (first == text.size() || !IsOneOf(text[first], "0123456789.")) return 0.0;
    if (text[at] == '+') ++at;
    double value = 0.0;
    const auto result = std::from_chars(text.data() + at, text.data() + text.size(), value, std::chars_format::general);
    return result.ec == std::errc() ? value : 0.0;
}
