#include "sim/FaultInjector.h"
#include "sim/FrameAssembler.h"
#include "sim/FrameCodec.h"

#include <gmock/gmock.h>

#include <tuple>

using namespace sim;
using namespace std::chrono_literals;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

using Bytes = std::vector<uint8_t>;

TEST(FrameAssembler, HearsWholeFramesOnlyAndDropsGarbledOnes)
{
    // A garbled request, a good one, length bytes 0 and 1 (two bytes each), then a request with
    // data that lacks its checksum byte.
    const Bytes stream{0xF3, 0x02, 0x0B, 0xF5, 0x02, 0x08, 0xFF, 0x00, 0xFE, 0x01, 0x12, 0x05, 7, 8, 9};
    FrameAssembler assembler;
    Bytes heard;
    for (uint8_t byte : stream) {
        if (const auto frame = assembler.Push(byte)) {
            heard.push_back(frame->command);
            EXPECT_THAT(frame->data, IsEmpty());
        }
    }
    EXPECT_THAT(heard, ElementsAre(0xF5, 0xFF, 0xFE));
    const auto frame = assembler.Push(0xD0);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->command, 0x12);
    EXPECT_THAT(frame->data, ElementsAre(7, 8, 9));
}

class FaultInjectorTest : public ::testing::Test {
protected:
    // What goes out in place of the reply, gaps aside; nothing when the line stays quiet.
    std::optional<Bytes> Sent()
    {
        const auto out = faults.Apply(reply);
        return out ? std::optional(out->bytes) : std::nullopt;
    }

    const Bytes reply = FrameCodec::Build(0xF5, Bytes{'1', '.', '0', '0', 'A'});
    FaultInjector faults;
};

TEST_F(FaultInjectorTest, EachFaultDamagesTheReplyItsOwnWay)
{
    Bytes badSum = reply;
    ++badSum.back();
    Bytes longer = reply;
    ++longer[1];
    Bytes shorter = reply;
    --shorter[1];
    const std::tuple<const char*, FaultPlan, std::optional<Bytes>> cases[] = {
        {"silent", {.silent = true}, std::nullopt},
        {"silent but stray bytes", {.silent = true, .strayBytes = {0xFF, 0x00}}, Bytes{0xFF, 0x00}},
        {"bad checksum", {.badChecksum = true}, badSum},
        {"length byte too high", {.lengthOffBy = 1}, longer},
        {"length byte too low", {.lengthOffBy = -1}, shorter},
        {"truncated", {.truncateBy = 3}, Bytes(reply.begin(), reply.end() - 3)},
        {"truncated past the start", {.truncateBy = 100}, std::nullopt},
    };
    for (const auto& [name, plan, expected] : cases) {
        faults.Set(plan);
        EXPECT_EQ(Sent(), expected) << name;
    }
}

TEST_F(FaultInjectorTest, PlanWaitsItsCleanRepliesThenLastsItsCount)
{
    faults.Set({.silent = true}, 1, 1);
    EXPECT_EQ(Sent(), reply);
    EXPECT_FALSE(Sent());
    EXPECT_EQ(Sent(), reply);
}

TEST_F(FaultInjectorTest, PlanWithoutACountLastsUntilReplaced)
{
    faults.Set({.silent = true});
    EXPECT_FALSE(Sent());
    EXPECT_FALSE(Sent());
    faults.Set({});
    EXPECT_EQ(Sent(), reply);
}

} // namespace
