#include "app/CommandLine.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// The toolkit's options as QGuiApplication and QApplication read them; each may also be
// written with two dashes.
constexpr std::array<std::string_view, 15> kToolkitOptionsWithValue = {"platform", "platformpluginpath", "platformtheme", "plugin",
    "qwindowgeometry", "geometry", "qwindowicon", "icon", "qwindowtitle", "title", "display", "name", "session", "style", "stylesheet"};
constexpr std::array<std::string_view, 7> kToolkitFlags = {"reverse", "widgetcount", "nograb", "dograb", "testability", "sync", "visual"};
constexpr std::array<std::string_view, 3> kToolkitOptionsWithEquals = {"style=", "stylesheet=", "qmljsdebugger="};

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

CommandLine CommandLine::Parse(std::span<const char* const> args)
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
        if (Contains(kToolkitFlags, name) || HasPrefixIn(kToolkitOptionsWithEquals, name)) continue;
        if (!Contains(kToolkitOptionsWithValue, name)) return UsageError("unknown option " + std::string(arg));
        if (i + 1 == args.size()) return UsageError(std::string(arg) + " needs a value");
        ++i;
    }
    return line;
}
