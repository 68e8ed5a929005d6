#include "platform/ui/testing/PopupAction.h"

#include <utility>

#include "platform/ui/win32/WindowBridge.h"

namespace ui::testing {

namespace {

struct Pending {
    HWND popup = nullptr;
    std::function<void()> action;
    std::function<void()> leftOpen;
};
Pending g_pending;

// A zero-delay thread timer: its tick is served by the popup's own loop, once it waits.
void CALLBACK RunPending(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    Pending pending = std::exchange(g_pending, {});
    if (!::IsWindow(pending.popup)) return;
    ::SetForegroundWindow(pending.popup);
    pending.action();
    if (::IsWindow(pending.popup) && ::IsWindowVisible(pending.popup)) {
        pending.leftOpen();
        ::PostMessageW(pending.popup, WM_CLOSE, 0, 0);
    }
}

} // namespace

void RunInsidePopup(NativeWidget& popup, std::function<void()> action, std::function<void()> leftOpen)
{
    g_pending = Pending{popup.hwnd, std::move(action), std::move(leftOpen)};
    ::SetTimer(nullptr, 0, 0, RunPending);
}

} // namespace ui::testing
