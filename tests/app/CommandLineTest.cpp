#include "app/CommandLine.h"

#include <gmock/gmock.h>

#include <vector>

using ::testing::HasSubstr;
using Action = CommandLine::Action;

namespace {

CommandLine Parse(const std::vector<const char*>& args)
{
    return CommandLine::Parse(args);
}

TEST(CommandLine, HelpAndVersionAreAnsweredWithoutRunning)
{
    EXPECT_EQ(Parse({"--help"}).action, Action::Help);
    EXPECT_EQ(Parse({"-h"}).action, Action::Help);
    EXPECT_EQ(Parse({"--version"}).action, Action::Version);
    EXPECT_EQ(Parse({"-platform", "offscreen", "--version"}).action, Action::Version);
    EXPECT_EQ(Parse({"--version", "--help"}).action, Action::Help) << "help wins wherever it stands";
    EXPECT_EQ(Parse({"--help", "--frobnicate"}).action, Action::Help) << "what follows --help is not read";
}

TEST(CommandLine, ToolkitOptionsPassThroughWithTheirValues)
{
    const std::vector<std::vector<const char*>> accepted = {
        {},
        {"-platform", "wayland"},
        {"--platform", "xcb"},
        {"-style", "fusion", "-reverse"},
        {"-style=fusion"},
        {"-qwindowgeometry", "640x480+0+0", "-qwindowtitle", "--help"}, // a value that looks like an option is a value
        {"-qmljsdebugger=port:1234"},
    };
    for (const auto& args : accepted) {
        const CommandLine line = Parse(args);
        EXPECT_EQ(line.action, Action::Run) << (args.empty() ? "(none)" : args[0]) << ": " << line.error;
    }
}

TEST(CommandLine, UnknownOptionsMissingValuesAndOperandsAreUsageErrors)
{
    const std::pair<std::vector<const char*>, const char*> refused[] = {
        {{"--frobnicate"}, "unknown option --frobnicate"},
        {{"-v"}, "unknown option -v"},
        {{"-platformwayland"}, "unknown option"},
        {{"-platform"}, "-platform needs a value"},
        {{"Demo.ini"}, "unexpected argument Demo.ini"},
        {{"--"}, "unexpected argument --"},
        {{"--version", "--frobnicate"}, "unknown option"},
    };
    for (const auto& [args, reason] : refused) {
        const CommandLine line = Parse(args);
        EXPECT_EQ(line.action, Action::UsageError) << args[0];
        EXPECT_THAT(line.error, HasSubstr(reason)) << args[0];
    }
}

} // namespace
