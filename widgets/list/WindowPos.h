#pragma once

#include "platform/ui/Messages.h"

namespace ui {
class Window;
}

namespace listctrl {

// Position flags of a window-position change.
inline constexpr ui::UINT SWP_NOMOVE = 0x0002;
inline constexpr ui::UINT SWP_NOZORDER = 0x0004;
inline constexpr ui::UINT SWP_NOACTIVATE = 0x0010;
inline constexpr ui::UINT SWP_NOOWNERZORDER = 0x0200;

// The record a WM_WINDOWPOSCHANGED message points to (the window layer has none yet).
struct WINDOWPOS {
    ui::Window* hwnd = nullptr;
    ui::Window* hwndInsertAfter = nullptr;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    ui::UINT flags = 0;
};

} // namespace listctrl
