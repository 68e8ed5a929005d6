#include "GridFixture.h"

#include "platform/ui/Font.h"

#include <algorithm>
#include <functional>

using namespace ui;
using namespace gridtest;

namespace {

using GridModel = GridTest;

TEST_F(GridModel, FixedCountsGrowAnEmptyGridAndMarkTheHeaderCells)
{
    CGridCtrl grid;
    EXPECT_TRUE(grid.SetFixedColumnCount(1) && grid.SetFixedRowCount(1));
    EXPECT_EQ(std::pair(grid.GetRowCount(), grid.GetColumnCount()), std::pair(1, 1));
    EXPECT_TRUE(grid.SetRowCount(21) && grid.SetColumnCount(21) && grid.SetRowCount(21) && grid.SetColumnCount(21)) << "also again";
    EXPECT_EQ(std::pair(grid.GetFixedRowCount(), grid.GetFixedColumnCount()), std::pair(1, 1));
    for (auto [at, kind] : {std::pair{CCellID(0, 0), GVIS_FIXED | GVIS_FIXEDROW | GVIS_FIXEDCOL},
             std::pair{CCellID(0, 20), GVIS_FIXED | GVIS_FIXEDROW}, std::pair{CCellID(20, 0), GVIS_FIXED | GVIS_FIXEDCOL},
             std::pair{CCellID(20, 20), 0u}})
        EXPECT_EQ(grid.GetCellState(at.row, at.col), kind) << at.row << "," << at.col;
}

// Each call reaches outside the 4 x 3 grid and is refused without a change.
TEST_F(GridModel, PositionsCountsAndSizesOutsideTheGridAreRefused)
{
    const std::pair<const char*, std::function<bool(CGridCtrl&)>> cases[] = {
        {"state of column 3", [](CGridCtrl& g) { return g.SetCellState(0, 3, GVIS_SELECTED); }},
        {"state of row -1", [](CGridCtrl& g) { return g.SetCellState(-1, 0, GVIS_SELECTED); }},
        {"cell of row 4", [](CGridCtrl& g) { return g.GetCell(4, 0) != nullptr || !g.GetCellText(4, 0).empty(); }},
        {"cell of column 3", [](CGridCtrl& g) { return g.GetCell(0, 3) != nullptr || !g.GetCellText(0, 3).empty(); }},
        {"fewer rows or columns", [](CGridCtrl& g) { return g.SetRowCount(3) || g.SetColumnCount(2); }},
        {"fewer header rows", [](CGridCtrl& g) { return g.SetFixedRowCount(0) || g.GetFixedRowCount() != 1; }},
        {"width of column 3", [](CGridCtrl& g) { g.SetColumnWidth(3, 10); return g.GetColumnWidth(3) != -1 || g.GetRowHeight(4) != -1; }},
        {"height 0", [](CGridCtrl& g) { g.SetRowHeight(1, 0); return g.GetRowHeight(1) == 0; }},
        {"range to row 4", [](CGridCtrl& g) { return g.IsValid(CCellRange(1, 1, 4, 1)); }},
        {"range to column 3", [](CGridCtrl& g) { return g.IsValid(CCellRange(1, 1, 1, 3)); }},
    };
    for (const auto& [name, call] : cases) {
        SCOPED_TRACE(name);
        CGridCtrl grid(4, 3, 1, 1);
        EXPECT_FALSE(call(grid));
        EXPECT_EQ(std::pair(grid.GetRowCount(), grid.GetColumnCount()), std::pair(4, 3));
        EXPECT_EQ(grid.GetSelectedRange(), CCellRange(4, 3, -1, -1)) << "no selection made";
    }
}

TEST_F(GridModel, ARangeReachingIntoTheHeadersSelectsOnlyDataCells)
{
    for (auto [asked, selected] :
        {std::pair{CCellRange(0, 0, 2, 3), CCellRange(1, 1, 2, 3)}, std::pair{CCellRange(0, 0, 0, 0), CCellRange(1, 1, 1, 1)}}) {
        CGridCtrl grid(5, 5, 1, 1);
        grid.SetSelectedRange(asked);
        EXPECT_EQ(grid.GetSelectedRange(), selected) << "asked to " << asked.maxRow << "," << asked.maxCol;
    }
}

// A grid may have more than 65,535 rows or columns: every cell has its own entry.
TEST_F(GridModel, SetCellStateKeepsEachCellsSelectionApart)
{
    constexpr int kFar = 65537;
    struct Case { const char* name; int rows, cols; CCellID kept, dropped; };
    for (Case c : {Case{"small grid", 6, 5, {2, 3}, {5, 1}}, Case{"far row", kFar + 1, 2, {1, 1}, {kFar, 1}},
             Case{"far column", 2, kFar + 1, {1, 1}, {1, kFar}}}) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid(c.rows, c.cols);
        grid.SetCellState(c.kept.row, c.kept.col, GVIS_SELECTED);
        grid.SetCellState(c.dropped.row, c.dropped.col, GVIS_SELECTED | GVIS_READONLY);
        EXPECT_EQ(grid.GetSelectedRange(), CCellRange(std::min(c.kept.row, c.dropped.row), std::min(c.kept.col, c.dropped.col),
                                               std::max(c.kept.row, c.dropped.row), std::max(c.kept.col, c.dropped.col)));
        grid.SetCellState(c.dropped.row, c.dropped.col, GVIS_READONLY);
        EXPECT_EQ(grid.GetSelectedRange(), CCellRange(c.kept.row, c.kept.col, c.kept.row, c.kept.col));
        EXPECT_TRUE(grid.IsCellSelected(c.kept.row, c.kept.col) && !grid.IsCellSelected(c.dropped.row, c.dropped.col));
    }
}

// A cell that, as it goes, asks its grid about the cells: what a grid's neighbour or parent
// does when told of the grid's end.
class AskingCell : public CGridCell {
public:
    static inline std::vector<std::pair<int, int>> countsSeen;
    static inline int cellsFound = 0;

    ~AskingCell() override
    {
        const CGridCtrl* grid = GetGrid();
        countsSeen.emplace_back(grid->GetRowCount(), grid->GetColumnCount());
        for (int row = 0; row < grid->GetRowCount(); ++row) {
            for (int col = 0; col < grid->GetColumnCount(); ++col) cellsFound += grid->GetCell(row, col) != nullptr ? 1 : 0;
        }
    }
};

class AskingGrid : public CGridCtrl {
protected:
    std::unique_ptr<CGridCellBase> CreateCell(int, int) override
    {
        auto cell = std::make_unique<AskingCell>();
        cell->SetGrid(this);
        return cell;
    }
};

TEST_F(GridModel, AGridThatGoesHasNoCountsLeftForTheRowsItFreed)
{
    AskingCell::countsSeen.clear();
    AskingCell::cellsFound = 0;
    {
        AskingGrid grid;
        grid.SetRowCount(4);
        grid.SetColumnCount(3);
        Place(grid, 60, 50);
    }
    EXPECT_EQ(AskingCell::countsSeen, (std::vector<std::pair<int, int>>(12, {0, 0})));
    EXPECT_EQ(AskingCell::cellsFound, 0);
}

TEST_F(GridModel, ABiggerFontMakesBiggerDefaultCellsAndLeavesExistingRows)
{
    CGridCtrl grid(3, 3, 1, 1);
    Place(grid, 200, 100);
    std::vector<Size> before;
    for (auto [fixedRow, fixedCol] : kCellKinds) {
        const CGridDefaultCell* cell = grid.GetDefaultCell(fixedRow, fixedCol);
        before.push_back(Size{cell->GetWidth(), cell->GetHeight()});
    }
    Font big;
    ASSERT_TRUE(big.CreatePointFont(200, "Arial"));
    grid.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(&big), 1);
    for (size_t kind = 0; kind < before.size(); ++kind) {
        SCOPED_TRACE(::testing::Message() << "kind " << kind);
        const CGridDefaultCell* cell = grid.GetDefaultCell(kCellKinds[kind].first, kCellKinds[kind].second);
        EXPECT_GT(cell->GetWidth(), before[kind].cx);
        EXPECT_GT(cell->GetHeight(), before[kind].cy);
    }
    EXPECT_EQ(grid.GetRowHeight(1), kRowHeight) << "existing rows keep their height";
    EXPECT_EQ(reinterpret_cast<Font*>(grid.SendMessage(WM_GETFONT)), grid.GetDefaultCell(false, false)->GetRealizedFont());
}

} // namespace
