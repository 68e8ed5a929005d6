#pragma once

#include <string_view>

namespace profile {

// True when `text` is well-formed UTF-8: no overlong forms, surrogates or values past U+10FFFF.
bool IsValidUtf8(std::string_view text);

} // namespace profile
