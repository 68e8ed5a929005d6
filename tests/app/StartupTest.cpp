#include "StartupFixture.h"

#include "app/CVelmoraApp.h"

#include "platform/ui/Menu.h"
#include "platform/ui/MessageBox.h"

using Startup = StartupFixture;
using Strings = std::vector<std::string>;

TEST_F(Startup, ShowsTheControllersIdentityAndRemembersThePortAndProfile)
{
    // Last time the second port was chosen; this time the first.
    directory.Write("Velmora.ini", "[CommSelect]\nItem=1\n[Ports]\nItems=2\nItem1=sim:\nItem2=/dev/null\n"
                                   "[Profiles]\nItems=2\nItem1=Demo.ini\nItem2=Empty.ini\n");
    ScriptStartup(1, 0);
    ASSERT_TRUE(window.Create());
    EXPECT_EQ(Text(res::IDC_ENGINECODE), "VLM20DET");
    EXPECT_EQ(Text(res::IDC_VERSION), "2.10A");
    EXPECT_TRUE(recorder.Boxes().empty());
    EXPECT_EQ(window.GetIconId(), res::IDR_MAINFRAME);
    // Three identification exchanges: F3, F5, F0, each without data.
    EXPECT_EQ(controller->Received(), (std::vector<uint8_t>{0xF3, 0x02, 0x0A, 0xF5, 0x02, 0x08, 0xF0, 0x02, 0x0D}));
    EXPECT_NE(directory.Read("Velmora.ini").find("[CommSelect]\nItem=0\n"), std::string::npos);
    EXPECT_EQ(comm.PortPath(), "sim:");
    EXPECT_EQ(config::TheProfile().Path(), directory.File("Empty.ini"));
}

TEST_F(Startup, APortThatDropsParitySaysSoInOneBoxBeforeTheIdentification)
{
    port->keptLine = serial::LineSettings{19200, 'n', 8, 1};
    ScriptStartup(1);
    size_t sentBeforeTheBox = 0;
    recorder.OnBox([&](const ui::testing::Recorder::Box&) { sentBeforeTheBox = controller->Received().size(); });
    ASSERT_TRUE(window.Create());
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].rfind("CVelmoraDlg::OnInitDialog(): sim: の通信設定（パリティ）が反映されませんでした。", 0), 0u) << Boxes()[0];
    EXPECT_EQ(recorder.Boxes()[0].owner, &window);
    EXPECT_EQ(sentBeforeTheBox, 0u);
    EXPECT_EQ(Text(res::IDC_ENGINECODE), "VLM20DET") << "start-up goes on";
    EXPECT_EQ(config::TheProfile().Path(), directory.File("Empty.ini"));
}

TEST_F(Startup, OnlyALiveBlockLengthOf32ClearsTheExtendedFlag)
{
    ScriptStartup();
    ASSERT_TRUE(window.Create());
    EXPECT_FALSE(window.ExtLiveBlock());
    for (const int length : {int{sim::ResponderConfig::kExtendedLiveLength}, 31, int{sim::ResponderConfig::kStandardLiveLength}}) {
        controller->Responder().Config().liveLength = length;
        window.GetPFCID();
        EXPECT_EQ(window.ExtLiveBlock(), length != 32) << "length byte " << length;
    }
}

TEST_F(Startup, EscapeOnThePortDialogGivesOneCommunicationErrorAndTheProfileDialogStillFollows)
{
    recorder.OnDialog(res::IDD_COMMSELECT, [](ui::Dialog&) { ui::testing::PressKey(ui::VK_ESCAPE); });
    ASSERT_TRUE(window.Create());
    ASSERT_EQ(Boxes(), Strings{"CVelmoraDlg::GetPFCID(): 通信エラー"});
    EXPECT_EQ(recorder.Boxes()[0].Icon(), ui::MB_ICONERROR);
    EXPECT_EQ(recorder.Boxes()[0].owner, &window);
    EXPECT_EQ(recorder.DialogsOpened(res::IDD_PROFSEL), 1);
    EXPECT_EQ(Text(res::IDC_ENGINECODE), "PowerFC");
    EXPECT_EQ(directory.Read("Velmora.ini"), kBaseFile) << "Escape writes nothing";
}

TEST_F(Startup, ReturnOnTheRealIdentificationBoxClosesItAndPressesNothingBehindIt)
{
    recorder.OnDialog(res::IDD_COMMSELECT, [](ui::Dialog&) { ui::testing::PressKey(ui::VK_ESCAPE); });
    recorder.WhilePopupOpen([] { ui::testing::PressKey(ui::VK_RETURN); });
    ASSERT_TRUE(window.Create());
    EXPECT_EQ(recorder.PopupsLeftOpen(), 0);
    EXPECT_EQ(Boxes(), Strings{"CVelmoraDlg::GetPFCID(): 通信エラー"});
    EXPECT_FALSE(window.Tracing()) << "Return pressed the hidden trace button";
    EXPECT_EQ(recorder.DialogsOpened(res::IDD_PROFSEL), 1);
}

TEST_F(Startup, CancellingTheProfileDialogLeavesAWorkingTraceButton)
{
    ScriptStartup();
    ASSERT_TRUE(window.Create());
    ASSERT_EQ(window.MonitorList().GetItemCount(), 0);
    ui::testing::Click(TraceButton());
    EXPECT_EQ(TraceState(), kTracing);
    const size_t sent = controller->Received().size();
    window.SendMessage(ui::WM_TIMER, CVelmoraDlg::kTraceTimer, 0);
    EXPECT_EQ(controller->Received().size(), sent + 3) << "one F0 poll";
    EXPECT_TRUE(recorder.Boxes().empty());
    ui::testing::Click(TraceButton());
    EXPECT_EQ(TraceState(), kIdle);
}

TEST_F(Startup, AChecksumErrorOnTheVersionKeepsTheTemplateTexts)
{
    controller->Faults().Set({.badChecksum = true}, 1, 1);
    ScriptStartup();
    ASSERT_TRUE(window.Create());
    EXPECT_EQ(Boxes(), Strings{"CVelmoraDlg::GetPFCID(): チェックサムエラー"});
    EXPECT_EQ(window.EngineCode(), "VLM20DET");
    EXPECT_EQ(Text(res::IDC_ENGINECODE), "PowerFC");
    EXPECT_EQ(Text(res::IDC_VERSION), "Version");
    EXPECT_TRUE(window.ExtLiveBlock()) << "the live block was never asked";
}

TEST_F(Startup, ShortIdentityRepliesShowOnlyWhatWasReceived)
{
    ScriptStartup();
    Reply(0xF3, {'A', 'B'});
    ASSERT_TRUE(window.Create());
    EXPECT_EQ(Text(res::IDC_ENGINECODE), "AB");
    EXPECT_EQ(Text(res::IDC_VERSION), "2.10A");

    Reply(0xF5, {'1', 0, '9', '9', '9'}, 1);
    window.GetPFCID();
    EXPECT_EQ(Text(res::IDC_VERSION), "1") << "a zero byte ends the text";
}

TEST_F(Startup, IdentityTextIsTheControllersCp932)
{
    ScriptStartup();
    ASSERT_TRUE(window.Create());
    const struct {
        std::vector<uint8_t> code;
        const char* shown;
    } cases[] = {
        {{'V', 'L', 'M', '2', '0', 'D', 'E', 'T'}, "VLM20DET"},
        {{'R', 'B', '2', '6', 0xC3, 0xBD}, "RB26ﾃｽ"}, // two half-width kana that would also pass as UTF-8
        {{0x83, 0x65, 0x83, 0x58, 0x83, 0x67, '2', '6'}, "テスト26"},
        {{'R', 'B', '2', '6', 0x83, 0x65, 0x83, 0x58, 0x83}, "RB26テス"}, // only eight bytes count
    };
    for (const auto& each : cases) {
        Reply(0xF3, each.code);
        window.GetPFCID();
        EXPECT_EQ(Text(res::IDC_ENGINECODE), each.shown);
    }
}

TEST_F(Startup, EscapeNeverClosesTheWindow)
{
    ScriptStartup();
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
    ScriptStartup();
    std::string aboutCaption;
    recorder.OnDialog(res::IDD_ABOUTBOX, [&](ui::Dialog& about) {
        aboutCaption = about.GetWindowText();
        ui::testing::PressKey(ui::VK_RETURN);
    });
    recorder.OnDialog(res::IDD_VELMORA_DIALOG, [&](ui::Dialog& dialog) {
        ui::Menu* menu = dialog.GetSystemMenu();
        ASSERT_NE(menu, nullptr);
        ASSERT_GE(menu->Entries().size(), 2u);
        EXPECT_EQ(menu->Entries().back().text, "バージョン情報 Velmora(&A)...");
        EXPECT_EQ(menu->Entries().back().id, 16u);
        recorder.ChooseSystemMenuItem(16);
        ui::testing::PressKey(ui::VK_SPACE, ui::testing::Alt, &dialog);
    });
    window.DoModal();
    EXPECT_EQ(aboutCaption, "バージョン情報 Velmora");
}

TEST_F(Startup, TheCloseBoxClosesTheWindowAsACancel)
{
    ScriptStartup();
    recorder.OnDialog(res::IDD_VELMORA_DIALOG, [&](ui::Dialog& dialog) { ui::testing::PressCloseBox(dialog); });
    EXPECT_EQ(window.DoModal(), ui::IDCANCEL);
    EXPECT_EQ(recorder.DialogsOpened(res::IDD_VELMORA_DIALOG), 1);
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
    EXPECT_EQ(recorder.DialogsOpened(res::IDD_COMMSELECT), 1);
    EXPECT_EQ(recorder.DialogsOpened(res::IDD_PROFSEL), 1);
    ASSERT_EQ(recorder.Boxes().size(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].text, "通信エラー");
}
