#include "platform/ui/testing/PopupAction.h"

#include <string_view>
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

bool IsMenu(HWND popup)
{
    wchar_t name[16] = {};
    ::GetClassNameW(popup, name, 16);
    return std::wstring_view(name) == L"#32768";
}

void CloseIfOpen(Pending& pending)
{
    if (!::IsWindow(pending.popup) || !::IsWindowVisible(pending.popup)) return;
    pending.leftOpen();
    if (IsMenu(pending.popup)) {
        ::EndMenu();
    } else {
        ::PostMessageW(pending.popup, WM_CLOSE, 0, 0);
    }
}

// A menu left open after the input the action queued, which its loop took before this tick.
Pending g_menuAfterAction;

void CALLBACK CheckMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    Pending pending = std::exchange(g_menuAfterAction, {});
    CloseIfOpen(pending);
}

// A zero-delay thread timer: its tick is served by the popup's own loop, once it waits.
void CALLBACK RunPending(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    Pending pending = std::exchange(g_pending, {});
    if (!::IsWindow(pending.popup)) return;
    const bool menu = IsMenu(pending.popup);
    // A box takes keys once active; a menu takes them as it is, and activating another window
    // would end it.
    if (!menu) ::SetForegroundWindow(pending.popup);
    pending.action();
    if (!menu) {
        CloseIfOpen(pending);
        return;
    }
    // The action's keys wait for the menu's own loop, which takes them once this tick returns;
    // whether they closed the menu shows at the next tick, which comes after them.
    g_menuAfterAction = std::move(pending);
    ::SetTimer(nullptr, 0, 0, CheckMenu);
}

} // namespace

void RunInsidePopup(NativeWidget& popup, std::function<void()> action, std::function<void()> leftOpen)
{
    g_pending = Pending{popup.hwnd, std::move(action), std::move(leftOpen)};
    ::SetTimer(nullptr, 0, 0, RunPending);
}

} // namespace ui::testing
