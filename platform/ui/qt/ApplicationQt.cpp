#include "platform/ui/Application.h"

#include "platform/ui/qt/FirstWindowProbe.h"
#include "platform/ui/qt/WindowBridge.h"

#include <QApplication>
#include <QFont>
#include <QWidget>
#include <clocale>

namespace ui {

namespace {

bool IsRoutedInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel: return true;
    default: return false;
    }
}

// Every key and mouse event passes the windows' pre-translation before it is delivered.
class RoutingApplication : public QApplication {
public:
    RoutingApplication(int& argc, char** argv)
        : QApplication(argc, argv)
    { }

    bool notify(QObject* receiver, QEvent* event) override
    {
        if (receiver->isWidgetType() && IsRoutedInput(event->type())) {
            auto* widget = static_cast<QWidget*>(receiver);
            if (widget->isEnabled() && WindowBridge::PreTranslate(widget, event)) {
                event->accept();
                return true;
            }
        }
        return QApplication::notify(receiver, event);
    }
};

} // namespace

struct Application::Impl {
    std::unique_ptr<RoutingApplication> app;
};

Application::Application(int& argc, char** argv)
    : m_impl(std::make_unique<Impl>())
{
    m_impl->app = std::make_unique<RoutingApplication>(argc, argv);
    InstallFirstWindowProbe(*m_impl->app);
    // The toolkit takes the user's locale; numbers are read and printed the C way throughout.
    std::setlocale(LC_NUMERIC, "C");
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(12);
    QApplication::setFont(font);
}

Application::~Application() = default;

void Application::UseParentConsole()
{
    // Standard output already is the terminal the program was started from, or where it points.
}

void Application::SetDesktopEntry(std::string_view id)
{
    QGuiApplication::setDesktopFileName(QString::fromUtf8(id.data(), static_cast<qsizetype>(id.size())));
}

const ToolkitOptions& Application::Options()
{
    // As QGuiApplication and QApplication read them.
    static constexpr std::string_view withValue[] = {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
        "geometry", "qwindowicon", "icon", "qwindowtitle", "title", "display", "name", "session", "style", "stylesheet"};
    static constexpr std::string_view flags[] = {"reverse", "widgetcount", "nograb", "dograb", "testability", "sync", "visual"};
    static constexpr std::string_view withEquals[] = {"style=", "stylesheet=", "qmljsdebugger="};
    static const ToolkitOptions options{
        withValue, flags, withEquals, "Qt's own options, e.g. -platform wayland or -style fusion, are passed to Qt.\n"};
    return options;
}

} // namespace ui
