#pragma once

#include <span>
#include <string>

// What velmora's own options ask for, read before the toolkit sees the command line. The
// toolkit's options (-platform xcb, -style=fusion, ...) pass through to it untouched.
struct CommandLine {
    enum class Action { Run, Help, Version, UsageError };

    Action action = Action::Run;
    // The offending argument's message when action is UsageError.
    std::string error;

    static constexpr const char* kUsage = "usage: velmora [--help] [--version] [toolkit options]\n"
                                          "Tests and probes a PowerFC engine controller on a serial line.\n"
                                          "Reads Velmora.ini and its profiles from the current directory.\n"
                                          "  -h, --help     print this text and exit\n"
                                          "      --version  print the version and exit\n"
                                          "Qt's own options, e.g. -platform wayland or -style fusion, are passed to Qt.\n";

    static CommandLine Parse(std::span<const char* const> args);
};
