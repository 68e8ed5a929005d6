#include "platform/ui/Button.h"
#include "platform/ui/qt/WindowBridge.h"

#include <QAbstractButton>

namespace ui {

bool Button::GetCheck() const
{
    auto* button = qobject_cast<QAbstractButton*>(WidgetOf(*this));
    return button != nullptr && button->isChecked();
}

} // namespace ui
