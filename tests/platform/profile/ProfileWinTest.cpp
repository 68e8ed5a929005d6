#include "ProfileFixture.h"

#include <fstream>

namespace {

using ProfileWrite = ProfileFixture;

// A read-only file is one its user means to keep; a folder is no profile.
TEST_F(ProfileWrite, AReadOnlyFileOrAFolderIsNotWritten)
{
    const std::string old = "[A]\r\nx=1\r\n";
    Put(old);
    std::filesystem::permissions(PathOf(kIniName), std::filesystem::perms::owner_write | std::filesystem::perms::group_write | std::filesystem::perms::others_write,
        std::filesystem::perm_options::remove);
    EXPECT_FALSE(m_ini.WriteInt("A", "x", 2));
    EXPECT_EQ(Bytes(), old);
    std::filesystem::permissions(PathOf(kIniName), std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    std::filesystem::remove(PathOf(kIniName));
    std::filesystem::create_directory(PathOf(kIniName));
    EXPECT_FALSE(m_ini.WriteInt("A", "x", 2));
    EXPECT_EQ(Entries(), std::vector<std::string>{kIniName});
}

// A killed writer's temporary file goes with the next write; one a live writer holds stays.
TEST_F(ProfileWrite, ClearsTheTemporariesNoWriterHolds)
{
    const std::string left = kIniName + ".tmp4242-0";
    const std::string held = kIniName + ".tmp4343-0";
    std::ofstream(PathOf(left)) << "x";
    std::ofstream holder(PathOf(held));
    EXPECT_TRUE(m_ini.WriteInt("A", "x", 2));
    EXPECT_FALSE(std::filesystem::exists(PathOf(left)));
    EXPECT_TRUE(std::filesystem::exists(PathOf(held)));
    EXPECT_EQ(Bytes(), "[A]\nx=2\n");
}

} // namespace
