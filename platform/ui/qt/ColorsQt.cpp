#include "platform/ui/Colors.h"

#include "platform/ui/qt/QtConvert.h"

#include <QApplication>
#include <QPalette>

namespace ui {

COLORREF GetSysColor(int index)
{
    const QPalette palette = QApplication::palette();
    switch (index) {
    case COLOR_WINDOW: return qt::FromQColor(palette.color(QPalette::Base));
    case COLOR_WINDOWTEXT: return qt::FromQColor(palette.color(QPalette::Text));
    case COLOR_HIGHLIGHT: return qt::FromQColor(palette.color(QPalette::Highlight));
    case COLOR_HIGHLIGHTTEXT: return qt::FromQColor(palette.color(QPalette::HighlightedText));
    case COLOR_3DFACE: return qt::FromQColor(palette.color(QPalette::Button));
    case COLOR_3DSHADOW: return qt::FromQColor(palette.color(QPalette::Mid));
    case COLOR_BTNHIGHLIGHT: return qt::FromQColor(palette.color(QPalette::Light));
    case COLOR_3DDKSHADOW: return qt::FromQColor(palette.color(QPalette::Shadow));
    default: return RGB(0, 0, 0);
    }
}

} // namespace ui
