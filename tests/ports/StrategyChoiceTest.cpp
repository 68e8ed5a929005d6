#include "tests/ports/PortsFixture.h"

namespace {

using devices::ScriptedDeviceServices;
using devices::VER_PLATFORM_WIN32_NT;

constexpr uint32_t kWindows9x = 1;

class StrategyChoice : public PortsFixture {
protected:
    // Which road an enumeration on this version took, told by its first platform call.
    std::string RoadTaken(uint32_t majorVersion, uint32_t platformId)
    {
        services = ScriptedDeviceServices();
        services.SetVersion(majorVersion, platformId);
        services.AddKey("Enum");
        Enumerate();
        if (services.Calls().size() == 1)
            return list.size() == 16 ? "fixed list" : "nothing";
        const std::string& call = services.Calls()[1];
        if (call.starts_with("LoadModule"))
            return "device interfaces";
        if (call.starts_with("OpenKey"))
            return "registry";
        return call;
    }
};

TEST_F(StrategyChoice, VersionFiveOrLaterUsesDeviceInterfacesOnAnyPlatform)
{
    EXPECT_EQ(RoadTaken(5, VER_PLATFORM_WIN32_NT), "device interfaces");
    EXPECT_EQ(RoadTaken(10, VER_PLATFORM_WIN32_NT), "device interfaces");
    EXPECT_EQ(RoadTaken(5, kWindows9x), "device interfaces");
}

TEST_F(StrategyChoice, OlderNtListsTheFixedNames)
{
    EXPECT_EQ(RoadTaken(4, VER_PLATFORM_WIN32_NT), "fixed list");
    EXPECT_EQ(RoadTaken(3, VER_PLATFORM_WIN32_NT), "fixed list");
}

TEST_F(StrategyChoice, OlderNonNtWalksTheRegistry)
{
    EXPECT_EQ(RoadTaken(4, kWindows9x), "registry");
    EXPECT_EQ(RoadTaken(4, 0), "registry");
}

TEST_F(StrategyChoice, VersionFailureRaisesItsCodeInLowerCaseHex)
{
    list.push_back(Port("stale", "COM9", "stale", 0, "stale"));
    services.FailVersion(0x8007000E);
    EXPECT_EQ(FailureText(), "Could not get OS version. (err=8007000e)");
    EXPECT_TRUE(list.empty()); // emptied before the query
    EXPECT_EQ(services.Calls(), std::vector<std::string>{"GetVersion"});
}

TEST_F(StrategyChoice, EveryEnumerationStartsFromAnEmptyList)
{
    services.SetVersion(4, VER_PLATFORM_WIN32_NT);
    Enumerate();
    Enumerate();
    ASSERT_EQ(list.size(), 16u);
    EXPECT_EQ(list.front().portName, "COM1");

    services.SetVersion(6, VER_PLATFORM_WIN32_NT); // no interfaces at all
    Enumerate();
    EXPECT_TRUE(list.empty());
}

TEST_F(StrategyChoice, FixedListHoldsCom1ToCom16CompletedAndUnopened)
{
    services.SetVersion(4, VER_PLATFORM_WIN32_NT);
    services.FailOpenDevice("\\\\.\\COM2"); // exists or not, it is listed
    Enumerate();

    SerialPortList expected;
    for (int n = 1; n <= 16; ++n) {
        const std::string name = "COM" + std::to_string(n);
        expected.push_back(Port("\\\\.\\" + name, name, name, 0, name));
    }
    EXPECT_EQ(list, expected);
    EXPECT_EQ(services.Calls(), std::vector<std::string>{"GetVersion"});
}

} // namespace
