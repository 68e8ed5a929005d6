#include "tests/ports/PortsFixture.h"

#include "ports/PortRecordCompletion.h"

namespace {

using devices::VER_PLATFORM_WIN32_NT;
using ports::DescriptionFromFriendlyName;

TEST(DescriptionFromFriendlyName, CutsATrailingQualifierAfterTheFirstCharacter)
{
    EXPECT_EQ(DescriptionFromFriendlyName("Communications Port (COM1)"), "Communications Port");
    EXPECT_EQ(DescriptionFromFriendlyName("Port (COM2)"), "Port");
    EXPECT_EQ(DescriptionFromFriendlyName("P (COM2)"), "P");
    EXPECT_EQ(DescriptionFromFriendlyName("Port ()"), "Port");
}

TEST(DescriptionFromFriendlyName, KeepsEveryOtherNameWhole)
{
    for (const char* name : {"COM1", "", " (COM2)", " (", "Port (A) (COM2)", "Port (COM2) x", "Port(COM2)",
                             "Port (COM2", "Port COM2)", "Port) (COM2)"})
        EXPECT_EQ(DescriptionFromFriendlyName(name), name);
}

class RecordCompletion : public PortsFixture {
protected:
    void SetUp() override { services.SetVersion(4, VER_PLATFORM_WIN32_NT); } // the sixteen fixed names

    std::vector<std::string> PortNames() const
    {
        std::vector<std::string> names;
        for (const auto& port : list)
            names.push_back(port.portName);
        return names;
    }
};

TEST_F(RecordCompletion, ProbeRemovesPortsThatCannotBeOpenedIncludingNeighbours)
{
    for (const char* name : {"COM1", "COM3", "COM4", "COM16"})
        services.FailOpenDevice(std::string("\\\\.\\") + name);
    Enumerate(true);
    EXPECT_EQ(PortNames(), (std::vector<std::string>{"COM2", "COM5", "COM6", "COM7", "COM8", "COM9", "COM10", "COM11",
                                                     "COM12", "COM13", "COM14", "COM15"}));
    EXPECT_EQ(CallsStartingWith("OpenDevice").size(), 16u); // each examined once
}

TEST_F(RecordCompletion, ProbeClosesEachPortRightAfterOpeningIt)
{
    services.FailOpenDevice("\\\\.\\COM2");
    Enumerate(true);
    const auto& calls = services.Calls();
    EXPECT_EQ(std::vector<std::string>(calls.begin() + 1, calls.begin() + 4),
              (std::vector<std::string>{"OpenDevice \\\\.\\COM1", "CloseDevice \\\\.\\COM1", "OpenDevice \\\\.\\COM2"}));
    EXPECT_EQ(CallsStartingWith("CloseDevice").size(), 15u);
    EXPECT_EQ(services.OpenHandles(), 0u);
}

TEST_F(RecordCompletion, ProbeCanEmptyTheList)
{
    for (int n = 1; n <= 16; ++n)
        services.FailOpenDevice("\\\\.\\COM" + std::to_string(n));
    Enumerate(true);
    EXPECT_TRUE(list.empty());
}

TEST_F(RecordCompletion, ProbeAppliesToDeviceInterfacePaths)
{
    services.SetVersion(6, VER_PLATFORM_WIN32_NT);
    services.AddInterface({"\\\\?\\gone", "Gone (COM3)", "Gone", "x"});
    services.AddInterface({"\\\\?\\here", "Here (COM4)", "Here", "x"});
    services.FailOpenDevice("\\\\?\\gone");
    Enumerate(true);
    EXPECT_EQ(list, SerialPortList{Port("\\\\?\\here", "", "Here (COM4)", 0, "Here")});
}

} // namespace
