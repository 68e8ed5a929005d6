#pragma once

// A window's timer on Windows is the system's own: WM_TIMER is already the lowest-priority
// message, served only when no input or posted message waits.

#include <cstdint>

#include "platform/win32/Windows.h"

namespace ui {

class WindowTimer {
public:
    WindowTimer(HWND hwnd, uintptr_t id)
        : m_hwnd(hwnd)
        , m_id(id)
    { }
    // For good: the system drops a tick already due with the timer.
    void Kill() { ::KillTimer(m_hwnd, m_id); }

private:
    HWND m_hwnd;
    uintptr_t m_id;
};

} // namespace ui
