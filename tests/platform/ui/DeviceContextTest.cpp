#include "platform/ui/DeviceContext.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Font.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace ui;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// Leftmost and rightmost columns holding ink in rows top..bottom, or -1.
std::pair<int, int> InkSpan(const Bitmap& bitmap, int top, int bottom)
{
    std::pair span{-1, -1};
    for (int x = 0; x < bitmap.Width(); ++x) {
        for (int y = top; y < bottom; ++y) {
            if (bitmap.GetPixel(x, y) == kWhite) continue;
            if (span.first < 0) span.first = x;
            span.second = x;
            break;
        }
    }
    return span;
}

// The pixels of ink "WWWW" takes in the font, and the font's height.
std::pair<int, int> InkOf(const char* face, int tenths)
{
    Bitmap bitmap(200, 40);
    DC dc(bitmap);
    Font font;
    font.CreatePointFont(tenths, face);
    dc.SelectFont(&font);
    dc.SetBkMode(TRANSPARENT);
    Rect rect{0, 0, 200, 40};
    dc.DrawText("WWWW", rect, DT_LEFT | DT_SINGLELINE);
    int count = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 200; ++x) count += bitmap.GetPixel(x, y) != kWhite ? 1 : 0;
    }
    return std::pair{count, dc.GetTextMetrics().height};
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

TEST_F(DeviceContext, FillsLeaveOutTheirRightAndBottomEdges)
{
    dc.FillSolidRect(Rect{10, 10, 20, 15}, RGB(0, 0, 210));
    EXPECT_EQ(bitmap.GetPixel(19, 14), RGB(0, 0, 210));
    EXPECT_EQ(InkSpan(bitmap, 10, 15), (std::pair{10, 19}));
    EXPECT_EQ(InkSpan(bitmap, 15, 60).first, -1);
}

TEST_F(DeviceContext, LinesLeaveOutTheirEnd)
{
    dc.SelectPen(Pen{PS_SOLID, 1, RGB(192, 192, 192)});
    dc.MoveTo(5, 5);
    dc.LineTo(15, 5);
    EXPECT_EQ(bitmap.GetPixel(5, 5), RGB(192, 192, 192));
    EXPECT_EQ(InkSpan(bitmap, 5, 6), (std::pair{5, 14}));
}

TEST_F(DeviceContext, ThreeDRectanglesUseTwoColours)
{
    dc.Draw3dRect(Rect{100, 0, 110, 10}, RGB(255, 0, 0), RGB(0, 255, 0));
    EXPECT_EQ(bitmap.GetPixel(100, 5), RGB(255, 0, 0));
    EXPECT_EQ(bitmap.GetPixel(105, 0), RGB(255, 0, 0));
    EXPECT_EQ(bitmap.GetPixel(109, 5), RGB(0, 255, 0));
    EXPECT_EQ(bitmap.GetPixel(105, 9), RGB(0, 255, 0));
    EXPECT_EQ(bitmap.GetPixel(105, 5), kWhite);
}

TEST_F(DeviceContext, CalculatingARectangleMeasuresWithoutDrawing)
{
    Rect rect{10, 10, 10, 10};
    const int height = dc.DrawText("kgf/cm²", rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_GT(height, 0);
    EXPECT_EQ(rect.Height(), height);
    EXPECT_EQ(rect.Width(), dc.GetTextExtent("kgf/cm²").cx);
    EXPECT_EQ(InkSpan(bitmap, 0, 60).first, -1);
}

TEST_F(DeviceContext, WordBreakGrowsACalculatedRectangleDownwards)
{
    Rect one{0, 0, 40, 0};
    Rect many{0, 0, 40, 0};
    dc.DrawText("word", one, DT_CALCRECT | DT_WORDBREAK);
    dc.DrawText("word word word word", many, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GT(many.Height(), one.Height() * 2);
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
        {"328.6", 200, false},
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

TEST_F(DeviceContext, OpaqueTextFillsItsBackground)
{
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(RGB(255, 255, 0));
    Rect rect{0, 0, 200, 20};
    dc.DrawText("X", rect, DT_LEFT | DT_SINGLELINE);
    EXPECT_EQ(bitmap.GetPixel(0, 2), RGB(255, 255, 0));
}

// Without DT_SINGLELINE a text without line breaks is one line at the top, whatever DT_VCENTER
// says; with it, the line is centred.
TEST_F(DeviceContext, OnlySingleLineTextIsCentredVertically)
{
    dc.SetBkMode(TRANSPARENT);
    Rect plain{0, 0, 100, 60};
    Rect single{100, 0, 200, 60};
    dc.DrawText("88", plain, DT_RIGHT | DT_VCENTER);
    dc.DrawText("88", single, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    const int height = dc.GetTextMetrics().height;
    const auto inkRows = [&](int left, int right) {
        std::pair rows{-1, -1};
        for (int y = 0; y < 60; ++y) {
            for (int x = left; x < right; ++x) {
                if (bitmap.GetPixel(x, y) == kWhite) continue;
                if (rows.first < 0) rows.first = y;
                rows.second = y;
                break;
            }
        }
        return rows;
    };
    EXPECT_LT(inkRows(0, 100).second, height);
    EXPECT_GT(inkRows(100, 200).first, (60 - height) / 2 - 1);
    EXPECT_GT(InkSpan(bitmap, 0, 60).first, 60) << "right-aligned in its rectangle";
}

TEST_F(DeviceContext, FocusRectanglesDrawnTwiceVanish)
{
    dc.DrawFocusRect(Rect{10, 10, 50, 30});
    EXPECT_NE(InkSpan(bitmap, 10, 11).first, -1);
    EXPECT_EQ(bitmap.GetPixel(30, 20), kWhite);
    dc.DrawFocusRect(Rect{10, 10, 50, 30});
    EXPECT_EQ(InkSpan(bitmap, 0, 60).first, -1);
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

// Bold and larger faces draw more ink; larger ones are taller too.
TEST(Fonts, HeavierAndLargerFacesDrawMoreInk)
{
    const auto regular = InkOf("Arial", 100);
    for (const auto& [face, tenths, taller] : {std::tuple{"Arial Bold", 100, false}, {"Arial", 200, true}}) {
        SCOPED_TRACE(::testing::Message() << face << " " << tenths);
        const auto heavier = InkOf(face, tenths);
        EXPECT_GT(heavier.first, regular.first);
        if (taller) {
            EXPECT_GT(heavier.second, regular.second);
        }
    }
}
