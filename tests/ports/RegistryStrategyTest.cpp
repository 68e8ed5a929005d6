#include "tests/ports/PortsFixture.h"

#include <optional>

namespace {

constexpr uint32_t kWindows9x = 1;

class RegistryWalk : public PortsFixture {
protected:
    void SetUp() override
    {
        services.SetVersion(4, kWindows9x);
        services.AddKey("Enum");
    }

    // An instance key under Enum with its values; an absent value is not written.
    void Instance(const std::string& path, const std::optional<std::string>& portName,
                  const std::optional<std::string>& friendlyName = std::nullopt)
    {
        const std::string key = "Enum\\" + path;
        services.AddKey(key);
        if (portName)
            services.SetString(key, "PORTNAME", *portName);
        if (friendlyName)
            services.SetString(key, "FRIENDLYNAME", *friendlyName);
    }

    // Runs an enumeration that must fail and checks every opened key was closed.
    std::string FailureAfterClosingKeys()
    {
        const std::string text = FailureText();
        EXPECT_EQ(services.OpenHandles(), 0u);
        return text;
    }

    std::vector<std::string> PortNames() const
    {
        std::vector<std::string> names;
        for (const auto& port : list)
            names.push_back(port.portName);
        return names;
    }
};

TEST_F(RegistryWalk, ListsSerialPortDevicesUnderAnyEnumerator)
{
    Instance("ACPI\\*PNP0501\\1", "COM1", "Communications Port (COM1)");
    Instance("BIOS\\*PNP0400\\0", "LPT1", "Printer Port (LPT1)");
    Instance("ISAPNP\\*PNP0500\\0", "COM2");
    Enumerate();
    EXPECT_EQ(list, (SerialPortList{Port("\\\\.\\COM1", "COM1", "Communications Port (COM1)", 0, "Communications Port"),
                                    Port("\\\\.\\COM2", "COM2", "COM2", 0, "COM2")}));
    EXPECT_EQ(services.OpenHandles(), 0u);
}

TEST_F(RegistryWalk, DeviceIdentifiersMustMatchExactly)
{
    Instance("ACPI\\*pnp0501\\0", "COM1");
    Instance("ACPI\\*PNP05011\\0", "COM2");
    Instance("ACPI\\PNP0501\\0", "COM3");
    Instance("ACPI\\*PNP0501\\0", "COM4");
    Enumerate();
    EXPECT_EQ(PortNames(), std::vector<std::string>{"COM4"});
    // Devices passed over are never opened.
    EXPECT_EQ(CallsStartingWith("OpenKey Enum\\ACPI\\"),
              (std::vector<std::string>{"OpenKey Enum\\ACPI\\*PNP0501", "OpenKey Enum\\ACPI\\*PNP0501\\0"}));
}

TEST_F(RegistryWalk, UsbPortsTakesEveryDeviceAndMarksUsb)
{
    Instance("USBPORTS\\FTDIBUS\\0000", "COM5", "USB Serial Port (COM5)");
    Instance("USBPORTS\\PL2303\\0001", "COM6");
    Instance("usbports\\PL2303\\0000", "COM7");
    Instance("usbports\\*PNP0501\\0000", "COM8");
    Instance("USBPORTSX\\FTDIBUS\\0000", "COM9");
    Enumerate();
    EXPECT_EQ(list, (SerialPortList{Port("\\\\.\\COM5", "COM5", "USB Serial Port (COM5)", 1, "USB Serial Port"),
                                    Port("\\\\.\\COM6", "COM6", "COM6", 1, "COM6"),
                                    Port("\\\\.\\COM8", "COM8", "COM8", 0, "COM8")}));
}

TEST_F(RegistryWalk, InstanceWithoutPortNameIsPassedOver)
{
    Instance("ACPI\\*PNP0501\\0", std::nullopt, "Communications Port (COM1)");
    Instance("ACPI\\*PNP0501\\1", "COM2");
    Enumerate();
    EXPECT_EQ(PortNames(), std::vector<std::string>{"COM2"});
    EXPECT_EQ(services.OpenHandles(), 0u);
}

TEST_F(RegistryWalk, PortSeenAgainKeepsItsFirstPlaceWithItsLastValues)
{
    Instance("ACPI\\*PNP0501\\0", "COM1", "Communications Port (COM1)");
    Instance("ACPI\\*PNP0501\\1", "COM2", "Communications Port (COM2)");
    Instance("USBPORTS\\FTDIBUS\\0000", "COM1", "USB Serial Port (COM1)");
    Instance("USBPORTS\\FTDIBUS\\0001", "com2"); // names compare case-sensitively
    Enumerate();
    EXPECT_EQ(list, (SerialPortList{Port("\\\\.\\COM1", "COM1", "USB Serial Port (COM1)", 1, "USB Serial Port"),
                                    Port("\\\\.\\COM2", "COM2", "Communications Port (COM2)", 0, "Communications Port"),
                                    Port("\\\\.\\com2", "com2", "com2", 1, "com2")}));
}

TEST_F(RegistryWalk, SecondSightingWithoutFriendlyNameClearsTheFirstOnes)
{
    Instance("ACPI\\*PNP0501\\0", "COM1", "Communications Port (COM1)");
    Instance("ISAPNP\\*PNP0500\\0", "COM1");
    Enumerate();
    EXPECT_EQ(list, SerialPortList{Port("\\\\.\\COM1", "COM1", "COM1", 0, "COM1")});
}

TEST_F(RegistryWalk, NamesAndValuesMustFitTheir128ByteBuffers)
{
    const std::string longest(127, 'E');
    Instance(longest + "\\*PNP0501\\0", "COM1", std::string(127, 'F'));
    Instance("ACPI\\*PNP0501\\0", "COM2", std::string(128, 'F')); // unreadable: port name instead
    Instance("ACPI\\*PNP0501\\1", std::string(128, 'C'));        // unreadable: passed over
    Instance(longest + "E\\*PNP0501\\0", "COM3");                 // cannot be enumerated: the walk ends
    Instance("ISAPNP\\*PNP0501\\0", "COM4");
    Enumerate();
    ASSERT_EQ(PortNames(), (std::vector<std::string>{"COM1", "COM2"}));
    EXPECT_EQ(list[0].friendlyName, std::string(127, 'F'));
    EXPECT_EQ(list[1].friendlyName, "COM2");
}

TEST_F(RegistryWalk, EnumKeyMissingRaises)
{
    services = devices::ScriptedDeviceServices();
    services.SetVersion(4, kWindows9x);
    EXPECT_EQ(FailureAfterClosingKeys(), "Could not read from HKLM\\Enum");
}

TEST_F(RegistryWalk, EnumeratorKeyUnreadableRaisesWithItsName)
{
    Instance("ACPI\\*PNP0501\\0", "COM1");
    services.FailOpenKey("Enum\\ISAPNP");
    EXPECT_EQ(FailureAfterClosingKeys(), "Could not read from HKLM\\Enum\\ISAPNP");
    // Records found before the failure stay, as found.
    EXPECT_EQ(list, SerialPortList{Port("\\\\.\\COM1", "COM1", "", 0, "")});
}

TEST_F(RegistryWalk, DeviceKeyUnreadableRaisesWithEnumeratorAndDevice)
{
    Instance("ACPI\\*PNP0500\\0", "COM1");
    services.FailOpenKey("Enum\\ACPI\\*PNP0500");
    EXPECT_EQ(FailureAfterClosingKeys(), "Could not read from HKLM\\Enum\\ACPI\\*PNP0500");
}

TEST_F(RegistryWalk, InstanceKeyUnreadableRaisesWithElidedPathAfterClosingOuterKeys)
{
    Instance("USBPORTS\\FTDIBUS\\0000", "COM5");
    Instance("USBPORTS\\FTDIBUS\\0001", "COM6");
    services.FailOpenKey("Enum\\USBPORTS\\FTDIBUS\\0001");
    EXPECT_EQ(FailureAfterClosingKeys(), "Could not read from HKLM\\Enum\\...\\0001");
    EXPECT_EQ(LastCalls(3), (std::vector<std::string>{"CloseKey Enum\\USBPORTS\\FTDIBUS", "CloseKey Enum\\USBPORTS",
                                                      "CloseKey Enum"}));
    EXPECT_EQ(PortNames(), std::vector<std::string>{"COM5"});
}

} // namespace
