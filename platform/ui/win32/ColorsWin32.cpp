// System colours on Windows: the desktop's own. Pairs with qt/ColorsQt.cpp.

#include "platform/ui/Colors.h"

// Ours are taken before the system's headers turn the same names into macros.
namespace ours {
constexpr int kWindow = ui::COLOR_WINDOW;
constexpr int kWindowText = ui::COLOR_WINDOWTEXT;
constexpr int kHighlight = ui::COLOR_HIGHLIGHT;
constexpr int kHighlightText = ui::COLOR_HIGHLIGHTTEXT;
constexpr int k3dFace = ui::COLOR_3DFACE;
constexpr int k3dShadow = ui::COLOR_3DSHADOW;
constexpr int kBtnHighlight = ui::COLOR_BTNHIGHLIGHT;
constexpr int k3dDkShadow = ui::COLOR_3DDKSHADOW;
} // namespace ours

#include "platform/win32/Windows.h"

// The indices are the system's, so they pass through as they are.
static_assert(ours::kWindow == COLOR_WINDOW);
static_assert(ours::kWindowText == COLOR_WINDOWTEXT);
static_assert(ours::kHighlight == COLOR_HIGHLIGHT);
static_assert(ours::kHighlightText == COLOR_HIGHLIGHTTEXT);
static_assert(ours::k3dFace == COLOR_3DFACE);
static_assert(ours::k3dShadow == COLOR_3DSHADOW);
static_assert(ours::kBtnHighlight == COLOR_BTNHIGHLIGHT);
static_assert(ours::k3dDkShadow == COLOR_3DDKSHADOW);

// So is a colour reference: red in the low byte, as the system's accessors read it.
static_assert(sizeof(ui::COLORREF) == sizeof(::COLORREF));
static_assert(GetRValue(ui::RGB(0x12, 0x34, 0x56)) == 0x12);
static_assert(GetGValue(ui::RGB(0x12, 0x34, 0x56)) == 0x34);
static_assert(GetBValue(ui::RGB(0x12, 0x34, 0x56)) == 0x56);

namespace ui {

COLORREF GetSysColor(int index)
{
    switch (index) {
    case COLOR_WINDOW:
    case COLOR_WINDOWTEXT:
    case COLOR_HIGHLIGHT:
    case COLOR_HIGHLIGHTTEXT:
    case COLOR_3DFACE:
    case COLOR_3DSHADOW:
    case COLOR_BTNHIGHLIGHT:
    case COLOR_3DDKSHADOW: return static_cast<COLORREF>(::GetSysColor(index));
    default: return RGB(0, 0, 0);
    }
}

} // namespace ui
