#include "pages/CDTCommandDlg.h"

#include "tests/support/SimulatedPage.h"

#include "platform/ui/DeviceContext.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr ui::COLORREF kBlue = ui::RGB(0, 0, 96), kGrey = ui::RGB(128, 128, 128); // active and inactive bytes
constexpr const char* kInvalid = "Velmora: 無効なコマンドです";

// The console page on the host window, sending through the simulated link.
class CommandConsole : public SimulatedPage {
protected:
    void SetUp() override
    {
        SimulatedPage::SetUp();
        page.Attach(comm);
        ASSERT_TRUE(page.Create(&host));
        page.ShowWindow(ui::SW_SHOW);
        ui::testing::ProcessEvents();
        controller->ClearReceived();
    }

    ui::Window& Item(int id) { return *page.GetDlgItem(id); }
    // Replaces the text of an edit field: selects all of it, deletes it and types.
    void TypeInto(int id, const std::string& text)
    {
        ui::Window& edit = Item(id);
        ui::testing::Click(edit);
        ui::testing::PressKey(ui::VK_END, ui::testing::None, &edit);
        ui::testing::PressKey(ui::VK_HOME, ui::testing::Shift, &edit);
        ui::testing::PressKey(ui::VK_BACK, ui::testing::None, &edit);
        ui::testing::TypeText(text, &edit);
        ui::testing::ProcessEvents();
    }
    void Send() { ui::testing::Click(Item(res::IDC_DWCMDSEND)), ui::testing::ProcessEvents(); }
    // Count of leading active byte cells, and whether every later cell is inactive.
    static int ActiveCount(CGridCtrl& grid)
    {
        int n = 0;
        while (n < CDTCommandDlg::kBytes && grid.GetCell(n / 16 + 1, n % 16 + 1)->GetBackColor() == kBlue) ++n;
        for (int i = n; i < CDTCommandDlg::kBytes; ++i) {
            EXPECT_EQ(grid.GetCell(i / 16 + 1, i % 16 + 1)->GetBackColor(), kGrey) << "byte " << i;
            EXPECT_NE(grid.GetCellState(i / 16 + 1, i % 16 + 1) & GVIS_READONLY, 0u) << "byte " << i;
        }
        return n;
    }
    static Strings Texts(CGridCtrl& grid, int from, int count)
    {
        Strings texts;
        for (int i = from; i < from + count; ++i) texts.push_back(grid.GetCellText(i / 16 + 1, i % 16 + 1));
        return texts;
    }

    CDTCommandDlg page;
};

} // namespace

// The offsets ("+70") are a character longer than the bytes beside them, and no byte is ever
// cut to "…": the widest of them fits the room between a cell's margins.
TEST_F(CommandConsole, EveryByteTextFitsItsCellAndTheOffsetsAreWider)
{
    for (CGridCtrl* grid : {static_cast<CGridCtrl*>(&page.SendGrid()), &page.ReceiveGrid()}) {
        EXPECT_EQ(grid->GetCellText(CDTCommandDlg::kByteRows, 0) + grid->GetCellText(0, CDTCommandDlg::kBytesPerRow), "+70+F");
        EXPECT_GT(grid->GetColumnWidth(0), grid->GetColumnWidth(1));
        CGridCellBase& cell = *grid->GetCell(1, 1);
        ui::DC dc;
        dc.SelectFont(cell.GetRealizedFont());
        int widest = 0;
        for (const char digit : std::string("0123456789ABCDEF")) widest = std::max(widest, dc.GetTextExtent(std::string(2, digit)).cx);
        EXPECT_LE(widest, grid->GetColumnWidth(1) - 1 - 2 * static_cast<int>(cell.GetMargin()));
        ui::LOGFONT bytes{}, offsets{};
        ASSERT_TRUE(cell.GetRealizedFont()->GetLogFont(bytes) && grid->GetCell(0, 1)->GetRealizedFont()->GetLogFont(offsets));
        EXPECT_GT(std::abs(bytes.lfHeight), std::abs(offsets.lfHeight)) << "the bytes stand out in a larger font";
    }
}

TEST_F(CommandConsole, LengthFieldSetsTheActiveSendCellsAndTheFrame)
{
    // Past 7F means no data, however far past: "-FFFFFF82" and "100000002" are no 7E or 2.
    const std::pair<const char*, int> cases[] = {{"10", 16}, {"7F", 127}, {"80", 0}, {"3", 3}, {"zz", 0}, {"a", 10}, {"9", 9}, {"0x", 0},
        {"0x10 B", 16}, {"-1", 0}, {"-FFFFFF82", 0}, {"100000002", 0}, {"10000000000000002", 0}};
    for (const auto& [typed, active] : cases) {
        SCOPED_TRACE(typed);
        TypeInto(res::IDC_DATALENGTH, typed);
        EXPECT_EQ(Item(res::IDC_DATALENGTH).GetWindowText(), typed);
        EXPECT_EQ(ActiveCount(page.SendGrid()), active);
        EXPECT_EQ(page.FrameLength(), active + 2);
    }
}

// The leading hexadecimal number is the command; one that does not fit a byte is refused, not
// cut to its low bits, and the password command is refused however it is written.
TEST_F(CommandConsole, SendsOnlyCommandsThatFitAByte)
{
    // The boxes, and the command byte that went out (-1 for none).
    const std::tuple<const char*, Strings, int> cases[]
        = {{"f3", {}, 0xF3}, {"ff", {"CDTCommandDlg::OnBnClickedDwcmdsend(): 通信タイムアウト"}, 0xFF}, {"0xF5", {}, 0xF5},
            {" f0!", {}, 0xF0}, {"xyz", {}, -1}, {"AD", {kInvalid}, -1}, {"0ad", {kInvalid}, -1}, {"0X000aD", {kInvalid}, -1},
            {"+Ad", {kInvalid}, -1}, {"100", {kInvalid}, -1}, {"-1", {kInvalid}, -1}, {"-FFFFFF01", {kInvalid}, -1},
            {"100000000", {kInvalid}, -1}, {"1000000F0", {kInvalid}, -1}, {"1000000000000000041", {kInvalid}, -1}};
    for (const auto& [command, boxes, sent] : cases) {
        SCOPED_TRACE(command);
        recorder.ClearBoxes();
        controller->ClearReceived();
        TypeInto(res::IDC_COMMAND, command);
        Send();
        EXPECT_EQ(Boxes(), boxes);
        EXPECT_EQ(controller->Received().empty() ? -1 : int{controller->Received()[0]}, sent);
    }
}

// A byte cell takes the leading hexadecimal number from 0 to FF; anything else leaves it as it was.
TEST_F(CommandConsole, SendCellsTakeHexadecimalBytesAndGoOutWithTheFrame)
{
    const std::pair<const char*, const char*> cases[]
        = {{"a", "0A"}, {"0xc8", "C8"}, {"7f!", "7F"}, {"1ff", "00"}, {"-1", "00"}, {"-FFFFFF01", "00"}, {"1000000FF", "00"}};
    TypeInto(res::IDC_DATALENGTH, "7");
    for (int i = 0; i < 7; ++i) {
        TypeIntoCell(page.SendGrid(), 1, i + 1, cases[i].first);
        EXPECT_EQ(page.SendGrid().GetCellText(1, i + 1), cases[i].second) << cases[i].first;
    }
    TypeIntoCell(page.SendGrid(), 1, 1, "0"); // the lowest byte, over 0A

    // A byte that turns inactive keeps its value and goes out again when the length grows.
    TypeInto(res::IDC_DATALENGTH, "1");
    TypeInto(res::IDC_DATALENGTH, "7");
    TypeInto(res::IDC_COMMAND, "41");
    Reply(0x41, {});
    Send();
    EXPECT_EQ(controller->Received(), (std::vector<uint8_t>{0x41, 0x09, 0x00, 0xC8, 0x7F, 0x00, 0x00, 0x00, 0x00, 0x6E}));
}

// The grid's step and revert keys leave the page to show the byte.
TEST_F(CommandConsole, StepAndEscapeKeysShowTheByteInHexadecimal)
{
    TypeInto(res::IDC_DATALENGTH, "1");
    TypeIntoCell(page.SendGrid(), 1, 1, "fe");
    const std::pair<ui::UINT, const char*> steps[] = {{ui::VK_PRIOR, "FF"}, {ui::VK_PRIOR, "FF"}, {ui::VK_ESCAPE, "00"}};
    for (const auto& [vk, shown] : steps) {
        ui::testing::PressKey(vk);
        EXPECT_EQ(page.SendGrid().GetCellText(1, 1), shown) << vk;
    }
}

// After a reply of 01 02, the next exchange's data in the receive grid (bytes 0, 1, 2 and 127):
// greyed cells keep their texts, a time-out changes nothing, only 128 bytes fit, and a frame
// too short to carry a length leaves no byte looking like part of it.
TEST_F(CommandConsole, TheReceiveGridShowsTheFirst128DataBytesOfTheLastReply)
{
    std::vector<uint8_t> longData(200);
    for (size_t i = 0; i < longData.size(); ++i) longData[i] = static_cast<uint8_t>(255 - i);
    const struct {
        std::vector<uint8_t> reply; // the bytes the controller sends; none: it stays silent
        int active;
        Strings shown, boxes;
    } cases[] = {{{}, 2, {"01", "02", "00", "00"}, {"CDTCommandDlg::OnBnClickedDwcmdsend(): 通信タイムアウト"}},
        {sim::FrameCodec::Build(0xF3, {}), 0, {"01", "02", "00", "00"}, {}}, {{0xFF, 0x00}, 0, {"01", "02", "00", "00"}, {}},
        {sim::FrameCodec::Build(0xF3, longData), 128, {"FF", "FE", "FD", "80"}, {}}};
    for (const auto& each : cases) {
        SCOPED_TRACE(each.reply.size());
        Reply(0xF3, {0x01, 0x02});
        Send();
        recorder.ClearBoxes();
        controller->Faults().Set({.silent = true, .strayBytes = each.reply}, 1);
        Send();
        EXPECT_EQ(Boxes(), each.boxes);
        for (const auto& box : recorder.Boxes()) EXPECT_EQ(box.Icon(), ui::MB_ICONERROR);
        EXPECT_EQ(ActiveCount(page.ReceiveGrid()), each.active);
        EXPECT_EQ(Texts(page.ReceiveGrid(), 0, 3), Strings(each.shown.begin(), each.shown.begin() + 3));
        EXPECT_EQ(page.ReceiveGrid().GetCellText(8, 16), each.shown[3]) << "byte 127";
    }
}

// The link's time-out box opens for real; Return closes it and sends nothing again.
TEST_F(CommandConsole, ReturnClosesTheRealTimeOutBoxWithoutSendingAgain)
{
    recorder.WhilePopupOpen([] { ui::testing::PressKey(ui::VK_RETURN); });
    Silence();
    Send();
    EXPECT_EQ(recorder.PopupsLeftOpen(), 0);
    EXPECT_EQ(Boxes(), Strings{"CDTCommandDlg::OnBnClickedDwcmdsend(): 通信タイムアウト"});
    EXPECT_EQ(SentCommands(), std::vector<int>{0xF3});
}

// In either field, Escape closes nothing and Return presses 送信.
TEST_F(CommandConsole, EscapeAndReturnInAFieldReachThePageAndReturnSends)
{
    for (int id : {res::IDC_COMMAND, res::IDC_DATALENGTH}) {
        SCOPED_TRACE(id);
        ui::Window& field = Item(id);
        field.SetFocus();
        ui::testing::ProcessEvents();
        controller->ClearReceived();
        ui::testing::PressKey(ui::VK_ESCAPE, ui::testing::None, &field);
        EXPECT_TRUE(page.IsWindowVisible());
        Reply(0xF3, {0x4B});
        ui::testing::PressKey(ui::VK_RETURN, ui::testing::None, &field);
        ui::testing::ProcessEvents();
        EXPECT_EQ(controller->Received(), (std::vector<uint8_t>{0xF3, 0x02, 0x0A}));
        EXPECT_EQ(Texts(page.ReceiveGrid(), 0, 1), Strings{"4B"});
        EXPECT_TRUE(page.IsWindowVisible());
    }
}
