#include "sim/ToolOptions.h"

#include <gmock/gmock.h>

using namespace sim;
using namespace std::chrono_literals;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

TEST(ToolOptions, ControllerAndFaultsFromTheCommandLine)
{
    const std::vector<const char*> args{"--live-length", "44", "--password", "abc", "--byte-maps", "20,2a",
                                        "--word-map", "C0", "--bad-checksum", "--stray", "55aA", "--pause",
                                        "3:150", "--late", "700", "--truncate", "2", "--silent"};
    std::string error;
    EXPECT_TRUE(ToolOptions::Parse({}, error)) << error; // the default controller
    const auto options = ToolOptions::Parse(args, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->config.liveLength, 44);
    EXPECT_EQ(options->config.password, "abc");
    ASSERT_EQ(options->config.byteMaps.size(), 2u);
    EXPECT_EQ(options->config.byteMaps[1].base, 0x2A);
    EXPECT_EQ(options->config.byteMaps[1].shape, ResponderConfig().byteMaps[1].shape);
    EXPECT_EQ(options->config.wordMaps.at(0).base, 0xC0);
    EXPECT_TRUE(options->faults.badChecksum);
    EXPECT_TRUE(options->faults.silent);
    EXPECT_THAT(options->faults.strayBytes, ElementsAre(0x55, 0xAA));
    ASSERT_EQ(options->faults.pauses.size(), 1u);
    EXPECT_EQ(options->faults.pauses[0].beforeByte, 3u);
    EXPECT_EQ(options->faults.pauses[0].length, 150ms);
    EXPECT_EQ(options->faults.lateBy, 700ms);
    EXPECT_EQ(options->faults.truncateBy, 2u);
}

TEST(ToolOptions, BadCommandLinesAreRefusedWithAReason)
{
    const std::pair<std::vector<const char*>, const char*> cases[] = {
        {{"--frobnicate"}, "--frobnicate"},    {{"--late"}, "needs a value"},
        {{"--live-length", "300"}, "bad value"}, {{"--stray", "5"}, "bad value"},
        {{"--stray", "zz"}, "bad value"},      {{"--pause", "3"}, "bad value"},
        {{"--late", "-5"}, "bad value"},       {{"--byte-maps", "40,,44"}, "bad value"},
        {{"--word-map", "100"}, "bad value"},
    };
    for (const auto& [args, reason] : cases) {
        std::string error;
        EXPECT_FALSE(ToolOptions::Parse(args, error)) << args[0];
        EXPECT_THAT(error, HasSubstr(reason));
    }
}

} // namespace
