#pragma once

#include "platform/devices/ScriptedDeviceServices.h"
#include "platform/ui/testing/Recorder.h"
#include "ports/EnumerateSerialPorts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

using Calls = std::vector<std::string>;

// Scripted device services, a message-box recorder and the list to fill.
class PortsFixture : public ::testing::Test {
protected:
    void Enumerate() { EnumerateSerialPorts(list, false, services); }

    std::string FailureText()
    {
        try {
            Enumerate();
        } catch (const EnumerationError& error) {
            return error.what();
        }
        return "nothing raised";
    }

    Calls CallsStartingWith(std::string_view prefix) const
    {
        Calls calls;
        std::ranges::copy_if(services.Calls(), std::back_inserter(calls), [&](const std::string& call) { return call.starts_with(prefix); });
        return calls;
    }

    // The last n calls, oldest first.
    Calls LastCalls(size_t n) const { return {services.Calls().end() - static_cast<std::ptrdiff_t>(n), services.Calls().end()}; }

    ui::testing::Recorder recorder;
    devices::ScriptedDeviceServices services;
    SerialPortList list;
};
