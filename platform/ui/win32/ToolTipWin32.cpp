// Tooltips on Win32: the system's tooltip control, owned by the parent's window (and destroyed
// with it), watching its tool itself.

#include "platform/ui/ToolTip.h"

#include "platform/ui/Window.h"
#include "platform/win32/Wide.h"

#include "platform/ui/win32/WindowBridge.h"

#include <commctrl.h>

namespace ui {

bool ToolTip::Create(Window* parent, unsigned)
{
    if (parent == nullptr || !parent->IsWindow()) return false;
    m_parent = parent;
    return true;
}

void ToolTip::AddTool(Window* tool, std::string_view text)
{
    if (m_parent == nullptr || !m_parent->IsWindow() || tool == nullptr || !tool->IsWindow()) return;
    HWND owner = WindowBridge::HandleOf(*m_parent);
    HWND tip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (tip == nullptr) {
        Warn("CreateWindowExW failed for a tooltip");
        return;
    }
    std::wstring wide = win32::Widen(text);
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(WindowBridge::HandleOf(*tool));
    info.lpszText = wide.data();
    ::SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    m_tool = tool;
    m_text = std::string(text);
}

} // namespace ui
