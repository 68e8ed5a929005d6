#include "platform/ui/Static.h"
#include "platform/ui/qt/WindowBridge.h"

#include "platform/ui/Resources.h"

#include <QLabel>
#include <QPixmap>

namespace ui {

void Static::SetIcon(int iconId)
{
    auto* label = qobject_cast<QLabel*>(WidgetOf(*this));
    const char* const* xpm = Resources::FindIcon(iconId);
    if (label != nullptr && xpm != nullptr) label->setPixmap(QPixmap(xpm));
}

} // namespace ui
