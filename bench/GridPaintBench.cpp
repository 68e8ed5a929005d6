// Processor time of the grid control: painting the map pages' 21 x 21 grid and one of its
// cells, painting the visible part of a large stored grid, and making 100,000 rows.
#include "bench/support/GridBenchHost.h"
#include "widgets/grid/CGridCtrl.h"

#include "platform/ui/Application.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/DeviceContext.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Font.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Styles.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <malloc.h>
#include <memory>

namespace {

constexpr int kGridId = 100;

// Five million stored cells take seconds to make: made once, on first use.
std::unique_ptr<CGridCtrl> g_storedGrid;

// As the map pages make it: 21 x 21 with one header row and column, columns 36 pixels wide
// (the first 42), hexadecimal values, and 9-point Arial put into the normal cells' font.
void MakeMapGrid(CGridCtrl& grid)
{
    grid.SetDefaultCellWidth(36);
    grid.SetRowCount(21);
    grid.SetColumnCount(21);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.SetColumnWidth(0, 42);
    char text[8];
    for (int row = 0; row < 21; ++row) {
        for (int col = 0; col < 21; ++col) {
            std::snprintf(text, sizeof text, "%02X", (row * 21 + col) & 0xFF);
            grid.SetCellText(row, col, text);
        }
    }
    grid.Create(GridBenchHost(), ui::Rect{0, 0, 42 + 20 * 36 + 2, 21 * grid.GetRowHeight(1) + 2}, kGridId);
    auto* font = reinterpret_cast<ui::Font*>(grid.SendMessage(ui::WM_GETFONT));
    font->DeleteObject();
    font->CreatePointFont(90, "Arial");
}

// One paint of the grid's whole client area into an off-screen bitmap.
void PaintAll(benchmark::State& state, CGridCtrl& grid)
{
    const ui::Rect client = grid.GetClientRect();
    ui::Bitmap bitmap(client.Width(), client.Height());
    for (auto _ : state) {
        ui::DC dc(bitmap);
        grid.DrawGrid(dc);
    }
    const CCellRange shown = grid.GetVisibleNonFixedCellRange();
    state.counters["cells"] = (shown.maxRow - shown.minRow + 1) * (shown.maxCol - shown.minCol + 1);
}

void MapGridPaint(benchmark::State& state)
{
    CGridCtrl grid;
    MakeMapGrid(grid);
    PaintAll(state, grid);
}
BENCHMARK(MapGridPaint)->Unit(benchmark::kMicrosecond);

void MapGridRedrawCell(benchmark::State& state)
{
    CGridCtrl grid;
    MakeMapGrid(grid);
    const ui::Rect client = grid.GetClientRect();
    ui::Bitmap bitmap(client.Width(), client.Height());
    ui::DC dc(bitmap);
    for (auto _ : state) benchmark::DoNotOptimize(grid.RedrawCell(10, 10, &dc));
}
BENCHMARK(MapGridRedrawCell)->Unit(benchmark::kMicrosecond);

// Bytes the heap holds for the program now.
size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void StoredGridPaint(benchmark::State& state)
{
    if (!g_storedGrid) {
        g_storedGrid = std::make_unique<CGridCtrl>(100000, 50, 1, 1);
        AtGridBenchExit([] { g_storedGrid.reset(); });
        g_storedGrid->Create(GridBenchHost(), ui::Rect{0, 0, 800, 600}, kGridId + 1);
    }
    PaintAll(state, *g_storedGrid);
}
BENCHMARK(StoredGridPaint)->Unit(benchmark::kMicrosecond);

// Making 100,000 rows of 50 cells; the grid's destruction is not timed.
void SetRowCount100k(benchmark::State& state)
{
    size_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = std::make_unique<CGridCtrl>(0, 50);
        const size_t before = HeapInUse();
        state.ResumeTiming();
        grid->SetRowCount(100000);
        state.PauseTiming();
        bytes = HeapInUse() - before;
        grid.reset();
        state.ResumeTiming();
    }
    state.counters["MB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
    state.counters["bytes_per_cell"] = static_cast<double>(bytes) / (100000.0 * 50.0);
}
BENCHMARK(SetRowCount100k)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
