// Drawing on Windows: GDI over a window's paint context, over a bitmap's memory context, or a
// context that only measures. Pairs with qt/DeviceContextQt.cpp.

#include "platform/ui/DeviceContext.h"

#include "platform/ui/Bitmap.h"
#include "platform/ui/Font.h"
#include "platform/win32/Wide.h"

#include <algorithm>
#include <string>
#include <utility>

// Ours are taken before the system's headers turn the same names into macros.
namespace ours {
constexpr unsigned kLeft = ui::DT_LEFT;
constexpr unsigned kCenter = ui::DT_CENTER;
constexpr unsigned kRight = ui::DT_RIGHT;
constexpr unsigned kVCenter = ui::DT_VCENTER;
constexpr unsigned kBottom = ui::DT_BOTTOM;
constexpr unsigned kWordBreak = ui::DT_WORDBREAK;
constexpr unsigned kSingleLine = ui::DT_SINGLELINE;
constexpr unsigned kNoClip = ui::DT_NOCLIP;
constexpr unsigned kNoPrefix = ui::DT_NOPREFIX;
constexpr unsigned kEndEllipsis = ui::DT_END_ELLIPSIS;
constexpr int kTransparent = ui::TRANSPARENT;
constexpr int kOpaque = ui::OPAQUE;
constexpr int kSolid = ui::PS_SOLID;
constexpr unsigned kRaisedOuter = ui::BDR_RAISEDOUTER;
constexpr unsigned kSunkenOuter = ui::BDR_SUNKENOUTER;
constexpr unsigned kRaisedInner = ui::BDR_RAISEDINNER;
constexpr unsigned kSunkenInner = ui::BDR_SUNKENINNER;
constexpr unsigned kEdgeRaised = ui::EDGE_RAISED;
constexpr unsigned kEdgeSunken = ui::EDGE_SUNKEN;
constexpr unsigned kSideLeft = ui::BF_LEFT;
constexpr unsigned kSideTop = ui::BF_TOP;
constexpr unsigned kSideRight = ui::BF_RIGHT;
constexpr unsigned kSideBottom = ui::BF_BOTTOM;
constexpr unsigned kSideRect = ui::BF_RECT;
} // namespace ours

#include "platform/ui/win32/BitmapData.h"
#include "platform/ui/win32/FontData.h"

// From here on these names are the system's macros; they must mean what ours do.
static_assert(ours::kLeft == DT_LEFT);
static_assert(ours::kCenter == DT_CENTER);
static_assert(ours::kRight == DT_RIGHT);
static_assert(ours::kVCenter == DT_VCENTER);
static_assert(ours::kBottom == DT_BOTTOM);
static_assert(ours::kWordBreak == DT_WORDBREAK);
static_assert(ours::kSingleLine == DT_SINGLELINE);
static_assert(ours::kNoClip == DT_NOCLIP);
static_assert(ours::kNoPrefix == DT_NOPREFIX);
static_assert(ours::kEndEllipsis == DT_END_ELLIPSIS);
static_assert(ours::kTransparent == TRANSPARENT);
static_assert(ours::kOpaque == OPAQUE);
static_assert(ours::kSolid == PS_SOLID);
static_assert(ours::kRaisedOuter == BDR_RAISEDOUTER);
static_assert(ours::kSunkenOuter == BDR_SUNKENOUTER);
static_assert(ours::kRaisedInner == BDR_RAISEDINNER);
static_assert(ours::kSunkenInner == BDR_SUNKENINNER);
static_assert(ours::kEdgeRaised == EDGE_RAISED);
static_assert(ours::kEdgeSunken == EDGE_SUNKEN);
static_assert(ours::kSideLeft == BF_LEFT);
static_assert(ours::kSideTop == BF_TOP);
static_assert(ours::kSideRight == BF_RIGHT);
static_assert(ours::kSideBottom == BF_BOTTOM);
static_assert(ours::kSideRect == BF_RECT);

namespace ui {

namespace {

HDC ToHdc(NativePainter* painter)
{
    return reinterpret_cast<HDC>(painter);
}

NativePainter* ToNative(HDC dc)
{
    return reinterpret_cast<NativePainter*>(dc);
}

RECT ToRECT(const Rect& rect)
{
    return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

HFONT FontHandle(const Font* font)
{
    if (font != nullptr && !font->IsNull()) return font->Data()->font;
    return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

// Contexts with nothing to paint on measure in one memory context compatible with the screen,
// made once and kept while the program runs: a context per measurement would cost more than
// the measuring.
HDC SharedMeasuringContext()
{
    static const HDC dc = ::CreateCompatibleDC(nullptr);
    return dc;
}

// The context a DC draws or measures text in, with the DC's font selected for as long as this
// lives and the one before it selected again after.
class TextContext {
public:
    TextContext(NativePainter* painter, const Font* font)
        : m_dc(painter != nullptr ? ToHdc(painter) : SharedMeasuringContext())
        , m_previous(::SelectObject(m_dc, FontHandle(font)))
    { }
    ~TextContext()
    {
        if (m_previous != nullptr) ::SelectObject(m_dc, m_previous);
    }
    TextContext(const TextContext&) = delete;
    TextContext& operator=(const TextContext&) = delete;

    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

int LineHeight(HDC dc)
{
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    return metrics.tmHeight;
}

} // namespace

DC::DC() = default;

DC::DC(NativePainter& painter, const Rect& clipBox, Font* defaultFont, std::vector<Rect> visibleParts)
    : m_painter(&painter)
    , m_clipBox(clipBox)
    , m_visibleParts(std::move(visibleParts))
    , m_font(defaultFont)
{
    // The window's context is lent: whatever this changes in it goes back at the end.
    ::SaveDC(ToHdc(m_painter));
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
    : m_painter(ToNative(::CreateCompatibleDC(nullptr)))
    , m_ownsPainter(m_painter != nullptr)
    , m_clipBox{0, 0, bitmap.Width(), bitmap.Height()}
{
    if (m_painter == nullptr) return; // out of GDI resources: it can only measure
    // Saved before the bitmap goes in, so that the context lets go of it before it is deleted.
    ::SaveDC(ToHdc(m_painter));
    if (bitmap.Image().handle != nullptr) ::SelectObject(ToHdc(m_painter), bitmap.Image().handle);
}

DC::DC(Bitmap& bitmap, Point origin)
    : DC(bitmap)
{
    if (m_painter != nullptr) ::SetWindowOrgEx(ToHdc(m_painter), origin.x, origin.y, nullptr);
    m_clipBox = Rect{origin.x, origin.y, origin.x + bitmap.Width(), origin.y + bitmap.Height()};
}

void DC::DrawBitmap(const Bitmap& bitmap, int x, int y)
{
    const Bitmap::Data& image = bitmap.Image();
    if (m_painter == nullptr || image.bits == nullptr) return;
    // Copied from the pixels themselves, which need no context of their own; drawing into them
    // that GDI still holds back goes first.
    ::GdiFlush();
    ::StretchDIBits(ToHdc(m_painter), x, y, image.width, image.height, 0, 0, image.width, image.height, image.bits, &image.info,
        DIB_RGB_COLORS, SRCCOPY);
}

DC::~DC()
{
    if (m_painter == nullptr) return;
    ::RestoreDC(ToHdc(m_painter), -1);
    if (m_ownsPainter) ::DeleteDC(ToHdc(m_painter));
}

// Unused here: each call that uses the font selects it for its own length (TextContext), so that
// a font deleted while this DC lives is not held by the context, where GDI would refuse to delete
// it.
void DC::ApplyFont() const
{ }

Font* DC::SelectFont(Font* font)
{
    return std::exchange(m_font, font);
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

// Only the state kept here is saved: nothing this class offers changes the context's own
// clipping or mapping, and the colours and pen reach GDI only as each call draws.
int DC::SaveDC()
{
    m_saved.push_back(State{m_font, m_textColor, m_bkColor, m_bkMode, m_pen});
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
    }
}

void DC::FillSolidRect(const Rect& rect, COLORREF color)
{
    if (m_painter == nullptr || rect.IsEmpty()) return;
    const RECT box = ToRECT(rect);
    ::SetDCBrushColor(ToHdc(m_painter), color);
    ::FillRect(ToHdc(m_painter), &box, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
}

int DC::DrawText(std::string_view text, const Rect& rect, unsigned format)
{
    std::wstring wide = win32::Widen(text);
    const bool singleLine = (format & DT_SINGLELINE) != 0;
    const bool wordBreak = !singleLine && (format & DT_WORDBREAK) != 0;

    // Every text of the program shows its ampersands as they are and expands its tabs.
    UINT flags = DT_NOPREFIX | DT_EXPANDTABS;
    flags |= (format & DT_CENTER) != 0 ? DT_CENTER : (format & DT_RIGHT) != 0 ? DT_RIGHT : DT_LEFT;
    if ((format & DT_NOCLIP) != 0) flags |= DT_NOCLIP;
    if (singleLine) {
        flags |= DT_SINGLELINE | ((format & DT_VCENTER) != 0 ? DT_VCENTER : (format & DT_BOTTOM) != 0 ? DT_BOTTOM : DT_TOP);
        // Only a single line is cut short; on several, GDI would cut each word that does not fit.
        if ((format & DT_END_ELLIPSIS) != 0) flags |= DT_END_ELLIPSIS;
        // A line break within a single line is white space, not a glyph of its own.
        const auto lineBreak = [](wchar_t ch) { return ch == L'\r' || ch == L'\n'; };
        std::replace_if(wide.begin(), wide.end(), lineBreak, L' ');
    } else if (wordBreak) {
        flags |= DT_WORDBREAK;
    }
    // Text without a line break or wrapping is one line high, whatever the single-line flag says;
    // GDI would answer a centred line's offset instead.
    const bool oneLine = singleLine || (!wordBreak && wide.find(L'\n') == std::wstring::npos);
    const int length = static_cast<int>(wide.size());
    RECT box = ToRECT(rect);
    const TextContext context(m_painter, m_font);
    if (m_painter == nullptr) {
        if (oneLine) return LineHeight(context.Get());
        return ::DrawTextW(context.Get(), wide.c_str(), length, &box, flags | DT_CALCRECT);
    }
    HDC dc = context.Get();
    ::SetTextColor(dc, m_textColor);
    ::SetBkColor(dc, m_bkColor);
    ::SetBkMode(dc, m_bkMode == OPAQUE ? OPAQUE : TRANSPARENT);
    const int height = ::DrawTextW(dc, wide.c_str(), length, &box, flags);
    return oneLine ? LineHeight(dc) : height;
}

Size DC::GetTextExtent(std::string_view text) const
{
    const TextContext context(m_painter, m_font);
    if (text.empty()) return Size{0, LineHeight(context.Get())};
    const std::wstring wide = win32::Widen(text);
    SIZE size{};
    ::GetTextExtentPoint32W(context.Get(), wide.c_str(), static_cast<int>(wide.size()), &size);
    return Size{size.cx, size.cy};
}

bool DC::TextSurelyFits(std::string_view text, int width) const
{
    // GDI measures a line by adding up its characters' advances without laying it out, so the
    // exact extent costs what an estimate would; the slack is the room to spare the answer promises.
    constexpr int kSlack = 2;
    return GetTextExtent(text).cx + kSlack <= width;
}

TextMetrics DC::GetTextMetrics() const
{
    const TextContext context(m_painter, m_font);
    TEXTMETRICW native{};
    ::GetTextMetricsW(context.Get(), &native);
    TextMetrics tm;
    tm.height = native.tmHeight;
    tm.ascent = native.tmAscent;
    tm.descent = native.tmDescent;
    tm.internalLeading = native.tmInternalLeading;
    tm.externalLeading = native.tmExternalLeading;
    tm.aveCharWidth = native.tmAveCharWidth;
    tm.overhang = native.tmOverhang;
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
        // Straight lines as fills, as on every system: a wider pen widens the line to its right or
        // below it, and the end point is left out.
        const int width = std::max(1, m_pen.width);
        const Rect span = dy == 0 ? Rect{std::min(from.x, x - dx), from.y, std::max(from.x, x - dx) + 1, from.y + width}
                                  : Rect{from.x, std::min(from.y, y - dy), from.x + width, std::max(from.y, y - dy) + 1};
        FillSolidRect(span, m_pen.color);
        return;
    }
    // GDI leaves out the end point itself. A thin line takes the context's own pen colour instead
    // of a pen made for it.
    HDC dc = ToHdc(m_painter);
    HPEN made = m_pen.width > 1 ? ::CreatePen(PS_SOLID, m_pen.width, m_pen.color) : nullptr;
    HGDIOBJ previous = ::SelectObject(dc, made != nullptr ? made : ::GetStockObject(DC_PEN));
    if (made == nullptr) ::SetDCPenColor(dc, m_pen.color);
    ::MoveToEx(dc, from.x, from.y, nullptr);
    ::LineTo(dc, x, y);
    ::SelectObject(dc, previous);
    if (made != nullptr) ::DeleteObject(made);
}

void DC::DrawFocusRect(const Rect& rect)
{
    if (m_painter == nullptr || rect.IsEmpty()) return;
    // GDI's dots invert what lies under them, so that drawing twice removes them. Should they come
    // from a monochrome pattern, that takes the text and background colours: black and white keep
    // it a plain inversion.
    HDC dc = ToHdc(m_painter);
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, RGB(255, 255, 255));
    const RECT box = ToRECT(rect);
    ::DrawFocusRect(dc, &box);
}

} // namespace ui
