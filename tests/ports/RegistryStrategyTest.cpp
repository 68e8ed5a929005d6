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

    // An instance key under Enum; an absent value is not written.
    void Instance(const std::string& path, const std::optional<std::string>& portName, const std::optional<std::string>& friendly = {})
    {
        const std::string key = "Enum\\" + path;
        services.AddKey(key);
        if (portName) services.SetString(key, "PORTNAME", *portName);
        if (friendly) services.SetString(key, "FRIENDLYNAME", *friendly);
    }
};

// Exactly named serial port devices with a port name, under any enumerator; under upper-case
// USBPORTS every device, marked USB. Devices passed over are never opened.
TEST_F(RegistryWalk, ListsSerialPortDevicesWithAPortNameAndEveryUsbPort)
{
    for (const char* device : {"*pnp0501", "*PNP05011", "PNP0501"}) Instance("ACPI\\" + std::string(device) + "\\0", "COM9");
    Instance("ACPI\\*PNP0501\\0", std::nullopt, "Communications Port (COM3)");
    Instance("ACPI\\*PNP0501\\1", "COM1", "Communications Port (COM1)");
    Instance("BIOS\\*PNP0400\\0", "LPT1", "Printer Port (LPT1)");
    Instance("ISAPNP\\*PNP0500\\0", "COM2");
    Instance("USBPORTS\\FTDIBUS\\0000", "COM5", "USB Serial Port (COM5)");
    Instance("USBPORTS\\PL2303\\0001", "COM6");
    Instance("usbports\\PL2303\\0000", "COM7");
    Instance("usbports\\*PNP0501\\0000", "COM8");
    Instance("USBPORTSX\\FTDIBUS\\0000", "COM9");
    Enumerate();
    EXPECT_EQ(list,
        (SerialPortList{{"\\\\.\\COM1", "COM1", "Communications Port (COM1)", 0, "Communications Port"},
            {"\\\\.\\COM2", "COM2", "COM2", 0, "COM2"}, {"\\\\.\\COM5", "COM5", "USB Serial Port (COM5)", 1, "USB Serial Port"},
            {"\\\\.\\COM6", "COM6", "COM6", 1, "COM6"}, {"\\\\.\\COM8", "COM8", "COM8", 0, "COM8"}}));
    EXPECT_EQ(CallsStartingWith("OpenKey Enum\\ACPI\\"),
        (Calls{"OpenKey Enum\\ACPI\\*PNP0501", "OpenKey Enum\\ACPI\\*PNP0501\\0", "OpenKey Enum\\ACPI\\*PNP0501\\1"}));
    EXPECT_EQ(services.OpenHandles(), 0u);
}

TEST_F(RegistryWalk, UnreadableKeyRaisesItsPathAfterClosingEveryOpenedKeyAndKeepsEarlierRecordsAsFound)
{
    const struct { std::string key, text; SerialPortList found; } cases[] = {
        {"Enum", "Could not read from HKLM\\Enum", {}},
        {"Enum\\USBPORTS", "Could not read from HKLM\\Enum\\USBPORTS", {{"\\\\.\\COM1", "COM1", "", 0, ""}}},
        {"Enum\\ACPI\\*PNP0500", "Could not read from HKLM\\Enum\\ACPI\\*PNP0500", {}},
        {"Enum\\USBPORTS\\FTDIBUS\\0001", "Could not read from HKLM\\Enum\\...\\0001",
            {{"\\\\.\\COM1", "COM1", "", 0, ""}, {"\\\\.\\COM5", "COM5", "", 1, ""}}},
    };
    for (const auto& [key, text, found] : cases) {
        services = devices::ScriptedDeviceServices();
        SetUp();
        Instance("ACPI\\*PNP0500\\0", "COM1");
        Instance("USBPORTS\\FTDIBUS\\0000", "COM5");
        Instance("USBPORTS\\FTDIBUS\\0001", "COM6");
        services.FailOpenKey(key);
        EXPECT_EQ(FailureText(), text) << key;
        EXPECT_EQ(std::pair(services.OpenHandles(), list), std::pair(size_t{0}, found)) << key;
    }
    // After the unreadable instance its parents closed inside out.
    EXPECT_EQ(LastCalls(3), (Calls{"CloseKey Enum\\USBPORTS\\FTDIBUS", "CloseKey Enum\\USBPORTS", "CloseKey Enum"}));
}

} // namespace
