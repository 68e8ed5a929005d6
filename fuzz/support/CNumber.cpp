#include "fuzz/support/CNumber.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

CNumber CNumber::Read(std::string_view text)
{
    // strtod wants a terminated text: a zero byte ends it here as it ends any C reading.
    const std::string terminated(text.substr(0, std::min(text.find('\0'), text.size())));
    const char* begin = terminated.c_str();
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(begin, &end);
    CNumber number;
    if (end == begin) return number;
    number.value = value;
    number.outOfRange = errno == ERANGE;
    const char* digits = begin + std::strspn(begin, " \t\n\v\f\r+-");
    number.hexadecimal = digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X') && end > digits + 1;
    return number;
}

bool SameNumber(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || a == b;
}
