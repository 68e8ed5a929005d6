#pragma once

#include "sim/Clock.h"

namespace sim {

// Time that moves only when someone waits: a sleep jumps straight to its end.
class VirtualClock final : public Clock {
public:
    Instant Now() const override { return m_now; }
    void SleepUntil(Instant moment) override;
    void Advance(Duration by) { m_now += by; }

private:
    Instant m_now{};
};

} // namespace sim
