// What every system shares of a window: the dispatch of messages to the On... handlers, their
// default processing, and notifications to the parent. The native side of a window lives in
// the backend's WindowQt.cpp or WindowWin32.cpp.

#include "platform/ui/Window.h"

#include "platform/ui/DeviceContext.h"
#include "platform/ui/Font.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Styles.h"

namespace ui {

namespace {

Point PointFrom(LPARAM lParam)
{
    return Point{
        static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(lParam))), static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(lParam)))};
}

} // namespace

Window::Window() = default;

void Window::SetFont(Font* font, bool redraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? 1 : 0);
}

Font* Window::GetFont() const
{
    return m_font;
}

std::unique_ptr<DC> Window::GetDC()
{
    auto dc = std::make_unique<DC>();
    dc->SelectFont(m_font);
    return dc;
}

LRESULT Window::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return WindowProc(message, wParam, lParam);
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
    if (m_native == nullptr || (m_style & WS_CHILD) != 0 || (m_style & WS_SYSMENU) == 0) return nullptr;
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
        if (m_native != nullptr && m_font != nullptr && !m_font->IsNull()) ApplyFontNatively(lParam != 0);
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(m_font);
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != SC_CLOSE) return NativeDefault(message, wParam, lParam);
        SendMessage(WM_CLOSE);
        return 0;
    case WM_CLOSE: DestroyWindow(); return 0;
    case WM_IME_CHAR: return SendMessage(WM_CHAR, wParam, lParam);
    default: return NativeDefault(message, wParam, lParam);
    }
}

// Each base handler is the default processing of its message: nothing for the windows the
// program draws, the control's own behaviour for a system control.
void Window::OnPaint(DC&)
{
    Default();
}
void Window::OnSize(UINT, int, int)
{
    Default();
}
void Window::OnKeyDown(UINT, UINT, UINT)
{
    Default();
}
void Window::OnChar(UINT, UINT, UINT)
{
    Default();
}
void Window::OnLButtonDown(UINT, Point)
{
    Default();
}
void Window::OnLButtonUp(UINT, Point)
{
    Default();
}
void Window::OnLButtonDblClk(UINT, Point)
{
    Default();
}
void Window::OnRButtonDown(UINT, Point)
{
    Default();
}
void Window::OnRButtonUp(UINT, Point)
{
    Default();
}
void Window::OnMouseMove(UINT, Point)
{
    Default();
}
bool Window::OnMouseWheel(UINT, int, Point)
{
    return Default() != 0;
}
void Window::OnTimer(uintptr_t)
{
    Default();
}
void Window::OnSetFocus(Window*)
{
    Default();
}
void Window::OnKillFocus(Window*)
{
    Default();
}
void Window::OnCaptureChanged(Window*)
{
    Default();
}
void Window::OnHScroll(int, int)
{
    Default();
}
void Window::OnVScroll(int, int)
{
    Default();
}
UINT Window::OnGetDlgCode()
{
    return static_cast<UINT>(Default());
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
