#pragma once

#include "fuzz/support/ScriptedLine.h"
#include "platform/serial/SerialDevice.h"

// A serial device whose far end plays a ScriptedLine; the line outlives the port.
class ScriptedPort final : public serial::SerialDevice {
public:
    explicit ScriptedPort(ScriptedLine& line)
        : m_line(line)
    { }

    bool Purge() override { return true; }
    bool SetTimeouts(const serial::CommTimeouts&) override { return true; }
    bool SetLineSettings(const serial::LineSettings&) override { return true; }
    std::optional<serial::LineSettings> LineSettingsInEffect() const override { return std::nullopt; }
    int Write(std::span<const uint8_t> bytes) override
    {
        m_line.Written(bytes);
        return static_cast<int>(bytes.size());
    }
    void Drain() override { }
    serial::ReadResult ReadByte(uint8_t& byte) override
    {
        const serial::ReadResult result = m_line.Read(byte);
        if (result == serial::ReadResult::Failed) m_lastError = serial::PortError::Gone;
        return result;
    }
    void ClearError() override { }
    serial::PortError LastError() const override { return m_lastError; }

private:
    ScriptedLine& m_line;
    serial::PortError m_lastError = serial::PortError::None;
};
