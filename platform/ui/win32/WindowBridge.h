#pragma once

// Ties system windows (HWND) to the window objects that handle their messages: translates the
// system's messages into ours on the way in, and back on the way to the default processing,
// and routes queued input through the pre-translation walk.

#include "platform/ui/Messages.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string_view>
#include <vector>

#include "platform/win32/Windows.h"

namespace ui {

class Font;
class Window;

// A window's native state on Windows; Window holds it as its opaque NativeWidget.
struct NativeWidget {
    enum class Kind {
        Own,     // our window class: the program draws it
        Dialog,  // our dialog class over the system's dialog manager
        Control, // a system control, subclassed
        Foreign, // a system window of no object of ours (a message box)
    };
    struct Call {
        UINT message;
        WPARAM wParam; // as the window object saw them
        LPARAM lParam;
        WPARAM nativeWParam; // as the system sent them
        LPARAM nativeLParam;
    };
    struct Posted {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    HWND hwnd = nullptr;
    Kind kind = Kind::Own;
    Window* owner = nullptr;
    bool ownsWindow = false;
    std::vector<Call> calls;   // the system's messages being handled, innermost last
    std::deque<Posted> posted; // our posted messages, in order
    int bypass = 0;            // while above zero, a control's messages go straight to its own procedure
    wchar_t highSurrogate = 0; // the first half of a character, until the second comes
    int keptTab = -1;          // a tab control's tab its parent would not leave, until the key or click is handled
    int trackPos[2] = {0, 0};  // where the user last asked each scroll bar (SB_HORZ, SB_VERT) to go
};

class WindowBridge {
public:
    static constexpr wchar_t kWindowClass[] = L"VelmoraWindow";
    static constexpr wchar_t kDialogClass[] = L"VelmoraDialog";

    static HWND HandleOf(const Window& window);
    static HWND HandleOf(const Window* window) { return window != nullptr ? HandleOf(*window) : nullptr; }
    // Makes window stand for an existing system window (a template control, which is subclassed).
    static void Attach(Window& window, HWND hwnd, NativeWidget::Kind kind, int id, uint32_t style, Font* font);
    // The same for a window the object made: destroyed with the object.
    static void Adopt(Window& window, HWND hwnd, NativeWidget::Kind kind, int id, uint32_t style);
    static void Detach(Window& window);
    // A child window the program makes goes above its siblings, as on Linux; the system puts it
    // below them.
    static void StackOnTop(HWND child);

    // The window bound to exactly this handle, or null.
    static Window* Owner(HWND hwnd);
    // The window bound to this handle or its nearest ancestor, not past its top-level window.
    static Window* NearestInTopLevel(HWND hwnd);

    // Registers our window classes once; false (and a warning) when the system refuses.
    static bool RegisterClasses();
    // Registers a class of this name whose windows are ours, unless the module has it already
    // (false when it has one that is not ours); a dialog class needs DLGWINDOWEXTRA bytes.
    static bool RegisterOwnClass(const std::wstring& name, uint32_t classStyle, int background, int windowExtraBytes = 0);
    // Whether a window is of one of our classes (we handle and draw it) rather than a control.
    static bool IsOwnClass(HWND hwnd);
    static bool IsOwnClassName(const std::wstring& name);
    // The object a window of our classes is created for, until the system's first message binds it.
    static void CreatingFor(Window* window, NativeWidget::Kind kind);

    // Runs one queued message: the pre-translation walk for input, the dialog keys of the
    // system's dialog manager, then translation and dispatch.
    static void Route(MSG& msg);
    // What a loop of ours may take from the queue (PeekMessage's PM_QS_ flags, 0 for all):
    // while a menu is open, the input waiting is the menu's loop's to take.
    static UINT QueueFilter();
    static bool WalkPreTranslate(Msg& msg);

    // The default processing of the message the window object now handles.
    static LRESULT Default(NativeWidget& native, UINT message, WPARAM wParam, LPARAM lParam);
    static void Post(NativeWidget& native, UINT message, WPARAM wParam, LPARAM lParam);

    // The system menu of a top-level window: the hooks answer, else the user chooses.
    static void ShowSystemMenu(Window& window);

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);

private:
    static LRESULT Handle(NativeWidget& native, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT PassOn(NativeWidget& native, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CallNative(NativeWidget& native, UINT message, WPARAM wParam, LPARAM lParam);
    static void Forget(NativeWidget& native);
    static void MirrorSystemMenu(NativeWidget& native);
};

// A failed system call of the backend, for the test seam to report; the program ignores it.
void Warn(std::string_view what);
void SetWarningSink(std::function<void(std::string_view)> sink);

} // namespace ui
