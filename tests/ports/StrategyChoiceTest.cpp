#include "tests/ports/PortsFixture.h"

#include <tuple>

namespace {

using devices::VER_PLATFORM_WIN32_NT;

constexpr uint32_t kWindows9x = 1;

using StrategyChoice = PortsFixture;

TEST_F(StrategyChoice, VersionFivePlusUsesDeviceInterfacesOlderNtTheFixedListOlderOthersTheRegistry)
{
    // Told by the call after the version query; the fixed list makes none.
    const std::tuple<uint32_t, uint32_t, std::string> cases[] = {{5, VER_PLATFORM_WIN32_NT, "LoadModule SETUPAPI"},
        {10, VER_PLATFORM_WIN32_NT, "LoadModule SETUPAPI"}, {5, kWindows9x, "LoadModule SETUPAPI"}, {4, VER_PLATFORM_WIN32_NT, "none"},
        {3, VER_PLATFORM_WIN32_NT, "none"}, {4, kWindows9x, "OpenKey Enum"}, {4, 0, "OpenKey Enum"}};
    for (const auto& [major, platform, next] : cases) {
        services = devices::ScriptedDeviceServices();
        services.SetVersion(major, platform);
        services.AddKey("Enum");
        Enumerate();
        EXPECT_EQ(services.Calls().size() > 1 ? services.Calls()[1] : "none", next) << major << " on " << platform;
    }
}

TEST_F(StrategyChoice, VersionFailureRaisesItsCodeInLowerCaseHex)
{
    list.push_back({"stale", "COM9", "stale", 0, "stale"});
    services.FailVersion(0x8007000E);
    EXPECT_EQ(FailureText(), "Could not get OS version. (err=8007000e)");
    EXPECT_TRUE(list.empty()); // emptied before the query
    EXPECT_EQ(services.Calls(), Calls{"GetVersion"});
}

TEST_F(StrategyChoice, FixedListHoldsCom1ToCom16NamedAfterThemselvesAndUnopened)
{
    services.SetVersion(4, VER_PLATFORM_WIN32_NT);
    services.FailOpenDevice("\\\\.\\COM2"); // exists or not, it is listed
    Enumerate();
    SerialPortList expected;
    for (int n = 1; n <= 16; ++n) {
        const std::string name = "COM" + std::to_string(n);
        expected.push_back({"\\\\.\\" + name, name, name, 0, name});
    }
    EXPECT_EQ(list, expected);
    EXPECT_EQ(services.Calls(), Calls{"GetVersion"});
}

} // namespace
