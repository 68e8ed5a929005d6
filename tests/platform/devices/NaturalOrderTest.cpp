#include "platform/devices/NaturalOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using devices::NaturalLess;

TEST(NaturalOrder, NumbersCompareByValueAndAPrefixComesFirst)
{
    std::vector<std::string> names = {"ttyS10", "ttyUSB0", "ttyS2a", "ttyS2", "ttyS", "ttyACM1", "tty5", "ttyS1", "ttyACM0", "ttyS0"};
    std::ranges::sort(names, NaturalLess);
    EXPECT_EQ(
        names, (std::vector<std::string>{"tty5", "ttyACM0", "ttyACM1", "ttyS", "ttyS0", "ttyS1", "ttyS2", "ttyS2a", "ttyS10", "ttyUSB0"}));
    EXPECT_TRUE(NaturalLess("ttyS1x2", "ttyS1x10")); // later runs too
    EXPECT_TRUE(NaturalLess("tty007", "tty8"));      // leading zeros do not count
    EXPECT_TRUE(NaturalLess("tty1", "tty1a"));
}

TEST(NaturalOrder, IsAStrictOrder)
{
    for (const char* name : {"ttyS1", "ttyS", "tty10"}) EXPECT_FALSE(NaturalLess(name, name)) << name;
    EXPECT_FALSE(NaturalLess("ttyS0", "ttyS"));
    EXPECT_FALSE(NaturalLess("tty10", "tty9"));
    // Equal by value but different text: exactly one way round.
    EXPECT_NE(NaturalLess("tty01", "tty1"), NaturalLess("tty1", "tty01"));
}
