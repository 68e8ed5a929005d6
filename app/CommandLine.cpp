#include "app/CommandLine.h"

#include <algorithm>
#include <string_view>

namespace {

bool Contains(std::span<const std::string_view> names, std::string_view name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool HasPrefixIn(std::span<const std::string_view> prefixes, std::string_view name)
{
    return std::any_of(prefixes.begin(), prefixes.end(), [name](std::string_view prefix) { return name.starts_with(prefix); });
}

CommandLine UsageError(std::string message)
{
    CommandLine line;
    line.action = CommandLine::Action::UsageError;
    line.error = std::move(message);
    return line;
}

} // namespace

CommandLine CommandLine::Parse(std::span<const char* const> args, const ui::ToolkitOptions& toolkit)
{
    CommandLine line;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "-h" || arg == "--help") return CommandLine{Action::Help, {}};
        if (arg == "--version") {
            line.action = Action::Version;
            continue;
        }
        if (!arg.starts_with('-') || arg == "-" || arg == "--") return UsageError("unexpected argument " + std::string(arg));
        const std::string_view name = arg.substr(arg.starts_with("--") ? 2 : 1);
        if (Contains(toolkit.flags, name) || HasPrefixIn(toolkit.withEquals, name)) continue;
        if (!Contains(toolkit.withValue, name)) return UsageError("unknown option " + std::string(arg));
        if (i + 1 == args.size()) return UsageError(std::string(arg) + " needs a value");
        ++i;
    }
    return line;
}

std::string CommandLine::Usage(const ui::ToolkitOptions& toolkit)
{
    return std::string(
               toolkit.usage.empty() ? "usage: velmora [--help] [--version]\n" : "usage: velmora [--help] [--version] [toolkit options]\n")
        + "Tests and probes a PowerFC engine controller on a serial line.\n"
          "Reads Velmora.ini and its profiles from the current directory.\n"
          "  -h, --help     print this text and exit\n"
          "      --version  print the version and exit\n"
        + std::string(toolkit.usage);
}
