#pragma once

#include "platform/serial/SerialDevice.h"
#include "platform/win32/UniqueHandle.h"

namespace serial {

// A COM port through the system's communications calls, opened without sharing so that no
// other program can use it meanwhile. Time-outs are the system's own: it waits as the
// COMMTIMEOUTS say.
class SerialDeviceWin final : public SerialDevice {
public:
    // "COM5" and "\\.\COM5" name the same port; the second form also reaches ports above COM9.
    // Null when the port is missing, held by another program or cannot be opened; `why` says
    // which.
    static std::unique_ptr<SerialDeviceWin> OpenPort(const std::string& path, PortError& why);

    bool Purge() override;
    bool SetTimeouts(const CommTimeouts& timeouts) override;
    bool SetLineSettings(const LineSettings& settings) override;
    std::optional<LineSettings> LineSettingsInEffect() const override;
    int Write(std::span<const uint8_t> bytes) override;
    void Drain() override;
    ReadResult ReadByte(uint8_t& byte) override;
    void ClearError() override;
    PortError LastError() const override { return m_lastError; }

private:
    explicit SerialDeviceWin(win32::UniqueHandle handle)
        : m_handle(std::move(handle))
    { }

    win32::UniqueHandle m_handle;
    PortError m_lastError = PortError::None;
};

} // namespace serial
