#include "tests/ports/PortSelectionFixture.h"

#include "platform/ui/MessageBox.h"
#include "platform/ui/Messages.h"
#include "platform/ui/testing/Input.h"

namespace {

// Blank entries name no device and are not offered; the entries after them keep their places.
const std::string kConfigured = "[Ports]\nItems=4\nItem1=sim:\nItem2=\nItem3=/dev/pts/7\nItem4= \n";

// Configured ports come first, then the discovered ones; without a remembered index the first
// entry is preselected. A discovery failure is shown, and the configured ports remain.
TEST_F(PortSelection, ConfiguredPortsComeFirstThenTheDiscoveredOnes)
{
    using Strings = std::vector<std::string>;
    const std::tuple<bool, Strings, Strings> cases[] = {
        {false, {"シミュレータ (sim:)", "/dev/pts/7", "USB Serial (ttyUSB0)", "Serial Port (ttyS1)", "selected 0"}, {}},
        {true, {"シミュレータ (sim:)", "/dev/pts/7", "selected 0"}, {"pSetupDiGetClassDevs failed. (err=5), icon 0"}},
    };
    for (const auto& [failing, listed, boxes] : cases) {
        SCOPED_TRACE(failing);
        directory.Write("Velmora.ini", kConfigured);
        if (failing) services.FailClassDevices(5);
        EXPECT_EQ(Listed(), listed);
        Strings shown;
        for (const auto& box : recorder.Boxes()) shown.push_back(box.text + ", icon " + std::to_string(box.Icon()));
        EXPECT_EQ(shown, boxes);
    }
}

// OK hands over the chosen record's path and remembers its index, keeping every other byte;
// Escape changes nothing.
TEST_F(PortSelection, OkHandsOverThePathAndRemembersTheIndexEscapeChangesNothing)
{
    const std::string file = "; ports\r\n[CommSelect]\r\nItem=0\r\n" + kConfigured;
    const auto select = [](int entry, ui::UINT key) {
        return [=](ui::Dialog&, ui::ListBox& list) { list.SetCurSel(entry), ui::testing::PressKey(key); };
    };
    const std::tuple<const char*, Action, int, std::string, std::string> cases[] = {
        {"Return on a discovered port", select(2, ui::VK_RETURN), ui::IDOK, "/dev/ttyUSB0",
            "; ports\r\n[CommSelect]\r\nItem=2\r\n" + kConfigured},
        {"OK clicked on the preselected simulator",
            [](ui::Dialog& dialog, ui::ListBox&) { ui::testing::Click(*dialog.GetDlgItem(ui::IDOK)); }, ui::IDOK, "sim:", file},
        {"Escape", select(3, ui::VK_ESCAPE), ui::IDCANCEL, "untouched", file},
    };
    for (const auto& [name, action, result, path, after] : cases) {
        SCOPED_TRACE(name);
        directory.Write("Velmora.ini", file);
        port = "untouched";
        EXPECT_EQ(Run(action), result);
        EXPECT_EQ(std::pair(port, directory.Read("Velmora.ini")), std::pair(path, after));
    }
}

// A remembered index beyond the list selects nothing. Return then stores the missing choice and
// is refused in a real box, which Return closes without pressing OK again; the dialog stays
// open for a choice.
TEST_F(PortSelection, AnIndexBeyondTheListSelectsNothingAndOkIsRefusedInARealBox)
{
    directory.Write("Velmora.ini", "[CommSelect]\nItem=3\n");
    recorder.WhilePopupOpen([] { ui::testing::PressKey(ui::VK_RETURN); });
    std::vector<int> seen; // selected at start, stored after Return, dialog still open
    const int result = Run([&](ui::Dialog& dialog, ui::ListBox& list) {
        seen.push_back(list.GetCurSel());
        ui::testing::PressKey(ui::VK_RETURN);
        seen.push_back(profile.GetInt("CommSelect", "Item", 99));
        seen.push_back(dialog.IsWindow());
        list.SetCurSel(1);
        ui::testing::PressKey(ui::VK_RETURN);
    });
    EXPECT_EQ(seen, (std::vector<int>{-1, -1, true}));
    EXPECT_EQ(recorder.PopupsLeftOpen(), 0);
    ASSERT_EQ(recorder.Boxes().size(), 1u) << "one refusal, not a second one from the same key";
    EXPECT_EQ(recorder.Boxes()[0].Icon(), ui::MB_ICONERROR);
    EXPECT_EQ(std::tuple(result, port, profile.GetInt("CommSelect", "Item", 99)), std::tuple(int{ui::IDOK}, std::string("/dev/ttyS1"), 1));
}

TEST_F(PortSelection, AnyConfiguredPortCountListsABoundedNumberOfEntries)
{
    const std::pair<const char*, size_t> cases[] = {{"-1", 0}, {"0", 0}, {"1", 1}, {"1000000", 256}, {"2147483647", 256}};
    std::string entries;
    for (int i = 1; i <= 300; ++i) entries += "Item" + std::to_string(i) + "=/dev/ttyV" + std::to_string(i) + "\n";
    for (const auto& [items, listed] : cases) {
        directory.Write("Velmora.ini", std::string("[Ports]\nItems=") + items + "\n" + entries);
        EXPECT_EQ(Listed().size(), listed + 3) << "Items=" << items << ", besides the two discovered ports and the selection";
    }
}

} // namespace
