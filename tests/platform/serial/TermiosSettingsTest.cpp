#include "platform/serial/TermiosSettings.h"

#include <gtest/gtest.h>

#include <utility>

using serial::ApplyLineSettings;
using serial::LineSettings;

namespace {

// Ptys ignore parity and character size, so the mapping is pinned here instead.
TEST(TermiosSettings, FramingReplacesWhateverWasThere)
{
    constexpr tcflag_t kFraming = CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS;
    const std::pair<LineSettings, tcflag_t> cases[] = {
        {{19200, 'e', 8, 1}, CS8 | PARENB},
        {{19200, 'o', 7, 1}, CS7 | PARENB | PARODD},
        {{19200, 'n', 6, 2}, CS6 | CSTOPB},
        {{19200, 'm', 5, 1}, CS5 | PARENB | PARODD | CMSPAR},
        {{19200, 's', 8, 2}, CS8 | CSTOPB | PARENB | CMSPAR},
    };
    for (const auto& [settings, framing] : cases) {
        termios t{}; // cluttered as a previous user could leave it
        t.c_cflag = CSTOPB | PARENB | PARODD | CMSPAR | CS5 | CRTSCTS;
        t.c_iflag = IXON | IXOFF;
        EXPECT_TRUE(ApplyLineSettings(settings, t)) << settings.parity;
        EXPECT_EQ(t.c_cflag & kFraming, framing) << settings.parity;
        EXPECT_EQ(t.c_iflag & (IXON | IXOFF), 0u) << settings.parity;
        EXPECT_EQ(cfgetospeed(&t), B19200) << settings.parity;
    }
}

} // namespace
