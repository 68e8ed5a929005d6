#include "config/ActiveProfile.h"
#include "ports/CCommSelectDlg.h"
#include "tests/support/PortDialogScript.h"
#include "tests/support/WorkingDirectory.h"

#include "platform/ui/Messages.h"
#include "platform/ui/testing/Input.h"

#include <gtest/gtest.h>

namespace {

// On the system's own services: Wine's SetupAPI lists no COM port interfaces, so the dialog
// lists the configured ports, as the user wrote them, and finds nothing to complain of. The
// chosen port is handed over as written, for the link to open.
TEST(PortDialogOnTheSystem, ListsTheConfiguredPortsAndHandsOverTheOneChosen)
{
    res::InstallResources();
    WorkingDirectory directory;
    directory.Write("Velmora.ini", "[Ports]\r\nItems=2\r\nItem1=sim:\r\nItem2=COM5\r\n");
    config::ActiveProfile profile;
    profile.SetProfilePath("Velmora.ini");
    ui::testing::Recorder recorder;
    std::vector<std::string> listed;
    OnPortDialog(recorder, [&](ui::Dialog&, ui::ListBox& list) {
        for (int i = 0; i < list.GetCount(); ++i) listed.push_back(list.GetText(i));
        list.SetCurSel(1);
        ui::testing::PressKey(ui::VK_RETURN);
    });
    std::string port;
    CCommSelectDlg dialog(profile);
    dialog.m_pTarget = &port;
    EXPECT_EQ(dialog.DoModal(), ui::IDOK);
    EXPECT_EQ(listed, (std::vector<std::string>{"シミュレータ (sim:)", "COM5"}));
    EXPECT_EQ(std::pair(port, recorder.BoxTexts()), std::pair(std::string("COM5"), std::vector<std::string>{}));
}

} // namespace
