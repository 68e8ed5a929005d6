#include "sim/FaultInjector.h"
#include "sim/FrameCodec.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::Each;

namespace sim {
namespace {

using namespace std::chrono_literals;

class FaultInjectorTest : public ::testing::Test {
protected:
    const std::vector<uint8_t> reply = FrameCodec::Build(0xF5, std::vector<uint8_t>{'1', '.', '0', '0', 'A'});
    FaultInjector faults;
};

TEST_F(FaultInjectorTest, WithoutFaultsTheReplyGoesOutWhole)
{
    const auto out = faults.Apply(reply);
    ASSERT_TRUE(out);
    EXPECT_EQ(out->bytes, reply);
    EXPECT_THAT(out->gapBefore, Each(Duration{}));
}

TEST_F(FaultInjectorTest, SilenceSendsNothingButStrayBytes)
{
    faults.Set({.silent = true});
    EXPECT_FALSE(faults.Apply(reply));
    faults.Set({.silent = true, .strayBytes = {0xFF, 0x00}});
    const auto out = faults.Apply(reply);
    ASSERT_TRUE(out);
    EXPECT_THAT(out->bytes, ElementsAre(0xFF, 0x00));
}

TEST_F(FaultInjectorTest, WrongChecksumSpoilsOnlyTheLastByte)
{
    faults.Set({.badChecksum = true});
    const auto out = faults.Apply(reply);
    ASSERT_TRUE(out);
    EXPECT_FALSE(FrameCodec::SumsCorrectly(out->bytes));
    EXPECT_TRUE(std::equal(reply.begin(), reply.end() - 1, out->bytes.begin()));
}

TEST_F(FaultInjectorTest, APlanCanWaitForCleanRepliesFirst)
{
    faults.Set({.badChecksum = true}, 1, 1);
    EXPECT_EQ(faults.Apply(reply)->bytes, reply);
    EXPECT_FALSE(FrameCodec::SumsCorrectly(faults.Apply(reply)->bytes));
    EXPECT_EQ(faults.Apply(reply)->bytes, reply);
}

TEST_F(FaultInjectorTest, TruncationDropsBytesFromTheEnd)
{
    faults.Set({.truncateBy = 3});
    EXPECT_EQ(faults.Apply(reply)->bytes, std::vector<uint8_t>(reply.begin(), reply.end() - 3));
    faults.Set({.truncateBy = 100});
    EXPECT_FALSE(faults.Apply(reply));
}

TEST_F(FaultInjectorTest, StrayBytesGoFirstAndCountForPauses)
{
    faults.Set({.strayBytes = {0x55}, .pauses = {{1, 150ms}, {4, 20ms}, {99, 1s}}, .lateBy = 700ms});
    const auto out = faults.Apply(reply);
    ASSERT_TRUE(out);
    EXPECT_EQ(out->bytes.front(), 0x55);
    EXPECT_TRUE(std::equal(reply.begin(), reply.end(), out->bytes.begin() + 1));
    ASSERT_EQ(out->gapBefore.size(), out->bytes.size());
    EXPECT_EQ(out->gapBefore[0], 700ms);
    EXPECT_EQ(out->gapBefore[1], 150ms);
    EXPECT_EQ(out->gapBefore[4], 20ms);
    EXPECT_EQ(out->gapBefore[2], Duration{});
}

TEST_F(FaultInjectorTest, PlanForOneReplyLeavesTheNextOneClean)
{
    faults.Set({.silent = true}, 1);
    EXPECT_FALSE(faults.Apply(reply));
    EXPECT_EQ(faults.Apply(reply)->bytes, reply);
    EXPECT_EQ(faults.Apply(reply)->bytes, reply);
}

TEST_F(FaultInjectorTest, PlanForEveryReplyHoldsUntilCleared)
{
    faults.Set({.silent = true});
    EXPECT_FALSE(faults.Apply(reply));
    EXPECT_FALSE(faults.Apply(reply));
    faults.Clear();
    EXPECT_TRUE(faults.Apply(reply));
}

} // namespace
} // namespace sim
