#include "tests/app/StartupFixture.h"
#include "tests/pages/MapPageFixture.h"

#include "platform/ui/Clipboard.h"
#include "platform/ui/Window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace {

TEST_F(MapPage, TheTipOverTheGridNamesTheDataItemsUnit)
{
    ASSERT_EQ(Load(wordMap, 4, kWordMapCommand), 0);
    EXPECT_EQ(wordMap.Tip().GetText(), "Unit: deg");
    EXPECT_EQ(wordMap.Tip().GetTool(), &wordMap.Grid());
}

// The page's type, the first rows of grid column 1, their cells and their read-outs.
using RawShown = std::tuple<int, std::vector<uint16_t>, Strings, Strings>;

class MapValues : public MapPage, public ::testing::WithParamInterface<RawShown> { };

TEST_P(MapValues, ShowInTheTypesUnitsInCellAndReadOut)
{
    const auto& [type, column1, cells, readOuts] = GetParam();
    CMapPage& page = PageOf(type);
    ASSERT_EQ(LoadColumnOne(type, column1), 0);
    for (int row = 1; row <= static_cast<int>(column1.size()); ++row) {
        EXPECT_EQ(std::pair(page.Value(row, 1)->current, page.Value(row, 1)->base), std::pair(column1[row - 1], column1[row - 1]));
        EXPECT_EQ(page.Grid().GetCellText(row, 1), cells[row - 1]);
        ClickCell(page.Grid(), row, 1);
        EXPECT_EQ(page.ReadOut(), readOuts[row - 1]);
    }
}

INSTANTIATE_TEST_SUITE_P(Types, MapValues,
    ::testing::Values(RawShown{0, {0, 25, 255}, {"-25", "0", "230"}, {"-25", " 0", "230"}},
        RawShown{5, {0, 25, 255}, {"-25", "0", "230"}, {"-25", " 0", "230"}},
        RawShown{3, {0, 128, 255}, {" 50", "100", "150"}, {"50.00", "100.00", "149.61"}},
        RawShown{kWordMapType, {250, 65535}, {"1.00", "262.14"}, {"1.000", "262.140"}}));

TEST_F(MapPage, ByteRepliesFillFiveColumnsEachTopRowFirst)
{
    std::vector<uint8_t> part(100, 0);
    part[20 * 3 + 7] = 99; // fourth column of the reply, eighth row
    Reply(kByteMapCommand + 2, part, 2);
    ASSERT_EQ(Load(byteMap, 0, kByteMapCommand), 0);
    EXPECT_EQ(std::pair(byteMap.Value(8, 14)->current, byteMap.Value(8, 13)->current), (std::pair<uint16_t, uint16_t>(99, 0)));
    EXPECT_EQ(byteMap.Grid().GetCellText(8, 14), "74");
}

TEST_F(MapPage, AxisWordsBecomeTheHeaders)
{
    std::vector<uint16_t> axes(40, 0);
    std::tie(axes[0], axes[20], axes[39]) = std::tuple(10332, 3000, 65535);
    Reply(kAxesCommand, LittleEndianWords(axes, 40), 4);
    ASSERT_EQ(Load(byteMap, 0, kByteMapCommand), 0);
    CMapGridCtrl& grid = byteMap.Grid();
    EXPECT_EQ((Strings{grid.GetCellText(1, 0), grid.GetCellText(0, 1), grid.GetCellText(0, 20), grid.GetCellText(2, 0)}),
        (Strings{"1.03", "3000", "65535", "0.00"}));
    EXPECT_NE(grid.GetCell(20, 0)->GetFormat() & grid.GetCell(0, 20)->GetFormat() & ui::DT_CENTER, 0u) << "headers are centred";
}

// The page's type, the value before the edit, the text typed, the value stored (nothing: the
// text is rejected), and what the cell and the read-out then show.
using Edit = std::tuple<int, int, const char*, std::optional<int>, const char*, const char*>;

class Edits : public MapPage, public ::testing::WithParamInterface<Edit> { };

TEST_P(Edits, AreValidatedConvertedAndStored)
{
    const auto& [type, raw, typed, stored, cell, readOut] = GetParam();
    SCOPED_TRACE(typed);
    CMapPage& page = PageOf(type);
    ASSERT_EQ(LoadColumnOne(type, {static_cast<uint16_t>(raw)}), 0);
    const std::string cellBefore = page.Grid().GetCellText(1, 1);
    ClickCell(page.Grid(), 1, 1);
    const Strings before{cellBefore, page.ReadOut()};

    TypeIntoCell(page.Grid(), 1, 1, typed);

    EXPECT_FALSE(page.Grid().IsCellEditing(1, 1));
    EXPECT_EQ(std::pair(page.Value(1, 1)->current, page.Value(1, 1)->base), (std::pair<uint16_t, uint16_t>(stored.value_or(raw), raw)));
    EXPECT_EQ((Strings{page.Grid().GetCellText(1, 1), page.ReadOut()}), (stored ? Strings{cell, readOut} : before));
}

INSTANTIATE_TEST_SUITE_P(ByteAndWordMaps, Edits,
    ::testing::Values(Edit{0, 0, "12.7", 37, "13", "13"}, Edit{0, 0, "-25", 0, "-25", "-25"}, Edit{0, 9, "-25.5", {}, "", ""},
        Edit{0, 9, "231", {}, "", ""}, Edit{0, 0, "230", 255, "230", "230"}, Edit{5, 0, "12abc", 37, "12", "12"},
        Edit{5, 9, "abc", {}, "", ""}, Edit{0, 9, "  +7", 32, " 7", " 7"}, Edit{0, 9, "nan", {}, "", ""},
        Edit{3, 0, "75.5", 65, " 76", "75.50"}, Edit{3, 0, "50", 0, " 50", "50.00"}, Edit{3, 0, "150", 255, "150", "150.00"},
        Edit{3, 0, "49.9", {}, "", ""}, Edit{3, 0, "150.1", {}, "", ""}, Edit{4, 0, "2.5", 625, "2.50", "2.500mS"},
        Edit{4, 0, "262", 65500, "262.00", "262.000mS"}, Edit{4, 7, "262.01", {}, "", ""}, Edit{4, 7, "-0.1", {}, "", ""},
        Edit{4, 7, "0", 0, "0.00", "0.000mS"}, Edit{4, 7, "0.0039", 0, "0.00", "0.004mS"}, Edit{4, 7, "x1", {}, "", ""},
        Edit{4, 7, "4.004", 1001, "4.00", "4.004mS"}, Edit{4, 7, "258.044", 64511, "258.04", "258.044mS"},
        Edit{4, 7, "0.00799", 1, "0.01", "0.008mS"}, Edit{3, 116, "", 116, " 95", "95.31"}, Edit{4, 618, "", 618, "2.47", "2.472mS"}));

TEST_F(MapPage, WordRepliesRunColumnByColumnAcrossReplyBoundaries)
{
    std::vector<uint16_t> words(50, 0);
    std::tie(words[0], words[10], words[49]) = std::tuple(1111, 1234, 2222); // words 50, 60 and 99
    Reply(kWordMapCommand + 1, LittleEndianWords(words, 50), 1);
    ASSERT_EQ(Load(wordMap, 4, kWordMapCommand), 0);
    EXPECT_EQ(std::pair(wordMap.Value(1, 4)->current, wordMap.Value(20, 5)->current), (std::pair<uint16_t, uint16_t>(1234, 2222)));
    EXPECT_EQ(wordMap.Grid().GetCellText(1, 4), "4.94");
    EXPECT_EQ(wordMap.Value(11, 3)->current, 1111) << "the reply starts inside column 3";
    EXPECT_EQ(wordMap.Value(10, 3)->base, wordMap.Value(10, 3)->current) << "word 49 is the first reply's";
}

TEST_F(MapPage, ASelectionOutsideTheDataCellsLeavesTheReadOut)
{
    ASSERT_EQ(Load(byteMap, 0, kByteMapCommand), 0);
    byteMap.Grid().SendMessageToParent(3, 4, GVN_SELCHANGED);
    const std::string readOut = byteMap.ReadOut();
    ASSERT_FALSE(readOut.empty());
    for (const auto& [row, col] : std::vector<std::pair<int, int>>{{0, 3}, {3, 0}, {0, 0}, {-1, -1}, {-1, 5}, {21, 1}, {1, 21}}) {
        byteMap.Grid().SendMessageToParent(row, col, GVN_SELCHANGED);
        EXPECT_EQ(byteMap.ReadOut(), readOut) << row << ", " << col;
    }
}

TEST_F(MapPage, TheRecolourLabelAppliesEditsToTheColourScale)
{
    ASSERT_EQ(Load(byteMap, 0, kByteMapCommand), 0);
    CMapGridCtrl& grid = byteMap.Grid();
    const ui::COLORREF before = grid.GetCell(1, 1)->GetBackColor();
    TypeIntoCell(byteMap.Grid(), 1, 1, "230");
    EXPECT_EQ(grid.GetCell(1, 1)->GetBackColor(), before) << "an edit alone does not recolour";
    ui::testing::Click(*byteMap.GetDlgItem(res::IDC_RECOLOR));
    EXPECT_EQ(grid.GetCell(1, 1)->GetBackColor(), ui::RGB(255, 0, 0)) << "the largest value is pure red";
}

// A trace point marks the cell of the last axis point below it on each axis.
TEST_F(MapPage, TracePointsMarkTheCellOfTheLastAxisPointBelow)
{
    std::vector<uint16_t> axes;
    for (uint16_t i = 1; i <= 20; ++i) axes.push_back(static_cast<uint16_t>(1000 * i)); // rows
    for (uint16_t i = 1; i <= 20; ++i) axes.push_back(static_cast<uint16_t>(500 * i));  // columns
    Reply(kAxesCommand, LittleEndianWords(axes, 40), 4);
    ASSERT_EQ(Load(byteMap, 0, kByteMapCommand), 0);
    const struct {
        const char* why;
        int x, y;
        ui::Point cell; // x = column, y = row
    } cases[] = {{"between the second and third point", 1200, 2500, {2, 2}}, {"on the second point", 1000, 2000, {1, 1}},
        {"below the first point", 400, 999, {1, 1}}, {"below the last point", 9600, 19999, {19, 19}},
        {"on the last point", 10000, 20000, {19, 19}}, {"above every point", 10001, 20001, {20, 20}},
        {"the largest word", 65535, 65535, {20, 20}}};
    for (const auto& each : cases) {
        SCOPED_TRACE(each.why);
        byteMap.ShowTracePoint(each.x, each.y);
        EXPECT_EQ(MarkedCells(byteMap.Grid()), std::vector<ui::Point>{each.cell});
    }
}

// The page's type, the reply that goes wrong, the clean replies before it, how many data bytes
// short that reply is (nothing: silence) and the box.
using ReadFailure = std::tuple<int, uint8_t, int, std::optional<size_t>, const char*>;

class ReadFailures : public MapPage, public ::testing::WithParamInterface<ReadFailure> { };

TEST_P(ReadFailures, ShowOneBoxAndKeepWhatWasFilled)
{
    const auto& [type, command, after, shortBy, box] = GetParam();
    const bool axes = command == kAxesCommand; // the cells are shown before the axes are read
    // Bytes left in the exchange buffer by the reply before must not reach the grid.
    if (shortBy) Reply(command, std::vector<uint8_t>((axes ? 80 : 100) - *shortBy, 7), after);
    if (!shortBy) Silence(after);
    CMapPage& page = PageOf(type);
    EXPECT_EQ(Load(page, type, CommandOf(type)), -1);

    EXPECT_EQ(Boxes(), Strings{box});
    EXPECT_EQ(SentCommands().back(), command) << "nothing is read after the failure";
    EXPECT_EQ(std::pair(page.Grid().GetCellText(1, 1).empty(), page.Grid().GetCellText(20, 20).empty()), std::pair(!axes, !axes));
    EXPECT_EQ(page.Grid().GetCellText(0, 1) + page.Grid().GetCellText(1, 0), "");
    EXPECT_FALSE(page.Tip().IsCreated());
    // The records of the failed reply (from column 6 on) stay as they were: zero.
    for (int row = 1; !axes && row <= 20; ++row) EXPECT_EQ(page.Value(row, 6)->current, 0) << "row " << row;
    EXPECT_TRUE(axes || page.Value(1, 1)->current != 0) << "the reply before was kept";
}

INSTANTIATE_TEST_SUITE_P(ByteAndWordMaps, ReadFailures,
    ::testing::Values(ReadFailure{0, kByteMapCommand + 1, 1, 1, "CDTByteMapDlg::InitMap(): 通信エラー"},
        ReadFailure{0, kByteMapCommand + 1, 1, 50, "CDTByteMapDlg::InitMap(): 通信エラー"},
        ReadFailure{3, kByteMapCommand + 1, 1, {}, "CDTByteMapDlg::InitMap(): 通信タイムアウト"},
        ReadFailure{0, kAxesCommand, 4, 2, "CDTByteMapDlg::InitMap(): 通信エラー"},
        ReadFailure{5, kAxesCommand, 4, {}, "CDTByteMapDlg::InitMap(): 通信タイムアウト"},
        ReadFailure{4, kWordMapCommand + 2, 2, 2, "CDTWordMapDlg::InitMap(): 通信エラー"},
        ReadFailure{4, kWordMapCommand + 2, 2, {}, "CDTWordMapDlg::InitMap(): 通信タイムアウト"},
        ReadFailure{4, kAxesCommand, 8, 1, "CDTWordMapDlg::InitMap(): 通信エラー"}));

// The page's type, the reply that stays silent, the clean replies before it, and a column whose
// row 1 got its value; the next column's did only when the axes failed.
using StepAfterFailure = std::tuple<int, uint8_t, int, int>;

class StepsAfterAFailedRead : public MapPage, public ::testing::WithParamInterface<StepAfterFailure> { };

// Values arrive but stay blank when a map reply fails; the axes come after the cells are shown.
TEST_P(StepsAfterAFailedRead, StayWithinTheKindsLimitsAndLeaveBlankCellsAlone)
{
    const auto& [type, failing, after, arrivedCol] = GetParam();
    Silence(after);
    CMapPage& page = PageOf(type);
    ASSERT_EQ(Load(page, type, CommandOf(type)), -1);
    const bool shown = failing == kAxesCommand;
    const int cols[] = {arrivedCol, arrivedCol + 1};
    const int before[] = {page.Value(1, cols[0])->current, page.Value(1, cols[1])->current};
    ASSERT_GT(before[0], 0);

    ClickCell(page.Grid(), 1, cols[0]);
    ClickCell(page.Grid(), 1, cols[1], ui::testing::Shift);
    // A step, then Escape to revert it.
    for (const auto& [vk, modifiers, delta] :
        {std::tuple{ui::VK_SUBTRACT, ui::testing::Keypad, -1}, {ui::VK_ESCAPE, ui::testing::None, 0}}) {
        ui::testing::PressKey(vk, modifiers);
        for (size_t i = 0; i < 2; ++i) {
            EXPECT_EQ(page.Value(1, cols[i])->current, shown ? before[i] + delta : before[i]) << vk << ", column " << cols[i];
            EXPECT_EQ(page.Grid().GetCellText(1, cols[i]).empty(), !shown) << cols[i];
        }
    }
}

INSTANTIATE_TEST_SUITE_P(FailurePointsAndKeys, StepsAfterAFailedRead,
    ::testing::Values(StepAfterFailure{0, kAxesCommand, 4, 5}, StepAfterFailure{0, kByteMapCommand + 1, 1, 5},
        StepAfterFailure{kWordMapType, kWordMapCommand + 1, 1, 3}));

struct CopyPaste {
    const char* name;
    int type, pasteType;          // of the pages copied from and pasted on
    std::vector<uint16_t> copied; // rows 1 and 2 of column 1
    const char* foreign;          // text put on the clipboard by another program instead of a copy
    int pasteCol;                 // 1: onto the copied cells; 2: onto column 2, which holds 0
    std::array<uint16_t, 2> pasted;
    const char* shown; // row 1 of the pasted column
    unsigned copyKey = 'C';
};

class CopyAndPaste : public MapPage, public ::testing::WithParamInterface<CopyPaste> { };

TEST_P(CopyAndPaste, KeepsTheStoredValuesAndConvertsOnlyForeignText)
{
    const CopyPaste& c = GetParam();
    SCOPED_TRACE(c.name);
    ASSERT_EQ(LoadColumnOne(c.type, c.copied), 0);
    ui::Clipboard::SetText(c.foreign != nullptr ? c.foreign : "");
    if (c.foreign == nullptr) {
        ClickCell(PageOf(c.type).Grid(), 1, 1);
        ClickCell(PageOf(c.type).Grid(), 2, 1, ui::testing::Shift);
        ui::testing::PressKey(c.copyKey, ui::testing::Control);
    }
    if (c.pasteType != c.type) {
        PageOf(c.type).ShowWindow(ui::SW_HIDE);
        ASSERT_EQ(LoadColumnOne(c.pasteType, {}), 0);
    }
    CMapPage& to = PageOf(c.pasteType);
    ClickCell(to.Grid(), 1, c.pasteCol);
    ui::testing::PressKey('V', ui::testing::Control);

    EXPECT_EQ((std::array<uint16_t, 2>{to.Value(1, c.pasteCol)->current, to.Value(2, c.pasteCol)->current}), c.pasted);
    EXPECT_EQ(to.Grid().GetCellText(1, c.pasteCol), c.shown);
}

INSTANTIATE_TEST_SUITE_P(MapKinds, CopyAndPaste,
    ::testing::Values(CopyPaste{"degrees onto themselves", 0, 0, {33, 200}, nullptr, 1, {33, 200}, "8"},
        CopyPaste{"degrees cut and pasted elsewhere", 5, 5, {33, 200}, nullptr, 2, {33, 200}, "8", 'X'},
        CopyPaste{"percent elsewhere", 3, 3, {116, 1}, nullptr, 2, {116, 1}, " 95"},
        CopyPaste{"milliseconds elsewhere", kWordMapType, kWordMapType, {618, 65535}, nullptr, 2, {618, 65535}, "2.47"},
        CopyPaste{"milliseconds onto degrees, as text", kWordMapType, 0, {618, 2500}, nullptr, 2, {27, 35}, " 2"},
        CopyPaste{"foreign text as the cells show it", 3, 3, {116, 1}, " 95\n50", 1, {116, 1}, " 95"},
        CopyPaste{"foreign percent elsewhere", 3, 3, {116, 1}, "95\n50", 2, {115, 0}, " 95"},
        CopyPaste{"foreign milliseconds elsewhere", kWordMapType, kWordMapType, {618, 65535}, "2.47\n262", 2, {617, 65500}, "2.47"}));

// A cell left out of a copied block pastes nothing; the others keep their exact values.
TEST_F(MapPage, ACellLeftOutOfACopyPastesNothingAndTheRestExactly)
{
    ASSERT_EQ(LoadColumnOne(3, {116, 1, 117}), 0);
    ClickCell(byteMap.Grid(), 1, 1);
    ClickCell(byteMap.Grid(), 3, 1, ui::testing::Shift);
    ClickCell(byteMap.Grid(), 2, 1, ui::testing::Control);
    ui::testing::PressKey('C', ui::testing::Control);
    ClickCell(byteMap.Grid(), 1, 2);
    ui::testing::PressKey('V', ui::testing::Control);
    EXPECT_EQ((std::vector<int>{byteMap.Value(1, 2)->current, byteMap.Value(2, 2)->current, byteMap.Value(3, 2)->current}),
        (std::vector<int>{116, 0, 117}));
}

using MapStartup = StartupFixture;

TEST_F(MapStartup, ReadsEachMapAndItsAxesInDataItemOrder)
{
    directory.Write("Demo.ini",
        "[Velmora]\nMonItems=0\nDataItems=4\n"
        "[DataItem1]\nName=A\nType=0\nCommand=64\n[DataItem2]\nName=W\nType=4\nCommand=80\n"
        "[DataItem3]\nName=B\nType=3\nCommand=68\n[DataItem4]\nName=C\nType=5\nCommand=72\n");
    ScriptStartupDialogs(recorder, 0);
    ASSERT_TRUE(window.Create());
    const std::vector<int> sent = SentCommands();
    const auto unlocked = std::find(sent.begin(), sent.end(), 0xAD);
    ASSERT_NE(unlocked, sent.end());
    EXPECT_EQ(std::vector<int>(unlocked + 1, sent.end()),
        (std::vector<int>{0x40, 0x41, 0x42, 0x43, 0x8A, 0x50, 0x51, 0x52, 0x53, 0x54, 0x55, 0x56, 0x57, 0x8A, 0x44, 0x45, 0x46, 0x47, 0x8A,
            0x48, 0x49, 0x4A, 0x4B, 0x8A}));
    EXPECT_EQ(static_cast<CDTByteMapDlg*>(window.PageOfKind(3))->Type(), 3);
    EXPECT_EQ(static_cast<CMapPage*>(window.PageOfKind(4))->Grid().GetCellText(0, 1), "400");
}

using Colours = std::vector<std::pair<ui::COLORREF, ui::COLORREF>>;

// The background and text colours of each data cell, row by row.
Colours CellColours(CMapGridCtrl& grid)
{
    Colours colours;
    for (int cell = 0; cell < 400; ++cell) {
        CGridCellBase& each = *grid.GetCell(cell / 20 + 1, cell % 20 + 1);
        colours.emplace_back(each.GetBackColor(), each.GetTextColor());
    }
    return colours;
}

// The trace ends by the stop button (true) or by a failed poll (false).
class TrailEnds : public StartupFixture, public ::testing::WithParamInterface<bool> { };

TEST_P(TrailEnds, LeaveEveryCellInItsScaleColoursAtOnce)
{
    directory.Write("Demo.ini", "[Velmora]\nMonItems=0\nDataItems=1\n[DataItem1]\nName=A\nType=0\nCommand=64\n");
    ScriptStartupDialogs(recorder, 0);
    ASSERT_TRUE(window.Create());
    CMapGridCtrl& grid = static_cast<CMapPage*>(window.PageOfKind(0))->Grid();
    const auto scale = CellColours(grid);
    ui::testing::ShowAndActivate(window);
    ui::testing::Click(TraceButton());
    // The simulator's columns rise by 400 from 400, its rows by 1000 with 10332 on the seventh.
    for (const int x : {1200, 1700, 2100}) {
        Reply(0xF0, {static_cast<uint8_t>(x & 0xFF), static_cast<uint8_t>(x >> 8), 0x5C, 0x28}); // the two words, no more
        ui::testing::Repainting([&] { window.SendMessage(ui::WM_TIMER, CVelmoraDlg::kTraceTimer, 0); });
    }
    ASSERT_EQ(MarkedCells(grid), (std::vector<ui::Point>{{5, 7}})) << "x picks the column, y the row";
    controller->Faults().Set({.silent = true}, 1);
    if (GetParam()) ui::testing::Click(TraceButton());
    if (!GetParam()) window.SendMessage(ui::WM_TIMER, CVelmoraDlg::kTraceTimer, 0);
    EXPECT_TRUE(CellColours(grid) == scale) << "a cell still shows the trail";
    EXPECT_EQ(TraceState(), kIdle);
}

INSTANTIATE_TEST_SUITE_P(StoppedTraces, TrailEnds, ::testing::Bool());

} // namespace
