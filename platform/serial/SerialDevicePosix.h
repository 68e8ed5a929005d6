#pragma once

#include "platform/posix/UniqueFd.h"
#include "platform/serial/SerialDevice.h"

#include <chrono>

namespace serial {

// A terminal device through termios, held exclusively (TIOCEXCL for the kernel, an advisory
// flock for processes that run privileged and so pass TIOCEXCL). A USB adapter that offers it
// is asked for low latency, so its bytes are handed over as they arrive.
//
// Time-outs: a one-byte read waits at most readTotalTimeoutMultiplier + readTotalTimeoutConstant
// ms (zero means look once and return); a write waits at most
// writeTotalTimeoutMultiplier * size + writeTotalTimeoutConstant ms for room (zero: no limit).
class SerialDevicePosix final : public SerialDevice {
public:
    // Null when the path is missing, not a terminal, not ours to open, or held by someone
    // else; `why` says which.
    static std::unique_ptr<SerialDevicePosix> OpenTerminal(const std::string& path, PortError& why);

    ~SerialDevicePosix() override;
    SerialDevicePosix(const SerialDevicePosix&) = delete;
    SerialDevicePosix& operator=(const SerialDevicePosix&) = delete;

    bool Purge() override;
    bool SetTimeouts(const CommTimeouts& timeouts) override;
    bool SetLineSettings(const LineSettings& settings) override;
    // Read back only from a serial port, whose driver describes it (TIOCGSERIAL): UARTs, USB
    // adapters, modems. A pseudo-terminal describes none and keeps no parity, so it reads as
    // nothing.
    std::optional<LineSettings> LineSettingsInEffect() const override;
    int Write(std::span<const uint8_t> bytes) override;
    void Drain() override;
    ReadResult ReadByte(uint8_t& byte) override;
    void ClearError() override;
    PortError LastError() const override { return m_lastError; }

private:
    using Clock = std::chrono::steady_clock;
    enum class Wait { Ready, TimedOut, Broken };

    explicit SerialDevicePosix(int fd)
        : m_fd(fd)
    { }

    PortError TakeExclusive();
    bool DescribesSerialPort() const;
    void RequestLowLatency();
    bool EnterRawMode();
    bool MakeBlocking();
    // Polls for `events` until the deadline, resuming after signals with the time left.
    Wait WaitFor(short events, Clock::time_point deadline) const;

    posix::UniqueFd m_fd;
    bool m_exclusive = false; // only then is TIOCEXCL ours to undo
    bool m_serialPort = false; // not a pseudo-terminal or another terminal without a line
    CommTimeouts m_timeouts;
    PortError m_lastError = PortError::None;
};

} // namespace serial
