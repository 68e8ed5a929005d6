// Message boxes on Win32: the system's own, owned by the owner's top-level window.

#include "platform/ui/NativeMessageBox.h"

#include "platform/ui/InteractionHooks.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Window.h"
#include "platform/win32/Wide.h"

#include "platform/ui/win32/WindowBridge.h"

namespace ui {

namespace {

// Tells the installed hooks once the box is open: its first activation.
struct BoxWatch {
    InteractionHooks* hooks = nullptr;
    HHOOK hook = nullptr;
    NativeWidget box;
};
thread_local BoxWatch* g_watch = nullptr;

LRESULT CALLBACK WatchActivation(int code, WPARAM wParam, LPARAM lParam)
{
    BoxWatch* watch = g_watch;
    if (watch != nullptr && code == HCBT_ACTIVATE && watch->box.hwnd == nullptr) {
        watch->box.hwnd = reinterpret_cast<HWND>(wParam);
        watch->box.kind = NativeWidget::Kind::Foreign;
        watch->hooks->OnPopupShown(watch->box);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

int ShowNativeMessageBox(Window* owner, const std::string& text, const std::string& caption, unsigned flags, InteractionHooks* hooks)
{
    HWND ownerHandle = WindowBridge::HandleOf(owner);
    if (ownerHandle != nullptr) ownerHandle = ::GetAncestor(ownerHandle, GA_ROOT);
    BoxWatch watch;
    if (hooks != nullptr) {
        watch.hooks = hooks;
        watch.hook = ::SetWindowsHookExW(WH_CBT, WatchActivation, nullptr, ::GetCurrentThreadId());
        g_watch = &watch;
    }
    const int pressed
        = ::MessageBoxW(ownerHandle, win32::Widen(text).c_str(), win32::Widen(caption).c_str(), MB_OK | (flags & MB_ICONMASK));
    if (watch.hook != nullptr) ::UnhookWindowsHookEx(watch.hook);
    g_watch = nullptr;
    if (pressed == 0) Warn("MessageBoxW failed");
    // The box has only OK: Escape and the close box answer OK too, whatever the system says.
    return IDOK;
}

} // namespace ui
