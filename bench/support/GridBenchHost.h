#pragma once

#include <functional>

namespace ui {
class Dialog;
}

// The shown dialog the grid benchmarks place their grids in, made by the shared main.
ui::Dialog& GridBenchHost();
// Runs before the toolkit goes, for grids a benchmark keeps between runs.
void AtGridBenchExit(std::function<void()> cleanUp);
