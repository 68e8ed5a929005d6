#include "ProfileFixture.h"

#include <climits>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

class ProfileWrite : public ProfileFixture {};

// Caps the size of any file this process writes, as a full disk would; undone on scope exit.
class FileSizeCap {
public:
    explicit FileSizeCap(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit capped = m_saved;
        capped.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &capped);
    }
    ~FileSizeCap()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeCap(const FileSizeCap&) = delete;
    FileSizeCap& operator=(const FileSizeCap&) = delete;

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN); // EFBIG instead of a kill
};

TEST_F(ProfileWrite, ReplacesOnlyTheValueKeepingEveryOtherByte)
{
    Put("\xEF\xBB\xBF; written by hand\r\n"
        "[Port]\r\n"
        "  Number =  3  \r\n"
        "Name=COM3\r\n"
        "\r\n"
        "[Page]\r\n"
        "number=4\r\n");
    ASSERT_TRUE(m_ini.WriteInt("port", "NUMBER", -12));
    EXPECT_EQ(Bytes(),
        "\xEF\xBB\xBF; written by hand\r\n"
        "[Port]\r\n"
        "  Number =  -12  \r\n"
        "Name=COM3\r\n"
        "\r\n"
        "[Page]\r\n"
        "number=4\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{kIniName});
}

TEST_F(ProfileWrite, WritesTheFirstMatchingKeyOfTheFirstMatchingSection)
{
    Put("[s]\nK=1\nk=2\n[S]\nk=3\n");
    ASSERT_TRUE(m_ini.WriteInt("S", "k", 9));
    EXPECT_EQ(Bytes(), "[s]\nK=9\nk=2\n[S]\nk=3\n");
}

TEST_F(ProfileWrite, AddsAMissingKeyAfterTheLastNonBlankLineOfItsSection)
{
    Put("[A]\r\nx=1\r\n; note\r\n\r\n\r\n[B]\r\ny=2\r\n");
    ASSERT_TRUE(m_ini.WriteInt("a", "z", 5));
    EXPECT_EQ(Bytes(), "[A]\r\nx=1\r\n; note\r\nz=5\r\n\r\n\r\n[B]\r\ny=2\r\n");

    Put("[Empty]\n\n[B]\n");
    ASSERT_TRUE(m_ini.WriteInt("Empty", "k", 1));
    EXPECT_EQ(Bytes(), "[Empty]\nk=1\n\n[B]\n");
}

TEST_F(ProfileWrite, AddsAMissingSectionAtTheEndInTheFilesLineEnding)
{
    Put("[A]\r\nx=1\r\n");
    ASSERT_TRUE(m_ini.WriteInt("New", "k", 7));
    EXPECT_EQ(Bytes(), "[A]\r\nx=1\r\n[New]\r\nk=7\r\n");
}

TEST_F(ProfileWrite, CreatesAMissingFileWithLfEndings)
{
    ASSERT_TRUE(m_ini.WriteInt("Window", "Left", INT_MIN));
    EXPECT_EQ(Bytes(), "[Window]\nLeft=-2147483648\n");
    EXPECT_EQ(m_ini.GetInt("Window", "Left", 0), INT_MIN);
}

TEST_F(ProfileWrite, FileWithoutFinalLineEndingStaysWellFormed)
{
    Put("[A]\r\nx=1");
    ASSERT_TRUE(m_ini.WriteInt("A", "y", 2));
    EXPECT_EQ(Bytes(), "[A]\r\nx=1\r\ny=2\r\n");

    Put("[A]");
    ASSERT_TRUE(m_ini.WriteInt("B", "z", 3));
    EXPECT_EQ(Bytes(), "[A]\n[B]\nz=3\n");
}

TEST_F(ProfileWrite, KeepsThePermissionsOfTheOldFile)
{
    Put("[A]\nx=1\n");
    std::filesystem::permissions(PathOf(kIniName), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write
            | std::filesystem::perms::group_read);
    ASSERT_TRUE(m_ini.WriteInt("A", "x", 2));
    EXPECT_EQ(std::filesystem::status(PathOf(kIniName)).permissions() & std::filesystem::perms::all,
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_write | std::filesystem::perms::group_read);
}

TEST_F(ProfileWrite, ThroughASymbolicLinkUpdatesItsTargetAndKeepsTheLink)
{
    Put("[A]\nx=1\n", "Real.ini");
    std::filesystem::create_symlink("Real.ini", PathOf(kIniName));
    ASSERT_TRUE(m_ini.WriteInt("A", "x", 2));
    EXPECT_TRUE(std::filesystem::is_symlink(PathOf(kIniName)));
    EXPECT_EQ(Bytes("Real.ini"), "[A]\nx=2\n");
}

TEST_F(ProfileWrite, FailsInsideAMissingDirectoryWithoutCreatingIt)
{
    const profile::ProfileFile lost(PathOf("missing/Velmora.ini"));
    EXPECT_FALSE(lost.WriteInt("A", "x", 1));
    EXPECT_TRUE(Entries().empty());
}

TEST_F(ProfileWrite, FailsOnAPathThatIsADirectory)
{
    std::filesystem::create_directory(PathOf(kIniName));
    EXPECT_FALSE(m_ini.WriteInt("A", "x", 1));
    EXPECT_TRUE(std::filesystem::is_directory(PathOf(kIniName)));
}

TEST_F(ProfileWrite, AFailedWriteLeavesTheOldFileWholeAndNoTemporary)
{
    const std::string old = "[A]\nx=1\n; padding that makes the file longer than the cap\n";
    Put(old);
    {
        const FileSizeCap cap(old.size() / 2);
        EXPECT_FALSE(m_ini.WriteInt("A", "x", 2));
    }
    EXPECT_EQ(Bytes(), old);
    EXPECT_EQ(Entries(), std::vector<std::string>{kIniName});
}

TEST_F(ProfileWrite, RefusesNamesThatWouldNotReadBack)
{
    const std::string old = "[A]\nx=1\n";
    Put(old);
    EXPECT_FALSE(m_ini.WriteInt("A", "x=y", 1));
    EXPECT_FALSE(m_ini.WriteInt("A", "", 1));
    EXPECT_FALSE(m_ini.WriteInt("A", ";x", 1));
    EXPECT_FALSE(m_ini.WriteInt("A]", "x", 1));
    EXPECT_FALSE(m_ini.WriteInt("A\nB", "x", 1));
    EXPECT_EQ(Bytes(), old);
}

} // namespace
