#pragma once

#include <memory>

namespace ui {

// The toolkit's application object: exists once, before any window.
class Application {
public:
    enum class Display { Screen, Headless };

    Application(int& argc, char** argv, Display display = Display::Screen);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace ui
