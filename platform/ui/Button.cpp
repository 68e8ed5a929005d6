#include "platform/ui/Button.h"

#include <QAbstractButton>

namespace ui {

bool Button::GetCheck() const
{
    auto* button = qobject_cast<QAbstractButton*>(Widget());
    return button != nullptr && button->isChecked();
}

void Button::SetCheck(bool checked)
{
    if (auto* button = qobject_cast<QAbstractButton*>(Widget())) button->setChecked(checked);
}

void Button::Click()
{
    if (auto* button = qobject_cast<QAbstractButton*>(Widget())) button->click();
}

} // namespace ui
