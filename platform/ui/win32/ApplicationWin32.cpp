// The application on Win32: the program's windows need no toolkit object, only our window
// classes and the common controls, registered before the first window.

#include "platform/ui/Application.h"

#include <clocale>

#include "platform/ui/win32/WindowBridge.h"

namespace ui {

struct Application::Impl { };

Application::Application(int&, char**, Display)
    : m_impl(std::make_unique<Impl>())
{
    // Windows draws every window on a display, in a test too: there is no headless mode.
    ::SetProcessDPIAware();
    WindowBridge::RegisterClasses();
    std::setlocale(LC_NUMERIC, "C");
}

Application::~Application() = default;

void Application::SetDesktopEntry(std::string_view)
{
    // The taskbar finds the name and icon in the program's own resources.
}

} // namespace ui
