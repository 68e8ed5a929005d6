#pragma once

#include <memory>
#include <string_view>

namespace ui {

// The toolkit's application object: exists once, before any window.
class Application {
public:
    enum class Display { Screen, Headless };

    Application(int& argc, char** argv, Display display = Display::Screen);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The installed desktop entry's name without ".desktop": on Wayland the compositor finds
    // the program's name and icon through it.
    void SetDesktopEntry(std::string_view id);

    // Before any window: what the program prints (its help, its version) goes to the console it
    // was started from, which a windowed program on Windows must attach to first.
    static void UseParentConsole();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace ui
