#include "sim/ToolOptions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace sim {
namespace {

using namespace std::chrono_literals;

std::optional<ToolOptions> Parse(std::vector<const char*> args, std::string* error = nullptr)
{
    std::string reason;
    auto options = ToolOptions::Parse(args, reason);
    if (error) {
        *error = reason;
    }
    return options;
}

TEST(ToolOptions, NoArgumentsGiveTheDefaultController)
{
    const auto options = Parse({});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->config.liveLength, 32);
    EXPECT_EQ(options->config.byteMaps.size(), 3u);
    EXPECT_FALSE(options->faults.silent);
}

TEST(ToolOptions, ControllerAndFaultsFromTheCommandLine)
{
    const auto options = Parse({"--live-length", "44", "--password", "abc", "--byte-maps", "20,2a", "--word-map",
                                "C0", "--bad-checksum", "--stray", "55aA", "--pause", "3:150", "--late", "700",
                                "--truncate", "2", "--silent"});
    ASSERT_TRUE(options);
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
    std::string error;
    EXPECT_FALSE(Parse({"--frobnicate"}, &error));
    EXPECT_THAT(error, HasSubstr("--frobnicate"));
    EXPECT_FALSE(Parse({"--late"}, &error));
    EXPECT_THAT(error, HasSubstr("needs a value"));
    for (const auto& bad : std::vector<std::vector<const char*>>{{"--live-length", "300"},
                                                                  {"--stray", "5"},
                                                                  {"--stray", "zz"},
                                                                  {"--pause", "3"},
                                                                  {"--late", "-5"},
                                                                  {"--byte-maps", "40,,44"},
                                                                  {"--word-map", "100"}}) {
        EXPECT_FALSE(Parse(bad, &error)) << bad[0] << ' ' << bad[1];
        EXPECT_THAT(error, HasSubstr("bad value"));
    }
}

} // namespace
} // namespace sim
