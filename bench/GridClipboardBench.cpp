// Processor time of the grid's clipboard: copying a block of selected cells to the system
// clipboard and pasting such a block back through the edit path, for several block heights
// to show that both grow linearly with the number of cells.
#include "bench/support/GridBenchHost.h"
#include "widgets/grid/CGridCtrl.h"

#include "platform/ui/Application.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Styles.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

constexpr int kGridId = 100;
constexpr int kColumns = 100;

// rows x kColumns data cells below one header row and beside one header column, all selected,
// each holding a short text that starts with prefix.
std::unique_ptr<CGridCtrl> MakeSelectedGrid(int rows, const std::string& prefix)
{
    auto grid = std::make_unique<CGridCtrl>(rows + 1, kColumns + 1, 1, 1);
    grid->Create(GridBenchHost(), ui::Rect{0, 0, 800, 600}, kGridId);
    for (int row = 1; row <= rows; ++row) {
        for (int col = 1; col <= kColumns; ++col) {
            grid->SetCellText(row, col, (prefix + std::to_string(row * kColumns + col)).c_str());
            grid->SetCellState(row, col, GVIS_SELECTED);
        }
    }
    return grid;
}

void CopySelected(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    auto grid = MakeSelectedGrid(rows, "c");
    for (auto _ : state) grid->CopySelection();
    state.SetComplexityN(static_cast<int64_t>(rows) * kColumns);
    state.counters["bytes"] = static_cast<double>(ui::Clipboard::GetText().size());
}
BENCHMARK(CopySelected)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// Pastes two different blocks in turn, so every cell really changes on every paste.
void PasteBack(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    std::string blocks[2];
    for (int i = 0; i < 2; ++i) {
        MakeSelectedGrid(rows, i == 0 ? "a" : "b")->CopySelection();
        blocks[i] = ui::Clipboard::GetText();
    }
    auto grid = MakeSelectedGrid(rows, "c");
    int turn = 0;
    for (auto _ : state) {
        ui::Clipboard::SetText(blocks[turn]);
        grid->PasteData(1, 1, ui::Clipboard::GetText(), false);
        turn = 1 - turn;
    }
    state.SetComplexityN(static_cast<int64_t>(rows) * kColumns);
    state.counters["cells"] = static_cast<double>(rows) * kColumns;
}
BENCHMARK(PasteBack)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

} // namespace
