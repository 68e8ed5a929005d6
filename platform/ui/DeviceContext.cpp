// What every system shares of a device context: the 3-D borders, drawn as solid lines.

#include "platform/ui/DeviceContext.h"

namespace ui {

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

} // namespace ui
