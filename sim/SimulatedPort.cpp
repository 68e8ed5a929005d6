#include "sim/SimulatedPort.h"

#include "sim/PortLog.h"
#include "sim/RealClock.h"
#include "sim/SimulatedController.h"

#include <chrono>

namespace sim {

namespace {

// A read asks for one byte, so the per-byte multiplier counts once.
constexpr uint64_t kBytesPerRead = 1;

} // namespace

SimulatedPort::SimulatedPort(std::shared_ptr<SimulatedController> controller, std::shared_ptr<PortLog> log)
    : m_controller(std::move(controller))
    , m_log(std::move(log))
{
    m_log->open = true;
}

SimulatedPort::~SimulatedPort()
{
    m_log->open = false;
}

bool SimulatedPort::Purge()
{
    ++m_log->purges;
    m_controller->DiscardArrived();
    return !m_log->broken;
}

bool SimulatedPort::SetTimeouts(const serial::CommTimeouts& timeouts)
{
    m_log->timeouts = timeouts;
    m_readTimeout
        = std::chrono::milliseconds(uint64_t{timeouts.readTotalTimeoutMultiplier} * kBytesPerRead + timeouts.readTotalTimeoutConstant);
    return !m_log->broken;
}

bool SimulatedPort::SetLineSettings(const serial::LineSettings& settings)
{
    m_log->lineSettings = settings;
    return !m_log->broken;
}

std::optional<serial::LineSettings> SimulatedPort::LineSettingsInEffect() const
{
    return m_log->keptLine ? m_log->keptLine : m_log->lineSettings;
}

int SimulatedPort::Write(std::span<const uint8_t> bytes)
{
    if (m_log->broken) {
        return -1;
    }
    m_controller->Receive(bytes);
    return static_cast<int>(bytes.size());
}

void SimulatedPort::Drain()
{
    m_controller->Time().SleepUntil(m_controller->HostBytesClearAt());
}

serial::ReadResult SimulatedPort::ReadByte(uint8_t& byte)
{
    if (m_log->broken) {
        m_lastError = serial::PortError::Gone;
        return serial::ReadResult::Failed;
    }
    Clock& clock = m_controller->Time();
    const Instant deadline = clock.Now() + m_readTimeout;
    const auto due = m_controller->NextByteDue();
    if (due && *due <= deadline) {
        clock.SleepUntil(*due);
        byte = m_controller->TakeByte();
        return serial::ReadResult::Byte;
    }
    clock.SleepUntil(deadline);
    return serial::ReadResult::Empty;
}

void SimulatedPort::ClearError()
{
    ++m_log->errorClears;
}

std::shared_ptr<PortLog> RegisterSimulatedPort(std::shared_ptr<SimulatedController> controller)
{
    auto log = std::make_shared<PortLog>();
    serial::SerialDevice::RegisterOpener(
        kSimulatedPortPath, [controller, log](serial::PortError& why) -> std::unique_ptr<serial::SerialDevice> {
            if (log->open) {
                why = serial::PortError::Busy;
                return nullptr;
            }
            return std::make_unique<SimulatedPort>(controller, log);
        });
    return log;
}

std::shared_ptr<SimulatedController> RegisterSimulatedPort()
{
    auto controller = std::make_shared<SimulatedController>(std::make_shared<RealClock>());
    controller->Pacing().SetPaced(true);
    RegisterSimulatedPort(controller);
    return controller;
}

void UnregisterSimulatedPort()
{
    serial::SerialDevice::RegisterOpener(kSimulatedPortPath, {});
}

} // namespace sim
