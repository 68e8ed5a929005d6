#pragma once

// Ties widgets to the window objects that handle their messages, and routes the toolkit's
// input through the pre-translation walk.

#include "platform/ui/Messages.h"

#include <cstdint>

class QEvent;
class QWidget;

namespace ui {

class Font;
class Window;

class WindowBridge {
public:
    // The widget behind a window, null when it has none.
    static QWidget* WidgetOf(const Window& window);
    // Makes window stand for an existing widget (a template control it is bound to).
    static void Attach(Window& window, QWidget* widget, int id, uint32_t style, Font* font = nullptr);
    // The same for a widget the window made: it is destroyed with the window.
    static void Adopt(Window& window, QWidget* widget, int id, uint32_t style);
    static void Detach(Window& window);

    static void Bind(QWidget* widget, Window* window);
    static void Unbind(QWidget* widget);
    // The window bound to exactly this widget, or null.
    static Window* Owner(const QWidget* widget);
    // The window bound to this widget or its nearest ancestor, or null.
    static Window* Nearest(const QWidget* widget);
    // The same, but not past the top-level window the widget belongs to.
    static Window* NearestInTopLevel(const QWidget* widget);

    // Runs PreTranslateMessage from msg.hwnd outward to its top-level window.
    static bool WalkPreTranslate(Msg& msg);
    // Builds the message for a toolkit input event and walks it; true when consumed.
    static bool PreTranslate(QWidget* receiver, QEvent* event);
    // Whether the character of the key event now being delivered was consumed.
    static bool CharConsumed(const QEvent* event);

    static void ForgetWidget(Window& window);
    static void ShowSystemMenu(Window& window);
};

inline QWidget* WidgetOf(const Window& window)
{
    return WindowBridge::WidgetOf(window);
}

inline QWidget* WidgetOf(const Window* window)
{
    return window != nullptr ? WindowBridge::WidgetOf(*window) : nullptr;
}

} // namespace ui
