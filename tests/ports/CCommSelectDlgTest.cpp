#include "ports/CCommSelectDlg.h"
#include "config/ActiveProfile.h"
#include "tests/support/PortDialogScript.h"
#include "tests/support/WorkingDirectory.h"

#include "platform/devices/ScriptedDeviceServices.h"
#include "platform/ui/MessageBox.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class PortSelection : public ::testing::Test {
protected:
    static void SetUpTestSuite() { res::InstallResources(); }
    void SetUp() override
    {
        profile.SetProfilePath("Velmora.ini");
        services.AddInterface({"/dev/ttyUSB0", "USB Serial (ttyUSB0)", "FT232R USB UART", "USB 1-1"});
        services.AddInterface({"/dev/ttyS1", "Serial Port (ttyS1)", "Serial Port", "platform"});
    }

    // Runs the dialog as scripted; returns its result.
    int Run()
    {
        CCommSelectDlg dialog(profile, &services);
        dialog.m_pTarget = &port;
        return dialog.DoModal();
    }
    int Run(const std::function<void(ui::Dialog&, ui::ListBox&)>& action)
    {
        OnPortDialog(recorder, action);
        return Run();
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

} // namespace

TEST_F(PortSelection, ConfiguredPortsComeFirstThenTheDiscoveredOnes)
{
    directory.Write("Velmora.ini", kConfigured);
    // Without a remembered index the first entry is preselected.
    EXPECT_EQ(Listed(),
        (std::vector<std::string>{"シミュレータ (sim:)", "/dev/pts/7", "USB Serial (ttyUSB0)", "Serial Port (ttyS1)", "selected 0"}));
}

// OK hands over the chosen record's path and remembers its index, keeping every other byte;
// Escape changes nothing.
TEST_F(PortSelection, OkHandsOverThePathAndRemembersTheIndexEscapeChangesNothing)
{
    const std::string file = "; ports\r\n[CommSelect]\r\nItem=0\r\n" + kConfigured;
    const struct {
        const char* name;
        std::function<void(ui::Dialog&, ui::ListBox&)> action;
        int result;
        std::string port, file;
    } cases[] = {
        {"Return on a discovered port",
            [](ui::Dialog&, ui::ListBox& list) {
                list.SetCurSel(2);
                ui::testing::PressKey(ui::VK_RETURN);
            },
            ui::IDOK, "/dev/ttyUSB0", "; ports\r\n[CommSelect]\r\nItem=2\r\n" + kConfigured},
        {"OK clicked on the preselected simulator",
            [](ui::Dialog& dialog, ui::ListBox&) { ui::testing::Click(*dialog.GetDlgItem(ui::IDOK)); }, ui::IDOK, "sim:", file},
        {"Escape",
            [](ui::Dialog&, ui::ListBox& list) {
                list.SetCurSel(3);
                ui::testing::PressKey(ui::VK_ESCAPE);
            },
            ui::IDCANCEL, "untouched", file},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        directory.Write("Velmora.ini", file);
        port = "untouched";
        EXPECT_EQ(Run(each.action), each.result);
        EXPECT_EQ(port, each.port);
        EXPECT_EQ(directory.Read("Velmora.ini"), each.file);
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
    constexpr uid_t kNobody = 65534;
    const bool asRoot = ::geteuid() == 0;
    ASSERT_TRUE(!asRoot || ::seteuid(kNobody) == 0);
    ConfirmPortDialog(recorder, 1);
    const int result = Run();
    ASSERT_TRUE(!asRoot || ::seteuid(0) == 0);
    ::chmod(directory.Path().c_str(), 0700);
    EXPECT_EQ(result, ui::IDOK);
    EXPECT_EQ(port, "/dev/pts/7");
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
    int selectedAtStart = -2;
    int stored = 99;
    bool stayedOpen = false;
    const int result = Run([&](ui::Dialog& dialog, ui::ListBox& list) {
        selectedAtStart = list.GetCurSel();
        ui::testing::PressKey(ui::VK_RETURN);
        stayedOpen = dialog.IsWindow();
        stored = profile.GetInt("CommSelect", "Item", 99);
        list.SetCurSel(1);
        ui::testing::PressKey(ui::VK_RETURN);
    });
    EXPECT_EQ(selectedAtStart, -1);
    EXPECT_EQ(stored, -1);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(recorder.PopupsLeftOpen(), 0);
    ASSERT_EQ(recorder.Boxes().size(), 1u) << "one refusal, not a second one from the same key";
    EXPECT_EQ(recorder.Boxes()[0].Icon(), ui::MB_ICONERROR);
    EXPECT_EQ(result, ui::IDOK);
    EXPECT_EQ(port, "/dev/ttyS1");
    EXPECT_EQ(profile.GetInt("CommSelect", "Item", 99), 1);
}

TEST_F(PortSelection, ADiscoveryFailureIsShownAndTheConfiguredPortsRemain)
{
    directory.Write("Velmora.ini", kConfigured);
    services.FailClassDevices(5);
    EXPECT_EQ(Listed(), (std::vector<std::string>{"シミュレータ (sim:)", "/dev/pts/7", "selected 0"}));
    ASSERT_EQ(recorder.Boxes().size(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].text, "pSetupDiGetClassDevs failed. (err=5)");
    EXPECT_EQ(recorder.Boxes()[0].Icon(), 0u);
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
