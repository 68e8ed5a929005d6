#pragma once

#include <span>
#include <string_view>

namespace ui {

// The toolkit's own command-line options, which the program passes on to it untouched: names
// without their dashes (each may be written with one or two), and a line for the usage text.
// Windows has none.
struct ToolkitOptions {
    std::span<const std::string_view> withValue;  // -name value
    std::span<const std::string_view> flags;      // -name
    std::span<const std::string_view> withEquals; // -name=value, by prefix
    std::string_view usage;                       // empty when there are none
};

} // namespace ui
