#include "platform/serial/SerialDevice.h"

#include <gtest/gtest.h>

#include <utility>

using serial::LineSettings;

namespace {

const LineSettings kBefore{4800, 'n', 7, 2};

TEST(ModeString, AcceptedStringsSetTheirFieldsAndKeepTheRest)
{
    const std::pair<const char*, LineSettings> cases[] = {{"baud=19200 parity=e data=8 stop=1", {19200, 'e', 8, 1}},
        {"  STOP=1\tData=8   PARITY=O baud=9600 ", {9600, 'o', 8, 1}}, {"", kBefore}, {"parity=n", kBefore},
        {"parity=m", {4800, 'm', 7, 2}}, {"parity=s", {4800, 's', 7, 2}}, {"data=5", {4800, 'n', 5, 2}}, {"baud=1", {1, 'n', 7, 2}},
        {"baud=4294967295", {4294967295u, 'n', 7, 2}}};
    for (const auto& [mode, after] : cases) {
        LineSettings settings = kBefore;
        EXPECT_TRUE(serial::ParseModeString(mode, settings)) << mode;
        EXPECT_EQ(settings, after) << mode;
    }
}

TEST(ModeString, RejectsUnknownKeysAndBadValuesWithoutTouchingTheSettings)
{
    for (const char* mode : {"speed=19200", "baud=0", "baud=-1", "baud=+9600", "baud=19k", "baud=4294967296", "baud=", "baud", "=19200",
             "parity=x", "parity=ee", "data=4", "data=9", "stop=0", "stop=3", "stop=1.5", "baud=9600,parity=n", "baud=9600 parity=x"}) {
        LineSettings settings = kBefore;
        EXPECT_FALSE(serial::ParseModeString(mode, settings)) << mode;
        EXPECT_EQ(settings, kBefore) << mode;
    }
}

} // namespace
