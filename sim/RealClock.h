#pragma once

#include "sim/Clock.h"

namespace sim {

class RealClock final : public Clock {
public:
    Instant Now() const override;
    void SleepUntil(Instant moment) override;

private:
    const std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

} // namespace sim
