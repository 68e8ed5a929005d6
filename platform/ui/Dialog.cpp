// What every system shares of a dialog: its items, dialog units, focus order and keys. Making
// the native dialog and running its modal loop is the backend's (qt/DialogQt.cpp,
// win32/DialogWin32.cpp).

#include "platform/ui/Dialog.h"

#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Font.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Styles.h"

namespace ui {

Dialog::Dialog(int templateId, Window* parent)
    : m_templateId(templateId)
    , m_parentWindow(parent)
{ }

Dialog::~Dialog()
{
    DestroyWindow();
}

Rect Dialog::MapDialogRect(const Rect& units) const
{
    return Rect{MulDiv(units.left, m_baseUnits.cx, 4), MulDiv(units.top, m_baseUnits.cy, 8), MulDiv(units.right, m_baseUnits.cx, 4),
        MulDiv(units.bottom, m_baseUnits.cy, 8)};
}

Window* Dialog::GetDlgItem(int id) const
{
    auto found = m_items.find(id);
    return found == m_items.end() ? nullptr : found->second;
}

bool Dialog::IsPushButton(int id) const
{
    const DialogTemplate* dialogTemplate = Resources::FindDialog(m_templateId);
    if (dialogTemplate == nullptr) return false;
    for (const ControlTemplate& control : dialogTemplate->controls) {
        const uint32_t type = control.style & BS_TYPEMASK;
        if (control.id == id) return control.windowClass == wc::Button && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
    }
    return false;
}

Window* Dialog::GetDefaultButton() const
{
    const DialogTemplate* dialogTemplate = Resources::FindDialog(m_templateId);
    if (dialogTemplate == nullptr) return nullptr;
    for (const ControlTemplate& control : dialogTemplate->controls) {
        if (control.windowClass == wc::Button && (control.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return GetDlgItem(control.id);
    }
    return nullptr;
}

void Dialog::FocusFirstTabStop()
{
    const DialogTemplate* dialogTemplate = Resources::FindDialog(m_templateId);
    if (dialogTemplate == nullptr) return;
    for (const ControlTemplate& control : dialogTemplate->controls) {
        Window* item = (control.style & WS_TABSTOP) != 0 ? GetDlgItem(control.id) : nullptr;
        if (item == nullptr || !item->IsWindowEnabled() || !item->IsWindowVisible()) continue;
        item->SetFocus();
        return;
    }
}

bool Dialog::OnInitDialog()
{
    DoDataExchange();
    return true;
}

void Dialog::OnOK()
{
    EndDialog(IDOK);
}

void Dialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

bool Dialog::OnCommand(WPARAM wParam, LPARAM)
{
    if (HIWORD(wParam) != BN_CLICKED) return false;
    switch (LOWORD(wParam)) {
    case IDOK: OnOK(); return true;
    case IDCANCEL: OnCancel(); return true;
    default: return false;
    }
}

void Dialog::OnClose()
{
    OnCancel();
}

bool Dialog::PreTranslateMessage(Msg& msg)
{
    if (msg.message != WM_KEYDOWN || (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE)) return false;
    Window* focus = GetFocus();
    if (focus != nullptr && (focus->SendMessage(WM_GETDLGCODE) & DLGC_WANTALLKEYS) != 0) return false;
    if (msg.wParam == VK_ESCAPE) {
        SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(IDCANCEL)));
        return true;
    }
    // Enter presses the focused push button of this dialog, else its default button, else OK.
    Window* target = focus != nullptr && focus->GetParent() == this && IsPushButton(focus->GetDlgCtrlID()) ? focus : GetDefaultButton();
    if (target != nullptr && !target->IsWindowEnabled()) return true;
    const int id = target != nullptr ? target->GetDlgCtrlID() : IDOK;
    SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(target));
    return true;
}

} // namespace ui
