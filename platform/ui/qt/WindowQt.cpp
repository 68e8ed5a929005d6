// Windows on Qt: each window is a widget (a WidgetHost for the windows the program draws, the
// toolkit's own widgets for standard controls), tied to its window object by WindowBridge.
// Pairs with win32/WindowWin32.cpp; the dispatch to the On... handlers is shared (Window.cpp).
// Messages travel as direct calls: no native queue stands behind SendMessage.

#include "platform/ui/Window.h"

#include "platform/ui/DeviceContext.h"
#include "platform/ui/Font.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Styles.h"
#include "platform/ui/qt/FontData.h"
#include "platform/ui/qt/NativeHandles.h"
#include "platform/ui/qt/QtConvert.h"
#include "platform/ui/qt/WidgetHost.h"
#include "platform/ui/qt/WindowBridge.h"
#include "platform/ui/qt/WindowTimer.h"

#include <QApplication>
#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QPointer>
#include <QScrollBar>
#include <QWidget>

namespace ui {

namespace {

WidgetHost* Host(QWidget* widget)
{
    return dynamic_cast<WidgetHost*>(widget);
}

} // namespace

Window::~Window()
{
    KillTimers();
    if (m_native != nullptr) {
        QWidget* widget = WidgetOf(*this);
        WindowBridge::Unbind(widget);
        m_native = nullptr;
        if (m_ownsWidget) delete widget;
    }
}

bool Window::RegisterWindowClass(std::string_view, uint32_t, int)
{
    // A template's class the toolkit does not know is already a window its object draws.
    return true;
}

bool Window::CreateChild(Window& parent, const Rect& rect, int id, uint32_t style, std::string_view)
{
    if (m_native != nullptr || parent.m_native == nullptr) return false;
    auto* host = new WidgetHost(qt::ToQWidget(parent.m_native));
    host->setGeometry(qt::ToQRect(rect));
    host->setFocusPolicy((style & WS_TABSTOP) != 0 ? Qt::StrongFocus : Qt::ClickFocus);
    WindowBridge::Adopt(*this, host, id, style);
    host->setVisible((style & WS_VISIBLE) != 0);
    return true;
}

void Window::DestroyWindow()
{
    if (m_native == nullptr) return;
    KillTimers();
    QWidget* widget = WidgetOf(*this);
    const bool owns = m_ownsWidget;
    WindowBridge::Detach(*this);
    if (owns) delete widget;
}

Window* Window::GetParent() const
{
    return m_native != nullptr ? WindowBridge::Nearest(WidgetOf(*this)->parentWidget()) : nullptr;
}

Window* Window::GetTopLevel()
{
    return m_native != nullptr ? WindowBridge::Nearest(WidgetOf(*this)->window()) : nullptr;
}

Rect Window::GetClientRect() const
{
    if (m_native == nullptr) return {};
    if (auto* host = Host(WidgetOf(*this))) return qt::FromQRect(host->ClientRect());
    return Rect{0, 0, WidgetOf(*this)->width(), WidgetOf(*this)->height()};
}

Rect Window::GetWindowRect() const
{
    if (m_native == nullptr) return {};
    return qt::FromQRect(WidgetOf(*this)->geometry());
}

void Window::MoveWindow(const Rect& rect, bool repaint)
{
    if (m_native == nullptr) return;
    WidgetOf(*this)->setGeometry(qt::ToQRect(rect));
    if (repaint) WidgetOf(*this)->update();
}

void Window::BringToTop()
{
    if (m_native != nullptr) WidgetOf(*this)->raise();
}

void Window::ShowWindow(int command)
{
    if (m_native != nullptr) WidgetOf(*this)->setVisible(command != SW_HIDE);
}

bool Window::IsWindowVisible() const
{
    return m_native != nullptr && WidgetOf(*this)->isVisibleTo(WidgetOf(*this)->window()) && !WidgetOf(*this)->window()->isHidden();
}

bool Window::IsWindowEnabled() const
{
    return m_native != nullptr && WidgetOf(*this)->isEnabled();
}

void Window::SetIcon(int iconId)
{
    const char* const* xpm = Resources::FindIcon(iconId);
    if (m_native == nullptr || xpm == nullptr) return;
    m_iconId = iconId;
    WidgetOf(*this)->setWindowIcon(QIcon(QPixmap(xpm)));
}

void Window::SetWindowText(std::string_view text)
{
    if (m_native == nullptr) return;
    const QString value = qt::ToQString(text);
    // Controls keep their text where the toolkit shows it; other windows in the title.
    if (WidgetOf(*this)->metaObject()->indexOfProperty("text") >= 0 && !WidgetOf(*this)->isWindow()) {
        WidgetOf(*this)->setProperty("text", value);
    } else if (WidgetOf(*this)->metaObject()->indexOfProperty("title") >= 0) {
        WidgetOf(*this)->setProperty("title", value);
    } else {
        WidgetOf(*this)->setWindowTitle(value);
    }
}

std::string Window::GetWindowText() const
{
    if (m_native == nullptr) return {};
    if (WidgetOf(*this)->metaObject()->indexOfProperty("text") >= 0 && !WidgetOf(*this)->isWindow()) {
        return qt::FromQString(WidgetOf(*this)->property("text").toString());
    }
    if (WidgetOf(*this)->metaObject()->indexOfProperty("title") >= 0) return qt::FromQString(WidgetOf(*this)->property("title").toString());
    return qt::FromQString(WidgetOf(*this)->windowTitle());
}

void Window::ApplyFontNatively(bool)
{
    // The toolkit repaints a widget whose font changes, so the redraw flag asks for nothing more.
    WidgetOf(*this)->setFont(m_font->Data()->font);
}

LRESULT Window::NativeDefault(UINT, WPARAM, LPARAM)
{
    // The toolkit's widgets handle their own events; a message of ours has no default there.
    return 0;
}

void Window::Invalidate(bool)
{
    if (m_native != nullptr) WidgetOf(*this)->update();
}

void Window::InvalidateRect(const Rect& rect, bool)
{
    if (m_native == nullptr) return;
    QRect area = qt::ToQRect(rect);
    if (auto* host = Host(WidgetOf(*this))) area.translate(host->ClientOrigin());
    WidgetOf(*this)->update(area);
}

void Window::SetFocus()
{
    if (m_native != nullptr) WidgetOf(*this)->setFocus(Qt::OtherFocusReason);
}

Window* Window::GetFocus()
{
    // Before the toolkit has activated a new window its focus widget is still the focus.
    QWidget* focus = QApplication::focusWidget();
    for (QWidget* window : {QApplication::activeModalWidget(), QApplication::activeWindow()}) {
        if (focus == nullptr && window != nullptr) focus = window->focusWidget();
    }
    return focus != nullptr ? WindowBridge::Nearest(focus) : nullptr;
}

void Window::SetCapture()
{
    if (m_native == nullptr) return;
    Window* previous = GetCapture();
    if (previous == this) return;
    if (previous != nullptr) previous->SendMessage(WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(this));
    WidgetOf(*this)->grabMouse();
}

void Window::ReleaseCapture()
{
    QWidget* grabber = QWidget::mouseGrabber();
    if (grabber == nullptr) return;
    grabber->releaseMouse();
    if (Window* owner = WindowBridge::Owner(grabber)) owner->SendMessage(WM_CAPTURECHANGED, 0, 0);
}

Window* Window::GetCapture()
{
    QWidget* grabber = QWidget::mouseGrabber();
    return grabber != nullptr ? WindowBridge::Owner(grabber) : nullptr;
}

void Window::SetCursor(Cursor cursor)
{
    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (cursor) {
    case Cursor::Arrow: shape = Qt::ArrowCursor; break;
    case Cursor::Wait: shape = Qt::WaitCursor; break;
    }
    if (QWidget* under = QApplication::widgetAt(QCursor::pos())) under->setCursor(shape);
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->setCursor(shape);
}

uintptr_t Window::SetTimer(uintptr_t id, UINT elapseMs)
{
    if (m_native == nullptr) return 0;
    auto& slot = m_timers[id];
    if (!slot) {
        QPointer<QWidget> guard(WidgetOf(*this));
        slot = WindowTimer::Create([this, id, guard] {
            if (!guard) return;
            // A close served ahead of the tick is the last word.
            if (const Window* top = GetTopLevel(); top != nullptr && top->IsClosing()) return;
            SendMessage(WM_TIMER, id, 0);
        });
    }
    slot->Start(static_cast<int>(elapseMs));
    return id;
}

bool Window::KillTimer(uintptr_t id)
{
    auto found = m_timers.find(id);
    if (found == m_timers.end()) return false;
    // The tick being served may hold the timer; killed, it ticks no more all the same.
    found->second->Kill();
    m_timers.erase(found);
    return true;
}

void Window::KillTimers()
{
    for (const auto& [id, timer] : m_timers) timer->Kill();
    m_timers.clear();
}

bool Window::HasTimer(uintptr_t id) const
{
    return m_timers.contains(id);
}

void Window::SetScrollInfo(int bar, const ScrollInfo& info, bool)
{
    auto* host = Host(WidgetOf(*this));
    if (host == nullptr) return;
    QScrollBar* scrollBar = host->ScrollBar(bar);
    scrollBar->setRange(info.min, std::max(info.min, info.max - std::max(0, info.page - 1)));
    scrollBar->setPageStep(std::max(1, info.page));
    scrollBar->setValue(info.pos);
}

ScrollInfo Window::GetScrollInfo(int bar) const
{
    auto* host = Host(WidgetOf(*this));
    if (host == nullptr) return {};
    QScrollBar* scrollBar = host->ScrollBar(bar);
    const int page = scrollBar->pageStep();
    return ScrollInfo{scrollBar->minimum(), scrollBar->maximum() + page - 1, page, scrollBar->value(), host->TrackPos(bar)};
}

int Window::SetScrollPos(int bar, int pos, bool)
{
    auto* host = Host(WidgetOf(*this));
    if (host == nullptr) return 0;
    QScrollBar* scrollBar = host->ScrollBar(bar);
    const int previous = scrollBar->value();
    scrollBar->setValue(pos);
    return previous;
}

int Window::GetScrollPos(int bar) const
{
    auto* host = Host(WidgetOf(*this));
    return host != nullptr ? host->ScrollBar(bar)->value() : 0;
}

void Window::ShowScrollBar(int bar, bool show)
{
    if (auto* host = Host(WidgetOf(*this))) host->ShowScrollBar(bar, show);
}

bool Window::IsScrollBarShown(int bar) const
{
    auto* host = Host(WidgetOf(*this));
    return host != nullptr && host->IsScrollBarShown(bar);
}

void Window::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_native == nullptr) return;
    QPointer<QWidget> guard(WidgetOf(*this));
    QTimer::singleShot(0, WidgetOf(*this), [this, guard, message, wParam, lParam] {
        if (guard) SendMessage(message, wParam, lParam);
    });
}

} // namespace ui
