#include "sim/FrameAssembler.h"
#include "sim/FrameCodec.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numeric>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace sim {
namespace {

std::vector<uint8_t> Counting(size_t count)
{
    std::vector<uint8_t> bytes(count);
    std::iota(bytes.begin(), bytes.end(), uint8_t{1});
    return bytes;
}

TEST(FrameCodec, FrameWithoutDataIsCommandLengthTwoAndChecksum)
{
    EXPECT_THAT(FrameCodec::Build(0xF0, {}), ElementsAre(0xF0, 0x02, 0x0D));
}

TEST(FrameCodec, EveryFrameSumsToFF)
{
    for (size_t count : {1u, 8u, 100u, 253u}) {
        const auto frame = FrameCodec::Build(0x8A, Counting(count));
        EXPECT_EQ(frame.size(), count + 3);
        EXPECT_EQ(frame[1], count + 2);
        EXPECT_TRUE(FrameCodec::SumsCorrectly(frame)) << count;
    }
}

TEST(FrameCodec, DataBeyond253BytesIsLeftOut)
{
    const auto frame = FrameCodec::Build(0x01, Counting(260));
    EXPECT_EQ(frame.size(), 256u);
    EXPECT_EQ(frame[1], 255);
    EXPECT_EQ(frame[254], 253); // the last data byte carried
    EXPECT_TRUE(FrameCodec::SumsCorrectly(frame));
}

class FrameAssemblerTest : public ::testing::Test {
protected:
    std::vector<Frame> PushAll(const std::vector<uint8_t>& bytes)
    {
        std::vector<Frame> frames;
        for (uint8_t byte : bytes) {
            if (auto frame = assembler.Push(byte)) {
                frames.push_back(*frame);
            }
        }
        return frames;
    }

    FrameAssembler assembler;
};

TEST_F(FrameAssemblerTest, RequestIsCompleteWithItsChecksumByte)
{
    const auto bytes = FrameCodec::Build(0x12, std::vector<uint8_t>{7, 8, 9});
    const auto early = PushAll({bytes.begin(), bytes.end() - 1});
    EXPECT_THAT(early, IsEmpty());
    const auto frame = assembler.Push(bytes.back());
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->command, 0x12);
    EXPECT_THAT(frame->data, ElementsAre(7, 8, 9));
}

TEST_F(FrameAssemblerTest, GarbledRequestIsDroppedAndTheNextOneStillHeard)
{
    auto garbled = FrameCodec::Build(0xF3, {});
    ++garbled.back();
    auto stream = garbled;
    const auto good = FrameCodec::Build(0xF5, {});
    stream.insert(stream.end(), good.begin(), good.end());

    const auto frames = PushAll(stream);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].command, 0xF5);
}

TEST_F(FrameAssemblerTest, LengthBytesZeroAndOneEndTheFrameAfterTwoBytes)
{
    const auto frames = PushAll({0xFF, 0x00, 0xFE, 0x01});
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].command, 0xFF);
    EXPECT_EQ(frames[1].command, 0xFE);
    EXPECT_THAT(frames[1].data, IsEmpty());
}

} // namespace
} // namespace sim
