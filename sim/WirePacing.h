#pragma once

#include "sim/Clock.h"

#include <cstddef>

namespace sim {

// How long bytes take on the line: 19200 baud, and 11 bits a byte for 8E1 (start bit, eight
// data bits, parity, stop bit). Unpaced, bytes cross at once.
class WirePacing {
public:
    static constexpr long kBaud = 19200;
    static constexpr long kBitsPerByte = 11;

    explicit WirePacing(bool paced = false)
        : m_paced(paced)
    { }

    void SetPaced(bool paced) { m_paced = paced; }
    Duration TimeFor(size_t bytes) const;

private:
    bool m_paced = false;
};

} // namespace sim
