#include "sim/RealClock.h"

#include <thread>

namespace sim {

Instant RealClock::Now() const
{
    return std::chrono::steady_clock::now() - m_start;
}

void RealClock::SleepUntil(Instant moment)
{
    std::this_thread::sleep_until(m_start + moment);
}

} // namespace sim
