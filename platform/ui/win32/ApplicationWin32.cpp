// The application on Win32: the program's windows need no toolkit object, only our window
// classes and the common controls, registered before the first window.

#include "platform/ui/Application.h"

#include <clocale>
#include <cstdio>

#include "platform/ui/win32/WindowBridge.h"

namespace ui {

struct Application::Impl { };

Application::Application(int&, char**)
    : m_impl(std::make_unique<Impl>())
{
    ::SetProcessDPIAware();
    WindowBridge::RegisterClasses();
    std::setlocale(LC_NUMERIC, "C");
}

Application::~Application() = default;

void Application::UseParentConsole()
{
    // Handles the parent gave (a pipe, a file) are kept; a console window it runs in is joined.
    const bool inherited = ::GetStdHandle(STD_OUTPUT_HANDLE) != nullptr && ::GetStdHandle(STD_OUTPUT_HANDLE) != INVALID_HANDLE_VALUE;
    if (inherited || !::AttachConsole(ATTACH_PARENT_PROCESS)) return;
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
}

void Application::SetDesktopEntry(std::string_view)
{
    // The taskbar finds the name and icon in the program's own resources.
}

const ToolkitOptions& Application::Options()
{
    static const ToolkitOptions none;
    return none;
}

} // namespace ui
