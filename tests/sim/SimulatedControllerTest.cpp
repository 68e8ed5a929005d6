#include "sim/SimulatedController.h"
#include "platform/serial/SerialDevice.h"
#include "sim/ExchangeLog.h"
#include "sim/FrameCodec.h"
#include "sim/RealClock.h"
#include "sim/SimulatedPort.h"
#include "sim/VirtualClock.h"

#include <gtest/gtest.h>


using namespace sim;
using namespace std::chrono_literals;
using serial::ReadResult;

namespace {

// The log shows what went out, damage included, and the requests nobody answered.
TEST(SimulatedController, ExchangeLogHasALinePerRequestWithTheBytesThatWentBack)
{
    SimulatedController controller{std::make_shared<VirtualClock>()};
    std::vector<std::string> log;
    controller.ObserveExchanges([&log](auto request, auto reply) { log.push_back(ExchangeLog::Line(request, reply)); });
    controller.Faults().Set({.truncateBy = 2, .strayBytes = {0x55}}, 1);
    controller.Receive(FrameCodec::Build(0xF3, {}));
    controller.Receive(FrameCodec::Build(0x11, std::vector<uint8_t>{0xAB}));
    controller.Receive(FrameCodec::Build(0xF5, {}));
    EXPECT_EQ(log, (std::vector<std::string>{"F3 02 0A -> 55 F3 0A 56 4C 4D 32 30 44 45", "11 03 AB 40 -> none",
                       "F5 02 08 -> F5 07 32 2E 31 30 41 01"}));
    EXPECT_EQ(controller.BytesOnTheWay(), 10u + 8u);
}

// The program's own "sim:" port opens, and answers at the pace of the real line, as a
// demonstration should.
TEST(SimulatedController, TheProgramsSimulatedPortOpensAndIsPacedLikeTheLine)
{
    const auto controller = RegisterSimulatedPort();
    EXPECT_NE(serial::SerialDevice::Open(kSimulatedPortPath), nullptr);
    EXPECT_GT(controller->Pacing().TimeFor(1), Duration{});
    UnregisterSimulatedPort();
}

} // namespace
