#include "sim/VirtualClock.h"

#include <algorithm>

namespace sim {

void VirtualClock::SleepUntil(Instant moment)
{
    m_now = std::max(m_now, moment);
}

} // namespace sim
