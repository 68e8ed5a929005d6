#include "ports/CCommSelectDlg.h"
#include "config/ActiveProfile.h"
#include "resources/ResourceIds.h"
#include "tests/support/WorkingDirectory.h"

#include "platform/devices/ScriptedDeviceServices.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Recorder.h"

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

    // Runs the dialog; the action sees its list; returns the dialog's result.
    int Run(const std::function<void(ui::Dialog&, ui::ListBox&)>& action)
    {
        recorder.OnDialog(res::IDD_COMMSELECT,
            [&](ui::Dialog& dialog) { action(dialog, *static_cast<ui::ListBox*>(dialog.GetDlgItem(res::IDC_PORTLIST))); });
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

} // namespace

TEST_F(PortSelection, ConfiguredPortsComeFirstThenTheDiscoveredOnes)
{
    directory.Write("Velmora.ini", kConfigured);
    // Without a remembered index the first entry is preselected.
    EXPECT_EQ(Listed(),
        (std::vector<std::string>{"シミュレータ (sim:)", "/dev/pts/7", "USB Serial (ttyUSB0)", "Serial Port (ttyS1)", "selected 0"}));
}

TEST_F(PortSelection, OkRemembersTheIndexAndHandsOverThatRecordsPath)
{
    directory.Write("Velmora.ini", "; ports\r\n[CommSelect]\r\nItem=0\r\n" + kConfigured);
    const int result = Run([](ui::Dialog&, ui::ListBox& list) {
        list.SetCurSel(2);
        ui::testing::PressKey(ui::VK_RETURN);
    });
    EXPECT_EQ(result, ui::IDOK);
    EXPECT_EQ(port, "/dev/ttyUSB0");
    EXPECT_EQ(profile.GetInt("CommSelect", "Item", 99), 2);
    EXPECT_EQ(directory.Read("Velmora.ini").substr(0, 31), "; ports\r\n[CommSelect]\r\nItem=2\r\n");
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
    if (asRoot) {
        ASSERT_EQ(::seteuid(kNobody), 0);
    }
    const int result = Run([](ui::Dialog&, ui::ListBox& list) {
        list.SetCurSel(1);
        ui::testing::PressKey(ui::VK_RETURN);
    });
    if (asRoot) {
        ASSERT_EQ(::seteuid(0), 0);
    }
    ::chmod(directory.Path().c_str(), 0700);
    EXPECT_EQ(result, ui::IDOK);
    EXPECT_EQ(port, "/dev/pts/7");
    EXPECT_EQ(directory.Read("Velmora.ini"), old);
    EXPECT_TRUE(recorder.Boxes().empty());
}

TEST_F(PortSelection, TheSimulatorEntryHandsOverItsPath)
{
    directory.Write("Velmora.ini", kConfigured);
    Run([](ui::Dialog& dialog, ui::ListBox&) { ui::testing::Click(*dialog.GetDlgItem(ui::IDOK)); });
    EXPECT_EQ(port, "sim:");
}

TEST_F(PortSelection, AnIndexBeyondTheListSelectsNothingAndOkIsRefused)
{
    directory.Write("Velmora.ini", "[CommSelect]\nItem=3\n");
    int selectedAtStart = -2;
    bool stayedOpen = false;
    const int result = Run([&](ui::Dialog& dialog, ui::ListBox& list) {
        selectedAtStart = list.GetCurSel();
        ui::testing::PressKey(ui::VK_RETURN);
        stayedOpen = dialog.IsWindow();
        EXPECT_EQ(profile.GetInt("CommSelect", "Item", 99), -1) << "stored before the choice is checked";
        list.SetCurSel(1);
        ui::testing::PressKey(ui::VK_RETURN);
    });
    EXPECT_EQ(selectedAtStart, -1);
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(recorder.Boxes().size(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].Icon(), ui::MB_ICONERROR);
    EXPECT_EQ(result, ui::IDOK);
    EXPECT_EQ(port, "/dev/ttyS1");
    EXPECT_EQ(profile.GetInt("CommSelect", "Item", 99), 1);
}

TEST_F(PortSelection, ReturnOnTheRealRefusalBoxClosesItWithoutPressingOkAgain)
{
    directory.Write("Velmora.ini", "[CommSelect]\nItem=3\n");
    recorder.WhilePopupOpen([] { ui::testing::PressKey(ui::VK_RETURN); });
    bool stayedOpen = false;
    const int result = Run([&](ui::Dialog& dialog, ui::ListBox&) {
        ui::testing::PressKey(ui::VK_RETURN);
        stayedOpen = dialog.IsWindow();
    });
    EXPECT_EQ(recorder.PopupsLeftOpen(), 0);
    EXPECT_EQ(recorder.Boxes().size(), 1u) << "one refusal, not a second one from the same key";
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(result, ui::IDCANCEL);
    EXPECT_EQ(port, "untouched");
}

TEST_F(PortSelection, EscapeWritesNothingAndLeavesThePathAlone)
{
    directory.Write("Velmora.ini", kConfigured);
    const int result = Run([](ui::Dialog&, ui::ListBox& list) {
        list.SetCurSel(3);
        ui::testing::PressKey(ui::VK_ESCAPE);
    });
    EXPECT_EQ(result, ui::IDCANCEL);
    EXPECT_EQ(port, "untouched");
    EXPECT_EQ(directory.Read("Velmora.ini"), kConfigured);
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
    const struct {
        const char* items;
        size_t listed;
    } cases[] = {{"-1", 0}, {"0", 0}, {"1", 1}, {"1000000", 256}, {"2147483647", 256}};
    std::string entries;
    for (int i = 1; i <= 300; ++i) entries += "Item" + std::to_string(i) + "=/dev/ttyV" + std::to_string(i) + "\n";
    for (const auto& each : cases) {
        directory.Write("Velmora.ini", std::string("[Ports]\nItems=") + each.items + "\n" + entries);
        EXPECT_EQ(Listed().size(), each.listed + 3) << "Items=" << each.items << ", besides the two discovered ports and the selection";
    }
}
