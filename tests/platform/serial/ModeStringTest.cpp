#include "platform/serial/SerialDevice.h"

#include <gtest/gtest.h>

using serial::LineSettings;
using serial::ParseModeString;

namespace {

bool Same(const LineSettings& a, const LineSettings& b)
{
    return a.baudRate == b.baudRate && a.parity == b.parity && a.dataBits == b.dataBits &&
           a.stopBits == b.stopBits;
}

TEST(ModeString, LinkStringFillsEveryField)
{
    LineSettings settings;
    ASSERT_TRUE(ParseModeString("baud=19200 parity=e data=8 stop=1", settings));
    EXPECT_TRUE(Same(settings, {19200, 'e', 8, 1}));
}

TEST(ModeString, KeysIgnoreCaseOrderAndExtraBlanks)
{
    LineSettings settings;
    ASSERT_TRUE(ParseModeString("  STOP=2\tData=7   PARITY=O baud=9600 ", settings));
    EXPECT_TRUE(Same(settings, {9600, 'o', 7, 2}));
}

TEST(ModeString, AbsentFieldsKeepTheirValue)
{
    LineSettings settings{4800, 'o', 7, 2};
    ASSERT_TRUE(ParseModeString("parity=n", settings));
    EXPECT_TRUE(Same(settings, {4800, 'n', 7, 2}));
    ASSERT_TRUE(ParseModeString("", settings));
    EXPECT_TRUE(Same(settings, {4800, 'n', 7, 2}));
}

TEST(ModeString, AcceptsEveryValueInRange)
{
    LineSettings settings;
    for (const char* mode : {"parity=n", "parity=e", "parity=o", "parity=m", "parity=s", "data=5",
                             "data=8", "stop=1", "stop=2", "baud=1", "baud=4294967295"}) {
        EXPECT_TRUE(ParseModeString(mode, settings)) << mode;
    }
}

TEST(ModeString, RejectsUnknownKeysAndBadValuesWithoutTouchingTheSettings)
{
    const LineSettings before{19200, 'e', 8, 1};
    for (const char* mode : {"speed=19200", "baud=0", "baud=-1", "baud=+9600", "baud=19k", "baud=4294967296",
                             "baud=", "baud", "=19200", "parity=x", "parity=ee", "data=4", "data=9",
                             "stop=0", "stop=3", "stop=1.5", "baud=9600,parity=n", "baud=9600 parity=x"}) {
        LineSettings settings = before;
        EXPECT_FALSE(ParseModeString(mode, settings)) << mode;
        EXPECT_TRUE(Same(settings, before)) << mode;
    }
}

} // namespace
