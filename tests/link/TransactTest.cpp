#include "LinkFixture.h"

#include "sim/FrameCodec.h"

#include <gmock/gmock.h>

#include <numeric>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using namespace std::chrono_literals;

namespace {

constexpr sim::Duration kReadTimeout = 101ms;
constexpr sim::Duration kPause = 150ms; // one empty read each

using Transact = LinkFixture;

TEST_F(Transact, F0WithLengthTwoWritesExactlyF0020D)
{
    Send(0xF0);
    EXPECT_THAT(controller->Received(), ElementsAre(0xF0, 0x02, 0x0D));
}

TEST_F(Transact, SendsLengthMinusTwoOfTheCallersBytesAndTheirSum)
{
    std::ranges::copy(std::array<uint8_t, 3>{0x01, 0x02, 0x80}, buffer.begin());
    comm.Transact(0x12, 5, buffer.data());
    EXPECT_THAT(controller->Received(), ElementsAre(0x12, 0x05, 0x01, 0x02, 0x80, 0x65));
}

TEST_F(Transact, LengthBeyondOneFrameSendsOneFrame)
{
    comm.Transact(0x12, 400, buffer.data());
    EXPECT_EQ(controller->Received().size(), 256u);
    EXPECT_EQ(controller->Received()[1], 255);
}

TEST_F(Transact, ReturnsTheLengthByteAndCopiesOnlyTheDataBytes)
{
    controller->Responder().Config().engineCode = "ENGINE01";
    EXPECT_EQ(Send(0xF3), 10);
    EXPECT_EQ(Copied(8), "ENGINE01");
    EXPECT_EQ(buffer[8], kUntouched); // the checksum stays behind
}

TEST_F(Transact, LongestReplyReads256BytesAndCopies253)
{
    std::vector<uint8_t> data(253);
    std::iota(data.begin(), data.end(), uint8_t{7});
    auto bytes = sim::FrameCodec::Build(0x77, data);
    bytes.push_back(0xEE); // first byte of whatever comes next
    Script(bytes);
    EXPECT_EQ(Send(0xF3), 255);
    EXPECT_THAT(std::span(buffer).first(253), ElementsAreArray(data));
    EXPECT_EQ(buffer[253], kUntouched);
    EXPECT_EQ(controller->BytesOnTheWay(), 1u);
}

// Length bytes 0 and 1 end the reply after two bytes, which must still sum to FF.
TEST_F(Transact, ReplyOfLengthTwoCopiesNothingAndLengthsZeroAndOneEndAfterTwoBytes)
{
    const std::pair<std::vector<uint8_t>, int> cases[] = {
        {{0xF3, 0x02, 0x0A, 0x99}, 2},
        {{0xFF, 0x00, 0x99}, 0},
        {{0xFE, 0x01, 0x99}, 1},
        {{0xFE, 0x00, 0x99}, CPFCComm::kChecksumError},
        {{0xFF, 0x01, 0x99}, CPFCComm::kChecksumError},
    };
    for (const auto& [reply, result] : cases) {
        const std::string name = std::to_string(reply[0]) + ' ' + std::to_string(reply[1]);
        buffer.fill(kUntouched);
        Script(reply);
        EXPECT_EQ(Send(0xF3), result) << name;
        EXPECT_TRUE(BufferUntouched()) << name;
        EXPECT_EQ(controller->BytesOnTheWay(), 1u) << name;
        controller->DiscardArrived();
    }
}

TEST_F(Transact, BadSumGivesChecksumErrorAndLeavesTheBufferAlone)
{
    controller->Faults().Set({.badChecksum = true}, 1);
    EXPECT_EQ(Send(0xF0), CPFCComm::kChecksumError);
    EXPECT_TRUE(BufferUntouched());
    EXPECT_EQ(Send(0xF0), 32); // the next exchange is clean again
}

TEST_F(Transact, SilenceTimesOutOnTheFifthEmptyRead)
{
    controller->Faults().Set({.silent = true});
    EXPECT_EQ(Send(0xF3), CPFCComm::kTimeout);
    EXPECT_EQ(clock->Now(), 5 * kReadTimeout);
    EXPECT_TRUE(BufferUntouched());
}

TEST_F(Transact, FourPausesSpreadOverOneReplyStillSucceed)
{
    controller->Faults().Set({.pauses = {{0, kPause}, {3, kPause}, {6, kPause}, {10, kPause}}}, 1);
    EXPECT_EQ(Send(0xF3), 10);
    EXPECT_EQ(clock->Now(), 4 * kPause);
}

// The allowance belongs to the exchange: bytes arriving between the pauses do not refill it.
TEST_F(Transact, AFifthPauseInOneReplyTimesOut)
{
    controller->Faults().Set({.pauses = {{0, kPause}, {3, kPause}, {6, kPause}, {9, kPause}, {10, kPause}}}, 1);
    EXPECT_EQ(Send(0xF3), CPFCComm::kTimeout);
    EXPECT_TRUE(BufferUntouched());
}

TEST_F(Transact, TruncatedReplyTimesOut)
{
    controller->Faults().Set({.truncateBy = 1}, 1);
    EXPECT_EQ(Send(0xF5), CPFCComm::kTimeout);
    EXPECT_TRUE(BufferUntouched());
}

TEST_F(Transact, LateReplyIsReadAsTheStartOfTheNextExchange)
{
    controller->Responder().Config().engineCode = "LATECODE";
    controller->Faults().Set({.lateBy = 600ms}, 1);
    EXPECT_EQ(Send(0xF3), CPFCComm::kTimeout);
    EXPECT_EQ(Send(0xF5), 10); // the engine code reply, not the version's
    EXPECT_EQ(Copied(8), "LATECODE");
    EXPECT_EQ(Send(0xF0), 7); // and the version reply comes one exchange later still
}

TEST_F(Transact, FailedReadClearsTheErrorAndGivesCommError)
{
    log->broken = true;
    EXPECT_EQ(Send(0xF0), CPFCComm::kCommError);
    EXPECT_EQ(log->errorClears, 1);
    EXPECT_TRUE(BufferUntouched());
}

TEST_F(Transact, ExchangesDoNotPurgeTheInput)
{
    Send(0xF0);
    Send(0xF3);
    EXPECT_EQ(log->purges, 1); // the one of Open
}

TEST_F(Transact, EveryExchangeFailsWithNoPortOpen)
{
    CPFCComm unopened;
    EXPECT_EQ(unopened.Transact(0xF0, 2, buffer.data()), CPFCComm::kCommError);
    EXPECT_EQ(unopened.Transact(0xF3, 2, buffer.data()), CPFCComm::kCommError);
    EXPECT_FALSE(unopened.IsBusy());
    EXPECT_TRUE(BufferUntouched());
    EXPECT_TRUE(controller->Received().empty());
}

} // namespace
