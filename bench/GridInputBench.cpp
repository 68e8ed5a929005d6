// Processor time of the grid's input: a key press that moves the focus on the map pages' 21 x 21
// grid, from the key event to the repainted cells, and selecting every cell of a small and a
// large grid.
#include "bench/support/GridBenchHost.h"
#include "widgets/grid/CGridCtrl.h"

#include "platform/ui/Application.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Styles.h"
#include "platform/ui/testing/Input.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kGridId = 100;
constexpr int kMapSize = 21;

// As the map pages make it: 21 x 21 with one header row and column, hexadecimal values.
void MakeMapGrid(CGridCtrl& grid)
{
    grid.SetDefaultCellWidth(36);
    grid.SetRowCount(kMapSize);
    grid.SetColumnCount(kMapSize);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.SetColumnWidth(0, 42);
    char text[8];
    for (int row = 0; row < kMapSize; ++row) {
        for (int col = 0; col < kMapSize; ++col) {
            std::snprintf(text, sizeof text, "%02X", (row * kMapSize + col) & 0xFF);
            grid.SetCellText(row, col, text);
        }
    }
    grid.Create(GridBenchHost(), ui::Rect{0, 0, 42 + 20 * 36 + 2, kMapSize * grid.GetRowHeight(1) + 2}, kGridId);
}

// Right and Left in turn, each a real key event that moves the focus, then the paint it asks for.
void MapGridKeyMovesFocus(benchmark::State& state)
{
    CGridCtrl grid;
    MakeMapGrid(grid);
    ui::testing::ShowAndActivate(GridBenchHost());
    grid.SetFocus();
    grid.SetFocusCell(10, 10);
    ui::testing::ProcessEvents();
    bool right = true;
    for (auto _ : state) {
        ui::testing::PressKey(right ? ui::VK_RIGHT : ui::VK_LEFT, ui::testing::None, &grid);
        ui::testing::ProcessEvents();
        right = !right;
    }
    if (grid.GetFocusCell().col != (right ? 10 : 11)) state.SkipWithError("the focus did not follow the keys");
}
BENCHMARK(MapGridKeyMovesFocus)->Unit(benchmark::kMicrosecond);

// Every cell selected, starting from one selected cell; the repaint is not counted.
void SelectAll(benchmark::State& state, CGridCtrl& grid)
{
    for (auto _ : state) {
        state.PauseTiming();
        grid.SetSelectedRange(1, 1, 1, 1);
        state.ResumeTiming();
        grid.SelectAllCells();
    }
    const CCellRange range = grid.GetSelectedRange();
    state.counters["cells"] = (range.maxRow - range.minRow + 1) * (range.maxCol - range.minCol + 1);
}

void MapGridSelectAll(benchmark::State& state)
{
    CGridCtrl grid;
    MakeMapGrid(grid);
    SelectAll(state, grid);
}
BENCHMARK(MapGridSelectAll)->Unit(benchmark::kMicrosecond);

void LargeGridSelectAll(benchmark::State& state)
{
    CGridCtrl grid(1000, 100, 1, 1);
    grid.Create(GridBenchHost(), ui::Rect{0, 0, 800, 600}, kGridId);
    SelectAll(state, grid);
}
BENCHMARK(LargeGridSelectAll)->Unit(benchmark::kMillisecond);

} // namespace
