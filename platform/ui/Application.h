#pragma once

#include "platform/ui/ToolkitOptions.h"

#include <memory>
#include <string_view>

namespace ui {

// The toolkit's application object: exists once, before any window.
class Application {
public:
    Application(int& argc, char** argv);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The name by which the desktop finds the program's name and icon where it looks them up
    // (on Linux, the installed desktop entry's, without ".desktop"; Windows reads them from the
    // program file).
    void SetDesktopEntry(std::string_view id);

    // The toolkit's options the program takes on its command line and passes on.
    static const ToolkitOptions& Options();

    // Before any window: what the program prints (its help, its version) goes to the console it
    // was started from, which a windowed program on Windows must attach to first.
    static void UseParentConsole();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace ui
