#pragma once

#include <optional>

namespace ui::qt {

// Stands in for the system's wheel setting, which the toolkit cannot report as 0 or -1; none
// gives the toolkit's value again. For tests.
void OverrideWheelScrollLines(std::optional<int> lines);

} // namespace ui::qt
