#pragma once

#include <chrono>

namespace sim {

using Duration = std::chrono::nanoseconds;
// A moment on a clock, counted from that clock's own start.
using Instant = std::chrono::nanoseconds;

// Time as the simulated controller sees it: real for the app and the pty tool, virtual in tests
// so that waiting costs nothing and every run is the same.
class Clock {
public:
    virtual ~Clock() = default;

    virtual Instant Now() const = 0;
    // Returns at once when the moment has passed.
    virtual void SleepUntil(Instant moment) = 0;
};

} // namespace sim
