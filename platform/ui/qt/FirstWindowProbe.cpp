#include "platform/ui/qt/FirstWindowProbe.h"

#include <QApplication>
#include <QEvent>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

namespace ui {

namespace {

class FirstWindowProbe : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Expose, not Show: the window has a surface the compositor or X server displays.
        if (event->type() != QEvent::Expose || !watched->isWindowType()) return false;
        auto* window = static_cast<QWindow*>(watched);
        if (!window->isTopLevel() || !window->isExposed()) return false;
        std::printf("first window: %s %dx%d scale %g \"%s\"\n", qPrintable(QGuiApplication::platformName()), window->width(),
            window->height(), window->devicePixelRatio(), window->title().toUtf8().constData());
        std::fflush(stdout);
        std::_Exit(EXIT_SUCCESS);
    }
};

} // namespace

void InstallFirstWindowProbe(QApplication& app)
{
    const char* wanted = std::getenv("VELMORA_EXIT_ON_FIRST_WINDOW");
    if (wanted == nullptr || *wanted == '\0') return;
    app.installEventFilter(new FirstWindowProbe(&app));
}

} // namespace ui
