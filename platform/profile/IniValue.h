#pragma once

#include <string_view>

namespace profile {

// The leading decimal number of a value, with an optional sign; 0 when there is none. Values
// beyond the int range are clamped to it.
int ParseIniInt(std::string_view value);

// The value without one pair of matching surrounding quotes ("..." or '...').
std::string_view UnquoteIniValue(std::string_view value);

} // namespace profile
