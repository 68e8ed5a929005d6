#pragma once

// Conversions between the toolkit's types and the window layer's.

#include "platform/ui/Colors.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/LogFont.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <string>
#include <string_view>

class QKeyEvent;

namespace ui::qt {

inline QColor ToQColor(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}
inline COLORREF FromQColor(const QColor& c)
{
    return RGB(c.red(), c.green(), c.blue());
}

// Rect is exclusive on the right and bottom, QRect inclusive.
inline QRect ToQRect(const Rect& r)
{
    return QRect(r.left, r.top, r.Width(), r.Height());
}
inline Rect FromQRect(const QRect& r)
{
    return Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

inline QString ToQString(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
inline std::string FromQString(const QString& s)
{
    return s.toStdString();
}

// Windows face names mapped to fonts installed here, pixel sizes from the record's height.
QFont ToQFont(const LOGFONT& logFont);
LOGFONT PointFontRecord(int tenthsOfPoint, std::string_view faceName);

// Virtual-key code of a key event, 0 when it has none.
unsigned VirtualKey(const QKeyEvent& event);
// Key-message lParam bits (extended key, previous state) are not used by callers: 1 repeat.
constexpr unsigned kKeyRepeat = 1;

} // namespace ui::qt
