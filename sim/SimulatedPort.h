#pragma once

#include "platform/serial/SerialDevice.h"
#include "sim/Clock.h"

#include <memory>
#include <string>

namespace sim {

class SimulatedController;
struct PortLog;

// The device path that opens the simulated controller.
inline constexpr char kSimulatedPortPath[] = "sim:";

// A serial device whose far end is the simulated controller: written bytes go to it, reads
// return its reply bytes when they are due. Waits go through the controller's clock, so on a
// virtual clock an empty read costs no time at all.
class SimulatedPort final : public serial::SerialDevice {
public:
    SimulatedPort(std::shared_ptr<SimulatedController> controller, std::shared_ptr<PortLog> log);
    ~SimulatedPort() override;
    SimulatedPort(const SimulatedPort&) = delete;
    SimulatedPort& operator=(const SimulatedPort&) = delete;

    bool Purge() override;
    bool SetTimeouts(const serial::CommTimeouts& timeouts) override;
    bool SetLineSettings(const serial::LineSettings& settings) override;
    std::optional<serial::LineSettings> LineSettingsInEffect() const override;
    int Write(std::span<const uint8_t> bytes) override;
    void Drain() override;
    serial::ReadResult ReadByte(uint8_t& byte) override;
    void ClearError() override;
    serial::PortError LastError() const override { return m_lastError; }

private:
    std::shared_ptr<SimulatedController> m_controller;
    std::shared_ptr<PortLog> m_log;
    Duration m_readTimeout{}; // zero: look once
    serial::PortError m_lastError = serial::PortError::None;
};

// Makes kSimulatedPortPath open onto `controller`, one holder at a time like a real port.
// Returns the log of what the holders do to the port.
std::shared_ptr<PortLog> RegisterSimulatedPort(std::shared_ptr<SimulatedController> controller);
// The app's simulated controller: real time, bytes paced as on the wire.
std::shared_ptr<SimulatedController> RegisterSimulatedPort();
void UnregisterSimulatedPort();

} // namespace sim
