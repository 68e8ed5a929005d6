#pragma once

#include <string>
#include <string_view>

namespace win32 {

// Narrow text inside the program is UTF-8; the system's calls take UTF-16.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

} // namespace win32
