// Faults on the line while the trace runs under its real timer, over a real pseudo-terminal:
// what the user sees, that nothing hangs, and that the trace works again once the fault is gone.

#include "PtyAppFixture.h"

#include <chrono>

namespace {

using namespace std::chrono_literals;

constexpr uint8_t kLiveCommand = 0xF0;
const std::string kTimeoutBox = "CVelmoraDlg::OnTimer(): 通信タイムアウト";

// A whole live reply of the extended block whose first byte, the monitor item's, is `value`;
// the other bytes are high, so a reply read from one of them on asks for more bytes than come.
// With `gap`, seven of its last bytes come that long after the one before: seven rather than
// the five a time-out needs, so a late wake-up on a busy machine that shortens one or two of
// them still leaves the 120 ms case timing out.
sim::FaultPlan LiveReply(uint8_t value, sim::Duration gap = {})
{
    std::vector<uint8_t> live(sim::ResponderConfig::kExtendedLiveLength - 2, 0xEE);
    live[0] = value;
    sim::FaultPlan plan = frames::ReplyWith(kLiveCommand, live);
    for (size_t before = plan.strayBytes.size() - 7; gap > sim::Duration{} && before < plan.strayBytes.size(); ++before)
        plan.pauses.push_back({before, gap});
    return plan;
}

struct LinkFault {
    const char* name;
    sim::FaultPlan plan;
    std::string box;   // what the user sees, "caption: text"; empty when the poll succeeds
    std::string value; // what the monitor row shows afterwards
    // The end of the reply comes after the time-out, so the next poll reads it as the start of
    // its own reply and times out as well.
    bool lateBytes = false;
};

class LinkFaults : public PtyAppFixture, public ::testing::WithParamInterface<LinkFault> { };

TEST_P(LinkFaults, ShowTheirBoxAndLeaveTheTraceWorking)
{
    const LinkFault& fault = GetParam();
    ASSERT_NO_FATAL_FAILURE(Start());
    EveryReply(fault.plan);
    ClickTrace();
    ASSERT_TRUE(RunUntilBoxOr([&] { return Value() != "-"; })) << "hung";
    ui::testing::ProcessEvents();
    EXPECT_EQ(TakeBoxes(), fault.box.empty() ? Strings{} : Strings{fault.box});
    EXPECT_EQ(TraceState(), fault.box.empty() ? kTracing : kIdle);
    EXPECT_EQ(Value(), fault.value);
    if (fault.box.empty()) ClickTrace();

    // The fault is gone: every reply is whole and on time again.
    EveryReply(LiveReply(42));
    if (fault.lateBytes) {
        ClickTrace();
        ASSERT_TRUE(RunUntilBoxOr()) << "hung";
        EXPECT_EQ(TakeBoxes(), Strings{kTimeoutBox});
    }
    ClickTrace();
    const size_t polls = Polls();
    ASSERT_TRUE(RunUntilBoxOr([&] { return Polls() > polls + 2; })) << "hung";
    EXPECT_EQ(TakeBoxes(), Strings{});
    EXPECT_EQ(Value(), "  42");
    EXPECT_EQ(TraceState(), kTracing);
    ClickTrace();
    EXPECT_EQ(TraceState(), kIdle);
}

INSTANTIATE_TEST_SUITE_P(Matrix, LinkFaults,
    ::testing::Values(LinkFault{"Silence", {.silent = true}, kTimeoutBox, "-"},
        LinkFault{"BadChecksum", {.badChecksum = true}, "CVelmoraDlg::OnTimer(): チェックサムエラー", "-"},
        LinkFault{"TruncatedReply", {.truncateBy = 1}, kTimeoutBox, "-"},
        // The noise becomes the reply's command and length bytes: 0xAA asks for 171 bytes.
        LinkFault{"NoiseBeforeTheReply", {.strayBytes = {0x55, 0xAA}}, kTimeoutBox, "-"},
        LinkFault{"LengthByteOneTooHigh", {.lengthOffBy = 1}, kTimeoutBox, "-"},
        // Each one-byte read waits 101 ms: a byte 90 ms after the last one is in time, however
        // many such gaps a reply has.
        LinkFault{"Bytes90msApart", LiveReply(90, 90ms), "", "  90"},
        // A byte 120 ms after the last one costs an empty read; the fifth ends the exchange.
        LinkFault{"Bytes120msApart", LiveReply(90, 120ms), kTimeoutBox, "-", true}),
    [](const ::testing::TestParamInfo<LinkFault>& info) { return std::string(info.param.name); });

using VanishingDevice = PtyAppFixture;

// A device unplugged while tracing: the read fails (a communication error, not a time-out), and
// so does every later poll, while the trace button goes on working.
TEST_F(VanishingDevice, MidTraceGivesACommunicationErrorNotATimeOut)
{
    const Strings commError{"CVelmoraDlg::OnTimer(): 通信エラー"};
    ASSERT_NO_FATAL_FAILURE(Start());
    ClickTrace();
    ASSERT_TRUE(RunUntilBoxOr([&] { return Polls() > 3; })) << "hung";
    ASSERT_EQ(TakeBoxes(), Strings{});
    server.HangUp();
    serving.join();
    ASSERT_TRUE(RunUntilBoxOr()) << "hung";
    ui::testing::ProcessEvents();
    EXPECT_EQ(TakeBoxes(), commError);
    EXPECT_EQ(TraceState(), kIdle);
    EXPECT_NE(Value(), "-") << "the rows keep what the trace last showed";
    ClickTrace();
    ASSERT_TRUE(RunUntilBoxOr()) << "hung";
    EXPECT_EQ(TakeBoxes(), commError);
    EXPECT_EQ(TraceState(), kIdle);
    ClickTrace();
    EXPECT_EQ(TraceState(), kTracing);
}

} // namespace
