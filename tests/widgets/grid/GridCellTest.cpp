#include "GridFixture.h"

#include "platform/ui/Font.h"

using namespace ui;
using namespace gridtest;

namespace {

using GridCells = GridTest;

TEST_F(GridCells, UnsetFieldsComeFromTheDefaultCellOfTheCellsKind)
{
    CGridCtrl grid(3, 3, 1, 1);
    UINT margin = 20;
    for (CCellID at : {CCellID(0, 0), CCellID(0, 2), CCellID(2, 0), CCellID(2, 2)}) {
        SCOPED_TRACE(::testing::Message() << "cell " << at.row << "," << at.col);
        CGridDefaultCell* defaults = grid.GetDefaultCell(at.row == 0, at.col == 0);
        CGridCellBase* cell = grid.GetCell(at.row, at.col);
        // The format is copied at creation; only the sentinel follows later changes.
        const UINT created = defaults->GetFormat();
        defaults->SetFormat(DT_CENTER);
        EXPECT_EQ(cell->GetFormat(), created);
        cell->SetFormat(kDefaultFormat);
        EXPECT_EQ(cell->GetFormat(), DT_CENTER);
        defaults->SetMargin(++margin);
        EXPECT_EQ(cell->GetMargin(), margin);
        EXPECT_EQ(cell->GetRealizedFont(), defaults->GetRealizedFont());
    }
}

TEST_F(GridCells, ABiggerFontMakesBiggerDefaultCellsAndLeavesExistingRows)
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
