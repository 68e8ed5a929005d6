#pragma once

#include "sim/FaultPlan.h"
#include "sim/ResponderConfig.h"

#include <optional>
#include <span>
#include <string>

namespace sim {

// The command line of velmora-sim: what the controller says and how its replies go wrong.
struct ToolOptions {
    ResponderConfig config;
    FaultPlan faults;
    std::string logPath; // where each exchange is written down; none when empty
    int hangUpAt = 0; // the request on whose arrival the terminal hangs up; never when 0
    bool help = false;

    static constexpr const char* kUsage = "usage: velmora-sim [options]\n"
                                          "Creates a pseudo-terminal, prints its path and answers as the controller until killed.\n"
                                          "  --engine-code TEXT     reply to F3 (8 characters)\n"
                                          "  --version TEXT         reply to F5 (5 characters)\n"
                                          "  --live-length L        length byte of the F0 reply (default 32, extended 44)\n"
                                          "  --password TEXT        password field of AD (default eight blanks: unlocked)\n"
                                          "  --byte-maps HH,HH,...  base commands of the byte maps, hexadecimal (default 40,44,48)\n"
                                          "  --word-map HH          base command of the word map, hexadecimal (default 50)\n"
                                          "  --silent               never reply\n"
                                          "  --bad-checksum         every reply's checksum is wrong\n"
                                          "  --wrong-length N       every reply's length byte is off by N, e.g. 1 or -1\n"
                                          "  --truncate N           every reply lacks its last N bytes\n"
                                          "  --stray HEX            bytes sent ahead of every reply, e.g. 55AA\n"
                                          "  --pause I:MS           a pause of MS milliseconds before byte I of every reply\n"
                                          "  --late MS              every reply starts MS milliseconds late\n"
                                          "  --log FILE             write each request and what went back to FILE, one line each\n"
                                          "  --hang-up-at N         hang up, as an unplugged device, when request N arrives\n";

    // Nothing, with the reason in `error`, when an option is unknown or its value bad.
    static std::optional<ToolOptions> Parse(std::span<const char* const> args, std::string& error);
};

} // namespace sim
