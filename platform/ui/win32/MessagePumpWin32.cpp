#include "platform/ui/MessagePump.h"

#include "platform/ui/win32/WindowBridge.h"

namespace ui {

bool PumpMessage()
{
    bool dispatched = false;
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | WindowBridge::QueueFilter())) {
        if (msg.message == WM_QUIT) {
            // For the loop that waits on it.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        WindowBridge::Route(msg);
        dispatched = true;
    }
    return dispatched;
}

} // namespace ui
