#include "platform/ui/testing/PopupAction.h"

#include "platform/ui/qt/NativeHandles.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace ui::testing {

void RunInsidePopup(NativeWidget& native, std::function<void()> action, std::function<void()> leftOpen)
{
    QWidget* popup = qt::ToQWidget(&native);
    QPointer<QWidget> guard(popup);
    QTimer::singleShot(0, popup, [guard, action = std::move(action), leftOpen = std::move(leftOpen)] {
        // Activated as a window manager would, so keys reach the popup.
        if (guard->windowType() != Qt::Popup) QApplication::setActiveWindow(guard);
        action();
        if (guard && guard->isVisible()) {
            leftOpen();
            guard->close();
        }
    });
}

} // namespace ui::testing
