#include "platform/serial/SerialDevicePosix.h"

#include "platform/serial/SystemError.h"
#include "platform/serial/SystemSerialDevice.h"

#include "platform/serial/TermiosSettings.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#ifdef __linux__
#include <linux/serial.h>
#endif

namespace serial {
namespace {

// A read asks for one byte, so the per-byte multiplier counts once.
constexpr uint64_t kBytesPerRead = 1;

constexpr short kBrokenEvents = POLLHUP | POLLERR | POLLNVAL;

// A signal or a momentary lack of data or room: try again.
bool ShouldRetry()
{
    return errno == EINTR || errno == EAGAIN;
}

} // namespace

std::unique_ptr<SerialDevicePosix> SerialDevicePosix::OpenTerminal(const std::string& path, PortError& why)
{
    // Non-blocking only so a port without carrier does not hang the open; cleared below once
    // CLOCAL is set.
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        why = PortErrorOf(errno);
        return nullptr;
    }
    std::unique_ptr<SerialDevicePosix> device(new SerialDevicePosix(fd));
    why = device->TakeExclusive();
    if (why != PortError::None) {
        return nullptr;
    }
    device->m_serialPort = device->DescribesSerialPort();
    if (device->m_serialPort) {
        device->RequestLowLatency();
    }
    if (!device->EnterRawMode() || !device->MakeBlocking()) {
        why = PortErrorOf(errno);
        return nullptr;
    }
    return device;
}

SerialDevicePosix::~SerialDevicePosix()
{
    // A pty's flags outlive the slave's close while the master stays open.
    if (m_exclusive) {
        ::ioctl(m_fd.Get(), TIOCNXCL);
    }
}

PortError SerialDevicePosix::TakeExclusive()
{
    if (::flock(m_fd.Get(), LOCK_EX | LOCK_NB) != 0) {
        return PortErrorOf(errno);
    }
#ifdef TIOCGEXCL
    // A privileged open passes TIOCEXCL; refuse a terminal some other program already claimed.
    int claimed = 0;
    if (::ioctl(m_fd.Get(), TIOCGEXCL, &claimed) == 0 && claimed != 0) {
        return PortError::Busy;
    }
#endif
    if (::ioctl(m_fd.Get(), TIOCEXCL) != 0) {
        return PortErrorOf(errno); // not a terminal
    }
    m_exclusive = true;
    return PortError::None;
}

bool SerialDevicePosix::DescribesSerialPort() const
{
#ifdef TIOCGSERIAL
    serial_struct settings{};
    return ::ioctl(m_fd.Get(), TIOCGSERIAL, &settings) == 0;
#else
    return false;
#endif
}

void SerialDevicePosix::RequestLowLatency()
{
#if defined(TIOCGSERIAL) && defined(ASYNC_LOW_LATENCY)
    // A USB adapter holds received bytes for its latency timer (16 ms on many) unless told
    // otherwise, which would eat into the link's 101 ms a byte. Drivers without the setting
    // refuse it; the port works as it is then.
    serial_struct settings{};
    if (::ioctl(m_fd.Get(), TIOCGSERIAL, &settings) != 0) {
        return;
    }
    settings.flags |= ASYNC_LOW_LATENCY;
    ::ioctl(m_fd.Get(), TIOCSSERIAL, &settings);
#endif
}

bool SerialDevicePosix::EnterRawMode()
{
    termios attributes{};
    if (::tcgetattr(m_fd.Get(), &attributes) != 0) {
        return false;
    }
    MakeRaw(attributes);
    return ::tcsetattr(m_fd.Get(), TCSANOW, &attributes) == 0;
}

bool SerialDevicePosix::MakeBlocking()
{
    const int flags = ::fcntl(m_fd.Get(), F_GETFL);
    return flags != -1 && ::fcntl(m_fd.Get(), F_SETFL, flags & ~O_NONBLOCK) == 0;
}

bool SerialDevicePosix::Purge()
{
    return ::tcflush(m_fd.Get(), TCIOFLUSH) == 0;
}

bool SerialDevicePosix::SetTimeouts(const CommTimeouts& timeouts)
{
    m_timeouts = timeouts;
    return true;
}

bool SerialDevicePosix::SetLineSettings(const LineSettings& settings)
{
    termios attributes{};
    return ::tcgetattr(m_fd.Get(), &attributes) == 0 && ApplyLineSettings(settings, attributes)
        && ::tcsetattr(m_fd.Get(), TCSANOW, &attributes) == 0;
}

std::optional<LineSettings> SerialDevicePosix::LineSettingsInEffect() const
{
    termios attributes{};
    if (!m_serialPort || ::tcgetattr(m_fd.Get(), &attributes) != 0) {
        return std::nullopt;
    }
    return LineSettingsOf(attributes);
}

int SerialDevicePosix::Write(std::span<const uint8_t> bytes)
{
    if (bytes.size() > static_cast<size_t>(INT_MAX)) {
        return -1;
    }
    const uint64_t limitMs = uint64_t{m_timeouts.writeTotalTimeoutMultiplier} * bytes.size() + m_timeouts.writeTotalTimeoutConstant;
    const auto deadline = limitMs == 0 ? Clock::time_point::max() : Clock::now() + std::chrono::milliseconds(limitMs);

    // The descriptor blocks, so the limit bounds the wait for room, not a write in progress.
    size_t written = 0;
    while (written < bytes.size()) {
        const Wait wait = WaitFor(POLLOUT, deadline);
        if (wait == Wait::TimedOut) {
            break;
        }
        if (wait == Wait::Broken) {
            return -1;
        }
        const ssize_t count = ::write(m_fd.Get(), bytes.data() + written, bytes.size() - written);
        if (count < 0) {
            if (ShouldRetry()) {
                continue;
            }
            return -1;
        }
        written += static_cast<size_t>(count);
    }
    return static_cast<int>(written);
}

void SerialDevicePosix::Drain()
{
    while (::tcdrain(m_fd.Get()) != 0 && errno == EINTR) {
    }
}

ReadResult SerialDevicePosix::ReadByte(uint8_t& byte)
{
    const uint64_t limitMs = uint64_t{m_timeouts.readTotalTimeoutMultiplier} * kBytesPerRead + m_timeouts.readTotalTimeoutConstant;
    const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs);
    while (true) {
        switch (WaitFor(POLLIN, deadline)) {
        case Wait::TimedOut: return ReadResult::Empty;
        case Wait::Broken: m_lastError = PortError::Gone; return ReadResult::Failed;
        case Wait::Ready: break;
        }
        const ssize_t count = ::read(m_fd.Get(), &byte, 1);
        if (count == 1) {
            return ReadResult::Byte;
        }
        if (count < 0 && ShouldRetry()) {
            continue;
        }
        // 0 from a hung-up terminal, or EIO from a vanished one.
        m_lastError = count == 0 ? PortError::Gone : PortErrorOf(errno);
        return ReadResult::Failed;
    }
}

void SerialDevicePosix::ClearError()
{
    // Nothing to do: every failure here is reported by the call that met it, none is latched.
}

SerialDevicePosix::Wait SerialDevicePosix::WaitFor(short events, Clock::time_point deadline) const
{
    const bool unlimited = deadline == Clock::time_point::max();
    while (true) {
        int timeoutMs = -1;
        if (!unlimited) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
            timeoutMs = static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(left.count(), 0, INT_MAX));
        }
        pollfd entry{m_fd.Get(), events, 0};
        const int ready = ::poll(&entry, 1, timeoutMs);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Wait::Broken;
        }
        if (ready == 0) {
            if (timeoutMs == 0 || Clock::now() >= deadline) {
                return Wait::TimedOut;
            }
            continue;
        }
        // Data still queued on a line that just dropped is delivered before the failure.
        if ((entry.revents & events) != 0) {
            return Wait::Ready;
        }
        if ((entry.revents & kBrokenEvents) != 0) {
            return Wait::Broken;
        }
    }
}

PortError PortErrorOf(unsigned long code)
{
    switch (static_cast<int>(code)) {
    case ENOENT:
    case ENOTDIR:
    case ENODEV:
    case ENXIO: return PortError::NotFound;
    case EACCES:
    case EPERM: return PortError::Permission;
    case EBUSY:
    case EWOULDBLOCK: return PortError::Busy; // the advisory lock is taken
    case EIO: return PortError::Gone;
    default: return PortError::Other;
    }
}

std::unique_ptr<SerialDevice> OpenSystemDevice(const std::string& path, PortError& why)
{
    return SerialDevicePosix::OpenTerminal(path, why);
}

} // namespace serial
