#include "platform/devices/NaturalOrder.h"

#include <gtest/gtest.h>

#include <utility>

using devices::NaturalLess;

// Each pair in order, the first strictly before the second: numbers compare by value, leading
// zeros aside, in later runs too; a prefix comes first; a digit comes before a letter. Names
// equal by value but not in text still fall exactly one way round.
TEST(NaturalOrder, NumbersCompareByValueAndAPrefixComesFirst)
{
    const std::pair<const char*, const char*> ordered[] = {{"tty5", "ttyACM0"}, {"ttyACM0", "ttyACM1"}, {"ttyACM1", "ttyS"},
        {"ttyS", "ttyS0"}, {"ttyS1", "ttyS2"}, {"ttyS2", "ttyS2a"}, {"ttyS2a", "ttyS10"}, {"ttyS10", "ttyUSB0"}, {"tty9", "tty10"},
        {"ttyS1x2", "ttyS1x10"}, {"tty007", "tty8"}, {"tty1", "tty1a"}, {"tty2", "tty02a"}, {"tty01", "tty1"}};
    for (const auto& [first, second] : ordered) {
        EXPECT_TRUE(NaturalLess(first, second)) << first << " < " << second;
        EXPECT_FALSE(NaturalLess(second, first)) << second << " < " << first;
        EXPECT_FALSE(NaturalLess(first, first)) << first;
    }
}
