#pragma once

#include <optional>
#include <string_view>

namespace profile {

// True when `text` is well-formed UTF-8: no overlong forms, surrogates or values past U+10FFFF.
bool IsValidUtf8(std::string_view text);

// The byte length of the longest character of well-formed UTF-8 (1 for plain ASCII, 0 for no
// text at all); nothing when `text` is not well-formed.
std::optional<int> LongestUtf8Character(std::string_view text);

} // namespace profile
