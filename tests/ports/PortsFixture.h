#pragma once

#include "platform/devices/ScriptedDeviceServices.h"
#include "platform/ui/testing/Recorder.h"
#include "ports/EnumerateSerialPorts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

// Scripted device services, a message-box recorder and the list to fill.
class PortsFixture : public ::testing::Test {
protected:
    void Enumerate(bool probe = false) { EnumerateSerialPorts(list, probe, services); }

    std::string FailureText()
    {
        try {
            Enumerate();
        } catch (const EnumerationError& error) {
            return error.what();
        }
        ADD_FAILURE() << "nothing raised";
        return {};
    }

    std::vector<std::string> CallsStartingWith(std::string_view prefix) const
    {
        std::vector<std::string> calls;
        std::ranges::copy_if(
            services.Calls(), std::back_inserter(calls), [&](const std::string& call) { return call.starts_with(prefix); });
        return calls;
    }

    // The last n calls, oldest first.
    std::vector<std::string> LastCalls(size_t n) const
    {
        const auto& calls = services.Calls();
        return {calls.end() - static_cast<std::ptrdiff_t>(std::min(n, calls.size())), calls.end()};
    }

    ui::testing::Recorder recorder;
    devices::ScriptedDeviceServices services;
    SerialPortList list;
};
