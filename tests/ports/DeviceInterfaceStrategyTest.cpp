#include "tests/ports/PortsFixture.h"

#include "platform/ui/MessageBox.h"

namespace {

using namespace devices;
using Interface = ScriptedDeviceServices::PortInterface;

const std::string kPath0 = "\\\\?\\acpi#pnp0501#0#{86e0d1e0-8089-11d0-9ce4-08003e301f73}";
const std::string kPath1 = "\\\\?\\ftdibus#vid_0403+pid_6001+a1b2c3#0000#{86e0d1e0-8089-11d0-9ce4-08003e301f73}";
const std::string kPath2 = "\\\\?\\usb#vid_2e8a&pid_000a#e660#{86e0d1e0-8089-11d0-9ce4-08003e301f73}";

class DeviceInterfaces : public PortsFixture {
protected:
    void SetUp() override { services.SetVersion(5, VER_PLATFORM_WIN32_NT); }

    void AddBoardPort() { services.AddInterface({kPath0, "Communications Port (COM1)", "Communications Port", "on board"}); }
    void AddUsbAdapter() { services.AddInterface({kPath1, "USB Serial Port (COM5)", "USB Serial Port", "USB Serial Converter"}); }

    // Runs an enumeration that must fail and checks it released the set and the library last.
    std::string FailureAfterCleanUp(bool setWasObtained = true)
    {
        const std::string text = FailureText();
        const auto expected = setWasObtained ? std::vector<std::string>{"DestroyDeviceInfoList", "FreeModule"}
                                             : std::vector<std::string>{"FreeModule"};
        EXPECT_EQ(LastCalls(expected.size()), expected);
        EXPECT_EQ(services.OpenHandles(), 0u);
        return text;
    }
};

TEST_F(DeviceInterfaces, ListsEachInterfaceWithItsPathNamesAndUsbTest)
{
    AddBoardPort();
    AddUsbAdapter();
    Enumerate();
    EXPECT_EQ(list, (SerialPortList{Port(kPath0, "", "Communications Port (COM1)", 0, "Communications Port"),
                                    Port(kPath1, "", "USB Serial Port (COM5)", 1, "USB Serial Port")}));
    EXPECT_TRUE(recorder.Boxes().empty());
}

TEST_F(DeviceInterfaces, CallsTheSetupServicesInOrderWithTheirBuffersAndReleasesThem)
{
    AddBoardPort();
    Enumerate();
    std::vector<std::string> expected = {"GetVersion", "LoadModule SETUPAPI"};
    for (const auto name : kSetupEntryPoints)
        expected.push_back("HasProcedure " + std::string(name));
    expected.insert(expected.end(), {
        "GetClassDevices {86E0D1E0-8089-11D0-9CE4-08003E301F73} flags=0x12",
        "EnumDeviceInterfaces 0",
        "GetDeviceInterfaceDetail 0 buffer=261",
        "GetDeviceRegistryProperty 0 12 buffer=256",
        "GetDeviceRegistryProperty 0 0 buffer=256",
        "GetDeviceRegistryProperty 0 13 buffer=256",
        "EnumDeviceInterfaces 1",
        "DestroyDeviceInfoList",
        "FreeModule",
    });
    EXPECT_EQ(services.Calls(), expected);
    EXPECT_EQ(services.OpenHandles(), 0u);
}

TEST_F(DeviceInterfaces, NoInterfaceGivesAnEmptyListAndNoFailure)
{
    EXPECT_NO_THROW(Enumerate());
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(CallsStartingWith("EnumDeviceInterfaces"), std::vector<std::string>{"EnumDeviceInterfaces 0"});
}

TEST_F(DeviceInterfaces, PortWithoutBothNamesIsPassedOver)
{
    services.AddInterface({kPath0, "Communications Port (COM1)", std::nullopt, "on board"});
    services.AddInterface({kPath1, std::nullopt, "USB Serial Port", "USB"});
    AddUsbAdapter();
    Enumerate();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].devicePath, kPath1);
    // The description is read only after the friendly name was.
    EXPECT_EQ(CallsStartingWith("GetDeviceRegistryProperty 1 "),
              (std::vector<std::string>{"GetDeviceRegistryProperty 1 12 buffer=256",
                                        "GetDeviceRegistryProperty 1 13 buffer=256"}));
}

TEST_F(DeviceInterfaces, OnlyALocationBeginningWithUpperCaseUsbMarksUsb)
{
    const std::pair<std::optional<std::string>, int32_t> cases[] = {
        {"USB", 1}, {"USB\\VID_0403", 1}, {"usb port", 0}, {"Usb", 0}, {"US", 0}, {"Port_#0001.Hub_#0004", 0},
        {std::nullopt, 0}};
    for (const auto& [location, usb] : cases)
        services.AddInterface({kPath2, "Port (COM7)", "Port", location});
    Enumerate();
    ASSERT_EQ(list.size(), std::size(cases));
    for (size_t i = 0; i < list.size(); ++i)
        EXPECT_EQ(list[i].usb, cases[i].second) << cases[i].first.value_or("<unreadable>");
}

TEST_F(DeviceInterfaces, PropertiesAndPathMustFitTheirBuffers)
{
    const std::string longestName(255, 'N');
    services.AddInterface({kPath0, longestName, "fits", "x"});
    services.AddInterface({kPath1, longestName + "N", "one byte too many", "x"});
    services.AddInterface({kPath2, "fits", longestName + "N", "x"});
    const std::string longestPath(256, 'p');
    services.AddInterface({longestPath, "fits", "fits", "x"});
    Enumerate();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].friendlyName, longestName);
    EXPECT_EQ(list[1].devicePath, longestPath);

    services = ScriptedDeviceServices();
    services.AddInterface({longestPath + "p", "fits", "fits", "x"});
    EXPECT_EQ(FailureAfterCleanUp(), "pSetupDiGetDeviceInterfaceDetail failed. (err=7a)");
}

TEST_F(DeviceInterfaces, MissingLibraryShowsAPlainBoxAndListsNothing)
{
    list.push_back(Port("stale", "", "stale", 0, "stale"));
    services.RemoveSetupLibrary();
    AddBoardPort();
    EXPECT_NO_THROW(Enumerate());
    EXPECT_TRUE(list.empty());
    ASSERT_EQ(recorder.Boxes().size(), 1u);
    const auto& box = recorder.Boxes()[0];
    EXPECT_EQ(box.text, "Can't Load SETUPAPI.DLL");
    EXPECT_EQ(box.caption, "Velmora");
    EXPECT_EQ(box.flags, ui::MB_OK);
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(services.Calls(), (std::vector<std::string>{"GetVersion", "LoadModule SETUPAPI"}));
}

TEST_F(DeviceInterfaces, AnyMissingEntryPointEndsSilentlyAfterLookingUpAll)
{
    for (const auto missing : kSetupEntryPoints) {
        services = ScriptedDeviceServices();
        services.RemoveEntryPoint(missing);
        AddBoardPort();
        EXPECT_NO_THROW(Enumerate());
        EXPECT_TRUE(list.empty()) << missing;
        EXPECT_EQ(CallsStartingWith("HasProcedure").size(), kSetupEntryPoints.size()) << missing;
        EXPECT_TRUE(CallsStartingWith("GetClassDevices").empty()) << missing;
        EXPECT_EQ(services.Calls().back(), "FreeModule") << missing;
        EXPECT_EQ(services.OpenHandles(), 0u) << missing;
    }
    EXPECT_TRUE(recorder.Boxes().empty());
}

TEST_F(DeviceInterfaces, ClassDevicesFailureReleasesTheLibraryAndRaises)
{
    services.FailClassDevices(0xE000020B);
    EXPECT_EQ(FailureAfterCleanUp(false), "pSetupDiGetClassDevs failed. (err=e000020b)");
    EXPECT_TRUE(CallsStartingWith("DestroyDeviceInfoList").empty());
}

TEST_F(DeviceInterfaces, EnumerationFailureKeepsEarlierRecordsAndRaisesAfterCleanUp)
{
    AddBoardPort();
    AddUsbAdapter();
    services.FailEnumAt(1, 0x1F);
    EXPECT_EQ(FailureAfterCleanUp(), "pSetupDiEnumDeviceInterfaces failed. (err=1f)");
    EXPECT_EQ(list, SerialPortList{Port(kPath0, "", "Communications Port (COM1)", 0, "Communications Port")});
}

TEST_F(DeviceInterfaces, DetailFailureRaisesAfterCleanUp)
{
    AddBoardPort();
    AddUsbAdapter();
    services.FailDetailAt(0, 0x3E6);
    EXPECT_EQ(FailureAfterCleanUp(), "pSetupDiGetDeviceInterfaceDetail failed. (err=3e6)");
    EXPECT_TRUE(list.empty());
}

} // namespace
