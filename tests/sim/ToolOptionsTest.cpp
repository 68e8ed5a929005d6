#include "sim/ToolOptions.h"

#include <gmock/gmock.h>

using namespace sim;
using namespace std::chrono_literals;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

TEST(ToolOptions, ReadsHexListsPausesAndMilliseconds)
{
    const std::vector<const char*> args{
        "--byte-maps", "20,2a", "--stray", "55aA", "--pause", "3:150", "--late", "700", "--wrong-length", "-1", "--log", "x.log"};
    std::string error;
    const auto options = ToolOptions::Parse(args, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->config.byteMaps.at(1).base, 0x2A);
    EXPECT_THAT(options->faults.strayBytes, ElementsAre(0x55, 0xAA));
    EXPECT_EQ(options->faults.pauses.at(0).beforeByte, 3u);
    EXPECT_EQ(options->faults.pauses.at(0).length, 150ms);
    EXPECT_EQ(options->faults.lateBy, 700ms);
    EXPECT_EQ(options->faults.lengthOffBy, -1);
    EXPECT_EQ(options->logPath, "x.log");
}

TEST(ToolOptions, RefusesBadLinesWithAReason)
{
    const std::pair<std::vector<const char*>, const char*> refused[] = {
        {{"--frobnicate"}, "--frobnicate"},
        {{"--late"}, "needs a value"},
        {{"--live-length", "300"}, "bad value"},
        {{"--stray", "5"}, "bad value"},
        {{"--pause", "3"}, "bad value"},
        {{"--wrong-length", "+"}, "bad value"},
        {{"--byte-maps", "40,,44"}, "bad value"},
        {{"--log", ""}, "bad value"},
    };
    for (const auto& [bad, reason] : refused) {
        std::string why;
        EXPECT_FALSE(ToolOptions::Parse(bad, why)) << bad[0];
        EXPECT_THAT(why, HasSubstr(reason)) << bad[0];
    }
}

} // namespace
