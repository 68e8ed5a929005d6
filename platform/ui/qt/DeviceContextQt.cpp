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
#include <QStaticText>
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>

namespace ui {

namespace {

QFont FontOf(const Font* font)
{
    if (font != nullptr && !font->IsNull()) return font->Data()->font;
    return QApplication::font();
}

// Laid-out single lines, kept by text and font: a grid draws the same few values again and
// again, and laying a line out costs far more than drawing it.
const QStaticText& LaidOutLine(const QString& text, const QFont& font)
{
    struct Entry {
        QFont font;
        QStaticText layout;
    };
    constexpr size_t kSlots = 1024;
    static std::array<Entry, kSlots> cache;
    Entry& entry = cache[qHash(text) % kSlots];
    if (entry.layout.text() != text || entry.font != font) {
        entry.font = font;
        entry.layout = QStaticText(text);
        entry.layout.setTextFormat(Qt::PlainText);
        entry.layout.prepare(QTransform(), font);
    }
    return entry.layout;
}

// The advances of the ASCII characters of a font, asked of the font once: asking again for
// each character of each text costs nearly as much as laying the text out.
const std::array<int, 128>& AsciiAdvances(const QFont& font, const QFontMetrics& metrics)
{
    struct Entry {
        QFont font;
        std::array<int, 128> advances;
    };
    constexpr size_t kFonts = 16; // a program uses a handful
    static std::vector<Entry> known;
    for (const Entry& entry : known) {
        if (entry.font == font) return entry.advances;
    }
    if (known.size() == kFonts) known.erase(known.begin());
    Entry& entry = known.emplace_back(Entry{font, {}});
    for (size_t ch = 0; ch < entry.advances.size(); ++ch) entry.advances[ch] = metrics.horizontalAdvance(QChar(static_cast<char16_t>(ch)));
    return entry.advances;
}

// Whether text surely fits width: summing the advances of its characters costs far less than
// laying the text out, and a small slack covers kerning.
bool SurelyFits(const QFont& font, const QFontMetrics& metrics, const QString& text, int width)
{
    constexpr int kSlack = 2;
    const std::array<int, 128>& ascii = AsciiAdvances(font, metrics);
    int sum = kSlack;
    for (const QChar ch : text) {
        sum += ch.unicode() < ascii.size() ? ascii[ch.unicode()] : metrics.horizontalAdvance(ch);
        if (sum > width) return false;
    }
    return true;
}

bool FitsFor(const QFont& font, const QFontMetrics& metrics, const QString& text, int width)
{
    return SurelyFits(font, metrics, text, width) || metrics.horizontalAdvance(text) <= width;
}

} // namespace

DC::DC() = default;

DC::DC(NativePainter& painter, const Rect& clipBox, Font* defaultFont, std::vector<Rect> visibleParts)
    : m_painter(&painter)
    , m_clipBox(clipBox)
    , m_visibleParts(std::move(visibleParts))
    , m_font(defaultFont)
{
    ApplyFont();
}

bool DC::RectVisible(const Rect& rect) const
{
    const auto meets = [&rect](const Rect& part) {
        return rect.left < part.right && part.left < rect.right && rect.top < part.bottom && part.top < rect.bottom;
    };
    if (!meets(m_clipBox)) return false;
    return m_visibleParts.empty() || std::any_of(m_visibleParts.begin(), m_visibleParts.end(), meets);
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

void DC::RestoreDC(int saved)
{
    if (saved <= 0 || saved > static_cast<int>(m_saved.size())) return;
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
}

void DC::FillSolidRect(const Rect& rect, COLORREF color)
{
    if (m_painter == nullptr || rect.IsEmpty()) return;
    qt::ToQPainter(m_painter)->fillRect(qt::ToQRect(rect), qt::ToQColor(color));
}

int DC::DrawText(std::string_view text, const Rect& rect, unsigned format)
{
    const QFont font = FontOf(m_font);
    const QFontMetrics metrics(font);
    // Every text of the program is drawn with DT_NOPREFIX: ampersands show as they are.
    QString value = qt::ToQString(text);
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

    // Laying text out is the costly part: a line that fits is neither elided nor measured twice.
    if ((format & DT_END_ELLIPSIS) != 0 && singleLine && !FitsFor(font, metrics, value, rect.Width())) {
        value = metrics.elidedText(value, Qt::ElideRight, std::max(0, rect.Width()));
    }
    const QRect target = qt::ToQRect(rect);
    const bool fillsBehind = m_bkMode == OPAQUE && !value.isEmpty();
    // Text without a line break or wrapping lays out as one line, whatever the single-line flag
    // says; only that flag centres it vertically. Such a line is laid out once and kept, and its
    // box follows from that layout.
    const bool oneLine = (singleLine || (!wordBreak && !value.contains(QLatin1Char('\n')))) && !value.contains(QLatin1Char('\t'));
    if (oneLine) {
        if (m_painter == nullptr) return metrics.height();
        QPainter& painter = *qt::ToQPainter(m_painter);
        const QStaticText& line = LaidOutLine(value, painter.font());
        const QSizeF size = line.size();
        // Whole pixels, as the desktop places text: a glyph drawn once is then drawn the same way.
        const double x = std::round((flags & Qt::AlignHCenter) != 0 ? target.left() + (target.width() - size.width()) / 2
                : (flags & Qt::AlignRight) != 0                     ? target.left() + target.width() - size.width()
                                                                    : target.left());
        const double y = std::round((flags & Qt::AlignVCenter) != 0 ? target.top() + (target.height() - metrics.height()) / 2.0
                : (flags & Qt::AlignBottom) != 0                    ? target.top() + target.height() - metrics.height()
                                                                    : target.top());
        const bool clipped = (format & DT_NOCLIP) == 0;
        if (clipped) {
            painter.save();
            painter.setClipRect(target, Qt::IntersectClip);
        }
        if (fillsBehind) {
            const QRect behind(static_cast<int>(x), static_cast<int>(y), static_cast<int>(std::ceil(size.width())), metrics.height());
            painter.fillRect(behind, qt::ToQColor(m_bkColor));
        }
        const QPen pen = painter.pen();
        painter.setPen(qt::ToQColor(m_textColor));
        painter.drawStaticText(QPointF(x, y), line);
        if (clipped) {
            painter.restore();
        } else {
            painter.setPen(pen);
        }
        return metrics.height();
    }

    const QRect drawn = metrics.boundingRect(target, flags, value);
    if (m_painter == nullptr) return drawn.height();
    QPainter& painter = *qt::ToQPainter(m_painter);
    painter.save();
    if ((format & DT_NOCLIP) == 0) painter.setClipRect(target, Qt::IntersectClip);
    if (fillsBehind) painter.fillRect(drawn, qt::ToQColor(m_bkColor));
    painter.setPen(qt::ToQColor(m_textColor));
    painter.drawText(target, flags, value);
    painter.restore();
    return drawn.height();
}

Size DC::GetTextExtent(std::string_view text) const
{
    // Measured once per text and font: lists and grids measure the same few texts on every
    // paint, and measuring lays the text out.
    struct Entry {
        std::string text;
        QFont font;
        Size size;
    };
    constexpr size_t kSlots = 1024;
    static std::array<Entry, kSlots> cache;
    const QFont font = FontOf(m_font);
    Entry& entry = cache[std::hash<std::string_view>{}(text) % kSlots];
    if (entry.text != text || entry.font != font) {
        const QFontMetrics metrics(font);
        entry.text = std::string(text);
        entry.font = font;
        entry.size = Size{metrics.horizontalAdvance(qt::ToQString(text)), metrics.height()};
    }
    return entry.size;
}

bool DC::TextSurelyFits(std::string_view text, int width) const
{
    const QFont& font = FontOf(m_font);
    return SurelyFits(font, QFontMetrics(font), qt::ToQString(text), width);
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
    if (dx == 0 || dy == 0) {
        // Straight solid lines as fills: exact pixels, the end point left out.
        const int width = std::max(1, m_pen.width);
        const Rect span = dy == 0 ? Rect{std::min(from.x, x - dx), from.y, std::max(from.x, x - dx) + 1, from.y + width}
                                  : Rect{from.x, std::min(from.y, y - dy), from.x + width, std::max(from.y, y - dy) + 1};
        FillSolidRect(span, m_pen.color);
        return;
    }
    QPen pen(qt::ToQColor(m_pen.color));
    pen.setWidth(m_pen.width);
    qt::ToQPainter(m_painter)->save();
    qt::ToQPainter(m_painter)->setRenderHint(QPainter::Antialiasing, false);
    qt::ToQPainter(m_painter)->setPen(pen);
    // The end point is not part of the line: step back one pixel towards the start.
    qt::ToQPainter(m_painter)->drawLine(from.x, from.y, x - dx, y - dy);
    qt::ToQPainter(m_painter)->restore();
}

void DC::DrawFocusRect(const Rect& rect)
{
    if (m_painter == nullptr || rect.IsEmpty()) return;
    qt::ToQPainter(m_painter)->save();
    // Inverting dots, so that drawing twice removes it; every context paints on raster images.
    qt::ToQPainter(m_painter)->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    qt::ToQPainter(m_painter)->setPen(QPen(Qt::white, 1, Qt::DotLine));
    qt::ToQPainter(m_painter)->drawRect(QRect(rect.left, rect.top, rect.Width() - 1, rect.Height() - 1));
    qt::ToQPainter(m_painter)->restore();
}

} // namespace ui
