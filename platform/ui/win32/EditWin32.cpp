// The edit control on Win32 is the system's own: its keys reach the window object first and
// their default processing edits; it notifies EN_UPDATE and EN_CHANGE itself.

#include "platform/ui/Edit.h"

#include "platform/ui/Font.h"
#include "platform/ui/Styles.h"
#include "platform/win32/Wide.h"

#include "platform/ui/win32/WindowBridge.h"

namespace ui {

bool Edit::Create(uint32_t style, const Rect& rect, Window& parent, int id)
{
    HWND parentHandle = WindowBridge::HandleOf(parent);
    if (IsWindow() || parentHandle == nullptr) return false;
    HWND hwnd = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_CLIPSIBLINGS | ES_AUTOHSCROLL | (style & ~WS_POPUP), rect.left, rect.top,
        rect.Width(), rect.Height(), parentHandle, reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), ::GetModuleHandleW(nullptr),
        nullptr);
    if (hwnd == nullptr) {
        Warn("CreateWindowExW failed for an edit");
        return false;
    }
    WindowBridge::Adopt(*this, hwnd, NativeWidget::Kind::Control, id, style);
    WindowBridge::StackOnTop(hwnd);
    if (Font* font = parent.GetFont()) SetFont(font, false);
    return true;
}

LRESULT Edit::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return Window::DefWindowProc(message, wParam, lParam);
}

void Edit::ReplaceSel(std::string_view text)
{
    if (IsWindow())
        ::SendMessageW(WindowBridge::HandleOf(*this), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(win32::Widen(text).c_str()));
}

void Edit::SetSel(int start, int end)
{
    if (IsWindow()) ::SendMessageW(WindowBridge::HandleOf(*this), EM_SETSEL, static_cast<WPARAM>(start), end);
}

} // namespace ui
