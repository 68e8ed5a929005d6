#pragma once

#include <string>

namespace ui {

class Window;

constexpr unsigned MB_OK = 0x00000000;
constexpr unsigned MB_ICONERROR = 0x00000010;
constexpr unsigned MB_ICONWARNING = 0x00000030;
constexpr unsigned MB_ICONINFORMATION = 0x00000040;
constexpr unsigned MB_ICONMASK = 0x000000F0;

// Shows a modal message box owned by owner (may be null); returns the pressed button's id.
int MessageBox(Window* owner, const std::string& text, const std::string& caption, unsigned flags = MB_OK);

} // namespace ui
