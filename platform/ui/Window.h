#pragma once

#include "platform/ui/Geometry.h"
#include "platform/ui/Messages.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class DC;
class WindowTimer;
class Font;
class Menu;

// The toolkit's widget behind a window; only the window layer's private tier looks inside.
struct NativeWidget;

enum class Cursor { Arrow, Wait };

struct ScrollInfo {
    int min = 0;
    int max = 0;
    int page = 0;
    int pos = 0;
    int trackPos = 0; // where the user drags the thumb (full width, unlike a scroll message's)
};

// A window: the common base of dialogs, standard controls and custom-drawn controls.
// Messages reach it through WindowProc, which calls the On... handlers; a handler's base
// version does the default processing.
class Window {
public:
    Window();
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Makes sure a window class of this name exists (classStyle of CS_ bits, the background a
    // system colour index): dialog templates that name it and CreateChild given it make windows
    // of it, which their objects handle and draw.
    static bool RegisterWindowClass(std::string_view name, uint32_t classStyle, int background);
    // A custom-drawn child window, of the given registered class or our own; its messages come
    // to this object's handlers.
    bool CreateChild(Window& parent, const Rect& rect, int id, uint32_t style, std::string_view windowClass = {});
    void DestroyWindow();
    bool IsWindow() const { return m_native != nullptr; }

    int GetDlgCtrlID() const { return m_id; }
    uint32_t GetStyle() const { return m_style; }
    Window* GetParent() const;
    Window* GetTopLevel();

    // Client rectangle: origin 0, 0; excludes shown scroll bars.
    Rect GetClientRect() const;
    // The window's rectangle in its parent's client coordinates (screen for a top-level).
    Rect GetWindowRect() const;
    void MoveWindow(const Rect& rect, bool repaint = true);
    void BringToTop();
    void ShowWindow(int command);
    bool IsWindowVisible() const;
    bool IsWindowEnabled() const;

    // The caption and task-bar icon of a top-level window, from an icon resource.
    void SetIcon(int iconId);
    int GetIconId() const { return m_iconId; }

    void SetWindowText(std::string_view text);
    std::string GetWindowText() const;

    void SetFont(Font* font, bool redraw = true);
    Font* GetFont() const;

    void Invalidate(bool erase = true);
    void InvalidateRect(const Rect& rect, bool erase = true);
    // A device context for measuring outside painting; it cannot draw (CanDraw() is false),
    // so callers that want to draw invalidate instead.
    std::unique_ptr<DC> GetDC();

    void SetFocus();
    static Window* GetFocus();

    void SetCapture();
    static void ReleaseCapture();
    static Window* GetCapture();
    static void SetCursor(Cursor cursor);

    // Starts (or restarts) timer id; OnTimer receives the id. A tick waits until no input
    // waits: a click or key queued while a handler ran is served first.
    uintptr_t SetTimer(uintptr_t id, UINT elapseMs);
    bool KillTimer(uintptr_t id);
    bool HasTimer(uintptr_t id) const;

    void SetScrollInfo(int bar, const ScrollInfo& info, bool redraw = true);
    ScrollInfo GetScrollInfo(int bar) const;
    int SetScrollPos(int bar, int pos, bool redraw = true);
    int GetScrollPos(int bar) const;
    void ShowScrollBar(int bar, bool show);
    bool IsScrollBarShown(int bar) const;

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Queues the message; it is dispatched by the message loop or a pump step.
    void PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Sends a notification record to the parent and returns its answer.
    LRESULT SendNotify(NMHDR& header);
    // Sends a command notification (WM_COMMAND with this control's id) to the parent.
    LRESULT SendCommandToParent(int code);

    // The system-menu stand-in of a top-level window with a system menu; null otherwise.
    Menu* GetSystemMenu();

    // Runs for every key and mouse message before it is dispatched, first on the window that
    // receives it, then on each parent; true consumes the message.
    virtual bool PreTranslateMessage(Msg& msg);

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Runs when this object starts to stand for an existing control (a template control it
    // was bound to), before any message reaches it.
    virtual void PreSubclassWindow() { }

protected:
    // Default processing of the message now being handled.
    LRESULT Default();
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    virtual void OnPaint(DC& dc);
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnKeyDown(UINT vk, UINT repeat, UINT flags);
    virtual void OnChar(UINT ch, UINT repeat, UINT flags);
    virtual void OnLButtonDown(UINT flags, Point point);
    virtual void OnLButtonUp(UINT flags, Point point);
    virtual void OnLButtonDblClk(UINT flags, Point point);
    virtual void OnRButtonDown(UINT flags, Point point);
    virtual void OnRButtonUp(UINT flags, Point point);
    virtual void OnMouseMove(UINT flags, Point point);
    virtual bool OnMouseWheel(UINT flags, int delta, Point point);
    virtual void OnTimer(uintptr_t id);
    virtual void OnSetFocus(Window* oldFocus);
    virtual void OnKillFocus(Window* newFocus);
    virtual void OnCaptureChanged(Window* newCapture);
    virtual void OnHScroll(int code, int pos);
    virtual void OnVScroll(int code, int pos);
    virtual UINT OnGetDlgCode();
    // True when the command was handled.
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    // True when handled; *result is the answer returned to the sender.
    virtual bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual void OnSysCommand(UINT id, LPARAM lParam);
    virtual void OnClose();

    void SetStyle(uint32_t style) { m_style = style; }
    // True while the window is on its way out (a modal dialog that has ended but whose loop has
    // not returned yet): no tick is served to it or to its children any more.
    virtual bool IsClosing() const { return false; }

private:
    friend class WindowBridge;

    void KillTimers();
    // The native side of the default processing, defined by each system's backend.
    void ApplyFontNatively(bool redraw);
    LRESULT NativeDefault(UINT message, WPARAM wParam, LPARAM lParam);

    struct Current {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    NativeWidget* m_native = nullptr;
    bool m_ownsWidget = false;
    int m_id = 0;
    uint32_t m_style = 0;
    Font* m_font = nullptr;
    int m_iconId = 0;
    std::vector<Current> m_current;
    std::map<uintptr_t, std::shared_ptr<WindowTimer>> m_timers;
    std::unique_ptr<Menu> m_systemMenu;
};

} // namespace ui
