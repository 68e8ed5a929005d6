#include "app/CommandLine.h"

#include <gmock/gmock.h>

#include <vector>

using ::testing::HasSubstr;
using Action = CommandLine::Action;

namespace {

// A toolkit's options of each kind, as the Linux one has them; Windows has none.
constexpr std::string_view kWithValue[] = {"platform", "style", "qwindowgeometry", "qwindowtitle"};
constexpr std::string_view kFlags[] = {"reverse"};
constexpr std::string_view kWithEquals[] = {"style=", "qmljsdebugger="};
const ui::ToolkitOptions kToolkit{kWithValue, kFlags, kWithEquals, "The toolkit's own options are passed to it.\n"};
const ui::ToolkitOptions kNoToolkit;

CommandLine Parse(const std::vector<const char*>& args, const ui::ToolkitOptions& toolkit = kToolkit)
{
    return CommandLine::Parse(args, toolkit);
}

TEST(CommandLine, HelpAndVersionAreAnsweredWithoutRunning)
{
    // Help wins wherever it stands, and what follows it is not read.
    const std::pair<std::vector<const char*>, Action> cases[] = {{{"--help"}, Action::Help}, {{"-h"}, Action::Help},
        {{"--version"}, Action::Version}, {{"-platform", "offscreen", "--version"}, Action::Version},
        {{"--version", "--help"}, Action::Help}, {{"--help", "--frobnicate"}, Action::Help}};
    for (const auto& [args, action] : cases) EXPECT_EQ(Parse(args).action, action) << args.back();
}

TEST(CommandLine, ToolkitOptionsPassThroughWithTheirValues)
{
    // A value that looks like an option ("--help" after -qwindowtitle) is a value.
    const std::vector<std::vector<const char*>> accepted
        = {{}, {"-platform", "wayland"}, {"--platform", "xcb"}, {"-style", "fusion", "-reverse"}, {"-style=fusion"},
            {"-qwindowgeometry", "640x480+0+0", "-qwindowtitle", "--help"}, {"-qmljsdebugger=port:1234"}};
    for (const auto& args : accepted) {
        const CommandLine line = Parse(args);
        EXPECT_EQ(line.action, Action::Run) << (args.empty() ? "(none)" : args[0]) << ": " << line.error;
    }
}

TEST(CommandLine, UnknownOptionsMissingValuesAndOperandsAreUsageErrors)
{
    const std::pair<std::vector<const char*>, const char*> refused[]
        = {{{"--frobnicate"}, "unknown option --frobnicate"}, {{"-v"}, "unknown option -v"}, {{"-platformwayland"}, "unknown option"},
            {{"-platform"}, "-platform needs a value"}, {{"Demo.ini"}, "unexpected argument Demo.ini"}, {{"--"}, "unexpected argument --"},
            {{"--version", "--frobnicate"}, "unknown option"}};
    for (const auto& [args, reason] : refused) {
        const CommandLine line = Parse(args);
        EXPECT_EQ(line.action, Action::UsageError) << args[0];
        EXPECT_THAT(line.error, HasSubstr(reason)) << args[0];
    }
}

// Where the toolkit takes no options, its names are unknown, and the usage text offers none.
TEST(CommandLine, WithoutToolkitOptionsItsNamesAreUnknownAndTheUsageOffersNone)
{
    for (const std::vector<const char*>& args : {std::vector<const char*>{"-platform", "wayland"}, {"-reverse"}, {"-style=fusion"}}) {
        const CommandLine line = Parse(args, kNoToolkit);
        EXPECT_EQ(line.action, Action::UsageError) << args[0];
        EXPECT_THAT(line.error, HasSubstr("unknown option")) << args[0];
    }
    EXPECT_THAT(CommandLine::Usage(kToolkit), HasSubstr("[toolkit options]\n"));
    EXPECT_THAT(CommandLine::Usage(kToolkit), HasSubstr(kToolkit.usage));
    EXPECT_THAT(CommandLine::Usage(kNoToolkit), ::testing::Not(HasSubstr("toolkit")));
}

} // namespace
