#include "platform/ui/DeviceContext.h"

#include "platform/ui/qt/NativeHandles.h"

#include "platform/ui/Bitmap.h"
#include "platform/ui/Font.h"
#include "platform/ui/qt/BitmapData.h"
#include "platform/ui/qt/FontData.h"
#include "platform/ui/qt/QtConvert.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>
#include <QPolygon>
#include <utility>

namespace ui {

namespace {

QFont FontOf(const Font* font)
{
    if (font != nullptr && !font->IsNull()) return font->Data()->font;
    return QApplication::font();
}

// Without DT_NOPREFIX an ampersand marks the next character; "&&" is a plain ampersand.
QString StripPrefixes(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) ++i;
        out.append(text[i]);
    }
    return out;
}

} // namespace

DC::DC() = default;

DC::DC(NativePainter& painter, const Rect& clipBox, Font* defaultFont)
    : m_painter(&painter)
    , m_clipBox(clipBox)
    , m_font(defaultFont)
{
    ApplyFont();
}

DC::DC(Bitmap& bitmap)
    : m_painter(qt::ToNative(new QPainter(&bitmap.Image().image)))
    , m_ownsPainter(true)
    , m_clipBox{0, 0, bitmap.Width(), bitmap.Height()}
{
    ApplyFont();
}

DC::DC(Bitmap& bitmap, Point origin)
    : DC(bitmap)
{
    qt::ToQPainter(m_painter)->translate(-origin.x, -origin.y);
    m_clipBox = Rect{origin.x, origin.y, origin.x + bitmap.Width(), origin.y + bitmap.Height()};
}

void DC::DrawBitmap(const Bitmap& bitmap, int x, int y)
{
    if (m_painter != nullptr) qt::ToQPainter(m_painter)->drawImage(x, y, bitmap.Image().image);
}

DC::~DC()
{
    if (m_ownsPainter) delete qt::ToQPainter(m_painter);
}

void DC::ApplyFont() const
{
    if (m_painter != nullptr) qt::ToQPainter(m_painter)->setFont(FontOf(m_font));
}

Font* DC::SelectFont(Font* font)
{
    Font* previous = m_font;
    m_font = font;
    ApplyFont();
    return previous;
}

COLORREF DC::SetTextColor(COLORREF color)
{
    return std::exchange(m_textColor, color);
}

COLORREF DC::SetBkColor(COLORREF color)
{
    return std::exchange(m_bkColor, color);
}

int DC::SetBkMode(int mode)
{
    return std::exchange(m_bkMode, mode);
}

Pen DC::SelectPen(const Pen& pen)
{
    return std::exchange(m_pen, pen);
}

int DC::SaveDC()
{
    m_saved.push_back(State{m_font, m_textColor, m_bkColor, m_bkMode, m_pen});
    if (m_painter != nullptr) qt::ToQPainter(m_painter)->save();
    return static_cast<int>(m_saved.size());
}

bool DC::RestoreDC(int saved)
{
    if (saved <= 0 || saved > static_cast<int>(m_saved.size())) return false;
    while (static_cast<int>(m_saved.size()) >= saved) {
        const State state = m_saved.back();
        m_saved.pop_back();
        m_font = state.font;
        m_textColor = state.textColor;
        m_bkColor = state.bkColor;
        m_bkMode = state.bkMode;
        m_pen = state.pen;
        if (m_painter != nullptr) qt::ToQPainter(m_painter)->restore();
    }
    ApplyFont();
    return true;
}

void DC::FillSolidRect(const Rect& rect, COLORREF color)
{
    if (m_painter == nullptr || rect.IsEmpty()) return;
    qt::ToQPainter(m_painter)->fillRect(qt::ToQRect(rect), qt::ToQColor(color));
}

int DC::DrawText(std::string_view text, Rect& rect, unsigned format)
{
    const QFontMetrics metrics(FontOf(m_font));
    QString value = qt::ToQString(text);
    if ((format & DT_NOPREFIX) == 0) value = StripPrefixes(value);
    const bool singleLine = (format & DT_SINGLELINE) != 0;
    const bool wordBreak = !singleLine && (format & DT_WORDBREAK) != 0;

    int flags = Qt::TextExpandTabs;
    flags |= (format & DT_CENTER) != 0 ? Qt::AlignHCenter : (format & DT_RIGHT) != 0 ? Qt::AlignRight : Qt::AlignLeft;
    if (singleLine) {
        flags |= Qt::TextSingleLine;
        flags |= (format & DT_VCENTER) != 0 ? Qt::AlignVCenter : (format & DT_BOTTOM) != 0 ? Qt::AlignBottom : Qt::AlignTop;
    } else {
        flags |= Qt::AlignTop;
    }
    if (wordBreak) flags |= Qt::TextWordWrap;
    if ((format & DT_NOCLIP) != 0) flags |= Qt::TextDontClip;

    if ((format & DT_CALCRECT) != 0) {
        const int width = wordBreak ? std::max(1, rect.Width()) : 1 << 20;
        const QRect bounds = metrics.boundingRect(
            QRect(0, 0, width, 1 << 20), flags & ~(Qt::AlignHCenter | Qt::AlignRight | Qt::AlignVCenter | Qt::AlignBottom), value);
        const int height = value.isEmpty() ? metrics.height() : bounds.height();
        // One line measures by its advance, as the text extent does; wrapped text by its box.
        const int measured
            = singleLine || (!value.contains(QLatin1Char('\n')) && !wordBreak) ? metrics.horizontalAdvance(value) : bounds.width();
        rect.right = rect.left + (value.isEmpty() ? 0 : measured);
        rect.bottom = rect.top + height;
        return height;
    }

    if ((format & DT_END_ELLIPSIS) != 0 && singleLine) value = metrics.elidedText(value, Qt::ElideRight, std::max(0, rect.Width()));
    const QRect target = qt::ToQRect(rect);
    const QRect drawn = metrics.boundingRect(target, flags, value);
    if (m_painter == nullptr) return drawn.height();

    qt::ToQPainter(m_painter)->save();
    if ((format & DT_NOCLIP) == 0) qt::ToQPainter(m_painter)->setClipRect(target, Qt::IntersectClip);
    if (m_bkMode == OPAQUE && !value.isEmpty()) qt::ToQPainter(m_painter)->fillRect(drawn, qt::ToQColor(m_bkColor));
    qt::ToQPainter(m_painter)->setPen(qt::ToQColor(m_textColor));
    qt::ToQPainter(m_painter)->drawText(target, flags, value);
    qt::ToQPainter(m_painter)->restore();
    return drawn.height();
}

Size DC::GetTextExtent(std::string_view text) const
{
    const QFontMetrics metrics(FontOf(m_font));
    return Size{metrics.horizontalAdvance(qt::ToQString(text)), metrics.height()};
}

TextMetrics DC::GetTextMetrics() const
{
    const QFontMetrics metrics(FontOf(m_font));
    TextMetrics tm;
    tm.height = metrics.height();
    tm.ascent = metrics.ascent();
    tm.descent = metrics.descent();
    tm.internalLeading = std::max(0, metrics.height() - metrics.capHeight() - metrics.descent());
    tm.externalLeading = std::max(0, metrics.leading());
    tm.aveCharWidth = metrics.averageCharWidth();
    tm.overhang = 0;
    return tm;
}

void DC::MoveTo(int x, int y)
{
    m_position = Point{x, y};
}

void DC::LineTo(int x, int y)
{
    const Point from = m_position;
    m_position = Point{x, y};
    if (m_painter == nullptr || from == m_position) return;
    const int dx = (x > from.x) - (x < from.x);
    const int dy = (y > from.y) - (y < from.y);
    if (m_pen.style == PS_SOLID && (dx == 0 || dy == 0)) {
        // Straight solid lines as fills: exact pixels, the end point left out.
        const int width = std::max(1, m_pen.width);
        const Rect span = dy == 0 ? Rect{std::min(from.x, x - dx + 1), from.y, std::max(from.x, x - dx) + 1, from.y + width}
                                  : Rect{from.x, std::min(from.y, y - dy + 1), from.x + width, std::max(from.y, y - dy) + 1};
        FillSolidRect(span, m_pen.color);
        return;
    }
    QPen pen(qt::ToQColor(m_pen.color));
    pen.setWidth(m_pen.width);
    pen.setStyle(m_pen.style == PS_DOT ? Qt::DotLine : Qt::SolidLine);
    qt::ToQPainter(m_painter)->save();
    qt::ToQPainter(m_painter)->setRenderHint(QPainter::Antialiasing, false);
    qt::ToQPainter(m_painter)->setPen(pen);
    // The end point is not part of the line: step back one pixel towards the start.
    qt::ToQPainter(m_painter)->drawLine(from.x, from.y, x - dx, y - dy);
    qt::ToQPainter(m_painter)->restore();
}

void DC::Draw3dRect(const Rect& rect, COLORREF topLeft, COLORREF bottomRight)
{
    if (rect.IsEmpty()) return;
    FillSolidRect(Rect{rect.left, rect.top, rect.right - 1, rect.top + 1}, topLeft);
    FillSolidRect(Rect{rect.left, rect.top, rect.left + 1, rect.bottom - 1}, topLeft);
    FillSolidRect(Rect{rect.right - 1, rect.top, rect.right, rect.bottom}, bottomRight);
    FillSolidRect(Rect{rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottomRight);
}

void DC::DrawEdge(const Rect& rect, unsigned edge, unsigned sides)
{
    struct Border {
        unsigned bit;
        int topLeft;
        int bottomRight;
    };
    // Outer border first, then the inner one inside it.
    const Border outer[] = {{BDR_RAISEDOUTER, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW}, {BDR_SUNKENOUTER, COLOR_3DSHADOW, COLOR_BTNHIGHLIGHT}};
    const Border inner[] = {{BDR_RAISEDINNER, COLOR_3DFACE, COLOR_3DSHADOW}, {BDR_SUNKENINNER, COLOR_3DDKSHADOW, COLOR_3DFACE}};
    Rect r = rect;
    for (const auto* ring : {outer, inner}) {
        for (int i = 0; i < 2; ++i) {
            if ((edge & ring[i].bit) == 0) continue;
            const COLORREF tl = GetSysColor(ring[i].topLeft);
            const COLORREF br = GetSysColor(ring[i].bottomRight);
            if (sides & BF_TOP) FillSolidRect(Rect{r.left, r.top, r.right, r.top + 1}, tl);
            if (sides & BF_LEFT) FillSolidRect(Rect{r.left, r.top, r.left + 1, r.bottom}, tl);
            if (sides & BF_BOTTOM) FillSolidRect(Rect{r.left, r.bottom - 1, r.right, r.bottom}, br);
            if (sides & BF_RIGHT) FillSolidRect(Rect{r.right - 1, r.top, r.right, r.bottom}, br);
            r.Deflate(1, 1);
            break;
        }
    }
}

void DC::DrawFocusRect(const Rect& rect)
{
    if (m_painter == nullptr || rect.IsEmpty()) return;
    qt::ToQPainter(m_painter)->save();
    // Inverting dots, so that drawing twice removes it.
    if (qt::ToQPainter(m_painter)->paintEngine() != nullptr
        && qt::ToQPainter(m_painter)->paintEngine()->hasFeature(QPaintEngine::RasterOpModes)) {
        qt::ToQPainter(m_painter)->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        qt::ToQPainter(m_painter)->setPen(QPen(Qt::white, 1, Qt::DotLine));
    } else {
        qt::ToQPainter(m_painter)->setPen(QPen(Qt::black, 1, Qt::DotLine));
    }
    qt::ToQPainter(m_painter)->drawRect(QRect(rect.left, rect.top, rect.Width() - 1, rect.Height() - 1));
    qt::ToQPainter(m_painter)->restore();
}

void DC::FillPolygon(std::span<const Point> points, COLORREF color)
{
    if (m_painter == nullptr || points.empty()) return;
    QPolygon polygon;
    for (const Point& p : points) polygon << QPoint(p.x, p.y);
    qt::ToQPainter(m_painter)->save();
    qt::ToQPainter(m_painter)->setPen(qt::ToQColor(m_pen.color));
    qt::ToQPainter(m_painter)->setBrush(qt::ToQColor(color));
    qt::ToQPainter(m_painter)->drawPolygon(polygon);
    qt::ToQPainter(m_painter)->restore();
}

void DC::Polyline(std::span<const Point> points)
{
    if (points.empty()) return;
    MoveTo(points.front().x, points.front().y);
    for (const Point& p : points.subspan(1)) LineTo(p.x, p.y);
}

void DC::InvertRect(const Rect& rect)
{
    if (m_painter == nullptr || rect.IsEmpty()) return;
    qt::ToQPainter(m_painter)->save();
    qt::ToQPainter(m_painter)->setCompositionMode(QPainter::RasterOp_NotDestination);
    qt::ToQPainter(m_painter)->fillRect(qt::ToQRect(rect), Qt::black);
    qt::ToQPainter(m_painter)->restore();
}

} // namespace ui
