#include "GridFixture.h"

#include "platform/ui/Font.h"
#include "platform/ui/SystemMetrics.h"

#include <tuple>

using namespace ui;
using namespace gridtest;

namespace {

using GridCells = GridTest;

// What a default cell takes from its font: margin, default width, default height.
using Metrics = std::tuple<UINT, int, int>;

Metrics MeasuredWith(const LOGFONT& logFont)
{
    Font font;
    font.CreateFontIndirect(logFont);
    DC dc;
    dc.SelectFont(&font);
    const Size sample = dc.GetTextExtent(" XXXXXXXXXXXX ");
    return Metrics{static_cast<UINT>(dc.GetTextExtent(" ").cx), sample.cx, sample.cy * 3 / 2};
}

Metrics MetricsOf(const CGridDefaultCell& cell)
{
    return Metrics{cell.GetMargin(), cell.GetWidth(), cell.GetHeight()};
}

// The fields that construction and Reset set, as a cell without a grid reports them.
void ExpectFresh(const CGridCell& cell)
{
    EXPECT_EQ(cell.GetState(), 0u);
    EXPECT_STREQ(cell.GetText(), "");
    EXPECT_EQ(cell.GetImage(), -1);
    EXPECT_EQ(cell.GetTextColor(), CLR_DEFAULT);
    EXPECT_EQ(cell.GetBackColor(), CLR_DEFAULT);
    EXPECT_TRUE(cell.IsDefaultFont());
    EXPECT_EQ(cell.GetGrid(), nullptr);
    EXPECT_FALSE(cell.IsEditing());
    EXPECT_EQ(cell.GetFormat(), 0u) << "no default cell to take it from";
    EXPECT_EQ(cell.GetMargin(), 0u);
}

TEST_F(GridCells, ConstructionAndResetLeaveEveryFieldToTheDefaultCell)
{
    CGridCtrl grid(2, 2);
    CGridCell cell;
    ExpectFresh(cell);
    const LOGFONT font = GetMessageFont();
    cell.SetGrid(&grid);
    cell.SetText("x");
    cell.SetImage(2);
    cell.SetData(77);
    cell.SetState(GVIS_SELECTED | GVIS_MODIFIED);
    cell.SetFormat(DT_RIGHT);
    cell.SetTextColor(RGB(1, 2, 3));
    cell.SetBackColor(RGB(1, 2, 3));
    cell.SetFont(&font);
    cell.SetMargin(9);
    cell.Reset();
    ExpectFresh(cell);
    EXPECT_EQ(cell.GetData(), 77) << "Reset keeps the user value";
}

TEST_F(GridCells, UnsetFieldsComeFromTheDefaultCellOfTheCellsKind)
{
    CGridCtrl grid(3, 3, 1, 1);
    UINT margin = 20;
    for (CCellID at : {CCellID(0, 0), CCellID(0, 2), CCellID(2, 0), CCellID(2, 2)}) {
        SCOPED_TRACE(::testing::Message() << "cell " << at.row << "," << at.col);
        CGridDefaultCell* defaults = grid.GetDefaultCell(at.row == 0, at.col == 0);
        CGridCellBase* cell = grid.GetCell(at.row, at.col);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->GetDefaultCell(), defaults);
        // The format is copied at creation; only the sentinel follows later changes.
        const UINT created = defaults->GetFormat();
        defaults->SetFormat(DT_CENTER);
        EXPECT_EQ(cell->GetFormat(), created);
        cell->SetFormat(kDefaultFormat);
        EXPECT_EQ(cell->GetFormat(), DT_CENTER);
        defaults->SetMargin(++margin);
        EXPECT_EQ(cell->GetMargin(), margin);
        EXPECT_EQ(cell->GetFont(), defaults->GetFont());
        EXPECT_EQ(cell->GetRealizedFont(), defaults->GetRealizedFont());
    }
}

TEST_F(GridCells, DefaultCellsAreReadOnlyAndMeasuredWithTheMessageFont)
{
    CGridCtrl grid;
    const Metrics expected = MeasuredWith(GetMessageFont());
    for (auto [fixedRow, fixedCol] : kCellKinds) {
        SCOPED_TRACE(::testing::Message() << "fixed row " << fixedRow << " fixed column " << fixedCol);
        CGridDefaultCell* cell = grid.GetDefaultCell(fixedRow, fixedCol);
        EXPECT_EQ(MetricsOf(*cell), expected);
        EXPECT_EQ(cell->GetFormat(), kDefaultCellFormat);
        cell->SetState(GVIS_SELECTED);
        cell->SetData(5);
        EXPECT_EQ(cell->GetState(), GVIS_READONLY) << "state is ignored, read-only always reported";
        EXPECT_EQ(cell->GetData(), 0);
    }
}

TEST_F(GridCells, SetFontRemeasuresTheDefaultCellsAndGetFontGivesTheNormalCellsFont)
{
    CGridCtrl grid(3, 3, 1, 1);
    Place(grid, 200, 100);
    Font big;
    LOGFONT bigRecord;
    ASSERT_TRUE(big.CreatePointFont(200, "Arial") && big.GetLogFont(bigRecord));
    ASSERT_NE(MeasuredWith(bigRecord), MeasuredWith(GetMessageFont()));
    grid.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(&big), 1);
    for (auto [fixedRow, fixedCol] : kCellKinds)
        EXPECT_EQ(MetricsOf(*grid.GetDefaultCell(fixedRow, fixedCol)), MeasuredWith(bigRecord)) << fixedRow << fixedCol;
    EXPECT_EQ(grid.GetRowHeight(1), kRowHeight) << "existing rows keep their height";
    EXPECT_EQ(reinterpret_cast<Font*>(grid.SendMessage(WM_GETFONT)), grid.GetDefaultCell(false, false)->GetRealizedFont());
}

TEST_F(GridCells, MeasureTextFollowsTheFormatAndVerticalFonts)
{
    CGridCtrl grid(2, 2);
    CGridCellBase* cell = grid.GetCell(1, 1);
    const CGridDefaultCell* defaults = grid.GetDefaultCell(false, false);
    const int m = static_cast<int>(cell->GetMargin());
    DC dc;
    dc.SelectFont(cell->GetRealizedFont());
    const char* const twoLines = "ab\na longer line";
    const Size shortLine = dc.GetTextExtent("ab");
    const Size longLine = dc.GetTextExtent("a longer line");
    const Size asOne = dc.GetTextExtent(twoLines);
    Rect wrapped{0, 0, longLine.cx, 0};
    dc.DrawText(twoLines, wrapped, DT_WORDBREAK | DT_CALCRECT);
    struct Case {
        const char *name, *text;
        UINT format;
        int escapement;
        Size expected;
    };
    const Case cases[] = {
        {"no text", "", DT_WORDBREAK, 0, Size{defaults->GetWidth(), defaults->GetHeight()}},
        {"single line", twoLines, DT_SINGLELINE | DT_WORDBREAK, 0, Size{asOne.cx + 4 * m, asOne.cy + 2 * m}},
        {"word break", twoLines, DT_WORDBREAK, 0, Size{longLine.cx + 4 * m, wrapped.Height() + 2 * m}},
        {"vertical", "ab", DT_SINGLELINE, 900, Size{shortLine.cy + 2 * m, shortLine.cx + 8 * m}},
        {"vertical downwards", "ab", DT_SINGLELINE, -900, Size{shortLine.cy + 2 * m, shortLine.cx + 8 * m}},
    };
    for (const Case& c : cases) {
        LOGFONT logFont = *defaults->GetFont();
        logFont.lfEscapement = c.escapement;
        cell->SetFont(&logFont);
        cell->SetFormat(c.format);
        EXPECT_EQ(cell->MeasureText(c.text, &dc), c.expected) << c.name;
    }
}

} // namespace
