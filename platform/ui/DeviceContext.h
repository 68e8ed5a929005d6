#pragma once

#include "platform/ui/Colors.h"
#include "platform/ui/Geometry.h"

#include <memory>
#include <string_view>
#include <vector>

namespace ui {

// The toolkit's painter behind a device context; only the window layer's private tier looks
// inside.
struct NativePainter;

class Font;
class Bitmap;

// Text-drawing flags.
constexpr unsigned DT_LEFT = 0x0000;
constexpr unsigned DT_CENTER = 0x0001;
constexpr unsigned DT_RIGHT = 0x0002;
constexpr unsigned DT_VCENTER = 0x0004;
constexpr unsigned DT_BOTTOM = 0x0008;
constexpr unsigned DT_WORDBREAK = 0x0010;
constexpr unsigned DT_SINGLELINE = 0x0020;
constexpr unsigned DT_NOCLIP = 0x0100;
constexpr unsigned DT_NOPREFIX = 0x0800;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Pen styles: every line the program draws is solid.
constexpr int PS_SOLID = 0;

// 3-D edges: borders and which sides.
constexpr unsigned BDR_RAISEDOUTER = 0x1;
constexpr unsigned BDR_SUNKENOUTER = 0x2;
constexpr unsigned BDR_RAISEDINNER = 0x4;
constexpr unsigned BDR_SUNKENINNER = 0x8;
constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr unsigned BF_LEFT = 0x1;
constexpr unsigned BF_TOP = 0x2;
constexpr unsigned BF_RIGHT = 0x4;
constexpr unsigned BF_BOTTOM = 0x8;
constexpr unsigned BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;

struct Pen {
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = RGB(0, 0, 0);
};

struct TextMetrics {
    int height = 0;
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int overhang = 0;
};

// A device context: drawing state (font, colours, pen, current position) over a painter,
// or a measuring-only context when there is nothing to paint on.
class DC {
public:
    // Measuring only.
    DC();
    // Draws with painter (not owned), clipped to clipBox; when given, only the parts of the
    // box in visibleParts need drawing (the rest is kept as it is).
    DC(NativePainter& painter, const Rect& clipBox, Font* defaultFont, std::vector<Rect> visibleParts = {});
    // Draws into bitmap.
    explicit DC(Bitmap& bitmap);
    // Draws into bitmap as if it were the part of a window whose top-left pixel is origin:
    // drawing at origin lands on the bitmap's first pixel.
    DC(Bitmap& bitmap, Point origin);
    ~DC();
    DC(const DC&) = delete;
    DC& operator=(const DC&) = delete;

    bool CanDraw() const { return m_painter != nullptr; }
    Rect GetClipBox() const { return m_clipBox; }
    // Whether drawing into rect would change anything painted: an update made of a few scattered
    // rectangles need not draw what lies between them.
    bool RectVisible(const Rect& rect) const;
    // A context drawing ahead for window (a double buffer) needs to draw only what window does.
    void ShareVisibleParts(const DC& window) { m_visibleParts = window.m_visibleParts; }

    Font* SelectFont(Font* font);
    Font* GetCurrentFont() const { return m_font; }
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return m_textColor; }
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const { return m_bkColor; }
    int SetBkMode(int mode);
    Pen SelectPen(const Pen& pen);

    int SaveDC();
    void RestoreDC(int saved);

    void FillSolidRect(const Rect& rect, COLORREF color);
    // Returns the height of the text.
    int DrawText(std::string_view text, const Rect& rect, unsigned format);
    Size GetTextExtent(std::string_view text) const;
    // True when text is sure to fit width without measuring it exactly (which lays it out):
    // its characters' advances, summed, leave room to spare. False says only "measure it".
    bool TextSurelyFits(std::string_view text, int width) const;
    TextMetrics GetTextMetrics() const;

    // Lines leave out their last point, like the toolkit's.
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Draw3dRect(const Rect& rect, COLORREF topLeft, COLORREF bottomRight);
    void DrawEdge(const Rect& rect, unsigned edge, unsigned sides);
    void DrawFocusRect(const Rect& rect);
    // Copies the whole bitmap with its top-left corner at (x, y).
    void DrawBitmap(const Bitmap& bitmap, int x, int y);

private:
    struct State {
        Font* font;
        COLORREF textColor;
        COLORREF bkColor;
        int bkMode;
        Pen pen;
    };
    void ApplyFont() const;

    NativePainter* m_painter = nullptr;
    bool m_ownsPainter = false;
    Rect m_clipBox;
    std::vector<Rect> m_visibleParts; // none: the whole clip box
    Font* m_font = nullptr;
    COLORREF m_textColor = RGB(0, 0, 0);
    COLORREF m_bkColor = RGB(255, 255, 255);
    int m_bkMode = OPAQUE;
    Pen m_pen;
    Point m_position;
    std::vector<State> m_saved;
};

} // namespace ui
