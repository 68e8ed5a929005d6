#pragma once

// The toolkit's objects behind the opaque handles the public headers hold.

#include "platform/ui/Window.h"

class QPainter;
class QWidget;

namespace ui {

struct NativePainter;

namespace qt {

inline QWidget* ToQWidget(NativeWidget* native)
{
    return reinterpret_cast<QWidget*>(native);
}
inline NativeWidget* ToNative(QWidget* widget)
{
    return reinterpret_cast<NativeWidget*>(widget);
}
inline QPainter* ToQPainter(NativePainter* native)
{
    return reinterpret_cast<QPainter*>(native);
}
inline NativePainter* ToNative(QPainter* painter)
{
    return reinterpret_cast<NativePainter*>(painter);
}

} // namespace qt
} // namespace ui
