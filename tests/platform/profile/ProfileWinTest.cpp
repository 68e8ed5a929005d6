#include "ProfileFixture.h"

#include <chrono>
#include <fstream>
#include <random>

#include "platform/win32/Windows.h"

namespace {

using ProfileWrite = ProfileFixture;

// A read-only file is one its user means to keep; a folder is no profile.
TEST_F(ProfileWrite, AReadOnlyFileOrAFolderIsNotWritten)
{
    const std::string old = "[A]\r\nx=1\r\n";
    Put(old);
    std::filesystem::permissions(PathOf(kIniName),
        std::filesystem::perms::owner_write | std::filesystem::perms::group_write | std::filesystem::perms::others_write,
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

// The writer program stands beside this test's own.
std::wstring WriterProgram()
{
    std::wstring self(MAX_PATH, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
    return self.substr(0, self.find_last_of(L'\\') + 1) + L"profile_writer.exe";
}

// Under Wine, starting the writer right after killing the last one failed once, in a CI run,
// and never again by hand: a start gets three tries, and the error of the last is reported.
bool StartWriter(std::wstring& command, PROCESS_INFORMATION& writer)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &writer)) return true;
    }
    return false;
}

TEST_F(ProfileWrite, AWriterKilledAtAnyMomentLeavesTheOldOrTheNewFile)
{
    auto [zero, one, waits] = PrepareKilledWrites();
    using Clock = std::chrono::steady_clock;
    std::mt19937 random(20261207);
    const TemporaryDirectory markers{"velmora-writer"};
    int inWrite = 0;
    for (int kill = 0; kill < 60; ++kill) {
        const std::filesystem::path marker = markers.Path() / std::to_string(kill);
        std::wstring command
            = L"\"" + WriterProgram() + L"\" \"" + std::filesystem::path(PathOf(kIniName)).wstring() + L"\" \"" + marker.wstring() + L"\"";
        PROCESS_INFORMATION writer{};
        ASSERT_TRUE(StartWriter(command, writer)) << "kill " << kill << ", error " << ::GetLastError();
        // Once the writer runs, a busy wait of random length: the kill lands at an unforeseen
        // point of its first two writes, however long the writer took to start.
        while (!std::filesystem::exists(marker)) continue;
        const Clock::time_point until = Clock::now() + Clock::duration(waits(random));
        while (Clock::now() < until) continue;
        ::TerminateProcess(writer.hProcess, 1);
        ::WaitForSingleObject(writer.hProcess, INFINITE);
        ::CloseHandle(writer.hThread);
        ::CloseHandle(writer.hProcess);
        const std::string now = Bytes();
        ASSERT_TRUE(now == zero || now == one) << "after kill " << kill << ": " << now.size() << " bytes";
        inWrite += Entries().size() > 1 ? 1 : 0;
    }
    EXPECT_TRUE(m_ini.WriteInt("CommSelect", "Item", 7));
    EXPECT_EQ(Entries(), std::vector<std::string>{kIniName}) << "a killed writer's temporary file stayed";
    EXPECT_GT(inWrite, 0) << "no kill landed inside a write, so none tested the replacement";
}

} // namespace
