#pragma once

// Key and mouse events of the toolkit as window messages.

#include "platform/ui/Messages.h"

class QKeyEvent;
class QMouseEvent;
class QWheelEvent;
class QWidget;

#include <Qt>

namespace ui::qt {

UINT KeyMessage(const QKeyEvent& event, bool press);
UINT MouseMessage(const QMouseEvent& event);
UINT MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
// The character a key event types, 0 when none (Return, Tab, Escape and Backspace type
// their control characters).
UINT TypedChar(const QKeyEvent& event);

} // namespace ui::qt
