#pragma once

#include "platform/devices/ScriptedDeviceServices.h"
#include "platform/ui/testing/Recorder.h"
#include "ports/EnumerateSerialPorts.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

inline void PrintTo(const SerialPortInfo& port, std::ostream* out)
{
    *out << "{\"" << port.devicePath << "\", \"" << port.portName << "\", \"" << port.friendlyName << "\", "
         << port.usb << ", \"" << port.description << "\"}";
}

// Scripted device services, a message-box recorder and the list to fill; tests script the
// world, enumerate and look at the list, the failure text and the call log.
class PortsFixture : public ::testing::Test {
protected:
    void Enumerate(bool probe = false) { EnumerateSerialPorts(list, probe, services); }

    // The text of the failure the enumeration raises.
    std::string FailureText(bool probe = false)
    {
        try {
            Enumerate(probe);
        } catch (const EnumerationError& error) {
            return error.what();
        }
        ADD_FAILURE() << "nothing raised";
        return {};
    }

    std::vector<std::string> CallsStartingWith(std::string_view prefix) const
    {
        std::vector<std::string> calls;
        for (const auto& call : services.Calls()) {
            if (call.starts_with(prefix))
                calls.push_back(call);
        }
        return calls;
    }

    // The last n calls, oldest first.
    std::vector<std::string> LastCalls(size_t n) const
    {
        const auto& calls = services.Calls();
        return {calls.end() - static_cast<std::ptrdiff_t>(std::min(n, calls.size())), calls.end()};
    }

    static SerialPortInfo Port(std::string devicePath, std::string portName, std::string friendlyName, int32_t usb,
                               std::string description)
    {
        return {std::move(devicePath), std::move(portName), std::move(friendlyName), usb, std::move(description)};
    }

    ui::testing::Recorder recorder;
    devices::ScriptedDeviceServices services;
    SerialPortList list;
};
