#pragma once

#include <functional>

namespace ui {
struct NativeWidget;
}

namespace ui::testing {

// Runs action inside popup (a message box or popup menu shown for real) once its loop runs, as
// a user acting on it; a popup the action leaves open is closed and leftOpen called. Each
// backend defines it (testing/qt/PopupQt.cpp, testing/win32/PopupWin32.cpp).
void RunInsidePopup(NativeWidget& popup, std::function<void()> action, std::function<void()> leftOpen);

} // namespace ui::testing
