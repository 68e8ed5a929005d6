#pragma once

#include "platform/serial/PortError.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace serial {

// Time-outs in milliseconds, in the shape the link configures them.
struct CommTimeouts {
    uint32_t readIntervalTimeout = 0;
    uint32_t readTotalTimeoutMultiplier = 0;
    uint32_t readTotalTimeoutConstant = 0;
    uint32_t writeTotalTimeoutMultiplier = 0;
    uint32_t writeTotalTimeoutConstant = 0;
};

// Line settings as filled from a mode string such as "baud=19200 parity=e data=8 stop=1".
struct LineSettings {
    uint32_t baudRate = 0;
    char parity = 'n'; // 'n', 'e', 'o', 'm', 's'
    uint8_t dataBits = 0;
    uint8_t stopBits = 0; // 1 or 2

    bool operator==(const LineSettings&) const = default;
};

// Parses a mode string; false when a field is unknown or a value out of range.
bool ParseModeString(const std::string& mode, LineSettings& out);

// The parts of the line settings a device did not keep as asked.
struct LineDifference {
    bool baudRate = false;
    bool parity = false;
    bool dataBits = false;
    bool stopBits = false;

    bool Any() const { return baudRate || parity || dataBits || stopBits; }
    bool operator==(const LineDifference&) const = default;
};

LineDifference CompareLineSettings(const LineSettings& asked, const LineSettings& kept);

enum class ReadResult { Byte, Empty, Failed };

// One open serial device: exclusive, raw, one byte per read.
class SerialDevice {
public:
    virtual ~SerialDevice() = default;

    virtual bool Purge() = 0;
    virtual bool SetTimeouts(const CommTimeouts& timeouts) = 0;
    virtual bool SetLineSettings(const LineSettings& settings) = 0;
    // The line as the driver keeps it now: a driver may take part of a request and still
    // report success. Nothing where the line has no framing of its own to report, as on a
    // pseudo-terminal, which drops parity whatever it is asked.
    virtual std::optional<LineSettings> LineSettingsInEffect() const = 0;
    // Returns the number of bytes written, or -1 on failure.
    virtual int Write(std::span<const uint8_t> bytes) = 0;
    // Waits until every written byte has left; a failure shows in the reads that follow.
    virtual void Drain() = 0;
    // Empty after the total read time-out; Failed when the device is gone or broken.
    virtual ReadResult ReadByte(uint8_t& byte) = 0;
    virtual void ClearError() = 0;
    // Why the last failed read failed; None until one fails. Clearing the error keeps it.
    virtual PortError LastError() const = 0;

    // Opens a device path ("/dev/ttyUSB0", or a path claimed by a registered opener such
    // as "sim:"); null when it cannot be opened, with the reason in `why`.
    static std::unique_ptr<SerialDevice> Open(const std::string& path, PortError& why);
    static std::unique_ptr<SerialDevice> Open(const std::string& path);

    // Lets a component outside the platform serve special paths (the simulated controller).
    // An opener that gives nothing says why in its argument.
    using Opener = std::function<std::unique_ptr<SerialDevice>(PortError& why)>;
    static void RegisterOpener(const std::string& path, Opener opener);
};

} // namespace serial
