#include "tests/ports/PortsFixture.h"

#include "platform/ui/MessageBox.h"

#include <functional>

namespace {

using namespace devices;

const std::string kPath0 = "\\\\?\\acpi#pnp0501#0#{86e0d1e0-8089-11d0-9ce4-08003e301f73}";
const std::string kPath1 = "\\\\?\\ftdibus#vid_0403+pid_6001+a1b2c3#0000#{86e0d1e0-8089-11d0-9ce4-08003e301f73}";
const SerialPortInfo kBoardPort{kPath0, "", "Communications Port (COM1)", 0, "Communications Port"};

class DeviceInterfaces : public PortsFixture {
protected:
    void SetUp() override
    {
        services.SetVersion(5, VER_PLATFORM_WIN32_NT);
        services.AddInterface({kPath0, "Communications Port (COM1)", "Communications Port", "on board"});
    }
};

// Each interface with both names is listed, others are passed over; what was taken is released.
TEST_F(DeviceInterfaces, ListsEachInterfaceWithBothNamesAndReleasesWhatItTook)
{
    services.AddInterface({kPath1, "Communications Port (COM2)", std::nullopt, "on board"});
    services.AddInterface({kPath1, std::nullopt, "USB Serial Port", "USB"});
    Enumerate();
    EXPECT_EQ(list, SerialPortList{kBoardPort});
    EXPECT_EQ(std::pair(services.OpenHandles(), services.Calls().back()), std::pair(size_t{0}, std::string("FreeModule")));
    EXPECT_TRUE(recorder.Boxes().empty());
    // The description is read only after the friendly name was.
    EXPECT_EQ(CallsStartingWith("GetDeviceRegistryProperty 2 "),
        (Calls{"GetDeviceRegistryProperty 2 12 buffer=256", "GetDeviceRegistryProperty 2 13 buffer=256"}));
}

TEST_F(DeviceInterfaces, OnlyALocationBeginningWithUpperCaseUsbMarksUsb)
{
    services = ScriptedDeviceServices();
    const std::pair<std::optional<std::string>, int32_t> cases[]
        = {{"USB", 1}, {"USB\\VID_0403", 1}, {"usb port", 0}, {"Usb", 0}, {"US", 0}, {"Port_#0001.Hub_#0004", 0}, {std::nullopt, 0}};
    for (const auto& [location, usb] : cases) services.AddInterface({kPath1, "Port (COM7)", "Port", location});
    Enumerate();
    ASSERT_EQ(list.size(), std::size(cases));
    for (size_t i = 0; i < list.size(); ++i) EXPECT_EQ(list[i].usb, cases[i].second) << cases[i].first.value_or("<unreadable>");
}

TEST_F(DeviceInterfaces, MissingLibraryShowsAPlainBoxAndListsNothing)
{
    list.push_back(kBoardPort);
    services.RemoveSetupLibrary();
    EXPECT_NO_THROW(Enumerate());
    EXPECT_TRUE(list.empty());
    ASSERT_EQ(recorder.Boxes().size(), 1u);
    EXPECT_EQ(std::pair(recorder.Boxes()[0].text, recorder.Boxes()[0].flags), std::pair(std::string("Can't Load SETUPAPI.DLL"), ui::MB_OK));
    EXPECT_EQ(services.Calls(), (Calls{"GetVersion", "LoadModule SETUPAPI"}));
}

TEST_F(DeviceInterfaces, FailingSetupCallRaisesItsCodeAfterReleasingTheSetThenTheLibrary)
{
    const struct {
        std::function<void(ScriptedDeviceServices&)> fail;
        std::string text, lastBeforeFreeModule;
        SerialPortList kept;
    } cases[] = {
        {[](auto& s) { s.FailClassDevices(0xE000020B); }, "pSetupDiGetClassDevs failed. (err=e000020b)",
            "GetClassDevices {86E0D1E0-8089-11D0-9CE4-08003E301F73} flags=0x12", {}},
        {[](auto& s) { s.FailEnumAt(1, 0x1F); }, "pSetupDiEnumDeviceInterfaces failed. (err=1f)", "DestroyDeviceInfoList", {kBoardPort}},
        {[](auto& s) { s.FailDetailAt(0, 0x3E6); }, "pSetupDiGetDeviceInterfaceDetail failed. (err=3e6)", "DestroyDeviceInfoList", {}},
    };
    for (const auto& [fail, text, lastBeforeFreeModule, kept] : cases) {
        services = ScriptedDeviceServices();
        SetUp();
        services.AddInterface({kPath1, "USB Serial Port (COM5)", "USB Serial Port", "USB"});
        fail(services);
        SCOPED_TRACE(text);
        EXPECT_EQ(FailureText(), text);
        EXPECT_EQ(LastCalls(2), (Calls{lastBeforeFreeModule, "FreeModule"}));
        EXPECT_EQ(std::pair(services.OpenHandles(), list), std::pair(size_t{0}, kept));
    }
}

} // namespace
