#include "platform/devices/NaturalOrder.h"

#include <cctype>

namespace devices {
namespace {

bool IsDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The digit run starting at pos, without its leading zeros; pos moves past the run.
std::string_view DigitRun(std::string_view text, size_t& pos)
{
    const size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos])) ++pos;
    std::string_view run = text.substr(start, pos - start);
    while (run.size() > 1 && run.front() == '0') run.remove_prefix(1);
    return run;
}

} // namespace

bool NaturalLess(std::string_view a, std::string_view b)
{
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            const std::string_view x = DigitRun(a, i);
            const std::string_view y = DigitRun(b, j);
            if (x.size() != y.size()) return x.size() < y.size();
            if (x != y) return x < y;
            continue;
        }
        if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size()) return j < b.size(); // the shorter remainder comes first
    return a < b;                                          // equal by value ("tty01" and "tty1"): keep a strict order
}

} // namespace devices
