#include "platform/ui/DeviceContext.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Font.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

using namespace ui;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// The smallest rectangle holding every pixel that is not white; empty when there is none.
Rect Ink(const Bitmap& bitmap)
{
    Rect ink{bitmap.Width(), bitmap.Height(), 0, 0};
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (bitmap.GetPixel(x, y) != kWhite)
                ink = Rect{std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1), std::max(ink.bottom, y + 1)};
        }
    }
    return ink.IsEmpty() ? Rect{} : ink;
}

// The pixels of a line drawn left-aligned and unclipped in a rectangle width pixels wide.
std::vector<COLORREF> Line(const std::string& text, int width, unsigned format = 0)
{
    Bitmap picture(200, 20);
    DC dc(picture);
    Rect rect{0, 0, width, 20};
    dc.DrawText(text, rect, DT_LEFT | DT_SINGLELINE | DT_NOCLIP | format);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 200; ++x) pixels.push_back(picture.GetPixel(x, y));
    }
    return pixels;
}

class DeviceContext : public ::testing::Test {
protected:
    Bitmap bitmap{200, 60};
    DC dc{bitmap};
};

} // namespace

// Fills and lines leave out their right and bottom edges and their end point, whichever way
// they run; a 3-D rectangle is light on its top and left sides.
TEST_F(DeviceContext, ShapesInkExactlyTheirPixels)
{
    constexpr COLORREF blue = RGB(0, 0, 210);
    constexpr COLORREF red = RGB(255, 0, 0);
    constexpr COLORREF green = RGB(0, 255, 0);
    const auto line = [](std::vector<Point> points) {
        return [points](DC& dc) {
            dc.SelectPen(Pen{PS_SOLID, 1, blue});
            dc.Polyline(points);
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
        EXPECT_EQ(Ink(picture), each.ink);
        for (const auto& [at, colour] : each.pixels) EXPECT_EQ(picture.GetPixel(at.x, at.y), colour) << at.x << "," << at.y;
    }
}

TEST_F(DeviceContext, CalculatingARectangleMeasuresWithoutDrawing)
{
    Rect rect{10, 10, 10, 10};
    const int height = dc.DrawText("kgf/cm²", rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(rect, (Rect{10, 10, 10 + dc.GetTextExtent("kgf/cm²").cx, 10 + height}));
    EXPECT_TRUE(Ink(bitmap).IsEmpty());
}

TEST_F(DeviceContext, WordBreakGrowsACalculatedRectangleDownwards)
{
    Rect one{0, 0, 40, 0};
    Rect many{0, 0, 40, 0};
    dc.DrawText("word", one, DT_CALCRECT | DT_WORDBREAK);
    dc.DrawText("word word word word", many, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GT(many.Height(), one.Height() * 2);
}

// Without DT_SINGLELINE a text is laid out from the top, whatever DT_VCENTER says; text stays in
// its rectangle unless DT_NOCLIP lets it out.
TEST_F(DeviceContext, TextSitsWhereItsFormatPutsItAndInsideItsRectangle)
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
        {"left, top", "88", {0, 0, 200, 60}, DT_LEFT | DT_SINGLELINE, Start, Start, true},
        {"right, centred, one line", "88", {0, 0, 200, 60}, DT_RIGHT | DT_VCENTER | DT_SINGLELINE, End, Middle, true},
        {"right, not one line", "88", {0, 0, 200, 60}, DT_RIGHT | DT_VCENTER, End, Start, true},
        {"centred, bottom", "88", {0, 0, 200, 60}, DT_CENTER | DT_BOTTOM | DT_SINGLELINE, Middle, End, true},
        {"centred header", "88", {100, 0, 200, 60}, DT_CENTER, Middle, Start, true},
        {"word-broken", "88 88", {0, 0, 200, 60}, DT_RIGHT | DT_WORDBREAK, End, Start, true},
        {"too long, clipped", "8888888888", {0, 0, 30, 60}, DT_LEFT | DT_SINGLELINE, Start, Start, true},
        {"too long, unclipped", "8888888888", {0, 0, 30, 60}, DT_LEFT | DT_SINGLELINE | DT_NOCLIP, Start, Start, false},
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
        const Rect ink = Ink(picture);
        ASSERT_FALSE(ink.IsEmpty());
        EXPECT_TRUE(near(each.across, ink.left, ink.right, rect.left, rect.right)) << ink.left << ".." << ink.right;
        EXPECT_TRUE(near(each.down, ink.top, ink.bottom, rect.top, rect.bottom)) << ink.top << ".." << ink.bottom;
        EXPECT_EQ(ink.left >= rect.left && ink.right <= rect.right, each.inside) << ink.left << ".." << ink.right;
    }
}

// What is drawn is the text itself or a prefix of whole characters and "…" (found by drawing
// each plainly), as wide as the rectangle at most.
TEST_F(DeviceContext, EndEllipsisShortensOnlyATextTooWideAndTheShortenedTextFits)
{
    const int extent = dc.GetTextExtent("328.6").cx;
    const struct {
        std::string text;
        int width;
        bool shortened;
    } cases[] = {
        {"328.682328.682328.682", 40, true},
        {"吸気温度補正値", 40, true},
        {"328.6", extent - 1, true},
        {"328.6", extent, false},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(::testing::Message() << each.text << " in " << each.width);
        const std::vector<COLORREF> drawn = Line(each.text, each.width, DT_END_ELLIPSIS);
        std::string shown = drawn == Line(each.text, 200) ? each.text : "";
        for (size_t end = 1; end < each.text.size() && shown.empty(); ++end) {
            const bool insideACharacter = (static_cast<unsigned char>(each.text[end]) & 0xC0) == 0x80;
            const std::string form = each.text.substr(0, end) + "…";
            if (!insideACharacter && drawn == Line(form, 200)) shown = form;
        }
        ASSERT_FALSE(shown.empty()) << "drawn as neither the text nor a prefix of it and an ellipsis";
        EXPECT_EQ(shown != each.text, each.shortened) << shown;
        EXPECT_LE(dc.GetTextExtent(shown).cx, each.width) << shown;
    }
}

TEST_F(DeviceContext, OpaqueTextFillsItsBackgroundOnOneLineOrMany)
{
    for (const unsigned format : {DT_SINGLELINE, DT_WORDBREAK}) {
        SCOPED_TRACE(format);
        Bitmap picture(200, 20);
        DC context(picture);
        context.SetBkColor(RGB(255, 255, 0));
        Rect rect{0, 0, 200, 20};
        context.DrawText("X", rect, DT_LEFT | format);
        EXPECT_EQ(picture.GetPixel(0, 2), RGB(255, 255, 0));
        EXPECT_EQ(picture.GetPixel(100, 2), kWhite);
    }
}

TEST_F(DeviceContext, FocusRectanglesDrawnTwiceVanish)
{
    dc.DrawFocusRect(Rect{10, 10, 50, 30});
    EXPECT_EQ(Ink(bitmap).top, 10);
    EXPECT_EQ(bitmap.GetPixel(30, 20), kWhite);
    dc.DrawFocusRect(Rect{10, 10, 50, 30});
    EXPECT_TRUE(Ink(bitmap).IsEmpty());
}

TEST_F(DeviceContext, SaveAndRestoreBringBackColoursAndFont)
{
    Font arial;
    arial.CreatePointFont(90, "Arial");
    dc.SetTextColor(RGB(1, 1, 1));
    const int saved = dc.SaveDC();
    dc.SetTextColor(RGB(2, 2, 2));
    dc.SelectFont(&arial);
    EXPECT_TRUE(dc.RestoreDC(saved));
    EXPECT_EQ(dc.GetTextColor(), RGB(1, 1, 1));
    EXPECT_EQ(dc.GetCurrentFont(), nullptr);
    EXPECT_FALSE(dc.RestoreDC(saved));
}

// The dialog face stands in for a proportional desktop face: its space is as narrow as there,
// while letters, which lay dialogs out, keep their width.
TEST(Fonts, TheDialogFacesSpaceIsNarrowAndItsLettersKeepTheirWidth)
{
    Font dialog;
    Font fixed;
    ASSERT_TRUE(dialog.CreatePointFont(90, "MS Shell Dlg"));
    ASSERT_TRUE(fixed.CreatePointFont(90, "MS Gothic"));
    DC dc;
    dc.SelectFont(&dialog);
    const Size dialogSpace = dc.GetTextExtent(" ");
    const Size dialogLetters = dc.GetTextExtent("AbXy");
    dc.SelectFont(&fixed);
    EXPECT_LT(dialogSpace.cx, dc.GetTextExtent(" ").cx) << "the space is as wide as a fixed-pitch face's";
    EXPECT_EQ(dialogLetters.cx, dc.GetTextExtent("AbXy").cx);
}
