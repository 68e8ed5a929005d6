#include "platform/ui/qt/WindowBridge.h"

#include "platform/ui/InteractionHooks.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Window.h"
#include "platform/ui/qt/InputTranslation.h"
#include "platform/ui/qt/NativeHandles.h"
#include "platform/ui/qt/QtConvert.h"
#include "platform/ui/qt/WidgetHost.h"

#include <QAction>
#include <QCursor>
#include <QHash>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>

namespace ui {

namespace {

QHash<const QWidget*, Window*>& Owners()
{
    static QHash<const QWidget*, Window*> owners;
    return owners;
}

// The key event whose typed character a pre-translation consumed.
const QEvent* g_charConsumedBy = nullptr;

Point ClientPoint(QWidget* receiver, Window& target, QPointF position)
{
    const QPoint local = position.toPoint();
    QWidget* targetWidget = WidgetOf(target);
    QPoint mapped = receiver == targetWidget ? local : receiver->mapTo(targetWidget, local);
    if (auto* host = dynamic_cast<WidgetHost*>(targetWidget)) mapped -= host->ClientOrigin();
    return Point{mapped.x(), mapped.y()};
}

} // namespace

QWidget* WindowBridge::WidgetOf(const Window& window)
{
    return qt::ToQWidget(window.m_native);
}

void WindowBridge::Attach(Window& window, QWidget* widget, int id, uint32_t style, Font* font)
{
    window.m_native = qt::ToNative(widget);
    window.m_id = id;
    window.m_style = style;
    window.m_font = font;
    window.m_ownsWidget = false;
    Bind(widget, &window);
}

void WindowBridge::Adopt(Window& window, QWidget* widget, int id, uint32_t style)
{
    Attach(window, widget, id, style, window.m_font);
    window.m_ownsWidget = true;
}

void WindowBridge::Detach(Window& window)
{
    if (window.m_native != nullptr) Unbind(qt::ToQWidget(window.m_native));
    window.m_native = nullptr;
    window.m_ownsWidget = false;
}

void WindowBridge::Bind(QWidget* widget, Window* window)
{
    auto& owners = Owners();
    const bool known = owners.contains(widget);
    owners.insert(widget, window);
    if (!known) {
        QObject::connect(widget, &QObject::destroyed, [widget] {
            Window* owner = Owners().take(widget);
            if (owner != nullptr) ForgetWidget(*owner);
        });
    }
}

void WindowBridge::Unbind(QWidget* widget)
{
    Owners().remove(widget);
}

Window* WindowBridge::Owner(const QWidget* widget)
{
    return Owners().value(widget, nullptr);
}

Window* WindowBridge::Nearest(const QWidget* widget)
{
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (Window* owner = Owner(w)) return owner;
    }
    return nullptr;
}

Window* WindowBridge::NearestInTopLevel(const QWidget* widget)
{
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (Window* owner = Owner(w)) return owner;
        if (w->isWindow()) break;
    }
    return nullptr;
}

void WindowBridge::ForgetWidget(Window& window)
{
    window.m_native = nullptr;
    window.m_ownsWidget = false;
    window.KillTimers();
}

bool WindowBridge::WalkPreTranslate(Msg& msg)
{
    for (Window* w = msg.hwnd; w != nullptr && w->IsWindow(); w = w->GetParent()) {
        if (w->PreTranslateMessage(msg)) return true;
        if (WidgetOf(*w)->isWindow()) break;
    }
    return false;
}

bool WindowBridge::PreTranslate(QWidget* receiver, QEvent* event)
{
    // A key in a message box or a popup menu is that window's alone, never its owner's.
    Window* target = NearestInTopLevel(receiver);
    if (target == nullptr) return false;
    Msg msg;
    msg.hwnd = target;
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool press = event->type() == QEvent::KeyPress;
        if (press) g_charConsumedBy = nullptr;
        msg.message = qt::KeyMessage(*key, press);
        msg.wParam = qt::VirtualKey(*key);
        msg.lParam = qt::kKeyRepeat;
        // A key without a virtual-key code is no key message (its character still is).
        if (msg.wParam != 0 && WalkPreTranslate(msg)) return true;
        if (press && msg.message == WM_SYSKEYDOWN && msg.wParam == VK_SPACE) {
            if (Window* top = target->GetTopLevel(); top != nullptr && top->GetSystemMenu() != nullptr) {
                ShowSystemMenu(*top);
                return true;
            }
        }
        if (press) {
            if (const UINT ch = qt::TypedChar(*key); ch != 0) {
                Msg charMsg{target, msg.message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR, ch, qt::kKeyRepeat, {}};
                if (WalkPreTranslate(charMsg)) g_charConsumedBy = event;
            }
        }
        return false;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        msg.message = qt::MouseMessage(*mouse);
        if (msg.message == 0) return false;
        msg.pt = ClientPoint(receiver, *target, mouse->position());
        msg.wParam = qt::MouseFlags(mouse->buttons(), mouse->modifiers());
        msg.lParam = MAKELPARAM(msg.pt.x, msg.pt.y);
        return WalkPreTranslate(msg);
    }
    case QEvent::Wheel: {
        auto* wheel = static_cast<QWheelEvent*>(event);
        msg.message = WM_MOUSEWHEEL;
        msg.pt = ClientPoint(receiver, *target, wheel->position());
        msg.wParam = MAKEWPARAM(static_cast<int>(qt::MouseFlags(wheel->buttons(), wheel->modifiers())), wheel->angleDelta().y());
        msg.lParam = MAKELPARAM(msg.pt.x, msg.pt.y);
        return WalkPreTranslate(msg);
    }
    default: return false;
    }
}

bool WindowBridge::CharConsumed(const QEvent* event)
{
    return event != nullptr && event == g_charConsumedBy;
}

void WindowBridge::ShowSystemMenu(Window& window)
{
    Menu* menu = window.GetSystemMenu();
    if (menu == nullptr) return;
    InteractionHooks* hooks = InteractionHooks::Installed();
    std::optional<unsigned> chosen = hooks != nullptr ? hooks->OnSystemMenu(*menu) : std::nullopt;
    if (!chosen) {
        chosen = 0;
        QMenu popup(WidgetOf(window));
        if (hooks != nullptr) hooks->OnPopupShown(*qt::ToNative(&popup));
        for (const auto& entry : menu->Entries()) {
            if (entry.id == 0) {
                popup.addSeparator();
            } else {
                QAction* action = popup.addAction(qt::ToQString(entry.text));
                action->setData(entry.id);
            }
        }
        if (QAction* picked = popup.exec(QCursor::pos()); picked != nullptr) chosen = picked->data().toUInt();
    }
    if (*chosen != 0 && window.IsWindow()) window.SendMessage(WM_SYSCOMMAND, *chosen, 0);
}

} // namespace ui
