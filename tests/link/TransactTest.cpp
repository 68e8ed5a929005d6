#include "LinkFixture.h"

#include "sim/FrameCodec.h"
#include "sim/WirePacing.h"

#include <numeric>
#include <optional>

using namespace std::chrono_literals;
using Bytes = std::vector<uint8_t>;

namespace {

constexpr sim::Duration kReadTimeout = 101ms;
constexpr sim::Duration kPause = 150ms; // one empty read each

using Transact = LinkFixture;

// The command, the length byte, length - 2 of the caller's bytes and the sum that makes FF; a
// length outside 2..255 is taken as the nearest of them.
TEST_F(Transact, SendsTheCommandTheLengthTheCallersBytesAndTheirSum)
{
    const std::tuple<uint8_t, int, size_t, Bytes> cases[] = { // command, length, bytes sent, their start
        {0xF0, 2, 3, {0xF0, 0x02, 0x0D}}, {0x12, 5, 6, {0x12, 0x05, 0x01, 0x02, 0x80, 0x65}}, {0xF0, 0, 3, {0xF0, 0x02, 0x0D}},
        {0x12, 400, 256, {0x12, 0xFF, 0x01, 0x02, 0x80, kUntouched}},
    };
    for (const auto& [command, length, size, start] : cases) {
        SCOPED_TRACE(length);
        buffer.fill(kUntouched);
        std::ranges::copy(Bytes{0x01, 0x02, 0x80}, buffer.begin());
        controller->ClearReceived();
        comm.Transact(command, length, buffer.data());
        const Bytes& sent = controller->Received();
        EXPECT_EQ(sent.size(), size);
        EXPECT_EQ(Bytes(sent.begin(), sent.begin() + std::min(sent.size(), start.size())), start);
    }
}

// A reply's data is copied whole and nothing after it: the longest, 253 bytes of 256 read;
// length bytes 0 and 1 end the reply after two bytes, which must still sum to FF.
TEST_F(Transact, RepliesAreReadToTheirLengthByteAndCopiedWhole)
{
    Bytes longest(253);
    std::iota(longest.begin(), longest.end(), uint8_t{7});
    const std::tuple<Bytes, int, size_t> cases[] = { // what comes, result, bytes copied
        {sim::FrameCodec::Build(0x77, longest), 255, 253},
        {{0xF3, 0x02, 0x0A}, 2, 0}, {{0xFF, 0x00}, 0, 0}, {{0xFE, 0x01}, 1, 0},
        {{0xFE, 0x00}, CPFCComm::kChecksumError, 0}, {{0xFF, 0x01}, CPFCComm::kChecksumError, 0},
    };
    for (auto [reply, result, copied] : cases) {
        SCOPED_TRACE(::testing::PrintToString(Bytes(reply.begin(), reply.begin() + 2)));
        buffer.fill(kUntouched);
        reply.push_back(0x99); // first byte of whatever comes next
        Script(reply);
        EXPECT_EQ(Send(0xF3), result);
        EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + copied), Bytes(longest.begin(), longest.begin() + copied));
        EXPECT_TRUE(std::all_of(buffer.begin() + static_cast<ptrdiff_t>(copied), buffer.end(), [](uint8_t b) { return b == kUntouched; }));
        EXPECT_EQ(controller->BytesOnTheWay(), 1u);
        controller->DiscardArrived();
    }
}

// Every exchange has five empty reads of 101 ms to spare, however the bytes between them come.
TEST_F(Transact, DamagedOrSlowRepliesFailAndLeaveTheBufferAlone)
{
    const std::tuple<const char*, sim::FaultPlan, int, std::optional<sim::Duration>> cases[] = {
        {"bad sum", {.badChecksum = true}, CPFCComm::kChecksumError, {}},
        {"silence", {.silent = true}, CPFCComm::kTimeout, 5 * kReadTimeout},
        {"truncated", {.truncateBy = 1}, CPFCComm::kTimeout, {}},
        {"five pauses of exactly a read's time-out", {.pauses = {{0, kReadTimeout}, {3, kReadTimeout}, {6, kReadTimeout}, {9, kReadTimeout},
                                                         {10, kReadTimeout}}}, 10, 5 * kReadTimeout},
        {"four pauses", {.pauses = {{0, kPause}, {3, kPause}, {6, kPause}, {10, kPause}}}, 10, 4 * kPause},
        // Bytes arriving between the pauses do not refill the allowance.
        {"five pauses", {.pauses = {{0, kPause}, {3, kPause}, {6, kPause}, {9, kPause}, {10, kPause}}}, CPFCComm::kTimeout, {}},
    };
    for (const auto& [name, plan, result, took] : cases) {
        SCOPED_TRACE(name);
        buffer.fill(kUntouched);
        controller->Faults().Set(plan, 1);
        const auto start = clock->Now();
        EXPECT_EQ(Send(0xF3), result);
        EXPECT_EQ(clock->Now() - start, took.value_or(clock->Now() - start));
        EXPECT_EQ(BufferUntouched(), result < 0);
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
    EXPECT_EQ(comm.Transact(0x12, 255, buffer.data()), CPFCComm::kTimeout);
    EXPECT_EQ(clock->Now(), sim::WirePacing(true).TimeFor(256) + 5 * kReadTimeout);
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

} // namespace
