#include "ports/CCommSelectDlg.h"
#include "config/ActiveProfile.h"
#include "tests/support/PortDialogScript.h"
#include "tests/support/WorkingDirectory.h"

#include "platform/devices/ScriptedDeviceServices.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Messages.h"
#include "platform/ui/testing/Input.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using Action = std::function<void(ui::Dialog&, ui::ListBox&)>;

class PortSelection : public ::testing::Test {
protected:
    static void SetUpTestSuite() { res::InstallResources(); }
    void SetUp() override
    {
        profile.SetProfilePath("Velmora.ini");
        services.AddInterface({"/dev/ttyUSB0", "USB Serial (ttyUSB0)", "FT232R USB UART", "USB 1-1"});
        services.AddInterface({"/dev/ttyS1", "Serial Port (ttyS1)", "Serial Port", "platform"});
    }

    // Runs the dialog, answered by the action; returns its result.
    int Run(const Action& action)
    {
        OnPortDialog(recorder, action);
        CCommSelectDlg dialog(profile, &services);
        dialog.m_pTarget = &port;
        return dialog.DoModal();
    }
    // The entries the dialog lists, then its selection.
    std::vector<std::string> Listed()
    {
        std::vector<std::string> entries;
        Run([&](ui::Dialog& dialog, ui::ListBox& list) {
            for (int i = 0; i < list.GetCount(); ++i) entries.push_back(list.GetText(i));
            entries.push_back("selected " + std::to_string(list.GetCurSel()));
            dialog.EndDialog(ui::IDCANCEL);
        });
        return entries;
    }

    WorkingDirectory directory;
    config::ActiveProfile profile;
    devices::ScriptedDeviceServices services;
    ui::testing::Recorder recorder;
    std::string port = "untouched";
};

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

// The remembered index cannot be written into a folder nobody may write in: the file stays
// as it was, and the choice still goes through.
TEST_F(PortSelection, OkInAFolderNobodyMayWriteInKeepsTheFileAndHandsOverThePath)
{
    const std::string old = "[CommSelect]\r\nItem=0\r\n" + kConfigured;
    directory.Write("Velmora.ini", old);
    ::chmod(directory.File("Velmora.ini").c_str(), 0666);
    ::chmod(directory.Path().c_str(), 0555);
    // Root writes in any folder; the dialog then runs as an ordinary user.
    const bool asRoot = ::geteuid() == 0;
    ASSERT_TRUE(!asRoot || ::seteuid(65534) == 0);
    const int result = Run([](ui::Dialog&, ui::ListBox& list) { list.SetCurSel(1), ui::testing::PressKey(ui::VK_RETURN); });
    ASSERT_TRUE(!asRoot || ::seteuid(0) == 0);
    ::chmod(directory.Path().c_str(), 0700);
    EXPECT_EQ(std::pair(result, port), std::pair(int{ui::IDOK}, std::string("/dev/pts/7")));
    EXPECT_EQ(directory.Read("Velmora.ini"), old);
    EXPECT_TRUE(recorder.Boxes().empty());
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
