#include "platform/serial/SerialDevice.h"
#include "tests/support/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <numeric>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

using serial::CommTimeouts;
using serial::PortError;
using serial::ReadResult;
using serial::SerialDevice;

namespace {

// Waits that expect data end when it arrives; the long limit only guards against a hang.
constexpr int kPatientMs = 5000;
constexpr CommTimeouts kPatient{.readTotalTimeoutConstant = kPatientMs};
constexpr CommTimeouts kBrief{.readTotalTimeoutConstant = 10};
// The link's read time-outs: 1 ms per byte plus 100 ms, so 101 ms for one byte.
constexpr CommTimeouts kLink{.readTotalTimeoutMultiplier = 1, .readTotalTimeoutConstant = 100};
constexpr auto kLinkReadLimit = std::chrono::milliseconds(101);
constexpr CommTimeouts kLinkWrite{.writeTotalTimeoutMultiplier = 1, .writeTotalTimeoutConstant = 100};
constexpr serial::LineSettings kLinkSettings{19200, 'e', 8, 1};

// The device under test opens the slave of a pty; the fixture is the far end, on the master.
class SerialDevicePosix : public ::testing::Test {
protected:
    void SetUp() override
    {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        ASSERT_TRUE(master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0);
        ASSERT_NE(::ptsname(master_), nullptr);
        path_ = ::ptsname(master_);
        device_ = SerialDevice::Open(path_);
        ASSERT_NE(device_, nullptr);
    }
    void TearDown() override
    {
        if (master_ >= 0) ::close(master_);
    }

    bool Send(const std::vector<uint8_t>& bytes) const
    {
        return ::write(master_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }
    std::vector<uint8_t> Receive(size_t count) const
    {
        std::vector<uint8_t> bytes(count);
        size_t got = 0;
        pollfd entry{master_, POLLIN, 0};
        while (got < count && ::poll(&entry, 1, kPatientMs) == 1) {
            const ssize_t n = ::read(master_, bytes.data() + got, count - got);
            if (n <= 0) break;
            got += static_cast<size_t>(n);
        }
        bytes.resize(got);
        return bytes;
    }

    std::vector<uint8_t> ReadAll(size_t count)
    {
        device_->SetTimeouts(kPatient);
        std::vector<uint8_t> bytes;
        for (uint8_t byte = 0; bytes.size() < count && device_->ReadByte(byte) == ReadResult::Byte;) bytes.push_back(byte);
        return bytes;
    }
    ReadResult ReadOne(const CommTimeouts& timeouts)
    {
        device_->SetTimeouts(timeouts);
        uint8_t byte = 0;
        return device_->ReadByte(byte);
    }

    int master_ = -1;
    std::string path_;
    std::unique_ptr<SerialDevice> device_;
};

TEST_F(SerialDevicePosix, LinkLineSettingsReachTheTerminalAndBadOnesChangeNothing)
{
    ASSERT_TRUE(device_->SetLineSettings(kLinkSettings));
    EXPECT_FALSE(device_->SetLineSettings({12345, 'e', 8, 2}));

    // Read on the master: a pty forces CS8 and drops parity, so TermiosSettingsTest pins those.
    termios t{};
    ASSERT_EQ(::tcgetattr(master_, &t), 0);
    EXPECT_EQ(cfgetospeed(&t), B19200);
    EXPECT_EQ(cfgetispeed(&t), B19200);
    EXPECT_EQ(t.c_cflag & CSTOPB, 0u);
    EXPECT_EQ(device_->LineSettingsInEffect(), std::nullopt) << "a pty keeps no parity; it has no line to report";
}

TEST_F(SerialDevicePosix, SecondOpenFailsInAnyProgramUntilTheFirstCloses)
{
    EXPECT_EQ(SerialDevice::Open(path_), nullptr);
    // A plain open by another program is refused, or if privileged sees the terminal claimed.
    const int fd = ::open(path_.c_str(), O_RDWR | O_NOCTTY);
    int mark = 0;
    EXPECT_TRUE(fd < 0 ? errno == EBUSY : ::ioctl(fd, TIOCGEXCL, &mark) == 0 && mark != 0);
    if (fd >= 0) ::close(fd);

    device_.reset();
    EXPECT_NE(SerialDevice::Open(path_), nullptr);
}

TEST_F(SerialDevicePosix, BytesFromTheLineArriveOneByOneUntouched)
{
    // Line ends, interrupt, flow-control and end-of-file characters must all pass as data.
    const std::vector<uint8_t> frame{0x02, 0x0D, 0x0A, 0x03, 0x11, 0x13, 0x04, 0x7F, 0x00, 0xFF};
    ASSERT_TRUE(Send(frame));
    EXPECT_EQ(ReadAll(frame.size()), frame);
    EXPECT_EQ(ReadOne(kBrief), ReadResult::Empty);
}

// A zero time-out takes what has arrived and does not wait for more.
TEST_F(SerialDevicePosix, AReadWithAZeroTimeOutTakesWhatHasArrivedAndNothingMore)
{
    ASSERT_TRUE(Send({0x31, 0x32}));
    ASSERT_EQ(ReadAll(1), std::vector<uint8_t>{0x31}); // both bytes have arrived now
    EXPECT_EQ(ReadOne({}), ReadResult::Byte);
    EXPECT_EQ(ReadOne({}), ReadResult::Empty);
}

// Non-blocking only while it opens: found among the process's descriptors by its path.
TEST_F(SerialDevicePosix, TheOpenPortsDescriptorBlocks)
{
    int found = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (std::filesystem::read_symlink(entry.path(), error) != path_) continue;
        ++found;
        EXPECT_EQ(::fcntl(std::stoi(entry.path().filename().string()), F_GETFL) & O_NONBLOCK, 0);
    }
    EXPECT_EQ(found, 1);
}

volatile sig_atomic_t alarms = 0;

TEST_F(SerialDevicePosix, EmptyReadLastsItsWholeTimeoutEvenThroughASignal)
{
    alarms = 0;
    struct sigaction action {
    }, previous{};
    action.sa_handler = [](int) { alarms = alarms + 1; };
    ASSERT_EQ(::sigaction(SIGALRM, &action, &previous), 0); // no SA_RESTART: the wait sees EINTR
    const itimerval early{.it_interval = {}, .it_value = {.tv_sec = 0, .tv_usec = 20'000}}, disarmed{};
    ASSERT_EQ(::setitimer(ITIMER_REAL, &early, nullptr), 0);

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ReadOne(kLink), ReadResult::Empty);
    EXPECT_GE(std::chrono::steady_clock::now() - start, kLinkReadLimit);
    ::setitimer(ITIMER_REAL, &disarmed, nullptr);
    ::sigaction(SIGALRM, &previous, nullptr);
    EXPECT_EQ(static_cast<int>(alarms), 1);
}

TEST_F(SerialDevicePosix, HungUpLineFailsReadsAndWritesInsteadOfTimingOut)
{
    EXPECT_EQ(ReadOne(kBrief), ReadResult::Empty);
    EXPECT_EQ(device_->LastError(), PortError::None) << "an empty read is no failure";
    ::close(std::exchange(master_, -1));
    EXPECT_EQ(ReadOne(kPatient), ReadResult::Failed);
    EXPECT_EQ(device_->LastError(), PortError::Gone);
    device_->ClearError();
    EXPECT_EQ(ReadOne(kPatient), ReadResult::Failed);
    EXPECT_EQ(device_->LastError(), PortError::Gone);
    EXPECT_EQ(device_->Write(std::vector<uint8_t>{0x01}), -1);
}

// Each way an open fails, made with real files and terminals, and the reason it gives.
TEST_F(SerialDevicePosix, AnOpenThatFailsSaysWhy)
{
    const TemporaryDirectory directory;
    const std::string file = (directory.Path() / "not-a-terminal").string();
    std::ofstream(file) << "x";
    const struct {
        const char* name;
        std::string path;
        PortError why;
    } cases[] = {
        {"missing", (directory.Path() / "ttyUSB9").string(), PortError::NotFound},
        {"under a file", file + "/ttyUSB0", PortError::NotFound},
        {"held by the fixture", path_, PortError::Busy},
        {"a plain file", file, PortError::Other},
        {"a device that is no terminal", "/dev/null", PortError::Other},
    };
    for (const auto& each : cases) {
        PortError why = PortError::None;
        EXPECT_EQ(SerialDevice::Open(each.path, why), nullptr) << each.name;
        EXPECT_EQ(why, each.why) << each.name;
    }
}

TEST_F(SerialDevicePosix, AnOpenWithoutPermissionSaysSo)
{
    device_.reset();
    ASSERT_EQ(::chmod(path_.c_str(), 0), 0);
    // Root passes any mode, so the open runs as an unprivileged user.
    constexpr uid_t kNobody = 65534;
    const bool root = ::geteuid() == 0;
    ASSERT_TRUE(!root || ::seteuid(kNobody) == 0);
    PortError why = PortError::None;
    const bool opened = SerialDevice::Open(path_, why) != nullptr;
    ASSERT_TRUE(!root || ::seteuid(0) == 0);
    EXPECT_FALSE(opened);
    EXPECT_EQ(why, PortError::Permission);
}

TEST_F(SerialDevicePosix, WriteAndDrainDeliverTheWholeFrame)
{
    std::vector<uint8_t> frame(300);
    std::iota(frame.begin(), frame.end(), uint8_t{0}); // line ends included: raw output keeps them
    ASSERT_TRUE(device_->SetLineSettings(kLinkSettings));

    EXPECT_EQ(device_->Write(frame), static_cast<int>(frame.size()));
    EXPECT_TRUE(device_->Drain());
    EXPECT_EQ(Receive(frame.size()), frame);
}

// The far end takes nothing until the line's buffer is full: a write then gives up at its
// time-out with the bytes that fitted. Were the time-out lost, the far end starts reading after
// a long while, so the write ends, in full, and the test fails instead of hanging.
TEST_F(SerialDevicePosix, AWriteTheFarEndDoesNotTakeEndsAtItsTimeOut)
{
    constexpr int kMostFrames = 4096; // 1 MiB, many times what a pty holds
    const std::vector<uint8_t> frame(256, 0x55);
    ASSERT_TRUE(device_->SetTimeouts(kLinkWrite));
    std::promise<void> writing;
    std::thread farEnd([this, &frame, ended = writing.get_future()] {
        if (ended.wait_for(std::chrono::milliseconds(kPatientMs)) == std::future_status::ready) return;
        while (ended.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) (void)Receive(frame.size());
    });
    int written = static_cast<int>(frame.size());
    for (int frames = 0; written == static_cast<int>(frame.size()) && frames < kMostFrames; ++frames) written = device_->Write(frame);
    writing.set_value();
    farEnd.join();
    EXPECT_GE(written, 0);
    EXPECT_LT(written, static_cast<int>(frame.size()));
}

TEST_F(SerialDevicePosix, PurgeDiscardsInputNotYetRead)
{
    ASSERT_TRUE(Send({0xA1, 0xA2, 0xA3}));
    ASSERT_EQ(ReadAll(1), std::vector<uint8_t>{0xA1}); // the rest is now queued on the device

    EXPECT_TRUE(device_->Purge());
    EXPECT_EQ(ReadOne(kBrief), ReadResult::Empty);

    ASSERT_TRUE(Send({0x5A}));
    EXPECT_EQ(ReadAll(1), std::vector<uint8_t>{0x5A});
}

} // namespace
