#pragma once

#include <optional>

namespace ui {

// Stands in for the system's wheel setting for tests, without changing the user's; none gives
// the system's value again.
void OverrideWheelScrollLines(std::optional<int> lines);

// The screen's resolution, which the program was told as it declared itself DPI-aware.
int ScreenPixelsPerInch();

} // namespace ui
