#include "sim/FaultInjector.h"
#include "sim/FrameAssembler.h"
#include "sim/FrameCodec.h"

#include <gmock/gmock.h>

#include <tuple>

using namespace sim;
using ::testing::ElementsAre;
using Bytes = std::vector<uint8_t>;

namespace {

TEST(FrameAssembler, HearsWholeFramesOnlyAndDropsGarbledOnes)
{
    // A garbled request, a good one, length bytes 0 and 1 (two bytes each), then a request with
    // data that lacks its checksum byte.
    const Bytes stream{0xF3, 0x02, 0x0B, 0xF5, 0x02, 0x08, 0xFF, 0x00, 0xFE, 0x01, 0x12, 0x05, 7, 8, 9};
    FrameAssembler assembler;
    std::vector<std::pair<uint8_t, Bytes>> heard;
    for (uint8_t byte : stream) {
        if (const auto frame = assembler.Push(byte)) heard.emplace_back(frame->command, frame->data);
    }
    EXPECT_THAT(heard, ElementsAre(std::pair(0xF5, Bytes{}), std::pair(0xFF, Bytes{}), std::pair(0xFE, Bytes{})));
    const auto frame = assembler.Push(0xD0);
    ASSERT_TRUE(frame);
    EXPECT_EQ(std::pair(frame->command, frame->data), std::pair(uint8_t{0x12}, Bytes{7, 8, 9}));
}

const Bytes kReply = FrameCodec::Build(0xF5, Bytes{'1', '.', '0', '0', 'A'});

// What goes out in place of the reply, gaps aside; nothing when the line stays quiet.
std::optional<Bytes> Sent(FaultInjector& faults)
{
    const auto out = faults.Apply(kReply);
    return out ? std::optional(out->bytes) : std::nullopt;
}

TEST(FaultInjector, EachFaultDamagesTheReplyItsOwnWay)
{
    Bytes badSum = kReply, longer = kReply, shorter = kReply;
    ++badSum.back();
    ++longer[1];
    --shorter[1];
    const std::tuple<const char*, FaultPlan, std::optional<Bytes>> cases[] = {
        {"silent", {.silent = true}, std::nullopt}, {"silent but stray bytes", {.silent = true, .strayBytes = {0xFF, 0x00}}, Bytes{0xFF, 0x00}},
        {"bad checksum", {.badChecksum = true}, badSum}, {"length byte too high", {.lengthOffBy = 1}, longer},
        {"length byte too low", {.lengthOffBy = -1}, shorter}, {"truncated", {.truncateBy = 3}, Bytes(kReply.begin(), kReply.end() - 3)},
        {"truncated past the start", {.truncateBy = 100}, std::nullopt},
    };
    for (const auto& [name, plan, expected] : cases) {
        FaultInjector faults;
        faults.Set(plan);
        EXPECT_EQ(Sent(faults), expected) << name;
    }
}

// A plan waits its clean replies, then lasts its count, or without one for good.
TEST(FaultInjector, PlanWaitsItsCleanRepliesThenLastsItsCount)
{
    const std::tuple<int, int, std::vector<bool>> cases[] = {
        {1, 1, {true, false, true, true}},
        {2, 0, {false, false, true, true}},
        {FaultInjector::kEveryReply, 0, {false, false, false, false}},
    };
    for (const auto& [count, clean, delivered] : cases) {
        FaultInjector faults;
        faults.Set({.silent = true}, count, clean);
        std::vector<bool> got;
        for (size_t i = 0; i < delivered.size(); ++i) got.push_back(Sent(faults) == kReply);
        EXPECT_EQ(got, delivered) << count << " after " << clean;
    }
}

} // namespace
