// Windows on Win32: each window object stands for a system window (HWND) of our own class, our
// dialog class or a subclassed system control; WindowBridge ties the two. Pairs with
// qt/WindowQt.cpp; the dispatch to the On... handlers is shared (Window.cpp). Timers, focus,
// capture, scroll bars and the message queue are the system's own.

#include "platform/ui/Window.h"

#include "platform/ui/Font.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Styles.h"
#include "platform/win32/Wide.h"

#include <algorithm>

#include "platform/ui/win32/FontData.h"
#include "platform/ui/win32/WindowBridge.h"
#include "platform/ui/win32/WindowTimer.h"

namespace ui {

namespace {

Window* Nearest(HWND hwnd)
{
    for (HWND h = hwnd; h != nullptr; h = ::GetAncestor(h, GA_PARENT)) {
        if (Window* owner = WindowBridge::Owner(h)) return owner;
    }
    return nullptr;
}

Rect FromRECT(const RECT& r)
{
    return Rect{r.left, r.top, r.right, r.bottom};
}

} // namespace

Window::~Window()
{
    KillTimers();
    if (m_native == nullptr) return;
    HWND hwnd = m_native->hwnd;
    const bool owns = m_ownsWidget;
    WindowBridge::Detach(*this);
    if (owns) ::DestroyWindow(hwnd);
}

bool Window::RegisterWindowClass(std::string_view name, uint32_t classStyle, int background)
{
    return WindowBridge::RegisterOwnClass(win32::Widen(name), classStyle, background);
}

bool Window::CreateChild(Window& parent, const Rect& rect, int id, uint32_t style, std::string_view windowClass)
{
    if (m_native != nullptr || parent.m_native == nullptr || !WindowBridge::RegisterClasses()) return false;
    const std::wstring className = windowClass.empty() ? std::wstring(WindowBridge::kWindowClass) : win32::Widen(windowClass);
    WindowBridge::CreatingFor(this, NativeWidget::Kind::Own);
    HWND hwnd = ::CreateWindowExW(0, className.c_str(), L"", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (style & ~WS_POPUP), rect.left,
        rect.top, rect.Width(), rect.Height(), parent.m_native->hwnd, reinterpret_cast<HMENU>(static_cast<intptr_t>(id)),
        ::GetModuleHandleW(nullptr), nullptr);
    WindowBridge::CreatingFor(nullptr, NativeWidget::Kind::Own);
    if (hwnd == nullptr || m_native == nullptr) {
        Warn("CreateWindowExW failed for a child window");
        return false;
    }
    m_id = id;
    m_style = style;
    WindowBridge::StackOnTop(hwnd);
    return true;
}

void Window::DestroyWindow()
{
    if (m_native == nullptr) return;
    KillTimers();
    HWND hwnd = m_native->hwnd;
    const bool owns = m_ownsWidget;
    WindowBridge::Detach(*this);
    if (owns) ::DestroyWindow(hwnd);
}

Window* Window::GetParent() const
{
    if (m_native == nullptr) return nullptr;
    HWND parent = ::GetAncestor(m_native->hwnd, GA_PARENT);
    return parent != nullptr && parent != ::GetDesktopWindow() ? Nearest(parent) : nullptr;
}

Window* Window::GetTopLevel()
{
    return m_native != nullptr ? Nearest(::GetAncestor(m_native->hwnd, GA_ROOT)) : nullptr;
}

Rect Window::GetClientRect() const
{
    RECT r{};
    if (m_native != nullptr) ::GetClientRect(m_native->hwnd, &r);
    return FromRECT(r);
}

Rect Window::GetWindowRect() const
{
    if (m_native == nullptr) return {};
    RECT r{};
    ::GetWindowRect(m_native->hwnd, &r);
    if ((::GetWindowLongW(m_native->hwnd, GWL_STYLE) & WS_CHILD) != 0) {
        ::MapWindowPoints(HWND_DESKTOP, ::GetAncestor(m_native->hwnd, GA_PARENT), reinterpret_cast<POINT*>(&r), 2);
    }
    return FromRECT(r);
}

void Window::MoveWindow(const Rect& rect, bool repaint)
{
    if (m_native != nullptr) ::MoveWindow(m_native->hwnd, rect.left, rect.top, rect.Width(), rect.Height(), repaint);
}

void Window::BringToTop()
{
    if (m_native != nullptr) ::SetWindowPos(m_native->hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void Window::ShowWindow(int command)
{
    if (m_native != nullptr) ::ShowWindow(m_native->hwnd, command == SW_HIDE ? SW_HIDE : SW_SHOW);
}

bool Window::IsWindowVisible() const
{
    return m_native != nullptr && ::IsWindowVisible(m_native->hwnd);
}

bool Window::IsWindowEnabled() const
{
    return m_native != nullptr && ::IsWindowEnabled(m_native->hwnd);
}

void Window::SetIcon(int iconId)
{
    if (m_native == nullptr || Resources::FindIcon(iconId) == nullptr) return;
    m_iconId = iconId;
    // The program file carries each icon at the sizes the caption and the task bar ask for.
    for (const auto& [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
        const int size = ::GetSystemMetrics(metric);
        HANDLE icon = ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId), IMAGE_ICON, size, size, LR_SHARED);
        if (icon != nullptr) ::SendMessageW(m_native->hwnd, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
}

void Window::SetWindowText(std::string_view text)
{
    if (m_native != nullptr) ::SetWindowTextW(m_native->hwnd, win32::Widen(text).c_str());
}

std::string Window::GetWindowText() const
{
    if (m_native == nullptr) return {};
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(m_native->hwnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(m_native->hwnd, text.data(), static_cast<int>(text.size()))));
    return win32::Narrow(text);
}

void Window::ApplyFontNatively(bool redraw)
{
    // A dialog's own font belongs to the dialog manager, which made it from the template and
    // deletes it with the dialog; its controls take ours.
    if (m_native->kind == NativeWidget::Kind::Dialog) return;
    ::SendMessageW(m_native->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_font->Data()->font), redraw ? TRUE : FALSE);
}

LRESULT Window::NativeDefault(UINT message, WPARAM wParam, LPARAM lParam)
{
    return m_native != nullptr ? WindowBridge::Default(*m_native, message, wParam, lParam) : 0;
}

void Window::Invalidate(bool erase)
{
    if (m_native != nullptr) ::InvalidateRect(m_native->hwnd, nullptr, erase);
}

void Window::InvalidateRect(const Rect& rect, bool erase)
{
    const RECT r{rect.left, rect.top, rect.right, rect.bottom};
    if (m_native != nullptr) ::InvalidateRect(m_native->hwnd, &r, erase);
}

void Window::SetFocus()
{
    if (m_native != nullptr) ::SetFocus(m_native->hwnd);
}

Window* Window::GetFocus()
{
    return Nearest(::GetFocus());
}

void Window::SetCapture()
{
    // The system tells the window that loses the capture (WM_CAPTURECHANGED).
    if (m_native != nullptr && ::GetCapture() != m_native->hwnd) ::SetCapture(m_native->hwnd);
}

void Window::ReleaseCapture()
{
    ::ReleaseCapture();
}

Window* Window::GetCapture()
{
    return WindowBridge::Owner(::GetCapture());
}

void Window::SetCursor(Cursor cursor)
{
    ::SetCursor(::LoadCursorW(nullptr, cursor == Cursor::Wait ? IDC_WAIT : IDC_ARROW));
}

uintptr_t Window::SetTimer(uintptr_t id, UINT elapseMs)
{
    if (m_native == nullptr) return 0;
    if (::SetTimer(m_native->hwnd, id, elapseMs, nullptr) == 0) {
        Warn("SetTimer failed");
        return 0;
    }
    m_timers[id] = std::make_shared<WindowTimer>(m_native->hwnd, id);
    return id;
}

bool Window::KillTimer(uintptr_t id)
{
    auto found = m_timers.find(id);
    if (found == m_timers.end()) return false;
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

void Window::SetScrollInfo(int bar, const ScrollInfo& info, bool redraw)
{
    if (m_native == nullptr) return;
    SCROLLINFO native{
        sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, info.min, info.max, static_cast<UINT>(std::max(0, info.page)), info.pos, 0};
    ::SetScrollInfo(m_native->hwnd, bar, &native, redraw);
}

ScrollInfo Window::GetScrollInfo(int bar) const
{
    SCROLLINFO native{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    if (m_native == nullptr || !::GetScrollInfo(m_native->hwnd, bar, &native)) return {};
    // The track position is where the user last asked the bar to go, by a click as by a drag.
    const int tracked = m_native->trackPos[bar == SB_HORZ ? SB_HORZ : SB_VERT];
    return ScrollInfo{native.nMin, native.nMax, static_cast<int>(native.nPage), native.nPos, tracked};
}

int Window::SetScrollPos(int bar, int pos, bool redraw)
{
    return m_native != nullptr ? ::SetScrollPos(m_native->hwnd, bar, pos, redraw) : 0;
}

int Window::GetScrollPos(int bar) const
{
    return m_native != nullptr ? ::GetScrollPos(m_native->hwnd, bar) : 0;
}

void Window::ShowScrollBar(int bar, bool show)
{
    if (m_native != nullptr) ::ShowScrollBar(m_native->hwnd, bar, show);
}

bool Window::IsScrollBarShown(int bar) const
{
    if (m_native == nullptr) return false;
    const LONG style = ::GetWindowLongW(m_native->hwnd, GWL_STYLE);
    return (style & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL)) != 0;
}

void Window::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_native != nullptr) WindowBridge::Post(*m_native, message, wParam, lParam);
}

} // namespace ui
