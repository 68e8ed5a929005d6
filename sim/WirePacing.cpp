#include "sim/WirePacing.h"

namespace sim {

Duration WirePacing::TimeFor(size_t bytes) const
{
    if (!m_paced) {
        return Duration{};
    }
    constexpr long long kNanosPerSecond = 1'000'000'000;
    return Duration{static_cast<long long>(bytes) * kBitsPerByte * kNanosPerSecond / kBaud};
}

} // namespace sim
