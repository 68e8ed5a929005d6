#pragma once

#include "sim/Clock.h"
#include "sim/FaultInjector.h"
#include "sim/FrameAssembler.h"
#include "sim/ProtocolResponder.h"
#include "sim/TimedByte.h"
#include "sim/WirePacing.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace sim {

// The controller at the far end of the line: takes the host's bytes as they cross, answers each
// complete request and keeps the answer's bytes with the moments they reach the host. Both
// directions are serial: a byte waits for the one before it on the same side. A request left
// unfinished for longer than a pause between bytes of one frame is given up.
class SimulatedController {
public:
    // A complete request as it crossed, and what goes back for it (empty when nothing does).
    using ExchangeObserver = std::function<void(std::span<const uint8_t> request, std::span<const uint8_t> reply)>;

    explicit SimulatedController(std::shared_ptr<Clock> clock, ResponderConfig config = {});

    Clock& Time() { return *m_clock; }
    ProtocolResponder& Responder() { return m_responder; }
    FaultInjector& Faults() { return m_faults; }
    WirePacing& Pacing() { return m_pacing; }

    // Host to controller; the bytes start crossing now.
    void Receive(std::span<const uint8_t> bytes);
    // When the last byte the host sent has crossed.
    Instant HostBytesClearAt() const { return m_hostLineClear; }

    // Controller to host.
    std::optional<Instant> NextByteDue() const;
    // The next byte on its way; call only when NextByteDue() has one.
    uint8_t TakeByte();
    // What a purge of the host's input does: the bytes already there are gone, those still on
    // the line keep coming.
    void DiscardArrived();
    size_t BytesOnTheWay() const { return m_outgoing.size(); }

    // Every byte the host has sent, in order.
    const std::vector<uint8_t>& Received() const { return m_received; }
    void ClearReceived() { m_received.clear(); }

    // Told of every request when it is answered, before the reply's first byte is due.
    void ObserveExchanges(ExchangeObserver observer) { m_observer = std::move(observer); }

private:
    void Answer(const Frame& request, Instant arrived);

    std::shared_ptr<Clock> m_clock;
    ProtocolResponder m_responder;
    FaultInjector m_faults;
    WirePacing m_pacing;
    FrameAssembler m_assembler;
    std::deque<TimedByte> m_outgoing;
    std::vector<uint8_t> m_received;
    ExchangeObserver m_observer;
    Instant m_hostLineClear{};
    Instant m_lastArrival{};
    Instant m_replyLineClear{};
};

} // namespace sim
