// The Win32 backend's core: which object a window handle stands for, the window procedures of
// our classes and of subclassed system controls, and the routing of queued messages. Pairs with
// qt/WindowBridge.cpp. Messages the program sends each other never pass the system: they carry
// our pointers (Window*, Font*, DC*), so only what the system sends is translated here.

#include "platform/ui/DeviceContext.h"
#include "platform/ui/InteractionHooks.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Window.h"
#include "platform/win32/Wide.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "platform/ui/win32/WindowBridge.h"

#include <commctrl.h>

namespace ui {

namespace {

std::unordered_map<HWND, NativeWidget*>& Natives()
{
    static std::unordered_map<HWND, NativeWidget*> natives;
    return natives;
}

struct Creating {
    Window* window = nullptr;
    NativeWidget::Kind kind = NativeWidget::Kind::Own;
};
thread_local Creating g_creating;

std::function<void(std::string_view)>& Sink()
{
    static std::function<void(std::string_view)> sink;
    return sink;
}

// Our own posted messages wait in the window's queue; this tells the window one is due.
const UINT kPostedMessage = ::RegisterWindowMessageW(L"VelmoraPosted");

Window* OwnerOf(WPARAM hwnd)
{
    return WindowBridge::Owner(reinterpret_cast<HWND>(hwnd));
}

bool IsDialogWindow(HWND hwnd)
{
    wchar_t name[32] = {};
    ::GetClassNameW(hwnd, name, 32);
    return std::wstring_view(name) == WindowBridge::kDialogClass || std::wstring_view(name) == L"#32770";
}

bool IsInput(UINT message)
{
    return IsKeyMessage(message) || IsMouseMessage(message);
}

bool IsKeyStroke(UINT message)
{
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

// The virtual-key code of ours for a key of the system, or 0: a key without one (punctuation,
// the keypad's other operators) is no key message for the program, as on Linux; its character
// still is.
WPARAM OurKey(WPARAM vk)
{
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return '0' + (vk - VK_NUMPAD0);
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z') || (vk >= VK_F1 && vk <= VK_F24)) return vk;
    if (vk >= VK_PRIOR && vk <= VK_DOWN) return vk;
    switch (vk) {
    case VK_BACK:
    case VK_TAB:
    case VK_RETURN:
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_ESCAPE:
    case VK_SPACE:
    case VK_INSERT:
    case VK_DELETE:
    case VK_ADD:
    case VK_SUBTRACT: return vk;
    default: return 0;
    }
}

// Whether a system control's notification is one the window layer speaks of (Messages.h); the
// rest (focus changes, a tab's keys and clicks) stay the control's business, as on Linux.
bool IsOurNotification(HWND from, UINT code)
{
    wchar_t name[32] = {};
    ::GetClassNameW(from, name, 32);
    const std::wstring_view cls(name);
    if (cls == L"Button") return code == BN_CLICKED;
    if (cls == L"Static") return code == STN_CLICKED;
    if (cls == L"Edit") return code == EN_UPDATE || code == EN_CHANGE;
    if (cls == L"ListBox") return code == LBN_SELCHANGE || code == LBN_DBLCLK;
    if (cls == WC_TABCONTROLW) return code == TCN_SELCHANGING || code == TCN_SELCHANGE;
    return false;
}

// Where a scroll action on a window's own bar asks the bar to go, as on Linux: a line is one
// unit, a page the bar's page, never past either end.
int AskedPosition(HWND hwnd, int bar, int code)
{
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    if (!::GetScrollInfo(hwnd, bar, &info)) return 0;
    const int page = std::max(1, static_cast<int>(info.nPage));
    const int last = std::max(info.nMin, info.nMax - page + 1);
    int asked = info.nPos;
    switch (code) {
    case SB_LINEUP: asked -= 1; break;
    case SB_LINEDOWN: asked += 1; break;
    case SB_PAGEUP: asked -= page; break;
    case SB_PAGEDOWN: asked += page; break;
    case SB_TOP: asked = info.nMin; break;
    case SB_BOTTOM: asked = last; break;
    case SB_THUMBTRACK: asked = info.nTrackPos; break;
    default: break;
    }
    return std::clamp(asked, info.nMin, last);
}

// Tells the installed hooks of the popup menu the thread opens, once the system made its
// window, before the menu's loop runs.
struct MenuWatch {
    InteractionHooks* hooks = nullptr;
    HHOOK hook = nullptr;
    NativeWidget menu;
};
thread_local MenuWatch* g_menuWatch = nullptr;

LRESULT CALLBACK WatchMenuCreation(int code, WPARAM wParam, LPARAM lParam)
{
    MenuWatch* watch = g_menuWatch;
    if (watch != nullptr && code == HCBT_CREATEWND && watch->menu.hwnd == nullptr) {
        wchar_t name[16] = {};
        ::GetClassNameW(reinterpret_cast<HWND>(wParam), name, 16);
        if (std::wstring_view(name) == L"#32768") {
            watch->menu.hwnd = reinterpret_cast<HWND>(wParam);
            watch->menu.kind = NativeWidget::Kind::Foreign;
            watch->hooks->OnPopupShown(watch->menu);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// A parent that refuses a change of tab keeps the tab control on its tab. Wine's control moves
// to the new tab even so: the tab it stays on comes back once the key or click is handled.
void KeepRefusedTab(const ::NMHDR& record)
{
    if (record.code != TCN_SELCHANGING) return;
    const auto from = Natives().find(record.hwndFrom);
    if (from != Natives().end()) from->second->keptTab = static_cast<int>(::SendMessageW(from->first, TCM_GETCURSEL, 0, 0));
}

// A window of ours draws its border as on Linux: one pixel in the shadow colour, where the
// system's is black.
void PaintBorder(HWND hwnd)
{
    HDC dc = ::GetWindowDC(hwnd);
    if (dc == nullptr) return;
    RECT frame{};
    ::GetWindowRect(hwnd, &frame);
    ::OffsetRect(&frame, -frame.left, -frame.top);
    ::FrameRect(dc, &frame, ::GetSysColorBrush(COLOR_3DSHADOW));
    ::ReleaseDC(hwnd, dc);
}

// The window procedure of the class this module registered under the name; none when it has none.
WNDPROC ProcedureOf(const std::wstring& name)
{
    WNDCLASSEXW registered{};
    registered.cbSize = sizeof(registered);
    return ::GetClassInfoExW(::GetModuleHandleW(nullptr), name.c_str(), &registered) ? registered.lpfnWndProc : nullptr;
}

} // namespace

void Warn(std::string_view what)
{
    if (Sink()) Sink()(what);
}

void SetWarningSink(std::function<void(std::string_view)> sink)
{
    Sink() = std::move(sink);
}

HWND WindowBridge::HandleOf(const Window& window)
{
    return window.m_native != nullptr ? window.m_native->hwnd : nullptr;
}

void WindowBridge::Attach(Window& window, HWND hwnd, NativeWidget::Kind kind, int id, uint32_t style, Font* font)
{
    auto* native = new NativeWidget{};
    native->hwnd = hwnd;
    native->kind = kind;
    native->owner = &window;
    window.m_native = native;
    window.m_id = id;
    window.m_style = style;
    window.m_font = font;
    window.m_ownsWidget = false;
    if (NativeWidget* previous = std::exchange(Natives()[hwnd], native)) {
        if (previous->owner != nullptr) previous->owner->m_native = nullptr;
        previous->owner = nullptr;
        if (previous->calls.empty()) delete previous;
    }
    if (kind == NativeWidget::Kind::Control) ::SetWindowSubclass(hwnd, ControlProc, 1, reinterpret_cast<DWORD_PTR>(native));
}

void WindowBridge::Adopt(Window& window, HWND hwnd, NativeWidget::Kind kind, int id, uint32_t style)
{
    Attach(window, hwnd, kind, id, style, window.m_font);
    window.m_ownsWidget = true;
    window.m_native->ownsWindow = true;
}

void WindowBridge::Detach(Window& window)
{
    NativeWidget* native = std::exchange(window.m_native, nullptr);
    window.m_ownsWidget = false;
    if (native == nullptr) return;
    if (native->kind == NativeWidget::Kind::Control) ::RemoveWindowSubclass(native->hwnd, ControlProc, 1);
    Natives().erase(native->hwnd);
    // A handler of this window may still be running further up the stack; it finds no owner.
    native->owner = nullptr;
    if (native->calls.empty()) delete native;
}

void WindowBridge::StackOnTop(HWND child)
{
    ::SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void WindowBridge::Forget(NativeWidget& native)
{
    Natives().erase(native.hwnd);
    if (Window* owner = native.owner) {
        owner->KillTimers();
        owner->m_native = nullptr;
        owner->m_ownsWidget = false;
    }
    native.owner = nullptr;
}

Window* WindowBridge::Owner(HWND hwnd)
{
    const auto found = Natives().find(hwnd);
    return found != Natives().end() ? found->second->owner : nullptr;
}

Window* WindowBridge::NearestInTopLevel(HWND hwnd)
{
    for (HWND h = hwnd; h != nullptr; h = ::GetAncestor(h, GA_PARENT)) {
        if (Window* owner = Owner(h)) return owner;
        if ((::GetWindowLongW(h, GWL_STYLE) & WS_CHILD) == 0) break;
    }
    return nullptr;
}

bool WindowBridge::RegisterClasses()
{
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&controls);
        return RegisterOwnClass(kWindowClass, CS_DBLCLKS, COLOR_WINDOW)
            && RegisterOwnClass(kDialogClass, CS_DBLCLKS, COLOR_3DFACE, DLGWINDOWEXTRA);
    }();
    return registered;
}

bool WindowBridge::RegisterOwnClass(const std::wstring& name, uint32_t classStyle, int background, int windowExtraBytes)
{
    // The procedure is ours rather than the system's default: our objects are bound to their
    // windows from the first message, with no subclassing after.
    if (const WNDPROC registered = ProcedureOf(name)) return registered == WindowProc;
    WNDCLASSEXW own{};
    own.cbSize = sizeof(own);
    own.style = classStyle;
    own.cbWndExtra = windowExtraBytes;
    own.lpfnWndProc = WindowProc;
    own.hInstance = ::GetModuleHandleW(nullptr);
    own.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    own.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<intptr_t>(background + 1));
    own.lpszClassName = name.c_str();
    if (::RegisterClassExW(&own) != 0) return true;
    Warn("RegisterClassExW failed");
    return false;
}

bool WindowBridge::IsOwnClass(HWND hwnd)
{
    return reinterpret_cast<WNDPROC>(::GetClassLongPtrW(hwnd, GCLP_WNDPROC)) == WindowProc;
}

bool WindowBridge::IsOwnClassName(const std::wstring& name)
{
    return ProcedureOf(name) == WindowProc;
}

void WindowBridge::CreatingFor(Window* window, NativeWidget::Kind kind)
{
    g_creating = Creating{window, kind};
}

LRESULT CALLBACK WindowBridge::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto found = Natives().find(hwnd);
    if (found == Natives().end() && g_creating.window != nullptr) {
        // The first message of a window we create: bind it before anything reaches the object.
        Window* window = std::exchange(g_creating.window, nullptr);
        Adopt(*window, hwnd, g_creating.kind, 0, 0);
        found = Natives().find(hwnd);
    }
    if (found == Natives().end()) {
        wchar_t name[32] = {};
        ::GetClassNameW(hwnd, name, 32);
        return std::wstring_view(name) == kDialogClass ? ::DefDlgProcW(hwnd, message, wParam, lParam)
                                                       : ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    NativeWidget& native = *found->second;
    if (message == WM_NCDESTROY) {
        const LRESULT result = CallNative(native, message, wParam, lParam);
        Forget(native);
        if (native.calls.empty()) delete &native;
        return result;
    }
    return Handle(native, message, wParam, lParam);
}

LRESULT CALLBACK WindowBridge::ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    auto& native = *reinterpret_cast<NativeWidget*>(data);
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(hwnd, ControlProc, 1);
        const LRESULT result = ::DefSubclassProc(hwnd, message, wParam, lParam);
        Forget(native);
        if (native.calls.empty()) delete &native;
        return result;
    }
    if (native.bypass > 0 || native.owner == nullptr) return ::DefSubclassProc(hwnd, message, wParam, lParam);
    return Handle(native, message, wParam, lParam);
}

LRESULT WindowBridge::PassOn(NativeWidget& native, UINT message, WPARAM wParam, LPARAM lParam)
{
    // A control's messages reach Handle from inside its subclass procedure.
    if (native.kind == NativeWidget::Kind::Control) return ::DefSubclassProc(native.hwnd, message, wParam, lParam);
    return CallNative(native, message, wParam, lParam);
}

LRESULT WindowBridge::Handle(NativeWidget& native, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* owner = native.owner;
    if (owner == nullptr) return PassOn(native, message, wParam, lParam);
    if (message == kPostedMessage) {
        if (native.posted.empty()) return 0;
        const NativeWidget::Posted posted = native.posted.front();
        native.posted.pop_front();
        return owner->SendMessage(posted.message, posted.wParam, posted.lParam);
    }

    WPARAM ours = wParam;
    LPARAM theirs = lParam;
    NMHDR header;
    switch (message) {
    case WM_NOTIFY: {
        // A system control's record: the header as ours, the sender as its window object.
        const auto* record = reinterpret_cast<const ::NMHDR*>(lParam);
        if (!IsOurNotification(record->hwndFrom, record->code)) return PassOn(native, message, wParam, lParam);
        header = NMHDR{Owner(record->hwndFrom), record->idFrom, static_cast<int>(record->code)};
        theirs = NotificationParam(header);
        break;
    }
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_IME_CHAR:
        // The system sends a character outside the basic plane as two halves; ours carry it whole.
        if (IS_HIGH_SURROGATE(wParam)) {
            native.highSurrogate = static_cast<wchar_t>(wParam);
            return 0;
        }
        if (IS_LOW_SURROGATE(wParam) && native.highSurrogate != 0) {
            ours = 0x10000 + ((static_cast<WPARAM>(native.highSurrogate) - 0xD800) << 10) + (wParam - 0xDC00);
        }
        native.highSurrogate = 0;
        break;
    case WM_PAINT: {
        if (native.kind != NativeWidget::Kind::Own) return PassOn(native, message, wParam, lParam);
        PAINTSTRUCT paint{};
        HDC hdc = ::BeginPaint(native.hwnd, &paint);
        if (hdc == nullptr) {
            Warn("BeginPaint failed");
            return 0;
        }
        {
            const RECT& r = paint.rcPaint;
            DC dc(*reinterpret_cast<NativePainter*>(hdc), Rect{r.left, r.top, r.right, r.bottom}, owner->GetFont());
            owner->WindowProc(WM_PAINT, 0, reinterpret_cast<LPARAM>(&dc));
        }
        ::EndPaint(native.hwnd, &paint);
        return 0;
    }
    case WM_TIMER:
        // A close served ahead of the tick is the last word.
        if (const Window* top = owner->GetTopLevel(); top != nullptr && top->IsClosing()) return 0;
        theirs = 0;
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: ours = reinterpret_cast<WPARAM>(OwnerOf(wParam)); break;
    case WM_CAPTURECHANGED: theirs = reinterpret_cast<LPARAM>(OwnerOf(static_cast<WPARAM>(lParam))); break;
    case WM_COMMAND:
        // A menu's or the dialog manager's command has no sender.
        if (lParam != 0 && !IsOurNotification(reinterpret_cast<HWND>(lParam), static_cast<UINT>(HIWORD(wParam))))
            return PassOn(native, message, wParam, lParam);
        theirs = reinterpret_cast<LPARAM>(OwnerOf(static_cast<WPARAM>(lParam)));
        break;
    case WM_MOUSEWHEEL: {
        POINT point{
            static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(lParam))), static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(lParam)))};
        ::ScreenToClient(native.hwnd, &point);
        theirs = MAKELPARAM(point.x, point.y);
        break;
    }
    case WM_NCPAINT: {
        const LRESULT result = PassOn(native, message, wParam, lParam);
        if (native.kind == NativeWidget::Kind::Own && (::GetWindowLongW(native.hwnd, GWL_STYLE) & WS_BORDER) != 0) PaintBorder(native.hwnd);
        return result;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
        if (lParam != 0) break; // a scroll-bar control's
        // The window's own bar: the action and where it asks to go. The system's end of an
        // action (and of a drag, whose last move came already) is not the program's business.
        const int code = LOWORD(wParam);
        if (code == SB_ENDSCROLL || code == SB_THUMBPOSITION) return PassOn(native, message, wParam, lParam);
        const int bar = message == WM_HSCROLL ? SB_HORZ : SB_VERT;
        native.trackPos[bar] = AskedPosition(native.hwnd, bar, code);
        ours = MAKEWPARAM(code, native.trackPos[bar]);
        break;
    }
    case WM_CONTEXTMENU: {
        // A right click in the client area of a top-level window of ours opens its system menu,
        // as on Linux; the caption's is the system's own menu. A child's reaches its parent.
        POINT at{
            static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(lParam))), static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(lParam)))};
        const bool fromKeyboard = at.x == -1 && at.y == -1;
        const bool inClient = fromKeyboard || ::SendMessageW(native.hwnd, WM_NCHITTEST, 0, lParam) == HTCLIENT;
        const bool topLevel = (::GetWindowLongW(native.hwnd, GWL_STYLE) & WS_CHILD) == 0;
        if (native.kind == NativeWidget::Kind::Control || !topLevel || !inClient || owner->GetSystemMenu() == nullptr) {
            return PassOn(native, message, wParam, lParam);
        }
        ShowSystemMenu(*owner);
        return 0;
    }
    case WM_INITMENUPOPUP:
        if (HIWORD(static_cast<uintptr_t>(lParam)) != 0) MirrorSystemMenu(native);
        return PassOn(native, message, wParam, lParam);
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        ours = OurKey(wParam);
        if (ours == 0) return PassOn(native, message, wParam, lParam);
        break;
    case WM_SIZE:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_GETDLGCODE:
    case WM_SYSCOMMAND:
    case WM_CLOSE: break;
    default:
        // The rest is the system's business, but for the program's own messages.
        if (message < WM_USER || message > 0x7FFF) return PassOn(native, message, wParam, lParam);
        break;
    }
    native.calls.push_back({message, ours, theirs, wParam, lParam});
    const LRESULT result = owner->WindowProc(message, ours, theirs);
    native.calls.pop_back();
    if (message == WM_NOTIFY && result != 0) KeepRefusedTab(*reinterpret_cast<const ::NMHDR*>(lParam));
    if (native.owner == nullptr && native.calls.empty()) {
        // Detached or destroyed while its handler ran: nothing refers to it any more.
        const auto found = Natives().find(native.hwnd);
        if (found == Natives().end() || found->second != &native) delete &native;
    }
    return result;
}

LRESULT WindowBridge::Default(NativeWidget& native, UINT message, WPARAM wParam, LPARAM lParam)
{
    for (auto call = native.calls.rbegin(); call != native.calls.rend(); ++call) {
        if (call->message == message && call->wParam == wParam && call->lParam == lParam) {
            // The system's message being handled: its default gets the system's own parameters.
            if (native.kind == NativeWidget::Kind::Control && call == native.calls.rbegin()) {
                const LRESULT result = ::DefSubclassProc(native.hwnd, message, call->nativeWParam, call->nativeLParam);
                if (const int kept = std::exchange(native.keptTab, -1); kept >= 0) {
                    ++native.bypass;
                    ::SendMessageW(native.hwnd, TCM_SETCURSEL, static_cast<WPARAM>(kept), 0);
                    --native.bypass;
                }
                return result;
            }
            return CallNative(native, message, call->nativeWParam, call->nativeLParam);
        }
    }
    // A message of the program's own: our pointers become the system's handles.
    switch (message) {
    case WM_PAINT:
    case WM_NOTIFY: return 0;
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_IME_CHAR:
        if (wParam > 0xFFFF) {
            // The system takes a character outside the basic plane as its two halves.
            const WPARAM offset = wParam - 0x10000;
            CallNative(native, message, 0xD800 + (offset >> 10), lParam);
            return CallNative(native, message, 0xDC00 + (offset & 0x3FF), lParam);
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: wParam = reinterpret_cast<WPARAM>(HandleOf(reinterpret_cast<Window*>(wParam))); break;
    case WM_CAPTURECHANGED:
    case WM_COMMAND: lParam = reinterpret_cast<LPARAM>(HandleOf(reinterpret_cast<Window*>(lParam))); break;
    default: break;
    }
    return CallNative(native, message, wParam, lParam);
}

LRESULT WindowBridge::CallNative(NativeWidget& native, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (native.kind) {
    case NativeWidget::Kind::Own: return ::DefWindowProcW(native.hwnd, message, wParam, lParam);
    case NativeWidget::Kind::Dialog: return ::DefDlgProcW(native.hwnd, message, wParam, lParam);
    case NativeWidget::Kind::Control:
    case NativeWidget::Kind::Foreign: {
        ++native.bypass;
        const LRESULT result = ::SendMessageW(native.hwnd, message, wParam, lParam);
        --native.bypass;
        return result;
    }
    }
    return 0;
}

void WindowBridge::Post(NativeWidget& native, UINT message, WPARAM wParam, LPARAM lParam)
{
    native.posted.push_back({message, wParam, lParam});
    if (!::PostMessageW(native.hwnd, kPostedMessage, 0, 0)) {
        native.posted.pop_back();
        Warn("PostMessageW failed");
    }
}

UINT WindowBridge::QueueFilter()
{
    GUITHREADINFO thread{};
    thread.cbSize = sizeof(thread);
    const bool inMenu = ::GetGUIThreadInfo(::GetCurrentThreadId(), &thread) && (thread.flags & GUI_INMENUMODE) != 0;
    return inMenu ? PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE | PM_QS_PAINT : 0;
}

bool WindowBridge::WalkPreTranslate(Msg& msg)
{
    for (Window* w = msg.hwnd; w != nullptr && w->IsWindow(); w = w->GetParent()) {
        if (w->PreTranslateMessage(msg)) return true;
        if ((::GetWindowLongW(HandleOf(*w), GWL_STYLE) & WS_CHILD) == 0) break;
    }
    return false;
}

void WindowBridge::Route(MSG& msg)
{
    if (msg.hwnd != nullptr && IsInput(msg.message)) {
        // A key in a message box belongs to no window of ours, and never to its owner.
        Window* target = NearestInTopLevel(msg.hwnd);
        if (IsKeyStroke(msg.message) && OurKey(msg.wParam) == 0) target = nullptr;
        if (target != nullptr) {
            Msg ours{target, msg.message, IsKeyStroke(msg.message) ? OurKey(msg.wParam) : msg.wParam, msg.lParam, {}};
            if (IsMouseMessage(msg.message)) {
                POINT point{static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(msg.lParam))),
                    static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(msg.lParam)))};
                if (msg.message == WM_MOUSEWHEEL) {
                    ::ScreenToClient(HandleOf(*target), &point);
                } else {
                    ::MapWindowPoints(msg.hwnd, HandleOf(*target), &point, 1);
                }
                ours.pt = Point{point.x, point.y};
                ours.lParam = MAKELPARAM(point.x, point.y);
            }
            if (WalkPreTranslate(ours)) return;
            // Alt+Space opens the system menu of the window's top-level window, ours included.
            if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_SPACE) {
                if (Window* top = target->GetTopLevel(); top != nullptr && top->GetSystemMenu() != nullptr) {
                    ShowSystemMenu(*top);
                    return;
                }
            }
        }
    }
    if (msg.hwnd != nullptr) {
        HWND top = ::GetAncestor(msg.hwnd, GA_ROOT);
        if (top != nullptr && IsDialogWindow(top) && ::IsDialogMessageW(top, &msg)) return;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

void WindowBridge::ShowSystemMenu(Window& window)
{
    Menu* menu = window.GetSystemMenu();
    if (menu == nullptr) return;
    InteractionHooks* hooks = InteractionHooks::Installed();
    std::optional<unsigned> chosen = hooks != nullptr ? hooks->OnSystemMenu(*menu) : std::nullopt;
    if (!chosen) {
        MenuWatch watch;
        if (hooks != nullptr) {
            watch.hooks = hooks;
            watch.hook = ::SetWindowsHookExW(WH_CBT, WatchMenuCreation, nullptr, ::GetCurrentThreadId());
        }
        MenuWatch* outer = std::exchange(g_menuWatch, &watch);
        HMENU popup = ::CreatePopupMenu();
        for (const Menu::Entry& entry : menu->Entries()) {
            if (entry.id == 0) {
                ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
            } else {
                ::AppendMenuW(popup, MF_STRING, entry.id, win32::Widen(entry.text).c_str());
            }
        }
        RECT frame{};
        ::GetWindowRect(HandleOf(window), &frame);
        chosen = static_cast<unsigned>(
            ::TrackPopupMenuEx(popup, TPM_RETURNCMD | TPM_NONOTIFY, frame.left, frame.top, HandleOf(window), nullptr));
        ::DestroyMenu(popup);
        g_menuWatch = outer;
        if (watch.hook != nullptr) ::UnhookWindowsHookEx(watch.hook);
    }
    if (*chosen != 0 && window.IsWindow()) window.SendMessage(WM_SYSCOMMAND, *chosen, 0);
}

void WindowBridge::MirrorSystemMenu(NativeWidget& native)
{
    // The system's own menu (a click on the caption's icon) offers what the program added.
    Menu* menu = native.owner != nullptr ? native.owner->GetSystemMenu() : nullptr;
    HMENU system = ::GetSystemMenu(native.hwnd, FALSE);
    if (menu == nullptr || system == nullptr) return;
    for (const Menu::Entry& entry : menu->Entries()) {
        if (entry.id == 0 || ::GetMenuState(system, entry.id, MF_BYCOMMAND) != static_cast<UINT>(-1)) continue;
        ::AppendMenuW(system, MF_STRING, entry.id, win32::Widen(entry.text).c_str());
    }
}

} // namespace ui
