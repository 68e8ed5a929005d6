#include "UiFixture.h"

#include "platform/ui/DeviceContext.h"

#include <cstdlib>
#include <functional>
#include <span>
#include <tuple>
#include <utility>
#include <vector>

using namespace ui;
using uitest::DarkInk;

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);
} // namespace

// Fills and lines leave out their right and bottom edges and their end point, whichever way
// they run; a 3-D rectangle is light on its top and left sides.
TEST(DeviceContext, ShapesInkExactlyTheirPixels)
{
    constexpr COLORREF blue = RGB(0, 0, 210);
    constexpr COLORREF red = RGB(255, 0, 0);
    constexpr COLORREF green = RGB(0, 90, 0);
    const auto line = [](std::vector<Point> points) {
        return [points](DC& dc) {
            dc.SelectPen(Pen{PS_SOLID, 1, blue});
            dc.MoveTo(points.front().x, points.front().y);
            for (const Point& p : std::span(points).subspan(1)) dc.LineTo(p.x, p.y);
        };
    };
    const struct {
        const char* name;
        std::function<void(DC&)> draw;
        Rect ink;
        std::vector<std::pair<Point, COLORREF>> pixels;
    } cases[] = {
        {"fill",
            [](DC& dc) {
                dc.FillSolidRect(Rect{10, 10, 20, 15}, blue);
            },
            {10, 10, 20, 15}, {{{19, 14}, blue}}},
        {"rightwards", line({{5, 5}, {15, 5}}), {5, 5, 15, 6}, {{{5, 5}, blue}}},
        {"leftwards", line({{15, 5}, {5, 5}}), {6, 5, 16, 6}, {{{6, 5}, blue}}},
        {"downwards", line({{5, 5}, {5, 15}}), {5, 5, 6, 15}, {{{5, 14}, blue}}},
        {"upwards", line({{5, 15}, {5, 5}}), {5, 6, 6, 16}, {{{5, 6}, blue}}},
        {"diagonal", line({{0, 0}, {10, 10}}), {0, 0, 10, 10}, {{{5, 5}, blue}, {{5, 6}, kWhite}}},
        {"fill after cut text",
            [](DC& dc) {
                Rect none{};
                dc.DrawText("8\t8", none, DT_LEFT);
                dc.FillSolidRect({10, 10, 20, 15}, blue);
            },
            {10, 10, 20, 15}, {}},
        {"fill after a cut line",
            [](DC& dc) {
                dc.DrawText("8", Rect{}, DT_SINGLELINE), dc.FillSolidRect({10, 10, 20, 15}, blue);
            },
            {10, 10, 20, 15}, {}},
        {"corner", line({{0, 20}, {10, 20}, {10, 30}}), {0, 20, 11, 30}, {{{10, 20}, blue}}},
        {"3-D",
            [](DC& dc) {
                dc.Draw3dRect(Rect{100, 0, 110, 10}, red, green);
            },
            {100, 0, 110, 10}, {{{100, 5}, red}, {{105, 0}, red}, {{109, 5}, green}, {{105, 9}, green}, {{105, 5}, kWhite}}},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        Bitmap picture(200, 60);
        DC context(picture);
        each.draw(context);
        EXPECT_EQ(DarkInk(picture), each.ink);
        for (const auto& [at, colour] : each.pixels) EXPECT_EQ(picture.GetPixel(at.x, at.y), colour) << at.x << "," << at.y;
    }
}

// Without DT_SINGLELINE a text is laid out from the top, whatever DT_VCENTER says; text stays in
// its rectangle unless DT_NOCLIP lets it out.
TEST(DeviceContext, TextSitsWhereItsFormatPutsItAndInsideItsRectangle)
{
    enum Side { Start, Middle, End };
    const struct {
        const char* name;
        const char* text;
        Rect rect;
        unsigned format;
        Side across, down;
        bool inside;
    } cases[] = {
        {"left, top, markup as it is", "<b></b>", {0, 0, 200, 60}, DT_LEFT | DT_SINGLELINE, Start, Start, true},
        {"right, centred, one line", "88", {0, 0, 200, 60}, DT_RIGHT | DT_VCENTER | DT_SINGLELINE, End, Middle, true},
        {"right, not one line", "88", {0, 0, 200, 60}, DT_RIGHT | DT_VCENTER, End, Start, true},
        {"centred, bottom", "88", {0, 0, 200, 60}, DT_CENTER | DT_BOTTOM | DT_SINGLELINE, Middle, End, true},
        {"centred header", "88", {100, 0, 200, 60}, DT_CENTER, Middle, Start, true},
        {"word-broken", "88 88", {0, 0, 200, 60}, DT_RIGHT | DT_WORDBREAK, End, Start, true},
        {"too long, clipped", "8888888888", {0, 0, 30, 60}, DT_LEFT | DT_SINGLELINE, Start, Start, true},
        {"too long, unclipped", "8888888888", {0, 0, 30, 60}, DT_LEFT | DT_SINGLELINE | DT_NOCLIP, Start, Start, false},
        {"too long, cut short", "8888888888", {0, 0, 30, 60}, DT_LEFT | DT_SINGLELINE | DT_NOCLIP | DT_END_ELLIPSIS, Start, Start, true},
        {"broken, clipped", "8888888888\t8", {0, 0, 30, 60}, DT_LEFT, Start, Start, true},
    };
    const auto near = [](Side side, int inkStart, int inkEnd, int start, int end) {
        const int slack = (end - start) / 4;
        switch (side) {
        case Start: return inkStart - start < slack;
        case End: return end - inkEnd < slack;
        default: return std::abs((inkStart + inkEnd) - (start + end)) < slack / 2;
        }
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        Bitmap picture(200, 60);
        DC context(picture);
        context.SetBkMode(TRANSPARENT);
        Rect rect = each.rect;
        context.DrawText(each.text, rect, each.format);
        const Rect ink = DarkInk(picture);
        ASSERT_FALSE(ink.IsEmpty());
        EXPECT_TRUE(near(each.across, ink.left, ink.right, rect.left, rect.right)) << ink.left << ".." << ink.right;
        EXPECT_TRUE(near(each.down, ink.top, ink.bottom, rect.top, rect.bottom)) << ink.top << ".." << ink.bottom;
        EXPECT_EQ(ink.left >= rect.left && ink.right <= rect.right, each.inside) << ink.left << ".." << ink.right;
    }
}

// An opaque mode fills the text's box with the background colour; a transparent one, or no text,
// leaves the ground.
TEST(DeviceContext, OnlyOpaqueTextFillsBehindItself)
{
    constexpr COLORREF yellow = RGB(255, 255, 0);
    for (const auto& [mode, text, corner] : {std::tuple{OPAQUE, "8", yellow}, {TRANSPARENT, "8", kWhite}, {OPAQUE, "", kWhite}}) {
        Bitmap picture(60, 20);
        DC context(picture);
        context.SetBkMode(mode), context.SetBkColor(yellow);
        context.DrawText(text, Rect{0, 0, 60, 20}, DT_LEFT | DT_SINGLELINE);
        EXPECT_EQ(picture.GetPixel(0, 0), corner) << mode << " \"" << text << "\"";
    }
}
