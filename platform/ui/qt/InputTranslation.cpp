#include "platform/ui/qt/InputTranslation.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace ui::qt {

UINT KeyMessage(const QKeyEvent& event, bool press)
{
    const bool alt = (event.modifiers() & Qt::AltModifier) != 0;
    if (press) return alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    return alt ? WM_SYSKEYUP : WM_KEYUP;
}

UINT MouseMessage(const QMouseEvent& event)
{
    const bool left = event.button() == Qt::LeftButton;
    const bool right = event.button() == Qt::RightButton;
    switch (event.type()) {
    case QEvent::MouseButtonPress: return left ? WM_LBUTTONDOWN : right ? WM_RBUTTONDOWN : 0;
    case QEvent::MouseButtonRelease: return left ? WM_LBUTTONUP : right ? WM_RBUTTONUP : 0;
    case QEvent::MouseButtonDblClick: return left ? WM_LBUTTONDBLCLK : right ? WM_RBUTTONDOWN : 0;
    case QEvent::MouseMove: return WM_MOUSEMOVE;
    default: return 0;
    }
}

UINT MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    UINT flags = 0;
    if (buttons & Qt::LeftButton) flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton) flags |= MK_RBUTTON;
    if (modifiers & Qt::ShiftModifier) flags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier) flags |= MK_CONTROL;
    return flags;
}

UINT TypedChar(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return '\r';
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return '\t';
    case Qt::Key_Escape: return 0x1B;
    case Qt::Key_Backspace: return '\b';
    default: break;
    }
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return 0;
    const QString text = event.text();
    if (text.isEmpty() || !text.at(0).isPrint()) return 0;
    return text.toUcs4().value(0);
}

} // namespace ui::qt
