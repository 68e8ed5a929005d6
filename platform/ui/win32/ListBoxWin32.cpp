#include "platform/ui/ListBox.h"

#include "platform/win32/Wide.h"

#include <algorithm>

#include "platform/ui/win32/WindowBridge.h"

namespace ui {

namespace {

LRESULT Send(const Window& list, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return list.IsWindow() ? ::SendMessageW(WindowBridge::HandleOf(list), message, wParam, lParam) : LB_ERR;
}

} // namespace

int ListBox::InsertString(int index, std::string_view text)
{
    // Inserting at a position never sorts, whatever the list box's style.
    const std::wstring wide = win32::Widen(text);
    return static_cast<int>(Send(*this, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide.c_str())));
}

int ListBox::GetCount() const
{
    return std::max(0, static_cast<int>(Send(*this, LB_GETCOUNT)));
}

std::string ListBox::GetText(int index) const
{
    const LRESULT length = Send(*this, LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length < 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(
        std::max<LRESULT>(0, Send(*this, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data())))));
    return win32::Narrow(text);
}

int ListBox::SetCurSel(int index)
{
    if (index < 0 || index >= GetCount()) {
        Send(*this, LB_SETCURSEL, static_cast<WPARAM>(-1));
        return LB_ERR;
    }
    return static_cast<int>(Send(*this, LB_SETCURSEL, static_cast<WPARAM>(index)));
}

int ListBox::GetCurSel() const
{
    return static_cast<int>(Send(*this, LB_GETCURSEL));
}

} // namespace ui
