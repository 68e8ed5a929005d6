#pragma once

#include "LinkTestAccess.h"
#include "link/CPFCComm.h"
#include "sim/PortLog.h"
#include "sim/SimulatedController.h"
#include "sim/SimulatedPort.h"
#include "sim/VirtualClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>

// A link opened on the simulated controller, on a virtual clock: waiting costs nothing and
// every empty read shows up as 101 ms on the clock.
class LinkFixture : public ::testing::Test {
protected:
    static constexpr uint8_t kUntouched = 0xA5;

    void SetUp() override
    {
        log = sim::RegisterSimulatedPort(controller);
        ASSERT_EQ(comm.Open(), 1);
        buffer.fill(kUntouched);
    }
    void TearDown() override
    {
        EXPECT_FALSE(comm.IsBusy()); // every way out of an exchange frees the link
        sim::UnregisterSimulatedPort();
    }

    // The next reply is replaced by exactly these bytes.
    void Script(std::vector<uint8_t> bytes) { controller->Faults().Set({.silent = true, .strayBytes = std::move(bytes)}, 1); }
    int Send(uint8_t command) { return comm.Transact(command, 2, buffer.data()); }
    std::string Copied(size_t count) const { return {buffer.begin(), buffer.begin() + count}; }
    bool BufferUntouched() const { return std::ranges::count(buffer, kUntouched) == std::ssize(buffer); }

    std::shared_ptr<sim::VirtualClock> clock = std::make_shared<sim::VirtualClock>();
    std::shared_ptr<sim::SimulatedController> controller = std::make_shared<sim::SimulatedController>(clock);
    std::shared_ptr<sim::PortLog> log;
    CPFCComm comm{CPFCComm::PortNamed(sim::kSimulatedPortPath)};
    std::array<uint8_t, CPFCComm::kBufferSize> buffer{};
};
