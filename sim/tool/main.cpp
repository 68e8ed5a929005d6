// velmora-sim: the simulated controller behind a pseudo-terminal, paced like the real line.
#include "sim/ExchangeLog.h"
#include "sim/PtyServer.h"
#include "sim/RealClock.h"
#include "sim/SimulatedController.h"
#include "sim/ToolOptions.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <span>
#include <string>

int main(int argc, char** argv)
{
    std::string error;
    const auto options = sim::ToolOptions::Parse(std::span<const char* const>(argv + 1, static_cast<size_t>(argc - 1)), error);
    if (!options) {
        std::fprintf(stderr, "velmora-sim: %s\n%s", error.c_str(), sim::ToolOptions::kUsage);
        return 2;
    }
    if (options->help) {
        std::fputs(sim::ToolOptions::kUsage, stdout);
        return 0;
    }

    sim::SimulatedController controller(std::make_shared<sim::RealClock>(), options->config);
    controller.Pacing().SetPaced(true);
    controller.Faults().Set(options->faults);
    std::ofstream log;
    if (!options->logPath.empty()) {
        log.open(options->logPath, std::ios::trunc);
        if (!log) {
            std::perror(("velmora-sim: cannot write " + options->logPath).c_str());
            return 1;
        }
    }

    sim::PtyServer server(controller);
    int requests = 0;
    controller.ObserveExchanges([&](std::span<const uint8_t> request, std::span<const uint8_t> reply) {
        if (++requests == options->hangUpAt) server.HangUp();
        if (log.is_open()) log << sim::ExchangeLog::Line(request, reply) << std::endl;
    });
    if (!server.Open()) {
        std::perror("velmora-sim: cannot create a pseudo-terminal");
        return 1;
    }
    std::printf("%s\n", server.DevicePath().c_str());
    std::fflush(stdout);
    server.Serve();
    return 0;
}
