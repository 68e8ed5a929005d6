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
    int Write(std::span<const uint8_t> bytes) override
    {
        m_line.Written(bytes);
        return static_cast<int>(bytes.size());
    }
    bool Drain() override { return true; }
    serial::ReadResult ReadByte(uint8_t& byte) override { return m_line.Read(byte); }
    void ClearError() override { }

private:
    ScriptedLine& m_line;
};
