#include "pages/CDTCommandDlg.h"

#include "tests/app/StartupFixture.h"

#include "platform/ui/DeviceContext.h"
#include "platform/ui/Window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

constexpr ui::COLORREF kBlue = ui::RGB(0, 0, 96);
constexpr ui::COLORREF kGrey = ui::RGB(128, 128, 128);
constexpr const char* kInvalid = "Velmora: 無効なコマンドです";

// The console page on a shown host window, sending through a link to the simulated controller.
class CommandConsole : public ::testing::Test {
protected:
    static void SetUpTestSuite() { res::InstallResources(); }
    void SetUp() override
    {
        sim::RegisterSimulatedPort(controller);
        ASSERT_EQ(comm.Open(), 1);
        ASSERT_TRUE(host.Create());
        ui::testing::ShowAndActivate(host);
        page.Attach(comm);
        ASSERT_TRUE(page.Create(&host));
        page.ShowWindow(ui::SW_SHOW);
        ui::testing::ProcessEvents();
        controller->ClearReceived();
    }
    void TearDown() override { sim::UnregisterSimulatedPort(); }

    ui::Window& Item(int id) { return *page.GetDlgItem(id); }
    // Replaces the text of an edit field by typing.
    void TypeInto(int id, const std::string& text)
    {
        ui::Window& edit = Item(id);
        ui::testing::Click(edit);
        ui::testing::PressKey(ui::VK_END, ui::testing::None, &edit);
        for (int i = 0; i < 8; ++i) ui::testing::PressKey(ui::VK_BACK, ui::testing::None, &edit);
        ui::testing::TypeText(text, &edit);
        ui::testing::ProcessEvents();
    }
    void Send()
    {
        ui::testing::Click(Item(res::IDC_DWCMDSEND));
        ui::testing::ProcessEvents();
    }
    // The next reply is a frame of `command` carrying `data`.
    void Reply(uint8_t command, const std::vector<uint8_t>& data)
    {
        controller->Faults().Set({.silent = true, .strayBytes = sim::FrameCodec::Build(command, data)}, 1, 0);
    }
    static ui::Point Centre(CGridCtrl& grid, int row, int col)
    {
        ui::Rect rect;
        EXPECT_TRUE(grid.GetCellRect(row, col, rect));
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    void Select(int row, int col) { ui::testing::Click(page.SendGrid(), Centre(page.SendGrid(), row, col)); }
    void TypeCell(int row, int col, const std::string& text)
    {
        if (!(page.SendGrid().GetFocusCell() == CCellID(row, col))) Select(row, col);
        ui::testing::PressKey(ui::VK_RETURN);
        for (int i = 0; i < 6; ++i) ui::testing::PressKey(ui::VK_BACK);
        ui::testing::TypeText(text);
        ui::testing::PressKey(ui::VK_RETURN);
        ui::testing::ProcessEvents();
    }
    Strings Boxes() const
    {
        Strings boxes;
        for (const auto& box : recorder.Boxes()) boxes.push_back(box.caption + ": " + box.text);
        return boxes;
    }
    // Count of leading active byte cells, and whether every later cell is inactive.
    static int ActiveCount(CGridCtrl& grid)
    {
        int n = 0;
        while (n < CDTCommandDlg::kBytes && grid.GetCell(n / 16 + 1, n % 16 + 1)->GetBackColor() == kBlue) ++n;
        for (int i = n; i < CDTCommandDlg::kBytes; ++i) {
            const int row = i / 16 + 1;
            const int col = i % 16 + 1;
            EXPECT_EQ(grid.GetCell(row, col)->GetBackColor(), kGrey) << "byte " << i;
            EXPECT_NE(grid.GetCellState(row, col) & GVIS_READONLY, 0u) << "byte " << i;
        }
        return n;
    }
    static Strings Texts(CGridCtrl& grid, int from, int count)
    {
        Strings texts;
        for (int i = from; i < from + count; ++i) texts.push_back(grid.GetCellText(i / 16 + 1, i % 16 + 1));
        return texts;
    }

    WorkingDirectory directory;
    ui::testing::Recorder recorder;
    std::shared_ptr<sim::VirtualClock> clock = std::make_shared<sim::VirtualClock>();
    std::shared_ptr<sim::SimulatedController> controller = std::make_shared<sim::SimulatedController>(clock);
    CPFCComm comm{CPFCComm::PortNamed(sim::kSimulatedPortPath)};
    ui::Dialog host{res::IDD_ABOUTBOX};
    CDTCommandDlg page;
};

} // namespace

TEST_F(CommandConsole, StartsGreyAndSendsTheEngineCodeRequest)
{
    for (CGridCtrl* grid : {static_cast<CGridCtrl*>(&page.SendGrid()), &page.ReceiveGrid()}) {
        EXPECT_EQ(grid->GetRowCount(), 9);
        EXPECT_EQ(grid->GetColumnCount(), 17);
        EXPECT_EQ(grid->GetColumnWidth(0), 36);
        EXPECT_EQ(grid->GetColumnWidth(16), 30);
        EXPECT_EQ(grid->GetCellText(0, 1), "+0");
        EXPECT_EQ(grid->GetCellText(0, 16), "+F");
        EXPECT_EQ(grid->GetCellText(1, 0), "+00");
        EXPECT_EQ(grid->GetCellText(8, 0), "+70");
        EXPECT_EQ(grid->GetCellText(0, 0), "");
        EXPECT_EQ(Texts(*grid, 0, 128), Strings(128, "00"));
        EXPECT_EQ(ActiveCount(*grid), 0);
    }
    EXPECT_TRUE(page.SendGrid().IsEditable());
    EXPECT_FALSE(page.ReceiveGrid().IsEditable());
    EXPECT_EQ(Item(res::IDC_COMMAND).GetWindowText(), "F3");
    EXPECT_EQ(Item(res::IDC_DATALENGTH).GetWindowText(), "00");

    Reply(0xF3, {0x4B, 0x00, 0xE7});
    Send();
    EXPECT_EQ(controller->Received(), (std::vector<uint8_t>{0xF3, 0x02, 0x0A}));
    EXPECT_EQ(ActiveCount(page.ReceiveGrid()), 3);
    EXPECT_EQ(Texts(page.ReceiveGrid(), 0, 4), (Strings{"4B", "00", "E7", "00"}));
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(CommandConsole, LengthFieldSetsTheActiveSendCellsAndTheFrame)
{
    struct Case {
        const char* typed;
        int active;
    };
    for (const Case& each : {Case{"10", 16}, Case{"7F", 127}, Case{"80", 0}, Case{"3", 3}, Case{"zz", 0}, Case{"a", 10}}) {
        TypeInto(res::IDC_DATALENGTH, each.typed);
        EXPECT_EQ(Item(res::IDC_DATALENGTH).GetWindowText(), each.typed);
        EXPECT_EQ(ActiveCount(page.SendGrid()), each.active) << each.typed;
        EXPECT_EQ(page.FrameLength(), each.active + 2) << each.typed;
    }
}

TEST_F(CommandConsole, RefusesInvalidCommandsAndIgnoresNonNumbers)
{
    struct Case {
        const char* command;
        Strings boxes;
    };
    for (const Case& each : {Case{"AD", {kInvalid}}, Case{"100", {kInvalid}}, Case{"-1", {kInvalid}}, Case{"xyz", {}}}) {
        recorder.ClearBoxes();
        TypeInto(res::IDC_COMMAND, each.command);
        Send();
        EXPECT_EQ(Boxes(), each.boxes) << each.command;
        EXPECT_TRUE(controller->Received().empty()) << each.command;
    }
}

TEST_F(CommandConsole, SendCellsTakeHexadecimalBytesAndGoOutWithTheFrame)
{
    TypeInto(res::IDC_DATALENGTH, "3");
    TypeCell(1, 1, "a");
    TypeCell(1, 2, "1ff");
    TypeCell(1, 3, "c8");
    EXPECT_EQ(Texts(page.SendGrid(), 0, 3), (Strings{"0A", "00", "C8"}));

    // A byte that turns inactive keeps its value and goes out again when the length grows.
    TypeInto(res::IDC_DATALENGTH, "1");
    EXPECT_EQ(Texts(page.SendGrid(), 0, 3), (Strings{"0A", "00", "C8"}));
    TypeInto(res::IDC_DATALENGTH, "3");
    TypeInto(res::IDC_COMMAND, "41");
    Reply(0x41, {});
    Send();
    EXPECT_EQ(controller->Received(), (std::vector<uint8_t>{0x41, 0x05, 0x0A, 0x00, 0xC8, 0xE7}));
}

TEST_F(CommandConsole, InputMethodTextOpensTheSendCellsEditor)
{
    TypeInto(res::IDC_DATALENGTH, "1");
    Select(1, 1);
    ui::testing::CommitText("c8"); // as an input method in half-width mode commits it
    ui::testing::PressKey(ui::VK_RETURN);
    EXPECT_EQ(page.SendValue(0).current, 0xC8);
}

TEST_F(CommandConsole, EscapeRevertsTheChangedActiveCells)
{
    TypeInto(res::IDC_DATALENGTH, "2");
    TypeCell(1, 1, "12");
    TypeCell(1, 2, "0");
    Select(1, 1);
    ui::testing::Click(page.SendGrid(), Centre(page.SendGrid(), 1, 3), ui::testing::Shift);
    ui::testing::PressKey(ui::VK_ESCAPE);
    ui::testing::ProcessEvents();
    EXPECT_EQ(Texts(page.SendGrid(), 0, 3), (Strings{"00", "00", "00"}));
    EXPECT_EQ(page.SendValue(0).current, 0);
}

TEST_F(CommandConsole, AnEmptyReplyGreysTheReceiveGridAndKeepsItsTexts)
{
    Reply(0xF3, {0x01, 0x02});
    Send();
    Reply(0xF3, {});
    Send();
    EXPECT_EQ(ActiveCount(page.ReceiveGrid()), 0);
    EXPECT_EQ(Texts(page.ReceiveGrid(), 0, 3), (Strings{"01", "02", "00"}));
}

TEST_F(CommandConsole, ATimeOutShowsOneBoxAndLeavesTheReceiveGrid)
{
    Reply(0xF3, {0x01, 0x02});
    Send();
    controller->Faults().Set({.silent = true}, 1, 0);
    Send();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].rfind("CDTCommandDlg::OnBnClickedDwcmdsend(): ", 0), 0u) << Boxes()[0];
    EXPECT_EQ(ActiveCount(page.ReceiveGrid()), 2);
    EXPECT_EQ(Texts(page.ReceiveGrid(), 0, 2), (Strings{"01", "02"}));
}

TEST_F(CommandConsole, EscapeAndEnterNeverCloseThePage)
{
    for (int id : {res::IDC_COMMAND, res::IDC_DATALENGTH}) {
        ui::testing::Click(Item(id));
        ui::testing::PressKey(ui::VK_ESCAPE);
        ui::testing::PressKey(ui::VK_RETURN);
        ui::testing::ProcessEvents();
        EXPECT_TRUE(page.IsWindow());
        EXPECT_TRUE(page.IsWindowVisible());
    }
}

// Every byte, however wide its digits, shows whole in its 30-pixel cell: none is cut to "…".
TEST_F(CommandConsole, EveryByteTextFitsItsCellWithoutEllipsis)
{
    for (CGridCtrl* grid : {static_cast<CGridCtrl*>(&page.SendGrid()), &page.ReceiveGrid()}) {
        CGridCellBase& cell = *grid->GetCell(1, 1);
        ui::DC dc;
        dc.SelectFont(cell.GetRealizedFont());
        const int room = grid->GetColumnWidth(1) - 1 - 2 * static_cast<int>(cell.GetMargin());
        int widest = 0;
        char text[3];
        for (int value = 0; value < 256; ++value) {
            std::snprintf(text, sizeof text, "%02X", value);
            widest = std::max(widest, dc.GetTextExtent(text).cx);
        }
        EXPECT_LE(widest, room);
    }
}
