#include "config/ActiveProfile.h"
#include "config/CProfSelDlg.h"
#include "resources/ResourceIds.h"
#include "tests/support/WorkingDirectory.h"

#include "platform/ui/ListBox.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Recorder.h"

#include <gtest/gtest.h>

namespace {

class ProfileChoice : public ::testing::Test {
protected:
    static void SetUpTestSuite() { res::InstallResources(); }
    void SetUp() override { profile.SetProfilePath("Velmora.ini"); }

    // Runs the dialog; the action sees its list box.
    int Choose(const std::function<void(ui::Dialog&, ui::ListBox&)>& action)
    {
        recorder.OnDialog(res::IDD_PROFSEL,
            [&](ui::Dialog& dialog) { action(dialog, *static_cast<ui::ListBox*>(dialog.GetDlgItem(res::IDC_PROFLIST))); });
        CProfSelDlg dialog(profile);
        return dialog.DoModal();
    }

    std::vector<std::string> Listed()
    {
        std::vector<std::string> names;
        Choose([&](ui::Dialog& dialog, ui::ListBox& list) {
            for (int i = 0; i < list.GetCount(); ++i) names.push_back(list.GetText(i));
            names.push_back("selected " + std::to_string(list.GetCurSel()));
            dialog.EndDialog(ui::IDCANCEL);
        });
        return names;
    }

    WorkingDirectory directory;
    config::ActiveProfile profile;
    ui::testing::Recorder recorder;
};

} // namespace

// The listed names, then the selection.
TEST_F(ProfileChoice, ListsTheCountedItemsInKeyOrderWithTheFirstSelected)
{
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"Items=3\nItem3=C.ini\nItem1=B.ini\nItem2=A.ini\n", {"B.ini", "A.ini", "C.ini", "selected 0"}},
        {"Items=2\nItem1=A.ini\nItem3=C.ini\n", {"A.ini", "", "selected 0"}}, // a missing item shows empty
        {"Items=1\nItem1=A.ini\nItem2=B.ini\n", {"A.ini", "selected 0"}},
    };
    for (const auto& [items, listed] : cases) {
        directory.Write("Velmora.ini", std::string("[Profiles]\n") + items);
        EXPECT_EQ(Listed(), listed) << items;
    }
    // Any count lists a bounded number of entries.
    for (const auto& [items, listed] : {std::pair{"-5", 0u}, std::pair{"2147483647", 256u}}) {
        directory.Write("Velmora.ini", std::string("[Profiles]\nItem1=A.ini\nItems=") + items + "\n");
        EXPECT_EQ(Listed().size() - 1, listed) << items;
    }
    std::filesystem::remove("Velmora.ini");
    EXPECT_EQ(Listed(), (std::vector<std::string>{"selected -1"})) << "no base file";
}

// The name is read from the file as OK is pressed, and every later read goes to that file.
TEST_F(ProfileChoice, OkSwitchesEveryLaterReadToTheFileNamedAtThatMoment)
{
    directory.Write("Velmora.ini", "[Profiles]\nItems=3\nItem1=A.ini\nItem2=B.ini\nItem3=C.ini\n");
    directory.Write("D.ini", "[Velmora]\nMonItems=5\n");
    const int result = Choose([&](ui::Dialog&, ui::ListBox& list) {
        list.SetCurSel(2);
        directory.Write("Velmora.ini", "[Profiles]\nItems=3\nItem3=D.ini\n");
        ui::testing::PressKey(ui::VK_RETURN);
    });
    EXPECT_EQ(result, ui::IDOK);
    EXPECT_EQ(profile.Path(), directory.File("D.ini"));
    EXPECT_EQ(profile.GetInt("Velmora", "MonItems", 99), 5);
    directory.Write("D.ini", "[Velmora]\nMonItems=6\n");
    EXPECT_EQ(profile.GetInt("Velmora", "MonItems", 99), 6) << "nothing caches a file";
}

TEST(ActiveProfilePath, JoinsTheWorkingDirectoryUnlessTheNameIsAbsolute)
{
    WorkingDirectory directory;
    const std::string longName(400, 'x'); // no length limit
    const std::pair<std::string, std::string> cases[] = {{"B.ini", directory.File("B.ini")}, {"", (directory.Path() / "").string()},
        {"/etc/velmora/Demo.ini", "/etc/velmora/Demo.ini"}, {longName, directory.File(longName)}};
    for (const auto& [name, path] : cases) {
        config::ActiveProfile profile;
        profile.SetProfilePath(name);
        EXPECT_EQ(profile.Path(), path) << name;
    }
}
