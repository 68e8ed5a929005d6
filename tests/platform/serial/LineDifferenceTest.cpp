#include "platform/serial/SerialDevice.h"

#include <gtest/gtest.h>

using serial::LineDifference;
using serial::LineSettings;

namespace {

TEST(LineDifference, NamesEachPartTheDeviceKeptOtherwise)
{
    const std::pair<LineSettings, LineDifference> cases[] = {
        {{19200, 'e', 8, 1}, {}},
        {{19200, 'n', 8, 1}, {.parity = true}},
        {{19200, 'o', 8, 1}, {.parity = true}},
        {{0, 'e', 8, 1}, {.baudRate = true}},
        {{19200, 'e', 7, 1}, {.dataBits = true}},
        {{19200, 'e', 8, 2}, {.stopBits = true}},
        {{38400, 's', 5, 2}, {.baudRate = true, .parity = true, .dataBits = true, .stopBits = true}},
    };
    for (const auto& [kept, difference] : cases) {
        const LineDifference found = serial::CompareLineSettings({19200, 'e', 8, 1}, kept);
        EXPECT_EQ(found, difference) << kept.baudRate << kept.parity << int{kept.dataBits} << int{kept.stopBits};
        EXPECT_EQ(found.Any(), difference != LineDifference{}) << kept.baudRate << kept.parity;
    }
}

} // namespace
