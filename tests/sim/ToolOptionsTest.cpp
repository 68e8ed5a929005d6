#include "sim/ToolOptions.h"

#include <gmock/gmock.h>

#include <tuple>
#include <utility>

using namespace sim;
using namespace std::chrono_literals;
using ::testing::HasSubstr;

namespace {

TEST(ToolOptions, ReadsEveryOptionIntoTheControllersSettingsAndFaults)
{
    const std::vector<const char*> args{"--byte-maps", "60,64,68,6c,70", "--stray", "55aA", "--pause", "3:150", "--late", "700",
        "--wrong-length", "-1", "--log", "x.log", "--engine-code", "CODE", "--version", "9.9", "--password", "pw", "--word-map", "7f",
        "--silent", "--truncate", "2", "--hang-up-at", "3"};
    std::string error;
    const auto options = ToolOptions::Parse(args, error);
    ASSERT_TRUE(options) << error;
    const FaultPlan& f = options->faults;
    EXPECT_EQ(std::tuple(f.strayBytes, f.pauses.at(0).beforeByte, f.pauses.at(0).length, f.lateBy, f.lengthOffBy),
        std::tuple(std::vector<uint8_t>{0x55, 0xAA}, 3u, 150ms, 700ms, -1));
    EXPECT_EQ(std::tuple(f.silent, f.badChecksum, f.truncateBy), std::tuple(true, false, size_t{2}));
    const ResponderConfig& c = options->config;
    EXPECT_EQ(std::tuple(options->logPath, options->hangUpAt, c.engineCode, c.firmwareVersion, c.password, c.wordMaps.at(0).base),
        std::tuple("x.log", 3, "CODE", "9.9", "pw", 0x7F));
    // The example profiles expect the default maps' shapes in order; further maps repeat the first.
    std::vector<std::pair<uint8_t, MapShape>> maps;
    for (const MapSpec& map : c.byteMaps) maps.emplace_back(map.base, map.shape);
    EXPECT_EQ(maps,
        (std::vector<std::pair<uint8_t, MapShape>>{{0x60, MapShape::IgnitionLeading}, {0x64, MapShape::FuelCorrection},
            {0x68, MapShape::IgnitionTrailing}, {0x6C, MapShape::IgnitionLeading}, {0x70, MapShape::IgnitionLeading}}));
}

// A line is taken, or refused with a reason.
TEST(ToolOptions, TakesGoodLinesAndRefusesBadOnesWithAReason)
{
    const char* bad = "bad value";
    const std::pair<std::vector<const char*>, const char*> cases[] = {{{"--late", "0"}, nullptr}, {{"--pause", "0:0"}, nullptr},
        {{"--frobnicate"}, "--frobnicate"}, {{"--late"}, "needs a value"}, {{"--live-length", "300"}, bad}, {{"--stray", "5"}, bad},
        {{"--stray", "5g"}, bad}, {{"--pause", "3"}, bad}, {{"--pause", "3:-1"}, bad}, {{"--late", "-5"}, bad},
        {{"--wrong-length", "+"}, bad}, {{"--byte-maps", "40,,44"}, bad}, {{"--log", ""}, bad}, {{"--hang-up-at", "0"}, bad}};
    for (const auto& [line, reason] : cases) {
        SCOPED_TRACE(std::string(line[0]) + ' ' + (line.size() > 1 ? line[1] : ""));
        std::string why;
        EXPECT_EQ(ToolOptions::Parse(line, why).has_value(), reason == nullptr);
        EXPECT_THAT(why, HasSubstr(reason ? reason : ""));
    }
}

} // namespace
