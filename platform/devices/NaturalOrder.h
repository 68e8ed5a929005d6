#pragma once

#include <string_view>

namespace devices {

// Orders names as people count: digit runs compare by value, so ttyS2 comes before ttyS10.
bool NaturalLess(std::string_view a, std::string_view b);

} // namespace devices
