#include "platform/ui/MessageBox.h"

#include "platform/ui/InteractionHooks.h"
#include "platform/ui/NativeMessageBox.h"

namespace ui {

int MessageBox(Window* owner, const std::string& text, const std::string& caption, unsigned flags)
{
    InteractionHooks* hooks = InteractionHooks::Installed();
    if (hooks != nullptr) {
        if (const std::optional<int> answer = hooks->OnMessageBox(owner, text, caption, flags)) return *answer;
    }
    return ShowNativeMessageBox(owner, text, caption, flags, hooks);
}

} // namespace ui
