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

Point PointFrom(LPARAM lParam)
{
    return Point{
        static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(lParam))), static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(lParam)))};
}

} // namespace

Window::Window() = default;

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

bool Window::CreateChild(Window& parent, const Rect& rect, int id, uint32_t style)
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

void Window::SetFont(Font* font, bool redraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? 1 : 0);
}

Font* Window::GetFont() const
{
    return m_font;
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

std::unique_ptr<DC> Window::GetDC()
{
    auto dc = std::make_unique<DC>();
    dc->SelectFont(m_font);
    return dc;
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

LRESULT Window::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return WindowProc(message, wParam, lParam);
}

void Window::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_native == nullptr) return;
    QPointer<QWidget> guard(WidgetOf(*this));
    QTimer::singleShot(0, WidgetOf(*this), [this, guard, message, wParam, lParam] {
        if (guard) SendMessage(message, wParam, lParam);
    });
}

LRESULT Window::SendNotify(NMHDR& header)
{
    Window* parent = GetParent();
    if (parent == nullptr) return 0;
    header.hwndFrom = this;
    header.idFrom = static_cast<uintptr_t>(m_id);
    return parent->SendMessage(WM_NOTIFY, static_cast<WPARAM>(m_id), NotificationParam(header));
}

LRESULT Window::SendCommandToParent(int code)
{
    Window* parent = GetParent();
    if (parent == nullptr) return 0;
    return parent->SendMessage(WM_COMMAND, MAKEWPARAM(m_id, code), reinterpret_cast<LPARAM>(this));
}

Menu* Window::GetSystemMenu()
{
    if (m_native == nullptr || !WidgetOf(*this)->isWindow() || (m_style & WS_SYSMENU) == 0) return nullptr;
    if (!m_systemMenu) {
        m_systemMenu = std::make_unique<Menu>();
        m_systemMenu->AppendItem(SC_CLOSE, "閉じる(&C)\tAlt+F4");
    }
    return m_systemMenu.get();
}

bool Window::PreTranslateMessage(Msg&)
{
    return false;
}

LRESULT Window::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    m_current.push_back({message, wParam, lParam});
    struct Pop {
        std::vector<Current>& stack;
        ~Pop() { stack.pop_back(); }
    } pop{m_current};

    switch (message) {
    case WM_PAINT: OnPaint(*reinterpret_cast<DC*>(lParam)); return 0;
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), LOWORD(static_cast<uintptr_t>(lParam)), HIWORD(static_cast<uintptr_t>(lParam)));
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: OnKeyDown(static_cast<UINT>(wParam), LOWORD(static_cast<uintptr_t>(lParam)), 0); return 0;
    case WM_CHAR: OnChar(static_cast<UINT>(wParam), LOWORD(static_cast<uintptr_t>(lParam)), 0); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(static_cast<UINT>(wParam), PointFrom(lParam)); return 0;
    case WM_LBUTTONUP: OnLButtonUp(static_cast<UINT>(wParam), PointFrom(lParam)); return 0;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(static_cast<UINT>(wParam), PointFrom(lParam)); return 0;
    case WM_RBUTTONDOWN: OnRButtonDown(static_cast<UINT>(wParam), PointFrom(lParam)); return 0;
    case WM_RBUTTONUP: OnRButtonUp(static_cast<UINT>(wParam), PointFrom(lParam)); return 0;
    case WM_MOUSEMOVE: OnMouseMove(static_cast<UINT>(wParam), PointFrom(lParam)); return 0;
    case WM_MOUSEWHEEL:
        return OnMouseWheel(static_cast<UINT>(LOWORD(wParam)), static_cast<int16_t>(HIWORD(wParam)), PointFrom(lParam)) ? 1 : 0;
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_SETFOCUS: OnSetFocus(reinterpret_cast<Window*>(wParam)); return 0;
    case WM_KILLFOCUS: OnKillFocus(reinterpret_cast<Window*>(wParam)); return 0;
    case WM_CAPTURECHANGED: OnCaptureChanged(reinterpret_cast<Window*>(lParam)); return 0;
    case WM_HSCROLL: OnHScroll(LOWORD(wParam), static_cast<int16_t>(HIWORD(wParam))); return 0;
    case WM_VSCROLL: OnVScroll(LOWORD(wParam), static_cast<int16_t>(HIWORD(wParam))); return 0;
    case WM_GETDLGCODE: return static_cast<LRESULT>(OnGetDlgCode());
    case WM_COMMAND: return OnCommand(wParam, lParam) ? 0 : Default();
    case WM_NOTIFY: {
        LRESULT result = 0;
        return OnNotify(wParam, lParam, &result) ? result : Default();
    }
    case WM_SYSCOMMAND: OnSysCommand(static_cast<UINT>(wParam), lParam); return 0;
    case WM_CLOSE: OnClose(); return 0;
    default: return DefWindowProc(message, wParam, lParam);
    }
}

LRESULT Window::Default()
{
    if (m_current.empty()) return 0;
    const Current current = m_current.back();
    return DefWindowProc(current.message, current.wParam, current.lParam);
}

LRESULT Window::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFONT:
        m_font = reinterpret_cast<Font*>(wParam);
        // The toolkit repaints a widget whose font changes, so the redraw flag asks for nothing more.
        if (m_native != nullptr && m_font != nullptr && !m_font->IsNull()) WidgetOf(*this)->setFont(m_font->Data()->font);
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(m_font);
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) SendMessage(WM_CLOSE);
        return 0;
    case WM_CLOSE: DestroyWindow(); return 0;
    case WM_IME_CHAR: return SendMessage(WM_CHAR, wParam, lParam);
    default: return 0;
    }
}

// What the default procedure does for a message: most do nothing there, keys and characters
// edit an edit control, and the close command closes.
void Window::OnPaint(DC&) { }
void Window::OnSize(UINT, int, int) { }
void Window::OnKeyDown(UINT, UINT, UINT)
{
    Default();
}
void Window::OnChar(UINT, UINT, UINT)
{
    Default();
}
void Window::OnLButtonDown(UINT, Point) { }
void Window::OnLButtonUp(UINT, Point) { }
void Window::OnLButtonDblClk(UINT, Point) { }
void Window::OnRButtonDown(UINT, Point) { }
void Window::OnRButtonUp(UINT, Point) { }
void Window::OnMouseMove(UINT, Point) { }
bool Window::OnMouseWheel(UINT, int, Point)
{
    return false;
}
void Window::OnTimer(uintptr_t) { }
void Window::OnSetFocus(Window*) { }
void Window::OnKillFocus(Window*) { }
void Window::OnCaptureChanged(Window*) { }
void Window::OnHScroll(int, int) { }
void Window::OnVScroll(int, int) { }
UINT Window::OnGetDlgCode()
{
    return 0;
}
bool Window::OnCommand(WPARAM, LPARAM)
{
    return false;
}
bool Window::OnNotify(WPARAM, LPARAM, LRESULT*)
{
    return false;
}
void Window::OnSysCommand(UINT, LPARAM)
{
    Default();
}
void Window::OnClose()
{
    Default();
}

} // namespace ui
