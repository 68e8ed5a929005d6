#pragma once

#include <optional>
#include <string>

namespace ui {

class Dialog;
class Menu;
class Window;
struct NativeWidget;

// What a test installs to stand in for the user: it sees message boxes, modal dialogs and
// system menus as they open and may answer them. None is installed in the program.
class InteractionHooks {
public:
    virtual ~InteractionHooks() = default;

    // A message box about to show: an answer (the pressed button) replaces it; none shows it.
    virtual std::optional<int> OnMessageBox(Window* owner, const std::string& text, const std::string& caption, unsigned flags) = 0;
    // A modal dialog, initialised and shown, before its loop; one still open afterwards is
    // cancelled, so a test never waits on it.
    virtual void OnModalDialog(Dialog& dialog) = 0;
    // A system menu about to open: a chosen id (0 for none) replaces it; none shows it.
    virtual std::optional<unsigned> OnSystemMenu(const Menu& menu) = 0;
    // A message box or popup menu shown for real, before its loop runs.
    virtual void OnPopupShown(NativeWidget& popup) = 0;

    // The installed hooks, or null.
    static InteractionHooks* Installed();
    // Installs hooks (null removes them); returns what was installed before.
    static InteractionHooks* Install(InteractionHooks* hooks);
};

} // namespace ui
