#include "tests/ports/PortSelectionFixture.h"

#include "platform/ui/Messages.h"
#include "platform/ui/testing/Input.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string kConfigured = "[Ports]\nItems=2\nItem1=sim:\nItem2=/dev/pts/7\n";

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

} // namespace
