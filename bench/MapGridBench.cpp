// Processor time of the map grid's colour scale: Recolor over the 20 x 20 data cells of a map
// page, as done at the end of loading and on the recolour label.
#include "bench/support/GridBenchHost.h"
#include "pages/CMapGridCtrl.h"

#include "platform/ui/Application.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Styles.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

constexpr int kGridId = 100;

void MapGridRecolor(benchmark::State& state)
{
    std::array<CellValue, 400> values{};
    for (size_t i = 0; i < values.size(); ++i) values[i] = {static_cast<uint16_t>((i * 37) % 256), 0};
    CMapGridCtrl grid;
    grid.m_pValues = values.data();
    grid.m_nMaxValue = 255;
    grid.SetRowCount(21);
    grid.SetColumnCount(21);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.Create(GridBenchHost(), ui::Rect{0, 0, 800, 300}, kGridId);
    for (auto _ : state) {
        grid.Recolor();
        benchmark::DoNotOptimize(grid.ObservedMaximum());
    }
    state.counters["cells"] = 400;
}
BENCHMARK(MapGridRecolor)->Unit(benchmark::kMicrosecond);

} // namespace
