#include "ListFixture.h"

#include "platform/ui/DeviceContext.h"
#include "platform/ui/ListView.h"

#include <string>

using namespace ui;
using namespace listtest;

namespace {

using ListDrawing = ListFixture;
using ListDrawingShowingSelection = ShowSelectionFixture;

constexpr COLORREF kPale = RGB(220, 240, 200);
constexpr COLORREF kGrey = RGB(90, 90, 90);

} // namespace

TEST_F(ListDrawing, SelectedRowIsHighlightedToTheRightEdgeOfTheClientArea)
{
    FocusList();
    List().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    const Picture picture = Grab();
    EXPECT_EQ(picture.At(ClientWidth() - 1, MiddleOf(0)), highlight);
    EXPECT_EQ(picture.At(kColumnsWidth + 5, MiddleOf(0)), highlight);
    EXPECT_EQ(picture.At(ClientWidth() - 1, MiddleOf(1)), window);
}

TEST_F(ListDrawing, HighlightFollowsTheClientWidthAfterAResize)
{
    FocusList();
    List().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    Rect bounds = List().GetWindowRect();
    bounds.right += 40;
    List().MoveWindow(bounds);
    EXPECT_EQ(Grab().At(ClientWidth() - 1, MiddleOf(0)), highlight);
}

TEST_F(ListDrawing, SelectedRowIsDrawnPlainWhileTheFocusIsElsewhere)
{
    FocusEdit();
    List().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    const Rect row = Cell(0, 0);
    EXPECT_FALSE(Grab().InkIn(Rect{kLabelWidth, row.top, ClientWidth(), row.bottom}, window).any);
    // A drop target shows regardless.
    List().SetItemState(1, LVIS_DROPHILITED, LVIS_DROPHILITED);
    EXPECT_EQ(Grab().At(ClientWidth() - 1, MiddleOf(1)), highlight);
    FocusList();
    EXPECT_EQ(Grab().At(ClientWidth() - 1, MiddleOf(0)), highlight);
}

TEST_F(ListDrawingShowingSelection, SelectedRowStaysHighlightedWithoutFocusAndUnoutlined)
{
    FocusEdit();
    List().SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    const Rect row = Cell(0, 0);
    const Picture picture = Grab();
    EXPECT_FALSE(picture.InkIn(Rect{kColumnsWidth, row.top, ClientWidth(), row.bottom}, highlight).any);
    EXPECT_EQ(picture.At(ClientWidth() - 1, MiddleOf(1)), window);
}

TEST_F(ListDrawing, FocusedRowIsOutlinedWhileTheListHasFocus)
{
    FocusList();
    List().SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    const Rect row = Cell(0, 0);
    const Picture picture = Grab();
    EXPECT_TRUE(picture.InkIn(Rect{kColumnsWidth, row.top, ClientWidth(), row.top + 1}, highlight).any);
    EXPECT_FALSE(picture.InkIn(Rect{kColumnsWidth, row.top + 1, ClientWidth() - 1, row.bottom - 1}, highlight).any);
}

TEST_F(ListDrawing, LongValueShowsItsLongestFittingPrefixLeftAlignedInARightColumn)
{
    const std::string value = "1234567.890123";
    List().SetItemText(0, 1, value);

    DC measuring;
    measuring.SelectFont(&arial9);
    const auto width = [&measuring](std::string_view text) { return measuring.GetTextExtent(text).cx; };
    constexpr int kAllowance = 4;
    ASSERT_GT(width(value) + kAllowance, kValueWidth) << "the value must be too long for its column";
    std::string expected = value.substr(0, 1) + "...";
    for (size_t k = 2; k < value.size(); ++k) {
        if (width(value.substr(0, k)) + width("...") + kAllowance <= kValueWidth) expected = value.substr(0, k) + "...";
    }

    const Rect cell = Cell(0, 1);
    const Picture picture = Grab();
    EXPECT_EQ(picture.Differences(cell, ValueReference(cell, expected, DT_LEFT, window)), 0) << expected;
    EXPECT_LE(picture.InkIn(cell, window).left, cell.left + 4);
}

TEST_F(ListDrawing, ValueThatFitsKeepsItsColumnsAlignment)
{
    List().SetItemText(0, 1, "1234");
    List().SetItemText(0, 2, "rpm");
    const Picture picture = Grab();
    const Rect value = Cell(0, 1);
    const Rect unit = Cell(0, 2);
    EXPECT_EQ(picture.Differences(value, ValueReference(value, "1234", DT_RIGHT, window)), 0);
    EXPECT_EQ(picture.Differences(unit, ValueReference(unit, "rpm", DT_CENTER, window)), 0);
    EXPECT_GT(picture.InkIn(value, window).left, value.left + kValueWidth / 2);
}

TEST_F(ListDrawing, ColumnOfAFewPixelsStartsItsTextAtItsLeftEdge)
{
    List().InsertColumn(1, "", LVCFMT_RIGHT, 6);
    List().SetItemText(0, 1, "98765");
    const Rect cell = Cell(0, 1);
    const Ink ink = Grab().InkIn(cell, window);
    ASSERT_TRUE(ink.any);
    EXPECT_LE(ink.left, cell.left + 3);
}

TEST_F(ListDrawing, ColumnOfAFewPixelsStillShowsOneCharacterAndEllipsis)
{
    List().InsertColumn(1, "", LVCFMT_RIGHT, 6);
    List().SetItemText(0, 1, "98765");
    // The text is not clipped: it runs on over the empty column beside it.
    const Rect cell = Cell(0, 1);
    const Rect shown{cell.left, cell.top, cell.left + 40, cell.bottom};
    EXPECT_EQ(Grab().Differences(shown, ValueReference(shown, "9...", DT_LEFT, window)), 0);
}

TEST_F(ListDrawing, EmptyValueLeavesItsColumnShowingOnlyTheRowFill)
{
    FocusList();
    List().SetItemText(0, 1, "1234");
    List().SetItemText(1, 1, "0.85");
    List().SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    const Picture picture = Grab();
    EXPECT_FALSE(picture.InkIn(Cell(0, 2), window).any);
    EXPECT_FALSE(picture.InkIn(Cell(1, 2), highlight).any);
    EXPECT_TRUE(picture.InkIn(Cell(1, 1), highlight).any);
}

TEST_F(ListDrawing, LabelUsesTheControlsFontAndValuesTheNinePointArial)
{
    ASSERT_TRUE(otherFont.CreatePointFont(180, "Arial")); // 24 pixels
    List().SetFont(&otherFont);
    List().SetItemText(0, 0, "8");
    List().SetItemText(0, 1, "8");
    const Picture picture = Grab();
    const Ink label = picture.InkIn(Cell(0, 0), window);
    const Ink value = picture.InkIn(Cell(0, 1), window);
    ASSERT_TRUE(label.any && value.any);
    EXPECT_GE(label.Height(), 15);
    EXPECT_LE(value.Height(), 11);

    LOGFONT record;
    ASSERT_TRUE(List().ValueFont().GetLogFont(record));
    EXPECT_EQ(record.lfHeight, -12);
    EXPECT_STREQ(record.lfFaceName, "Arial");
}

TEST_F(ListDrawing, RowsAreFilledWithTheTextBackgroundAndTheRestWithTheBackground)
{
    List().SetTextBkColor(kPale);
    List().SetBkColor(kGrey);
    EXPECT_EQ(List().GetTextBkColor(), kPale);
    EXPECT_EQ(List().GetBkColor(), kGrey);
    const Picture picture = Grab();
    EXPECT_EQ(picture.At(ClientWidth() - 1, MiddleOf(1)), kPale);
    EXPECT_FALSE(picture.InkIn(Cell(1, 2), kPale).any);
    EXPECT_EQ(picture.At(ClientWidth() - 1, Cell(1, 0).bottom + 3), kGrey);
}
