#pragma once

#include <string>
#include <string_view>

// Format texts come from profile files, so they never reach printf unchecked: a text must
// hold exactly one floating-point conversion (flags, a width and a precision of up to two
// digits each, "%%" anywhere); anything else, and an empty text, formats as "%4g".
bool IsSafeMonitorFormat(std::string_view format);
std::string FormatMonitorValue(const std::string& format, double value);

// The leading decimal number of a profile text ("1.5e1x" is 15), 0.0 when there is none.
double ParseProfileNumber(std::string_view text);
