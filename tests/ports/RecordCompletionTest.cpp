#include "tests/ports/PortsFixture.h"

#include "ports/PortRecordCompletion.h"

namespace {

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
    for (const char* name : {"COM1", "", " (COM2)", "(COM2)", " (", "Port (A) (COM2)", "Port (COM2) x", "Port(COM2)", "Port (COM2",
             "Port COM2)", "Port) (COM2)"})
        EXPECT_EQ(DescriptionFromFriendlyName(name), name);
}

using RecordCompletion = PortsFixture;

TEST_F(RecordCompletion, ProbeRemovesPortsThatCannotBeOpenedIncludingNeighboursClosingTheRest)
{
    services.SetVersion(4, devices::VER_PLATFORM_WIN32_NT); // the sixteen fixed names
    for (const char* name : {"COM1", "COM3", "COM4", "COM16"}) services.FailOpenDevice(std::string("\\\\.\\") + name);
    Enumerate(true);
    EXPECT_EQ(PortNames(),
        (std::vector<std::string>{"COM2", "COM5", "COM6", "COM7", "COM8", "COM9", "COM10", "COM11", "COM12", "COM13", "COM14", "COM15"}));
    EXPECT_EQ(CallsStartingWith("OpenDevice").size(), 16u); // each examined once
    EXPECT_EQ(LastCalls(3), (std::vector<std::string>{"OpenDevice \\\\.\\COM15", "CloseDevice \\\\.\\COM15", "OpenDevice \\\\.\\COM16"}));
    EXPECT_EQ(services.OpenHandles(), 0u);
}

} // namespace
