#include "platform/serial/SerialDevice.h"
#include "tests/platform/serial/PseudoTerminal.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

using serial::CommTimeouts;
using serial::LineSettings;
using serial::ReadResult;
using serial::SerialDevice;

namespace {

// Reads that expect a byte end when it arrives; the long limit only guards against a hang.
constexpr CommTimeouts kPatient{.readTotalTimeoutConstant = 5000};
constexpr CommTimeouts kBrief{.readTotalTimeoutConstant = 10};
// The link's read time-outs: 1 ms per byte plus 100 ms, so 101 ms for one byte.
constexpr CommTimeouts kLink{.readTotalTimeoutMultiplier = 1, .readTotalTimeoutConstant = 100};
constexpr auto kLinkReadLimit = std::chrono::milliseconds(101);
constexpr char kLinkMode[] = "baud=19200 parity=e data=8 stop=1";

class SerialDevicePosix : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(line_.IsOpen());
        device_ = SerialDevice::Open(line_.SlavePath());
        ASSERT_NE(device_, nullptr);
        device_->SetTimeouts(kPatient);
    }

    static LineSettings Parsed(const char* mode)
    {
        LineSettings settings;
        EXPECT_TRUE(serial::ParseModeString(mode, settings));
        return settings;
    }

    std::vector<uint8_t> ReadAll(size_t count)
    {
        std::vector<uint8_t> bytes;
        uint8_t byte = 0;
        while (bytes.size() < count && device_->ReadByte(byte) == ReadResult::Byte) {
            bytes.push_back(byte);
        }
        return bytes;
    }

    ReadResult ReadNothing()
    {
        device_->SetTimeouts(kBrief);
        uint8_t byte = 0;
        return device_->ReadByte(byte);
    }

    PseudoTerminal line_;
    std::unique_ptr<SerialDevice> device_;
};

TEST_F(SerialDevicePosix, OpenLeavesTheTerminalRaw)
{
    // A fresh pty starts cooked, echoing, with XON/XOFF and without CLOCAL.
    const termios t = line_.SlaveAttributes();
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_EQ(t.c_cflag & (CLOCAL | CREAD), tcflag_t{CLOCAL | CREAD});
    EXPECT_EQ(t.c_cc[VMIN], 1);
    EXPECT_EQ(t.c_cc[VTIME], 0);
}

TEST_F(SerialDevicePosix, LinkLineSettingsReachTheTerminal)
{
    termios dirty = line_.SlaveAttributes();
    dirty.c_cflag |= CRTSCTS | CSTOPB;
    dirty.c_iflag |= IXON | IXOFF;
    ASSERT_TRUE(line_.SetSlaveAttributes(dirty));

    ASSERT_TRUE(device_->SetLineSettings(Parsed(kLinkMode)));

    // A pty forces CS8 and drops PARENB whatever is asked, so parity is pinned in
    // TermiosSettingsTest; speed, stop bits and flow control are kept and checked here.
    const termios t = line_.SlaveAttributes();
    EXPECT_EQ(cfgetospeed(&t), B19200);
    EXPECT_EQ(cfgetispeed(&t), B19200);
    EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t{CS8});
    EXPECT_EQ(t.c_cflag & (CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF), 0u);
}

TEST_F(SerialDevicePosix, OtherLineSettingsReachTheTerminalAndBadOnesChangeNothing)
{
    ASSERT_TRUE(device_->SetLineSettings(Parsed("baud=9600 parity=n data=8 stop=2")));
    EXPECT_FALSE(device_->SetLineSettings(Parsed("baud=12345 stop=1")));

    const termios t = line_.SlaveAttributes();
    EXPECT_EQ(cfgetospeed(&t), B9600);
    EXPECT_NE(t.c_cflag & CSTOPB, 0u);
}

TEST_F(SerialDevicePosix, SecondOpenFailsInThisAndAnotherProcess)
{
    EXPECT_EQ(SerialDevice::Open(line_.SlavePath()), nullptr);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::_exit(SerialDevice::Open(line_.SlavePath()) == nullptr ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

TEST_F(SerialDevicePosix, TerminalIsMarkedAndLockedUntilClose)
{
    // Unprivileged, the kernel refuses a plain open outright (the mark at work, the lock unseen);
    // privileged, the open goes through and sees both.
    const auto guards = [&] {
        const int fd = ::open(line_.SlavePath().c_str(), O_RDWR | O_NOCTTY);
        if (fd < 0) {
            return errno == EBUSY ? std::pair{true, true} : std::pair{false, false};
        }
        int mark = 0;
        const bool marked = ::ioctl(fd, TIOCGEXCL, &mark) == 0 && mark != 0;
        const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
        ::close(fd);
        return std::pair{marked, locked};
    };
    EXPECT_EQ(guards(), std::pair(true, true));

    device_.reset();
    EXPECT_EQ(guards(), std::pair(false, false));
    EXPECT_NE(SerialDevice::Open(line_.SlavePath()), nullptr);
}

TEST_F(SerialDevicePosix, BytesFromTheLineArriveOneByOneUntouched)
{
    // Line ends, interrupt, flow-control and end-of-file characters must all pass as data.
    const std::vector<uint8_t> frame{0x02, 0x0D, 0x0A, 0x03, 0x11, 0x13, 0x04, 0x7F, 0x00, 0xFF};
    ASSERT_TRUE(line_.Send(frame));

    EXPECT_EQ(ReadAll(frame.size()), frame);
    EXPECT_EQ(ReadNothing(), ReadResult::Empty);
}

TEST_F(SerialDevicePosix, EmptyReadReturnsOnlyAfterTheTotalTimeout)
{
    device_->SetTimeouts(kLink);
    uint8_t byte = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(device_->ReadByte(byte), ReadResult::Empty);
    EXPECT_GE(std::chrono::steady_clock::now() - start, kLinkReadLimit);
}

volatile sig_atomic_t alarms = 0;

TEST_F(SerialDevicePosix, SignalDuringAnEmptyReadDoesNotShortenIt)
{
    alarms = 0;
    struct sigaction action {};
    action.sa_handler = [](int) { alarms = alarms + 1; };
    struct sigaction previous {};
    ASSERT_EQ(::sigaction(SIGALRM, &action, &previous), 0); // no SA_RESTART: poll sees EINTR
    device_->SetTimeouts(kLink);
    const itimerval early{.it_interval = {}, .it_value = {.tv_sec = 0, .tv_usec = 20'000}};
    ASSERT_EQ(::setitimer(ITIMER_REAL, &early, nullptr), 0);

    uint8_t byte = 0;
    const auto start = std::chrono::steady_clock::now();
    const ReadResult result = device_->ReadByte(byte);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const itimerval disarmed{};
    ::setitimer(ITIMER_REAL, &disarmed, nullptr);
    ::sigaction(SIGALRM, &previous, nullptr);

    EXPECT_EQ(static_cast<int>(alarms), 1);
    EXPECT_EQ(result, ReadResult::Empty);
    EXPECT_GE(elapsed, kLinkReadLimit);
}

TEST_F(SerialDevicePosix, HungUpLineFailsReadsAndWritesInsteadOfTimingOut)
{
    line_.CloseMaster();

    uint8_t byte = 0;
    EXPECT_EQ(device_->ReadByte(byte), ReadResult::Failed);
    EXPECT_EQ(device_->ReadByte(byte), ReadResult::Failed);
    const uint8_t frame[] = {0x01};
    EXPECT_EQ(device_->Write(frame), -1);
}

TEST_F(SerialDevicePosix, WriteAndDrainDeliverTheWholeFrame)
{
    std::vector<uint8_t> frame(300);
    for (size_t i = 0; i < frame.size(); ++i) {
        frame[i] = static_cast<uint8_t>(i); // includes line ends, which raw output leaves alone
    }
    ASSERT_TRUE(device_->SetLineSettings(Parsed(kLinkMode)));

    EXPECT_EQ(device_->Write(frame), static_cast<int>(frame.size()));
    EXPECT_TRUE(device_->Drain());
    EXPECT_EQ(line_.Receive(frame.size()), frame);
}

TEST_F(SerialDevicePosix, PurgeDiscardsInputNotYetRead)
{
    const uint8_t stale[] = {0xA1, 0xA2, 0xA3};
    const uint8_t fresh[] = {0x5A};
    ASSERT_TRUE(line_.Send(stale));
    ASSERT_EQ(ReadAll(1), std::vector<uint8_t>{0xA1}); // the rest is now queued on the device

    EXPECT_TRUE(device_->Purge());
    EXPECT_EQ(ReadNothing(), ReadResult::Empty);

    ASSERT_TRUE(line_.Send(fresh));
    device_->SetTimeouts(kPatient);
    EXPECT_EQ(ReadAll(1), std::vector<uint8_t>{0x5A});
}

} // namespace
