#include "platform/ui/Button.h"

#include "platform/ui/win32/WindowBridge.h"

namespace ui {

bool Button::GetCheck() const
{
    return IsWindow() && ::SendMessageW(WindowBridge::HandleOf(*this), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

} // namespace ui
