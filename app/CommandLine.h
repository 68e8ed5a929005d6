#pragma once

#include "platform/ui/ToolkitOptions.h"

#include <span>
#include <string>

// What velmora's own options ask for, read before the toolkit sees the command line. The
// toolkit's options (on Linux, -platform xcb, -style=fusion, ...) pass through to it untouched.
struct CommandLine {
    enum class Action { Run, Help, Version, UsageError };

    Action action = Action::Run;
    // The offending argument's message when action is UsageError.
    std::string error;

    static CommandLine Parse(std::span<const char* const> args, const ui::ToolkitOptions& toolkit);
    static std::string Usage(const ui::ToolkitOptions& toolkit);
};
