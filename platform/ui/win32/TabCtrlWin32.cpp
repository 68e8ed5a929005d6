// The tab control on Win32 is the system's own; its notifications reach the parent as WM_NOTIFY,
// which the parent's procedure turns into our record.

#include "platform/ui/TabCtrl.h"

#include "platform/win32/Wide.h"

#include <algorithm>
#include <string>

#include "platform/ui/win32/WindowBridge.h"

#include <commctrl.h>

namespace ui {

namespace {

LRESULT Send(const Window& tabs, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return tabs.IsWindow() ? ::SendMessageW(WindowBridge::HandleOf(tabs), message, wParam, lParam) : -1;
}

} // namespace

int TabCtrl::InsertItem(int index, std::string_view text, intptr_t value)
{
    if (!IsWindow() || index < 0) return -1;
    std::wstring wide = win32::Widen(text);
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = wide.data();
    item.lParam = value;
    return static_cast<int>(
        Send(*this, TCM_INSERTITEMW, static_cast<WPARAM>(std::min(index, GetItemCount())), reinterpret_cast<LPARAM>(&item)));
}

void TabCtrl::DeleteItem(int index)
{
    if (index >= 0 && index < GetItemCount()) Send(*this, TCM_DELETEITEM, static_cast<WPARAM>(index));
}

int TabCtrl::GetItemCount() const
{
    return IsWindow() ? static_cast<int>(Send(*this, TCM_GETITEMCOUNT)) : 0;
}

std::string TabCtrl::GetItemText(int index) const
{
    wchar_t text[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 256;
    if (index < 0 || index >= GetItemCount() || !Send(*this, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
        return {};
    return win32::Narrow(item.pszText);
}

intptr_t TabCtrl::GetItemData(int index) const
{
    TCITEMW item{};
    item.mask = TCIF_PARAM;
    if (index < 0 || index >= GetItemCount() || !Send(*this, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
        return 0;
    return item.lParam;
}

int TabCtrl::GetCurSel() const
{
    return IsWindow() ? static_cast<int>(Send(*this, TCM_GETCURSEL)) : -1;
}

int TabCtrl::SetCurSel(int index)
{
    if (index < 0 || index >= GetItemCount()) return -1;
    return static_cast<int>(Send(*this, TCM_SETCURSEL, static_cast<WPARAM>(index)));
}

} // namespace ui
