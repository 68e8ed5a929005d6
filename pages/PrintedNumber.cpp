#include "pages/PrintedNumber.h"

#include <cstdio>

std::string PrintedNumber(const char* format, double value)
{
    char text[352]; // room for the widest double "%f" prints
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string PrintedNumber(const char* format, int value)
{
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}
