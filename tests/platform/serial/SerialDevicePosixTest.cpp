#include "platform/serial/SerialDevice.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <future>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/time.h>
#include <termios.h>
#include <thread>
#include <tuple>
#include <unistd.h>
#include <utility>
#include <vector>

using serial::CommTimeouts;
using serial::ReadResult;
using Bytes = std::vector<uint8_t>;

namespace {

// Waits that expect data end when it arrives; the long limit only guards against a hang.
constexpr int kPatientMs = 5000;
constexpr CommTimeouts kPatient{.readTotalTimeoutConstant = kPatientMs};
constexpr CommTimeouts kBrief{.readTotalTimeoutConstant = 10};

// The device under test opens the slave of a pty; the fixture is the far end, on the master.
class SerialDevicePosix : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0);
        path_ = ::ptsname(master_);
        device_ = serial::SerialDevice::Open(path_);
        ASSERT_NE(device_, nullptr);
    }
    void TearDown() override { ::close(master_); }

    ReadResult ReadOne(const CommTimeouts& timeouts, uint8_t* byte = nullptr)
    {
        uint8_t ignored = 0;
        device_->SetTimeouts(timeouts);
        return device_->ReadByte(byte ? *byte : ignored);
    }

    int master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    std::string path_;
    std::unique_ptr<serial::SerialDevice> device_;
};

TEST_F(SerialDevicePosix, LinkLineSettingsReachTheTerminalAndBadOnesChangeNothing)
{
    ASSERT_TRUE(device_->SetLineSettings({19200, 'e', 8, 1}));
    EXPECT_FALSE(device_->SetLineSettings({12345, 'e', 8, 2}));
    // Read on the master: a pty forces CS8 and drops parity, so TermiosSettingsTest pins those.
    termios t{};
    ASSERT_EQ(::tcgetattr(master_, &t), 0);
    EXPECT_EQ(std::tuple(cfgetospeed(&t), cfgetispeed(&t), t.c_cflag & CSTOPB), std::tuple(B19200, B19200, 0u));
    EXPECT_EQ(device_->LineSettingsInEffect(), std::nullopt) << "a pty keeps no parity; it has no line to report";
}

// A plain open by another program is refused, or if privileged sees the terminal claimed.
TEST_F(SerialDevicePosix, TheOpenPortIsClaimedForAnyProgramUntilItCloses)
{
    const int fd = ::open(path_.c_str(), O_RDWR | O_NOCTTY);
    int mark = 0;
    EXPECT_TRUE(fd < 0 ? errno == EBUSY : ::ioctl(fd, TIOCGEXCL, &mark) == 0 && mark != 0);
    ::close(fd);
    device_.reset();
    // Another program's claim (a terminal program's TIOCEXCL, no lock) is refused as busy.
    const int other = ::open(path_.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_EQ(::ioctl(other, TIOCEXCL), 0);
    serial::PortError why{};
    EXPECT_EQ(std::pair(serial::SerialDevice::Open(path_, why) == nullptr, why), std::pair(true, serial::PortError::Busy));
    ::ioctl(other, TIOCNXCL);
    ::close(other);
    EXPECT_NE(serial::SerialDevice::Open(path_), nullptr);
}

// What a read gives after the first bytes sent were taken, and after a purge; line ends,
// interrupt, flow-control and end-of-file characters all pass as data. A zero time-out takes
// what has arrived and does not wait for more.
TEST_F(SerialDevicePosix, ReadsTakeTheBytesAsSentAndWaitOnlyAsLongAsTheirTimeOut)
{
    const std::tuple<const char*, Bytes, size_t, bool, std::vector<std::pair<CommTimeouts, ReadResult>>> cases[] = {
        {"control characters", {0x02, 0x0D, 0x0A, 0x03, 0x11, 0x13, 0x04, 0x7F, 0x00, 0xFF}, 10, false, {{kBrief, ReadResult::Empty}}},
        {"zero time-out", {0x31, 0x32}, 1, false, {{{}, ReadResult::Byte}, {{}, ReadResult::Empty}}},
        {"purged", {0xA1, 0xA2, 0xA3}, 1, true, {{kBrief, ReadResult::Empty}}},
    };
    for (const auto& [name, sent, taken, purge, then] : cases) {
        SCOPED_TRACE(name);
        ASSERT_EQ(::write(master_, sent.data(), sent.size()), std::ssize(sent));
        Bytes got(taken);
        for (uint8_t& byte : got) EXPECT_EQ(ReadOne(kPatient, &byte), ReadResult::Byte);
        EXPECT_EQ(got, Bytes(sent.begin(), sent.begin() + std::ssize(got)));
        EXPECT_TRUE(!purge || device_->Purge());
        for (const auto& [timeouts, result] : then) EXPECT_EQ(ReadOne(timeouts), result);
    }
}

volatile sig_atomic_t alarms = 0;

// The link's read time-outs: 1 ms per byte plus 100 ms, so 101 ms for one byte.
TEST_F(SerialDevicePosix, EmptyReadLastsItsWholeTimeoutEvenThroughASignal)
{
    struct sigaction action { }, previous{};
    action.sa_handler = [](int) { alarms = alarms + 1; };
    ASSERT_EQ(::sigaction(SIGALRM, &action, &previous), 0); // no SA_RESTART: the wait sees EINTR
    const itimerval early{.it_interval = {}, .it_value = {.tv_sec = 0, .tv_usec = 20'000}}, disarmed{};
    ASSERT_EQ(::setitimer(ITIMER_REAL, &early, nullptr), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ReadOne({.readTotalTimeoutMultiplier = 1, .readTotalTimeoutConstant = 100}), ReadResult::Empty);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(101));
    ::setitimer(ITIMER_REAL, &disarmed, nullptr);
    ::sigaction(SIGALRM, &previous, nullptr);
    EXPECT_EQ(static_cast<int>(alarms), 1);
}

// The far end takes nothing until the line's buffer is full: a write then gives up at its
// time-out with the bytes that fitted. Were the time-out lost, the far end starts reading after
// a long while, so the write ends, in full, and the test fails instead of hanging.
TEST_F(SerialDevicePosix, AWriteTheFarEndDoesNotTakeEndsAtItsTimeOut)
{
    const Bytes frame(256, 0x55);
    ASSERT_TRUE(device_->SetTimeouts({.writeTotalTimeoutMultiplier = 1, .writeTotalTimeoutConstant = 100}));
    std::promise<void> writing;
    std::thread farEnd([this, ended = writing.get_future()] {
        if (ended.wait_for(std::chrono::milliseconds(kPatientMs)) == std::future_status::ready) return;
        pollfd entry{master_, POLLIN, 0};
        for (char sink[256]; ended.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready;)
            if (::poll(&entry, 1, 10) == 1) (void)!::read(master_, sink, sizeof sink);
    });
    int written = std::ssize(frame); // up to 1 MiB, many times what a pty holds
    for (int frames = 0; written == std::ssize(frame) && frames < 4096; ++frames) written = device_->Write(frame);
    writing.set_value();
    farEnd.join();
    EXPECT_GE(written, 0);
    EXPECT_LT(written, std::ssize(frame));
}

} // namespace
