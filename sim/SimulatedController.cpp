#include "sim/SimulatedController.h"

#include "sim/FrameCodec.h"

#include <algorithm>

namespace sim {

namespace {

// Far longer than any pause inside a request, far shorter than the host's patience.
constexpr Duration kRequestGiveUp = std::chrono::milliseconds(50);

} // namespace

SimulatedController::SimulatedController(std::shared_ptr<Clock> clock, ResponderConfig config)
    : m_clock(std::move(clock))
    , m_responder(std::move(config))
{ }

void SimulatedController::Receive(std::span<const uint8_t> bytes)
{
    const Instant start = std::max(m_hostLineClear, m_clock->Now());
    for (size_t i = 0; i < bytes.size(); ++i) {
        m_received.push_back(bytes[i]);
        const Instant arrived = start + m_pacing.TimeFor(i + 1);
        if (arrived - m_lastArrival > kRequestGiveUp) {
            m_assembler.Reset();
        }
        m_lastArrival = arrived;
        if (const auto request = m_assembler.Push(bytes[i])) {
            Answer(*request, arrived);
        }
    }
    m_hostLineClear = start + m_pacing.TimeFor(bytes.size());
}

void SimulatedController::Answer(const Frame& request, Instant arrived)
{
    auto reply = m_responder.Respond(request, arrived);
    const auto transmission = reply ? m_faults.Apply(std::move(*reply)) : std::nullopt;
    if (m_observer) {
        m_observer(
            FrameCodec::Build(request.command, request.data), transmission ? std::span(transmission->bytes) : std::span<const uint8_t>{});
    }
    if (!transmission || transmission->bytes.empty()) {
        return;
    }
    // Computed from the start each time, so rounding does not pile up along a long reply.
    const Instant start = std::max(arrived, m_replyLineClear);
    Duration gaps{};
    for (size_t i = 0; i < transmission->bytes.size(); ++i) {
        gaps += transmission->gapBefore[i];
        m_outgoing.push_back({start + gaps + m_pacing.TimeFor(i + 1), transmission->bytes[i]});
    }
    m_replyLineClear = m_outgoing.back().due;
}

std::optional<Instant> SimulatedController::NextByteDue() const
{
    if (m_outgoing.empty()) {
        return std::nullopt;
    }
    return m_outgoing.front().due;
}

uint8_t SimulatedController::TakeByte()
{
    const uint8_t value = m_outgoing.front().value;
    m_outgoing.pop_front();
    return value;
}

void SimulatedController::DiscardArrived()
{
    const Instant now = m_clock->Now();
    while (!m_outgoing.empty() && m_outgoing.front().due <= now) {
        m_outgoing.pop_front();
    }
}

} // namespace sim
