#include "LinkFixture.h"

#include "sim/FrameCodec.h"
#include "sim/WirePacing.h"

#include <gmock/gmock.h>

#include <numeric>
#include <optional>

using ::testing::ElementsAreArray;
using namespace std::chrono_literals;

namespace {

constexpr sim::Duration kReadTimeout = 101ms;
constexpr sim::Duration kPause = 150ms; // one empty read each

using Transact = LinkFixture;

// The command, the length byte, length - 2 of the caller's bytes and the sum that makes FF; a
// length outside 2..255 is taken as the nearest of them.
TEST_F(Transact, SendsTheCommandTheLengthTheCallersBytesAndTheirSum)
{
    const struct {
        uint8_t command;
        int length;
        size_t size;
        std::vector<uint8_t> start; // of what was sent
    } cases[] = {{0xF0, 2, 3, {0xF0, 0x02, 0x0D}}, {0x12, 5, 6, {0x12, 0x05, 0x01, 0x02, 0x80, 0x65}}, {0xF0, 0, 3, {0xF0, 0x02, 0x0D}},
        {0x12, 400, 256, {0x12, 0xFF, 0x01, 0x02, 0x80, kUntouched}}};
    for (const auto& each : cases) {
        SCOPED_TRACE(each.length);
        buffer.fill(kUntouched);
        std::ranges::copy(std::array<uint8_t, 3>{0x01, 0x02, 0x80}, buffer.begin());
        controller->ClearReceived();
        comm.Transact(each.command, each.length, buffer.data());
        const auto& sent = controller->Received();
        EXPECT_EQ(sent.size(), each.size);
        EXPECT_EQ(std::vector<uint8_t>(sent.begin(), sent.begin() + static_cast<std::ptrdiff_t>(std::min(sent.size(), each.start.size()))),
            each.start);
    }
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

// Every exchange has five empty reads of 101 ms to spare, however the bytes between them come.
TEST_F(Transact, DamagedOrSlowRepliesFailAndLeaveTheBufferAlone)
{
    const struct {
        const char* name;
        sim::FaultPlan plan;
        int result;
        std::optional<sim::Duration> took;
    } cases[] = {
        {"bad sum", {.badChecksum = true}, CPFCComm::kChecksumError, {}},
        {"silence", {.silent = true}, CPFCComm::kTimeout, 5 * kReadTimeout},
        {"truncated", {.truncateBy = 1}, CPFCComm::kTimeout, {}},
        {"four pauses", {.pauses = {{0, kPause}, {3, kPause}, {6, kPause}, {10, kPause}}}, 10, 4 * kPause},
        // Bytes arriving between the pauses do not refill the allowance.
        {"five pauses", {.pauses = {{0, kPause}, {3, kPause}, {6, kPause}, {9, kPause}, {10, kPause}}}, CPFCComm::kTimeout, {}},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        buffer.fill(kUntouched);
        controller->Faults().Set(each.plan, 1);
        const auto start = clock->Now();
        EXPECT_EQ(Send(0xF3), each.result);
        if (each.took) {
            EXPECT_EQ(clock->Now() - start, *each.took);
        }
        EXPECT_EQ(BufferUntouched(), each.result < 0);
        clock->Advance(kPause); // what was still on the line has come
        controller->DiscardArrived();
    }
    EXPECT_EQ(Send(0xF0), 32) << "the next exchange is clean again";
}

// The wait for a reply starts once the request is on the line: a long request, which takes
// longer than one read's time-out to send, costs none of the empty reads an exchange may meet.
TEST_F(Transact, TheWaitForTheReplyStartsOnceTheRequestIsSent)
{
    controller->Pacing().SetPaced(true);
    const auto start = clock->Now();
    EXPECT_EQ(comm.Transact(0x12, 255, buffer.data()), CPFCComm::kTimeout);
    EXPECT_EQ(clock->Now() - start, sim::WirePacing(true).TimeFor(256) + 5 * kReadTimeout);
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
    EXPECT_EQ(unopened.Transact(0xF3, 2, buffer.data()), CPFCComm::kCommError);
    EXPECT_FALSE(unopened.IsBusy());
    EXPECT_TRUE(BufferUntouched());
    EXPECT_TRUE(controller->Received().empty());
}

} // namespace
