#include "platform/ui/qt/WidgetHost.h"

#include "platform/ui/DeviceContext.h"
#include "platform/ui/Window.h"
#include "platform/ui/qt/InputTranslation.h"
#include "platform/ui/qt/NativeHandles.h"
#include "platform/ui/qt/QtConvert.h"
#include "platform/ui/qt/WindowBridge.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

namespace ui {

namespace {

int ScrollCode(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return SB_LINEUP;
    case QAbstractSlider::SliderSingleStepAdd: return SB_LINEDOWN;
    case QAbstractSlider::SliderPageStepSub: return SB_PAGEUP;
    case QAbstractSlider::SliderPageStepAdd: return SB_PAGEDOWN;
    case QAbstractSlider::SliderToMinimum: return SB_TOP;
    case QAbstractSlider::SliderToMaximum: return SB_BOTTOM;
    case QAbstractSlider::SliderMove: return SB_THUMBTRACK;
    default: return -1;
    }
}

Window* FocusWindow(QWidget* widget)
{
    return widget != nullptr ? WindowBridge::Nearest(widget) : nullptr;
}

} // namespace

WidgetHost::WidgetHost(QWidget* parent)
    : QWidget(parent)
{
    // A custom-drawn window hears the pointer move with no button held: a grid learns so that a
    // press whose button-up went to another window has ended.
    setMouseTracking(true);
    // Typing with an input method on reaches the window as the text the method commits.
    setAttribute(Qt::WA_InputMethodEnabled);
    for (int bar : {SB_HORZ, SB_VERT}) {
        auto* scrollBar = new QScrollBar(bar == SB_HORZ ? Qt::Horizontal : Qt::Vertical, this);
        scrollBar->hide();
        scrollBar->setFocusPolicy(Qt::NoFocus);
        connect(scrollBar, &QAbstractSlider::actionTriggered, this, [this, bar](int action) { OnScrollAction(bar, action); });
        m_bars[bar] = scrollBar;
    }
}

Window* WidgetHost::Owner() const
{
    return WindowBridge::Owner(this);
}

QScrollBar* WidgetHost::ScrollBar(int bar) const
{
    return m_bars[bar == SB_HORZ ? SB_HORZ : SB_VERT];
}

void WidgetHost::ShowScrollBar(int bar, bool show)
{
    ScrollBar(bar)->setVisible(show);
    LayoutScrollBars();
}

bool WidgetHost::IsScrollBarShown(int bar) const
{
    return !ScrollBar(bar)->isHidden();
}

void WidgetHost::SetBorder(bool border)
{
    m_border = border ? 1 : 0;
    LayoutScrollBars();
    update();
}

QRect WidgetHost::ClientRect() const
{
    int w = width() - 2 * m_border;
    int h = height() - 2 * m_border;
    if (IsScrollBarShown(SB_VERT)) w -= ScrollBar(SB_VERT)->sizeHint().width();
    if (IsScrollBarShown(SB_HORZ)) h -= ScrollBar(SB_HORZ)->sizeHint().height();
    return QRect(0, 0, std::max(0, w), std::max(0, h));
}

void WidgetHost::LayoutScrollBars()
{
    const QRect client = ClientRect();
    const int b = m_border;
    if (IsScrollBarShown(SB_VERT))
        ScrollBar(SB_VERT)->setGeometry(b + client.width(), b, width() - 2 * b - client.width(), client.height());
    if (IsScrollBarShown(SB_HORZ))
        ScrollBar(SB_HORZ)->setGeometry(b, b + client.height(), client.width(), height() - 2 * b - client.height());
}

void WidgetHost::OnScrollAction(int bar, int action)
{
    Window* owner = Owner();
    const int code = ScrollCode(action);
    if (owner == nullptr || code < 0) return;
    QScrollBar* scrollBar = ScrollBar(bar);
    const int tracked = scrollBar->sliderPosition();
    m_trackPos[bar == SB_HORZ ? SB_HORZ : SB_VERT] = tracked;
    // The window decides where the bar ends up: keep the position it had unless it sets one.
    scrollBar->setSliderPosition(scrollBar->value());
    owner->SendMessage(bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(code, tracked), 0);
}

bool WidgetHost::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        Window* owner = Owner();
        if (tab && owner != nullptr && (owner->SendMessage(WM_GETDLGCODE) & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) != 0) {
            keyPressEvent(key);
            return true;
        }
    }
    return QWidget::event(event);
}

void WidgetHost::paintEvent(QPaintEvent* event)
{
    Window* owner = Owner();
    if (owner == nullptr) return;
    QPainter painter(this);
    if (m_border != 0) {
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(0, 0, width() - 1, height() - 1);
    }
    painter.translate(ClientOrigin());
    const QRect client = ClientRect();
    painter.setClipRect(client);
    // The clip box bounds only the client part of the update: a scroll bar repainting itself
    // beside the client area must not widen it.
    const QRegion update = event->region().translated(-ClientOrigin()).intersected(client);
    std::vector<Rect> parts;
    for (const QRect& part : update) parts.push_back(qt::FromQRect(part));
    DC dc(*qt::ToNative(&painter), qt::FromQRect(update.boundingRect()), owner->GetFont(), std::move(parts));
    owner->SendMessage(WM_PAINT, 0, reinterpret_cast<LPARAM>(&dc));
}

void WidgetHost::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayoutScrollBars();
    if (Window* owner = Owner()) {
        const QRect client = ClientRect();
        owner->SendMessage(WM_SIZE, 0, MAKELPARAM(client.width(), client.height()));
    }
}

void WidgetHost::keyPressEvent(QKeyEvent* event)
{
    Window* owner = Owner();
    if (owner == nullptr) return;
    // Tab belongs to the dialog unless the window asks for it (as it may not while Ctrl is held).
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (tab && (owner->SendMessage(WM_GETDLGCODE) & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) == 0) {
        event->ignore();
        return;
    }
    const UINT vk = qt::VirtualKey(*event);
    const UINT message = qt::KeyMessage(*event, true);
    if (vk != 0) owner->SendMessage(message, vk, qt::kKeyRepeat);
    if (const UINT ch = qt::TypedChar(*event); ch != 0 && !WindowBridge::CharConsumed(event) && owner->IsWindow()) {
        owner->SendMessage(message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR, ch, qt::kKeyRepeat);
    }
}

namespace {

void SendMouse(Window* owner, QMouseEvent* event, QPoint p)
{
    if (owner == nullptr) return;
    const UINT message = qt::MouseMessage(*event);
    if (message == 0) return;
    owner->SendMessage(message, qt::MouseFlags(event->buttons(), event->modifiers()), MAKELPARAM(p.x(), p.y()));
}

} // namespace

void WidgetHost::mousePressEvent(QMouseEvent* event)
{
    SendMouse(Owner(), event, ToClient(event->position()));
}

void WidgetHost::mouseReleaseEvent(QMouseEvent* event)
{
    SendMouse(Owner(), event, ToClient(event->position()));
}

void WidgetHost::mouseDoubleClickEvent(QMouseEvent* event)
{
    SendMouse(Owner(), event, ToClient(event->position()));
}

void WidgetHost::mouseMoveEvent(QMouseEvent* event)
{
    SendMouse(Owner(), event, ToClient(event->position()));
}

void WidgetHost::wheelEvent(QWheelEvent* event)
{
    Window* owner = Owner();
    if (owner == nullptr) return;
    const QPoint p = ToClient(event->position());
    const UINT flags = qt::MouseFlags(event->buttons(), event->modifiers());
    owner->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(static_cast<int>(flags), event->angleDelta().y()), MAKELPARAM(p.x(), p.y()));
}

void WidgetHost::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    if (Window* owner = Owner()) owner->SendMessage(WM_SETFOCUS, 0, 0);
}

void WidgetHost::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    if (Window* owner = Owner()) {
        owner->SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(FocusWindow(QApplication::focusWidget())), 0);
    }
}

void WidgetHost::inputMethodEvent(QInputMethodEvent* event)
{
    // The composition is the input method's to show; what it commits goes to the window one
    // character at a time, even when the first one moves the focus (a grid opening its editor).
    const QPointer<WidgetHost> alive(this);
    for (const char32_t ch : event->commitString().toUcs4()) {
        Window* owner = alive ? Owner() : nullptr;
        if (owner == nullptr || !owner->IsWindow()) break;
        owner->SendMessage(WM_IME_CHAR, ch, qt::kKeyRepeat);
    }
}

QVariant WidgetHost::inputMethodQuery(Qt::InputMethodQuery query) const
{
    // A window of ours has no caret: the composition goes to the top-left of its client area.
    if (query == Qt::ImCursorRectangle) return QRect(ClientOrigin(), QSize(1, fontMetrics().height()));
    return QWidget::inputMethodQuery(query);
}

void WidgetHost::contextMenuEvent(QContextMenuEvent* event)
{
    Window* owner = Owner();
    if (owner != nullptr && isWindow() && owner->GetSystemMenu() != nullptr) {
        WindowBridge::ShowSystemMenu(*owner);
        return;
    }
    event->ignore();
}

void WidgetHost::closeEvent(QCloseEvent* event)
{
    // The close box is the system menu's Close: the window decides what closing means.
    event->ignore();
    if (Window* owner = Owner()) owner->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
}

} // namespace ui
