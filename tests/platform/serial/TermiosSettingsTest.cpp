#include "platform/serial/TermiosSettings.h"

#include <gtest/gtest.h>

#include <cstring>

using serial::ApplyLineSettings;
using serial::LineSettings;

namespace {

// Everything a previous user could have left behind.
const termios kCluttered = [] {
    termios t{};
    t.c_cflag = CSTOPB | PARENB | PARODD | CMSPAR | CS5 | CRTSCTS;
    t.c_iflag = IXON | IXOFF;
    return t;
}();
constexpr tcflag_t kFraming = CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS;

// Ptys ignore parity and character size, so the mapping is pinned here instead.
TEST(TermiosSettings, FramingReplacesWhateverWasThere)
{
    const struct {
        LineSettings settings;
        tcflag_t framing;
    } cases[] = {
        {{19200, 'e', 8, 1}, CS8 | PARENB},
        {{19200, 'o', 7, 1}, CS7 | PARENB | PARODD},
        {{19200, 'n', 6, 2}, CS6 | CSTOPB},
        {{19200, 'm', 5, 1}, CS5 | PARENB | PARODD | CMSPAR},
        {{19200, 's', 8, 2}, CS8 | CSTOPB | PARENB | CMSPAR},
    };
    for (const auto& [settings, framing] : cases) {
        termios t = kCluttered;
        ASSERT_TRUE(ApplyLineSettings(settings, t)) << settings.parity;
        EXPECT_EQ(t.c_cflag & kFraming, framing) << settings.parity;
        EXPECT_EQ(t.c_iflag & (IXON | IXOFF), 0u);
        EXPECT_EQ(cfgetospeed(&t), B19200);
    }
}

TEST(TermiosSettings, InexpressibleSettingsLeaveAttributesUntouched)
{
    for (const LineSettings& settings : {LineSettings{12345, 'e', 8, 1}, LineSettings{0, 'e', 8, 1},
                                         LineSettings{9600, 'x', 8, 1}, LineSettings{9600, 'e', 9, 1},
                                         LineSettings{9600, 'e', 4, 1}, LineSettings{9600, 'e', 8, 3}}) {
        termios t = kCluttered;
        EXPECT_FALSE(ApplyLineSettings(settings, t)) << settings.baudRate << settings.parity;
        EXPECT_EQ(std::memcmp(&t, &kCluttered, sizeof t), 0);
    }
}

} // namespace
