#pragma once

#include <cstdint>
#include <string>

namespace ports {

// A failure text from a format with one "%lx" for the platform error code.
std::string ErrorText(const char* format, uint32_t code);

} // namespace ports
