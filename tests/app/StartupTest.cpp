#include "StartupFixture.h"

#include "platform/ui/Menu.h"

#include "app/CVelmoraApp.h"

using Startup = StartupFixture;

TEST_F(Startup, ShowsTheControllersIdentityAndRemembersThePortAndProfile)
{
    // Last time the second port was chosen; this time the first.
    directory.Write("Velmora.ini",
        "[CommSelect]\nItem=1\n[Ports]\nItems=2\nItem1=sim:\nItem2=/dev/null\n"
        "[Profiles]\nItems=2\nItem1=Demo.ini\nItem2=Empty.ini\n");
    ScriptStartupDialogs(recorder, 1, 0);
    ASSERT_TRUE(window.Create());
    EXPECT_EQ(Text(res::IDC_ENGINECODE) + " " + Text(res::IDC_VERSION), "VLM20DET 2.10A");
    EXPECT_TRUE(recorder.Boxes().empty());
    // Three identification exchanges: F3, F5, F0, each without data.
    EXPECT_EQ(controller->Received(), (std::vector<uint8_t>{0xF3, 0x02, 0x0A, 0xF5, 0x02, 0x08, 0xF0, 0x02, 0x0D}));
    EXPECT_EQ(comm.PortPath(), "sim:");
    EXPECT_EQ(config::TheProfile().Path(), directory.File("Empty.ini"));
}

// Escape on the port dialog: no port, one communication error in a real box, and start-up goes on.
TEST_F(Startup, ReturnOnTheRealIdentificationBoxClosesItAndPressesNothingBehindIt)
{
    recorder.OnDialog(res::IDD_COMMSELECT, [](ui::Dialog&) { ui::testing::PressKey(ui::VK_ESCAPE); });
    recorder.WhilePopupOpen([] { ui::testing::PressKey(ui::VK_RETURN); });
    ASSERT_TRUE(window.Create());
    EXPECT_EQ(recorder.PopupsLeftOpen(), 0);
    EXPECT_EQ(Boxes(), Strings{"CVelmoraDlg::GetPFCID(): 通信エラー"});
    EXPECT_FALSE(window.Tracing()) << "Return pressed the hidden trace button";
    EXPECT_EQ(recorder.DialogsOpened(res::IDD_PROFSEL), 1);
    EXPECT_EQ(Text(res::IDC_ENGINECODE), "PowerFC");
    EXPECT_EQ(directory.Read("Velmora.ini"), kBaseFile) << "Escape writes nothing";
}

class FailedIdentification : public StartupFixture, public ::testing::WithParamInterface<int> { };

// The texts change only once the version has arrived, the live block's flag once it has.
TEST_P(FailedIdentification, ShowsOneBoxAndKeepsWhatDidNotArrive)
{
    controller->Responder().Config().liveLength = 32;
    controller->Faults().Set({.badChecksum = true}, 1, GetParam());
    ScriptStartupDialogs(recorder, -1);
    ASSERT_TRUE(window.Create());
    EXPECT_EQ(Boxes(), Strings{"CVelmoraDlg::GetPFCID(): チェックサムエラー"});
    EXPECT_EQ(window.EngineCode(), "VLM20DET");
    EXPECT_EQ(Text(res::IDC_ENGINECODE), GetParam() == 1 ? "PowerFC" : "VLM20DET");
    EXPECT_EQ(Text(res::IDC_VERSION), GetParam() == 1 ? "Version" : "2.10A");
    EXPECT_TRUE(window.ExtLiveBlock()) << "the live block never arrived";
}

INSTANTIATE_TEST_SUITE_P(VersionAndLiveBlock, FailedIdentification, ::testing::Values(1, 2));

// The engine code is the reply's CP932 text up to its eighth byte, a zero byte or its end.
TEST_F(Startup, TheEngineCodeShowsTheReceivedText)
{
    ScriptStartupDialogs(recorder, -1);
    ASSERT_TRUE(window.Create());
    // "ﾃｽ" is two half-width kana that would also pass as UTF-8.
    const std::pair<std::vector<uint8_t>, const char*> cases[] = {{{'A', 'B'}, "AB"}, {{'1', 0, '9', '9', '9'}, "1"},
        {{'R', 'B', '2', '6', 0xC3, 0xBD}, "RB26ﾃｽ"}, {{'R', 'B', '2', '6', 0x83, 0x65, 0x83, 0x58, 0x83}, "RB26テス"}};
    for (const auto& [code, shown] : cases) {
        Reply(0xF3, code);
        window.GetPFCID();
        EXPECT_EQ(Text(res::IDC_ENGINECODE) + " " + Text(res::IDC_VERSION), std::string(shown) + " 2.10A");
    }
}

TEST_F(Startup, EscapeNeverClosesTheWindow)
{
    ScriptStartupDialogs(recorder, -1);
    bool stayedOpen = false;
    recorder.OnDialog(res::IDD_VELMORA_DIALOG, [&](ui::Dialog& dialog) {
        ui::testing::PressKey(ui::VK_ESCAPE);
        stayedOpen = dialog.IsWindow();
    });
    window.DoModal();
    EXPECT_TRUE(stayedOpen);
}

TEST_F(Startup, TheSystemMenuOffersAndOpensTheAboutBox)
{
    ScriptStartupDialogs(recorder, -1);
    std::string aboutCaption;
    recorder.OnDialog(res::IDD_ABOUTBOX, [&](ui::Dialog& about) {
        aboutCaption = about.GetWindowText();
        ui::testing::PressKey(ui::VK_RETURN);
    });
    recorder.OnDialog(res::IDD_VELMORA_DIALOG, [&](ui::Dialog& dialog) {
        ASSERT_NE(dialog.GetSystemMenu(), nullptr);
        recorder.ChooseSystemMenuItem(dialog.GetSystemMenu()->Entries().back().id);
        ui::testing::PressKey(ui::VK_SPACE, ui::testing::Alt, &dialog);
    });
    window.DoModal();
    EXPECT_EQ(aboutCaption, "バージョン情報 Velmora");
}

TEST(Application, StartsWithoutABaseFile)
{
    res::InstallResources();
    WorkingDirectory empty;
    ui::testing::Recorder recorder;
    bool shown = false;
    recorder.OnDialog(res::IDD_VELMORA_DIALOG, [&](ui::Dialog& window) {
        shown = true;
        window.EndDialog(ui::IDCANCEL);
    });
    EXPECT_FALSE(theApp.InitInstance());
    EXPECT_TRUE(shown);
    EXPECT_EQ(config::TheProfile().Path(), empty.File("Velmora.ini"));
    EXPECT_EQ(recorder.DialogsOpened(res::IDD_PROFSEL), 1);
}
