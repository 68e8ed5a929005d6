#include "ProfileFixture.h"

#include <chrono>
#include <climits>
#include <csignal>
#include <functional>
#include <grp.h>
#include <optional>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

namespace {

class PosixProfileWrite : public ProfileFixture {
protected:
    struct stat Stat() const
    {
        struct stat info { };
        (void)::lstat(PathOf(kIniName).c_str(), &info);
        return info;
    }
};

TEST_F(PosixProfileWrite, KeepsTheFilesPermissionBits)
{
    for (const mode_t mode : {0600, 0664, 0620}) {
        SCOPED_TRACE(mode);
        Put("[A]\nx=1\n");
        ::chmod(PathOf(kIniName).c_str(), mode);
        EXPECT_TRUE(m_ini.WriteInt("A", "x", 2));
        EXPECT_EQ(Stat().st_mode & 07777, mode);
    }
}

// A write that cannot be done fails and the path keeps what it held, with no temporary left:
// a section or key that would not read back as itself, a missing folder, a full disk, and a path
// that holds no plain file that may be replaced.
TEST_F(PosixProfileWrite, AWriteThatCannotBeDoneChangesNothing)
{
    const std::string old = "[A]\nx=1\n; padding that makes the file longer than the cap\n";
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const rlimit capped{old.size() / 2, saved.rlim_max};
    const struct {
        const char* name;
        const char* section = "A";
        const char* key = "x";
        const char* file = "Velmora.ini";
        std::function<void()> make = {}; // the old file when none
        bool capped = false;
    } cases[] = {
        {"a bracket in the section", "A]B"},
        {"a line end in the section", "A\nB"},
        {"no key", "A", ""},
        {"a comment mark opening the key", "A", ";x"},
        {"a bracket opening the key", "A", "[x"},
        {"an equals sign in the key", "A", "x=y"},
        {"a line end in the key", "A", "x\ry"},
        {"a missing folder", "A", "x", "missing/Velmora.ini", [] {}},
        {"a full disk", "A", "x", "Velmora.ini", {}, true},
        {"a folder", "A", "x", "Velmora.ini", [this] { std::filesystem::create_directory(PathOf(kIniName)); }},
        {"a FIFO", "A", "x", "Velmora.ini", [this] { ::mkfifo(PathOf(kIniName).c_str(), 0644); }},
        {"a file that grants writing to nobody", "A", "x", "Velmora.ini",
            [&] { Put(old), ::chmod(PathOf(kIniName).c_str(), 0444); }},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        std::filesystem::remove_all(PathOf(kIniName));
        each.make ? each.make() : Put(old);
        const std::vector<std::string> entries = Entries();
        const struct stat before = Stat();
        // A cap on file size fails the write as a full disk would; ignoring SIGXFSZ makes it EFBIG.
        std::signal(SIGXFSZ, each.capped ? SIG_IGN : SIG_DFL);
        ::setrlimit(RLIMIT_FSIZE, each.capped ? &capped : &saved);
        EXPECT_FALSE(profile::ProfileFile(PathOf(each.file)).WriteInt(each.section, each.key, 2));
        ::setrlimit(RLIMIT_FSIZE, &saved);
        const struct stat after = Stat();
        EXPECT_EQ(std::tuple(after.st_ino, after.st_mode, after.st_size, after.st_mtim.tv_nsec),
            std::tuple(before.st_ino, before.st_mode, before.st_size, before.st_mtim.tv_nsec));
        EXPECT_EQ(Entries(), entries);
    }
    std::signal(SIGXFSZ, SIG_DFL);
}

// Other users' files, in a folder anyone may write. The new file takes over the old one's owner
// where the writer may give it, and its group where the writer belongs to that group; a file the
// writer may only read is left alone.
TEST_F(PosixProfileWrite, AnotherUsersFileKeepsItsOwnerOrAtLeastItsGroupOrIsNotWritten)
{
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to hand the file to another user";
    constexpr id_t kRoot = 0, kNobody = 65534, kOther = 4321;
    using Ids = std::pair<uid_t, gid_t>;
    const std::tuple<const char*, uid_t, mode_t, Ids, Ids, bool> cases[] = {
        {"root writes nobody's file", kRoot, 0664, {kNobody, kNobody}, {kNobody, kNobody}, true},
        {"root writes its own file of another group", kRoot, 0664, {kRoot, kOther}, {kRoot, kOther}, true},
        {"nobody, in the file's group, writes another user's file", kNobody, 0664, {kOther, kOther}, {kNobody, kOther}, true},
        {"nobody may only read root's file", kNobody, 0644, {kRoot, kRoot}, {kRoot, kRoot}, false},
    };
    std::vector<gid_t> groups(static_cast<size_t>(::getgroups(0, nullptr)));
    ASSERT_EQ(::getgroups(static_cast<int>(groups.size()), groups.data()), static_cast<int>(groups.size()));
    std::filesystem::permissions(PathOf(""), std::filesystem::perms::all);
    for (const auto& [name, writer, mode, before, after, written] : cases) {
        SCOPED_TRACE(name);
        Put("[A]\nx=1\n");
        ::chmod(PathOf(kIniName).c_str(), mode);
        ASSERT_EQ(::chown(PathOf(kIniName).c_str(), before.first, before.second), 0);
        // The writer's own group stays root's, so only membership lets it keep the file's group.
        ASSERT_TRUE(::setgroups(1, &before.second) == 0 && ::seteuid(writer) == 0);
        EXPECT_EQ(m_ini.WriteInt("A", "x", 2), written);
        ASSERT_TRUE(::seteuid(kRoot) == 0 && ::setgroups(groups.size(), groups.data()) == 0);
        EXPECT_EQ(Bytes(), written ? "[A]\nx=2\n" : "[A]\nx=1\n");
        EXPECT_EQ(std::pair(Stat().st_uid, Stat().st_gid), after);
        EXPECT_EQ(Entries(), std::vector<std::string>{kIniName});
    }
}

// A writer killed at any moment, a few hundred times over: the file is always the old one or
// the new one, whole, and the next write clears what the killed ones left behind.
TEST_F(PosixProfileWrite, AWriterKilledAtAnyMomentLeavesTheOldOrTheNewFile)
{
    auto [zero, one, waits] = PrepareKilledWrites();
    using Clock = std::chrono::steady_clock;
    std::mt19937 random(20261207);
    int inWrite = 0;
    for (int kill = 0; kill < 300; ++kill) {
        int started[2];
        ASSERT_EQ(::pipe(started), 0);
        const pid_t writer = ::fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            (void)!::write(started[1], "", 1);
            for (int value = 1;; value ^= 1) (void)m_ini.WriteInt("CommSelect", "Item", value);
        }
        // Once the writer runs, a busy wait of random length: the kill lands at an unforeseen
        // point of its first two writes, however long the writer took to be scheduled.
        char ready = 0;
        ASSERT_EQ(::read(started[0], &ready, 1), 1);
        ::close(started[0]);
        ::close(started[1]);
        const Clock::time_point until = Clock::now() + Clock::duration(waits(random));
        while (Clock::now() < until) continue;
        ::kill(writer, SIGKILL);
        ::waitpid(writer, nullptr, 0);
        const std::string now = Bytes();
        ASSERT_TRUE(now == zero || now == one) << "after kill " << kill << ": " << now.size() << " bytes";
        inWrite += Entries().size() > 1 ? 1 : 0;
    }
    EXPECT_TRUE(m_ini.WriteInt("CommSelect", "Item", 7));
    EXPECT_EQ(Entries(), std::vector<std::string>{kIniName}) << "a killed writer's temporary file stayed";
    EXPECT_GT(inWrite, 0) << "no kill landed inside a write, so none tested the replacement";
}

// A write clears the temporary files of writers that are gone, and only those: not another
// file's, not a running process's, not ones named otherwise.
TEST_F(PosixProfileWrite, ClearsOnlyTheTemporariesOfWritersThatAreGone)
{
    const std::string gone = "99999999"; // above any process number the system gives
    const std::pair<std::string, bool> cases[] = {{kIniName + ".tmp" + gone + "-0", false}, {kIniName + ".tmp1-0", true},
        {kIniName + ".tmp" + std::to_string(::getpid()) + "-0", true}, {kIniName + ".tmp" + gone, true}, {kIniName + ".tmp-5-0", true},
        {kIniName + ".tmpx-0", true}, {"Other.ini.tmp" + gone + "-0", true}};
    Put("[A]\nx=1\n");
    for (const auto& [name, stays] : cases) std::ofstream(PathOf(name)) << "x";
    ASSERT_TRUE(m_ini.WriteInt("A", "x", 2));
    for (const auto& [name, stays] : cases) EXPECT_EQ(std::filesystem::exists(PathOf(name)), stays) << name;
}

// The replacement is atomic, so a second name of the file keeps the old content; a symbolic
// link stays a link, and the file it points to takes the value.
TEST_F(PosixProfileWrite, AHardLinkedFileIsSplitOffASymbolicLinkIsFollowed)
{
    for (const bool symbolic : {false, true}) {
        SCOPED_TRACE(symbolic);
        std::filesystem::remove(PathOf(kIniName));
        std::ofstream(PathOf("Other.ini"), std::ios::trunc) << "[A]\nx=1\n";
        symbolic ? std::filesystem::create_symlink("Other.ini", PathOf(kIniName))
                 : std::filesystem::create_hard_link(PathOf("Other.ini"), PathOf(kIniName));
        ASSERT_TRUE(m_ini.WriteInt("A", "x", 2));
        EXPECT_EQ(Bytes(), "[A]\nx=2\n");
        EXPECT_EQ(std::filesystem::is_symlink(PathOf(kIniName)), symbolic);
        EXPECT_EQ(profile::ProfileFile(PathOf("Other.ini")).GetInt("A", "x", 0), symbolic ? 2 : 1);
    }
}

using PosixProfileRead = ProfileFixture;

// A FIFO nobody writes into reads as missing, at once.
TEST_F(PosixProfileRead, AFifoReadsAsMissingAtOnce)
{
    ASSERT_EQ(::mkfifo(PathOf(kIniName).c_str(), 0644), 0);
    EXPECT_EQ(m_ini.GetString("S", "k"), "");
}

TEST_F(PosixProfileRead, TheCurrentDirectoryIsNamedHoweverLongItsPath)
{
    const std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::path deep = m_folder.Path();
    for (char level = 'a'; level < 'i'; ++level) deep /= std::string(200, level);
    std::filesystem::create_directories(deep);
    std::filesystem::current_path(deep);
    const std::string current = profile::GetCurrentDirectory();
    std::filesystem::current_path(saved);
    EXPECT_EQ(current, deep.string());
}

} // namespace
