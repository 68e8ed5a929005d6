#include "platform/ui/Edit.h"
#include "platform/ui/qt/WindowBridge.h"

#include "platform/ui/qt/QtConvert.h"

#include <QLineEdit>

namespace ui {

void Edit::ReplaceSel(std::string_view text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(WidgetOf(*this))) edit->insert(qt::ToQString(text));
}

void Edit::SetSel(int start, int end)
{
    auto* edit = qobject_cast<QLineEdit*>(WidgetOf(*this));
    if (edit == nullptr) return;
    const int length = static_cast<int>(edit->text().size());
    if (start < 0) {
        edit->deselect();
        return;
    }
    const int last = end < 0 || end > length ? length : end;
    edit->setSelection(std::min(start, length), last - std::min(start, length));
}

} // namespace ui
