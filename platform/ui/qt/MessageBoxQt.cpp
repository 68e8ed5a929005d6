#include "platform/ui/NativeMessageBox.h"

#include "platform/ui/MessageBox.h"

#include "platform/ui/InteractionHooks.h"
#include "platform/ui/qt/WindowBridge.h"

#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/qt/NativeHandles.h"
#include "platform/ui/qt/QtConvert.h"

#include <QMessageBox>

namespace ui {

int ShowNativeMessageBox(Window* owner, const std::string& text, const std::string& caption, unsigned flags, InteractionHooks* hooks)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (flags & MB_ICONMASK) {
    case MB_ICONERROR: icon = QMessageBox::Critical; break;
    case MB_ICONWARNING: icon = QMessageBox::Warning; break;
    case MB_ICONINFORMATION: icon = QMessageBox::Information; break;
    default: break;
    }
    QWidget* parent = owner != nullptr ? WidgetOf(owner) : nullptr;
    QMessageBox box(icon, qt::ToQString(caption), qt::ToQString(text), QMessageBox::Ok, parent);
    if (hooks != nullptr) hooks->OnPopupShown(*qt::ToNative(&box));
    box.exec();
    return IDOK;
}

} // namespace ui
