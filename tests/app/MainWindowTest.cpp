#include "StartupFixture.h"

#include <fstream>
#include <iterator>
#include <tuple>
#include <utility>

namespace {

// A monitor item of a profile.
struct ItemSpec { int type, address; const char* coefficient = "1"; const char* offset = "0"; const char* format = ""; };

std::string MonitorProfile(const std::vector<ItemSpec>& items, const std::string& dataItems = "DataItems=0\n")
{
    std::string text = "[Velmora]\nMonItems=" + std::to_string(items.size()) + "\n" + dataItems;
    for (size_t i = 0; i < items.size(); ++i) {
        const ItemSpec& item = items[i];
        const std::string n = std::to_string(i + 1);
        text += "[MonItem" + n + "]\nName=項目" + n + "\nUnit=u" + n + "\nCoefficient=" + item.coefficient + "\nOffset=" + item.offset
            + "\nFormat=" + item.format + "\nAddress=" + std::to_string(item.address) + "\nType=" + std::to_string(item.type) + "\n";
    }
    return text;
}

class MainWindow : public StartupFixture {
protected:
    // Starts with Demo.ini holding `profile`; the live block is extended unless told otherwise.
    void Start(const std::string& profile, bool extendedLiveBlock = true)
    {
        directory.Write("Demo.ini", profile);
        if (extendedLiveBlock) controller->Responder().Config().liveLength = sim::ResponderConfig::kExtendedLiveLength;
        ScriptStartupDialogs(recorder, 0);
        ASSERT_TRUE(window.Create());
    }
    // One trace tick whose live data is exactly `live`.
    void Poll(const std::vector<uint8_t>& live) { Reply(0xF0, live), Tick(); }
    void Tick() { window.SendMessage(ui::WM_TIMER, CVelmoraDlg::kTraceTimer, 0); }
    std::string Value(int row) { return window.MonitorList().GetItemText(row, 1); }
    std::string ValueAndUnit(int row) { return Value(row) + " " + window.MonitorList().GetItemText(row, 2); }
    size_t Polls() { return Requests(0xF0); }
};

// The MonItems line of the profile (empty for none), whether the live block is extended, the rows,
// and whether start-up goes on to the password check and the tabs.
using MonItemCount = std::tuple<const char*, bool, int, bool>;

enum class Failure { Silence, BadReply, DeviceGone, PortHeldElsewhere };

struct FailingPoll {
    const char* name;
    Failure failure;
    const char* text; // of the box
    unsigned closeKey;
};

constexpr int kThreeTicksMs = 350; // a little over three periods of the trace timer

class FailingPolls : public MainWindow, public ::testing::WithParamInterface<FailingPoll> { };
class MonItemCounts : public MainWindow, public ::testing::WithParamInterface<MonItemCount> { };
class DataItemCounts : public MainWindow, public ::testing::WithParamInterface<std::pair<const char*, size_t>> { };
class PagesWithoutTrace : public MainWindow, public ::testing::WithParamInterface<int> { };

} // namespace

// A short live block drops the last four rows.
TEST_P(MonItemCounts, DecideTheRowsAndWhetherStartUpGoesOn)
{
    const auto& [line, extendedLiveBlock, rows, startUpGoesOn] = GetParam();
    Start(std::string("[Velmora]\n") + line + "DataItems=1\n[DataItem1]\nName=B\nType=1\n", extendedLiveBlock);
    EXPECT_EQ(window.MonitorList().GetItemCount(), rows);
    EXPECT_EQ(window.MonItemCount(), rows);
    EXPECT_EQ(Requests(0xAD) > 0, startUpGoesOn);
    EXPECT_EQ(window.Tabs().GetItemCount(), startUpGoesOn ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Counts, MonItemCounts,
    ::testing::Values(MonItemCount{"MonItems=30\n", true, 24, true}, MonItemCount{"MonItems=24\n", true, 24, true},
        MonItemCount{"MonItems=0\n", true, 0, true}, MonItemCount{"MonItems=-4\n", true, 0, true}, MonItemCount{"", true, 0, false},
        MonItemCount{"MonItems=99\n", true, 0, false}, MonItemCount{"MonItems=6\n", false, 2, true},
        MonItemCount{"MonItems=3\n", false, 0, true}));

// The shipped minimal profile against the simulator as it starts, with the standard live block.
TEST_F(MainWindow, TheShippedMinimalProfileShowsRowsThatAPollFills)
{
    std::ifstream shipped(VELMORA_EXAMPLES_DIR "/Minimal.ini", std::ios::binary);
    ASSERT_TRUE(shipped.is_open());
    Start(std::string(std::istreambuf_iterator<char>(shipped), std::istreambuf_iterator<char>()), false);
    ASSERT_GT(window.MonitorList().GetItemCount(), 0);
    Tick();
    for (int row = 0; row < window.MonitorList().GetItemCount(); ++row) {
        EXPECT_NE(Value(row), "-") << window.MonitorList().GetItemText(row, 0);
    }
    EXPECT_TRUE(recorder.Boxes().empty());
}

// Rows show their name, a dash and their unit until the first poll.
TEST_F(MainWindow, APollRewritesOnlyTheRowsWhoseRawValueChanged)
{
    Start(MonitorProfile({{1, 0}, {1, 1}}));
    EXPECT_EQ(window.MonitorList().GetItemText(1, 0) + " " + ValueAndUnit(1), "項目2 - u2");
    Poll({5, 6, 0, 0});
    EXPECT_EQ((Strings{Value(0), Value(1)}), (Strings{"   5", "   6"}));
    window.MonitorList().SetItemText(0, 1, "mark");
    window.MonitorList().SetItemText(1, 1, "mark");
    Poll({5, 7, 0, 0});
    EXPECT_EQ((Strings{Value(0), Value(1)}), (Strings{"mark", "   7"}));
    EXPECT_TRUE(window.MonitorList().IsRedrawOn());
}

// The profile's scale, offset and format reach the row; a pressure row switches its unit.
TEST_F(MainWindow, APollConvertsEachRowThroughItsItemAndFormat)
{
    Start(MonitorProfile({{0, 4, "0.5", "1"}, {2, 6}, {1, 10, "0.1", "0", "%4.1f"}, {1, 12, "1", "0", "%s%n"}}));
    Poll(frames::LiveWords({{4, 0x1234}, {6, 76}, {10, 123}, {12, 76}}));
    EXPECT_EQ((Strings{ValueAndUnit(0), ValueAndUnit(1), Value(2), Value(3)}), (Strings{"2331 u1", " 760 mmHg", "12.3", "  76"}));
    Poll(frames::LiveWords({{6, 32868}}));
    EXPECT_EQ(ValueAndUnit(1), "328.682 kgf/cm²");
}

TEST_F(MainWindow, BytesThatNeverArrivedUpdateNothing)
{
    Start(MonitorProfile({{0, 28}, {1, 29}, {1, 30}, {1, 27}}));
    Poll(std::vector<uint8_t>(30, 9));
    EXPECT_EQ((Strings{Value(0), Value(1), Value(2), Value(3)}), (Strings{"2313", "   9", "-", "   9"})) << "byte 30 is beyond";
    Poll(std::vector<uint8_t>(29, 1));
    EXPECT_EQ((Strings{Value(0), Value(1), Value(3)}), (Strings{"2313", "   9", "   1"})) << "the first word lacks its second byte";
}

TEST_F(MainWindow, ItemsFromTheFirstInvalidDefinitionOnAreNeverRead)
{
    Start(MonitorProfile({{1, 0}, {7, 1}, {1, 2}}));
    ASSERT_EQ(Boxes(), Strings{"Velmora: 未知のモニタ項目タイプ"});
    EXPECT_EQ(recorder.Boxes()[0].Icon(), 0u);
    EXPECT_EQ(window.MonitorList().GetItemCount(), 3);
    Poll({1, 2, 3, 4});
    EXPECT_EQ((Strings{Value(0), Value(1), Value(2)}), (Strings{"   1", "-", "-"}));
}

// Under the real timer, with the real box open until a key closes it.
TEST_P(FailingPolls, ShowOneBoxAndNoPollRunsWhileItIsOpenOrAfter)
{
    const FailingPoll& each = GetParam();
    port->open = each.failure == Failure::PortHeldElsewhere; // by another copy of the program
    Start(MonitorProfile({{1, 0}}));
    if (each.failure == Failure::Silence) controller->Faults().Set({.silent = true});
    if (each.failure == Failure::BadReply) controller->Faults().Set({.badChecksum = true});
    port->broken = each.failure == Failure::DeviceGone;
    recorder.ClearBoxes();

    std::string stateAtTheBox;
    size_t pollsUnderTheBox = 0;
    recorder.WhilePopupOpen([&] {
        stateAtTheBox = TraceState();
        const size_t polls = Polls();
        ui::testing::RunUntil([&] { return Polls() > polls || recorder.Boxes().size() > 1; }, kThreeTicksMs);
        pollsUnderTheBox = Polls() - polls;
        ui::testing::PressKey(each.closeKey);
    });
    ui::testing::Click(TraceButton());
    ASSERT_TRUE(ui::testing::RunUntil([&] { return !recorder.Boxes().empty(); }, 5000)) << "no poll ran";
    const size_t polls = Polls();
    EXPECT_FALSE(ui::testing::RunUntil([&] { return Polls() > polls || recorder.Boxes().size() > 1; }, kThreeTicksMs))
        << "polled after the box closed";
    EXPECT_EQ(Boxes(), Strings{std::string("CVelmoraDlg::OnTimer(): ") + each.text});
    EXPECT_EQ(pollsUnderTheBox, 0u);
    EXPECT_EQ(recorder.PopupsLeftOpen(), 0) << "the key did not close the box";
    EXPECT_EQ(stateAtTheBox, kIdle);
    EXPECT_EQ(TraceState(), kIdle);
}

INSTANTIATE_TEST_SUITE_P(Failures, FailingPolls,
    ::testing::Values(FailingPoll{"Silence", Failure::Silence, "通信タイムアウト", ui::VK_RETURN},
        FailingPoll{"BadReply", Failure::BadReply, "チェックサムエラー", ui::VK_ESCAPE},
        FailingPoll{"DeviceGone", Failure::DeviceGone, "通信エラー", ui::VK_RETURN},
        FailingPoll{"PortHeldElsewhere", Failure::PortHeldElsewhere, "通信エラー", ui::VK_ESCAPE}),
    [](const ::testing::TestParamInfo<FailingPoll>& info) { return std::string(info.param.name); });

TEST_F(MainWindow, UnknownOrRepeatedDataItemKindsLoseTheirTabAndTheRestKeepTheirItem)
{
    Start(MonitorProfile({{1, 0}},
        "DataItems=4\n[DataItem1]\nName=A\nType=0\nCommand=64\n[DataItem2]\nName=X\nType=9\n[DataItem3]\nName=B\nType=3\nCommand=68\n"
        "[DataItem4]\nName=C\nType=3\n"));
    EXPECT_EQ(Boxes(), (Strings{"Velmora: 未知のデータ項目タイプ", "Velmora: このデータ項目タイプのページは既にあります"}));
    ASSERT_EQ(window.Tabs().GetItemCount(), 2);
    EXPECT_EQ(window.Tabs().GetItemText(1), "B");
    EXPECT_EQ(window.PageType(), 0);
    for (const int kind : {0, 3}) {
        ui::Dialog* page = window.PageOfKind(kind);
        ASSERT_EQ(page->GetParent(), &window.Tabs());
        EXPECT_EQ(std::pair(page->GetWindowRect().left, page->GetWindowRect().top), std::pair(4, 24)) << "where the tabs end";
        EXPECT_EQ(page->IsWindowVisible(), kind == 0);
    }

    ui::testing::ShowAndActivate(window);
    ui::testing::PressKey(ui::VK_RIGHT, ui::testing::None, &window.Tabs());
    EXPECT_EQ(window.Tabs().GetCurSel(), 1);
    EXPECT_EQ(window.PageType(), 3);
    EXPECT_TRUE(window.PageOfKind(3)->IsWindowVisible());
    EXPECT_FALSE(window.PageOfKind(0)->IsWindowVisible());
}

// Each missing item gives one box, so the count must stay bounded whatever the file says.
TEST_P(DataItemCounts, EndAfterAtMostNinetyNineItems)
{
    const auto [count, boxes] = GetParam();
    Start(MonitorProfile({{1, 0}}, std::string("DataItems=") + count + "\n"));
    EXPECT_EQ(recorder.Boxes().size(), boxes);
    EXPECT_EQ(window.Tabs().GetItemCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Counts, DataItemCounts,
    ::testing::Values(
        std::pair{"-3", size_t{0}}, std::pair{"0", size_t{0}}, std::pair{"2", size_t{2}}, std::pair{"2147483647", size_t{99}}));

TEST_P(PagesWithoutTrace, InFrontLetTheTraceUpdateOnlyTheList)
{
    Start(MonitorProfile({{1, 0}}, "DataItems=2\n[DataItem1]\nType=" + std::to_string(GetParam()) + "\n[DataItem2]\nType=0\nCommand=64\n"));
    ASSERT_EQ(window.PageType(), GetParam());
    Poll(frames::LiveWords({{0, 1200}, {2, 10332}}));
    EXPECT_EQ(Value(0), " 176");
    EXPECT_TRUE(MarkedCells(static_cast<CMapPage*>(window.PageOfKind(0))->Grid()).empty()) << "the hidden map page got the point";
}

INSTANTIATE_TEST_SUITE_P(BoostAndConsole, PagesWithoutTrace, ::testing::Values(1, 2));

TEST_F(MainWindow, TheBoostPagesRadioButtonsAreOneGroupWithNoneChosenAtFirst)
{
    Start(MonitorProfile({{1, 0}}, "DataItems=1\n[DataItem1]\nType=1\n"));
    ui::Dialog& boost = *window.PageOfKind(1);
    const auto checked = [&] {
        std::vector<int> ids;
        for (int id : {res::IDC_BOOST_SET1, res::IDC_BOOST_SET2, res::IDC_BOOST_SET3, res::IDC_BOOST_SET4}) {
            if (static_cast<ui::Button*>(boost.GetDlgItem(id))->GetCheck()) ids.push_back(id);
        }
        return ids;
    };
    EXPECT_EQ(checked(), std::vector<int>{});
    ui::testing::Click(*boost.GetDlgItem(res::IDC_BOOST_SET1));
    ui::testing::Click(*boost.GetDlgItem(res::IDC_BOOST_SET3));
    EXPECT_EQ(checked(), std::vector<int>{res::IDC_BOOST_SET3});
}

// The console's page is the main window's: a click on its send button goes out on the main
// window's link and the reply comes back into its grid.
TEST_F(MainWindow, TheConsoleSendsOnTheMainWindowsLink)
{
    Start(MonitorProfile({{1, 0}}, "DataItems=1\n[DataItem1]\nType=2\n"));
    ui::testing::ShowAndActivate(window);
    const size_t engineCodeRequests = Requests(0xF3);
    ui::testing::Click(*window.PageOfKind(2)->GetDlgItem(res::IDC_DWCMDSEND));
    EXPECT_EQ(Requests(0xF3), engineCodeRequests + 1);
    auto& console = static_cast<CDTCommandDlg&>(*window.PageOfKind(2));
    EXPECT_EQ(console.ReceiveGrid().GetCellText(1, 1), "56") << "the engine code's first letter, V";
    EXPECT_EQ(Boxes(), Strings{});
}

TEST_F(MainWindow, APasswordCheckThatFailsLocksAfterOneBox)
{
    controller->Faults().Set({.silent = true}, 1, 3); // after the three identification replies
    Start(MonitorProfile({{1, 0}}));
    EXPECT_EQ(Boxes(), Strings{"CVelmoraDlg::GetPFCpwd(): 通信タイムアウト"});
    EXPECT_TRUE(window.LockedPage().IsWindowVisible());
}

TEST_F(MainWindow, ALockedControllerGetsTheLockedPageAndNoMapRead)
{
    controller->Responder().Config().password = "secret  ";
    Start(MonitorProfile({{1, 0}}, "DataItems=1\n[DataItem1]\nType=0\nCommand=64\n"));
    EXPECT_TRUE(window.LockedPage().IsWindowVisible());
    EXPECT_EQ(window.Tabs().GetItemCount(), 0);
    EXPECT_EQ(window.PageType(), CVelmoraDlg::kNoPage);
    EXPECT_EQ(std::pair(Requests(0xAD) > 0, Requests(0x40) > 0), std::pair(true, false));
    Poll({42, 0, 0, 0});
    EXPECT_EQ(Value(0), "  42") << "the monitor list still works";
}

TEST_F(MainWindow, OnlyAFieldOfEightBlanksMatchesTheEmptyPassword)
{
    Start(MonitorProfile({{1, 0}}));
    // A seven-byte field lacks its eighth blank; a set password matches when padded with blanks.
    const std::tuple<std::string, const char*, int> cases[] = {{"        ", "", 1}, {"       A", "", 0},
        {std::string("\0       ", 8), "", 0}, {"       ", "", 0}, {"abc     ", "", 0}, {"abc     ", "abc", 1}};
    for (const auto& [field, password, matches] : cases) {
        Reply(0xAD, {field.begin(), field.end()});
        EXPECT_EQ(window.GetPFCpwd(password), matches) << '"' << field << '"';
    }
}
