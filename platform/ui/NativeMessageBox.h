#pragma once

#include <string>

namespace ui {

class InteractionHooks;
class Window;

// The system's own message box, defined by each backend: shown modally over owner, it tells
// hooks (when installed) once it is open, and returns the pressed button's id.
int ShowNativeMessageBox(Window* owner, const std::string& text, const std::string& caption, unsigned flags, InteractionHooks* hooks);

} // namespace ui
