// Monitor formats and the numbers a profile gives a monitor item. A format the check lets
// through takes exactly one double, as the C library itself parses it; what is printed stays
// within the row's text; profile numbers read as strtod reads their decimal start.
//
// Input: [format]\n[profile number text]; without a line break all of it is the format.

#include "app/MonitorFormat.h"
#include "fuzz/support/CNumber.h"
#include "fuzz/support/Check.h"

#include <printf.h>

#include <array>
#include <string>
#include <string_view>

namespace {

constexpr size_t kMonitorTextLimit = 511;

void CheckFormat(const std::string& format, double value)
{
    const bool safe = IsSafeMonitorFormat(format);
    if (safe) {
        std::array<int, 4> types{};
        const size_t arguments = parse_printf_format(format.c_str(), types.size(), types.data());
        FUZZ_CHECK(arguments == 1 && types[0] == PA_DOUBLE);
    }
    const std::string shown = FormatMonitorValue(format, value);
    FUZZ_CHECK(shown.size() <= kMonitorTextLimit);
    FUZZ_CHECK(!shown.empty()); // a floating conversion always prints something
    if (!safe) FUZZ_CHECK(shown == FormatMonitorValue("", value));
}

void CheckProfileNumber(std::string_view text)
{
    const double value = ParseProfileNumber(text);
    const size_t start = std::min(text.find_first_not_of(" \t"), text.size());
    const CNumber reference = CNumber::Read(text.substr(start));
    // The C library skips more kinds of white space, and reads hexadecimal, the words for
    // infinity and not-a-number, and the infinities past the range; a profile number is decimal
    // (a digit or a point after the sign) and in range, or 0.
    const size_t first = start < text.size() && (text[start] == '+' || text[start] == '-') ? start + 1 : start;
    const bool decimalStart = first < text.size() && std::string_view("0123456789.").find(text[first]) != std::string_view::npos;
    if (!reference.value || !decimalStart || reference.hexadecimal) {
        FUZZ_CHECK(value == 0.0);
    } else if (reference.outOfRange) {
        FUZZ_CHECK(value == 0.0 || value == *reference.value);
    } else {
        FUZZ_CHECK(SameNumber(value, *reference.value));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t size)
{
    const std::string_view all(reinterpret_cast<const char*>(input), size);
    const size_t split = std::min(all.find('\n'), all.size());
    const std::string format(all.substr(0, split));
    const std::string_view number = split < all.size() ? all.substr(split + 1) : std::string_view();

    CheckProfileNumber(number);
    const double value = ParseProfileNumber(number);
    for (const double shown : {value, -value, 1e308, -2.5e-310, 65535.0 * 1e6}) CheckFormat(format, shown);
    return 0;
}
