#include "ports/ErrorText.h"

#include <cstdio>

namespace ports {

std::string ErrorText(const char* format, uint32_t code)
{
    char text[128];
    std::snprintf(text, sizeof text, format, static_cast<unsigned long>(code));
    return text;
}

} // namespace ports
