#include "platform/ui/Edit.h"
#include "platform/ui/qt/WindowBridge.h"

#include "platform/ui/Font.h"
#include "platform/ui/Styles.h"
#include "platform/ui/qt/EditWidget.h"
#include "platform/ui/qt/QtConvert.h"

#include <QLineEdit>

namespace ui {

bool Edit::Create(uint32_t style, const Rect& rect, Window& parent, int id)
{
    QWidget* parentWidget = WidgetOf(parent);
    if (IsWindow() || parentWidget == nullptr) return false;
    auto* edit = new EditWidget(QString(), parentWidget, style);
    edit->setGeometry(qt::ToQRect(rect));
    WindowBridge::Adopt(*this, edit, id, style);
    if (Font* font = parent.GetFont()) SetFont(font, false);
    edit->setVisible((style & WS_VISIBLE) != 0);
    return true;
}

LRESULT Edit::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* edit = dynamic_cast<EditWidget*>(WidgetOf(*this));
    if (edit != nullptr && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)) edit->DefaultKey(false);
    if (edit != nullptr && (message == WM_CHAR || message == WM_SYSCHAR)) edit->DefaultChar(static_cast<UINT>(wParam));
    return Window::DefWindowProc(message, wParam, lParam);
}

void Edit::ReplaceSel(std::string_view text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(WidgetOf(*this))) edit->insert(qt::ToQString(text));
}

void Edit::SetSel(int start, int end)
{
    auto* edit = qobject_cast<QLineEdit*>(WidgetOf(*this));
    if (edit == nullptr) return;
    const int length = static_cast<int>(edit->text().size());
    const int last = end < 0 || end > length ? length : end;
    edit->setSelection(std::min(start, length), last - std::min(start, length));
}

} // namespace ui
