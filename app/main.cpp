#include "app/CVelmoraApp.h"
#include "app/CommandLine.h"
#include "app/WorkingFolder.h"

#include "platform/profile/Folders.h"
#include "platform/profile/ProfileFile.h"
#include "platform/ui/Application.h"
#include "resources/ResourceIds.h"
#include "sim/SimulatedPort.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    // Read before the toolkit starts, so that --help and --version need no display.
    const ui::ToolkitOptions& toolkit = ui::Application::Options();
    const CommandLine line = CommandLine::Parse({argv + 1, static_cast<size_t>(argc - 1)}, toolkit);
    if (line.action != CommandLine::Action::Run) ui::Application::UseParentConsole();
    switch (line.action) {
    case CommandLine::Action::Help: std::fputs(CommandLine::Usage(toolkit).c_str(), stdout); return 0;
    case CommandLine::Action::Version: std::puts("velmora " VELMORA_VERSION); return 0;
    case CommandLine::Action::UsageError:
        std::fprintf(stderr, "velmora: %s\n%s", line.error.c_str(), CommandLine::Usage(toolkit).c_str());
        return 2;
    case CommandLine::Action::Run: break;
    }

    // Installed and started in its own folder: the user's documents folder's Velmora.
    const std::string program = profile::ProgramFolder();
    if (const auto folder = workfolder::InsteadOf(profile::GetCurrentDirectory(), program, profile::DocumentsFolder())) {
        if (workfolder::Prepare(*folder, profile::InFolder(program, workfolder::kExamples))) profile::ChangeDirectory(*folder);
    }

    ui::Application application(argc, argv);
    application.SetDesktopEntry(VELMORA_DESKTOP_ID);
    res::InstallResources();
    // The simulated controller is one more port, "sim:", for demonstrations and training.
    sim::RegisterSimulatedPort();
    theApp.InitInstance();
    return 0;
}
