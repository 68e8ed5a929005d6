#include "platform/serial/TermiosSettings.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <tuple>

using serial::ApplyLineSettings;
using serial::LineSettings;
using serial::LineSettingsOf;

namespace {

// Ptys ignore parity and character size, so the mapping both ways is pinned here instead.
TEST(TermiosSettings, FramingReplacesWhateverWasThereAndReadsBackAsSet)
{
    constexpr tcflag_t kFraming = CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS;
    const std::tuple<LineSettings, tcflag_t, speed_t> cases[] = {
        {{19200, 'e', 8, 1}, CS8 | PARENB, B19200},
        {{9600, 'o', 7, 1}, CS7 | PARENB | PARODD, B9600},
        {{115200, 'n', 6, 2}, CS6 | CSTOPB, B115200},
        {{19200, 'm', 5, 1}, CS5 | PARENB | PARODD | CMSPAR, B19200},
        {{300, 's', 8, 2}, CS8 | CSTOPB | PARENB | CMSPAR, B300},
    };
    for (const auto& [settings, framing, speed] : cases) {
        termios t{}; // cluttered as a previous user could leave it
        t.c_cflag = CSTOPB | PARENB | PARODD | CMSPAR | CS5 | CRTSCTS;
        t.c_iflag = IXON | IXOFF;
        SCOPED_TRACE(settings.parity);
        EXPECT_TRUE(ApplyLineSettings(settings, t));
        EXPECT_EQ(std::tuple(t.c_cflag & kFraming, t.c_iflag & (IXON | IXOFF), cfgetospeed(&t)), std::tuple(framing, 0u, speed));
        EXPECT_EQ(LineSettingsOf(t), settings);
    }
    // A driver's nearest rate to an odd request, which termios has no name for.
    termios odd{};
    odd.c_cflag = CBAUDEX | CS8;
    EXPECT_EQ(LineSettingsOf(odd), (LineSettings{0, 'n', 8, 1}));
}

TEST(TermiosSettings, SettingsTheLineCannotTakeLeaveTheAttributesAsTheyWere)
{
    for (const LineSettings& settings : std::initializer_list<LineSettings>{
             {12345, 'e', 8, 1}, {19200, 'x', 8, 1}, {19200, 'e', 4, 1}, {19200, 'e', 9, 1}, {19200, 'e', 8, 0}, {19200, 'e', 8, 3}}) {
        termios t{};
        t.c_cflag = CS7 | PARENB;
        EXPECT_FALSE(ApplyLineSettings(settings, t))
            << settings.baudRate << settings.parity << int{settings.dataBits} << int{settings.stopBits};
        EXPECT_EQ(t.c_cflag, tcflag_t{CS7 | PARENB}) << settings.parity;
    }
}

} // namespace
