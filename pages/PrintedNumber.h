#pragma once

#include <string>

// One number printed with a printf format that takes exactly that number.
std::string PrintedNumber(const char* format, double value);
std::string PrintedNumber(const char* format, int value);
