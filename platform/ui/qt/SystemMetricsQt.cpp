#include "platform/ui/SystemMetrics.h"

#include "platform/ui/Messages.h"
#include "platform/ui/qt/QtConvert.h"
#include "platform/ui/qt/SystemSettings.h"

#include <QApplication>
#include <QStyle>

namespace ui {

LOGFONT GetMessageFont()
{
    // The message font of the Japanese desktop: 9 points of the dialog face.
    return qt::PointFontRecord(90, "MS UI Gothic");
}

namespace {

std::optional<int> g_wheelScrollLines;

} // namespace

void qt::OverrideWheelScrollLines(std::optional<int> lines)
{
    g_wheelScrollLines = lines;
}

int GetWheelScrollLines()
{
    return g_wheelScrollLines.value_or(QApplication::wheelScrollLines());
}

int GetScrollBarSize()
{
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

int ScaleToScreen(int pixels)
{
    // Qt's pixels are already those of a 96-dots-per-inch screen, scaled by the toolkit.
    return pixels;
}

bool IsKeyDown(unsigned vk)
{
    const Qt::KeyboardModifiers modifiers = QApplication::keyboardModifiers();
    switch (vk) {
    case VK_SHIFT: return (modifiers & Qt::ShiftModifier) != 0;
    case VK_CONTROL: return (modifiers & Qt::ControlModifier) != 0;
    case VK_MENU: return (modifiers & Qt::AltModifier) != 0;
    default: return false;
    }
}

} // namespace ui
