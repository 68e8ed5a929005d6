// What an in-place editor and a drag need of the window layer: an edit made in code that sees
// its own keys first, edit alignment from style bits, a pointer kept inside an area, and
// inverted tracking lines.

#include "UiFixture.h"

#include "platform/ui/Bitmap.h"
#include "platform/ui/DeviceContext.h"
#include "platform/ui/Edit.h"

#include <string>
#include <vector>

using namespace ui;
using namespace uitest;

namespace {

// Asks its dialog for every key and takes Return and "い" for itself; everything else edits as
// usual.
class KeyTakingEdit : public Edit {
public:
    std::vector<std::string> log;

protected:
    UINT OnGetDlgCode() override { return DLGC_WANTALLKEYS; }
    void OnKeyDown(UINT vk, UINT repeat, UINT flags) override
    {
        log.push_back("key " + std::to_string(vk));
        if (vk != VK_RETURN) Edit::OnKeyDown(vk, repeat, flags);
    }
    void OnChar(UINT ch, UINT repeat, UINT flags) override
    {
        log.push_back("char " + std::to_string(ch));
        if (ch != '\r' && ch != U'い') Edit::OnChar(ch, repeat, flags);
    }
    void OnKillFocus(Window*) override { log.push_back("lost focus"); }
};

// Remembers where the pointer was reported.
class Pad : public Window {
public:
    std::vector<Point> moves;

protected:
    void OnMouseMove(UINT, Point point) override { moves.push_back(point); }
    void OnPaint(DC& dc) override { dc.FillSolidRect(GetClientRect(), RGB(200, 40, 10)); }
};

// Notes, on each paint, which of a few rectangles need drawing, in its own context and in one
// drawing ahead into a buffer for it.
class Canvas : public Window {
public:
    std::vector<Rect> probes;
    std::vector<std::pair<bool, bool>> needed;

protected:
    void OnPaint(DC& dc) override
    {
        Bitmap buffer(100, 100);
        DC ahead(buffer, Point{0, 0});
        ahead.ShareVisibleParts(dc);
        needed.clear();
        for (const Rect& probe : probes) needed.emplace_back(dc.RectVisible(probe), ahead.RectVisible(probe));
    }
};

class EditorSupport : public UiFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Create());
        ui::testing::ShowAndActivate(host);
    }

    Dialog host{kFormDialog};
};

// Mean x of the dark pixels in the middle row: where the text sits.
double InkCentre(const Bitmap& picture)
{
    double sum = 0;
    int count = 0;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            if (GetGValue(picture.GetPixel(x, y)) < 100) {
                sum += x;
                ++count;
            }
        }
    }
    return count == 0 ? -1 : sum / count;
}

} // namespace

// Input-method text comes as characters too, one each, without keys.
TEST_F(EditorSupport, AnEditMadeInCodeSeesItsKeysCharactersAndTheLossOfFocusFirst)
{
    KeyTakingEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, Rect{10, 60, 90, 80}, host, 300));
    edit.SetFocus();
    ui::testing::TypeText("1");
    ui::testing::CommitText("あいう");
    ui::testing::PressKey(VK_RETURN);
    host.GetDlgItem(kEdit)->SetFocus();
    EXPECT_EQ(edit.GetWindowText(), "1あう");
    EXPECT_EQ(edit.log,
        (std::vector<std::string>{"key 49", "char 49", "char 12354", "char 12356", "char 12358", "key 13", "char 13", "lost focus"}));
}

TEST_F(EditorSupport, StyleBitsAlignTheEditsText)
{
    const struct {
        uint32_t style;
        double minCentre;
        double maxCentre;
        const char* name;
    } cases[] = {{ES_LEFT, 0, 40, "left"}, {ES_CENTER, 40, 80, "centre"}, {ES_RIGHT, 80, 120, "right"}};
    for (const auto& each : cases) {
        Edit edit;
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | each.style, Rect{0, 60, 120, 80}, host, 301));
        edit.SetWindowText("1");
        const double centre = InkCentre(ui::testing::Grab(edit));
        EXPECT_GE(centre, each.minCentre) << each.name;
        EXPECT_LT(centre, each.maxCentre) << each.name;
    }
}

TEST_F(EditorSupport, AClippedPointerStaysInsideItsAreaUntilReleased)
{
    Pad pad;
    ASSERT_TRUE(pad.CreateChild(host, Rect{0, 0, 100, 50}, 302, WS_CHILD | WS_VISIBLE));
    pad.ClipCursor(Rect{10, 0, 60, 50});
    ui::testing::MoveMouse(pad, Point{80, 20}, true);
    ui::testing::MoveMouse(pad, Point{2, 30}, true);
    Window::ReleaseCursorClip();
    ui::testing::MoveMouse(pad, Point{80, 20}, true);
    EXPECT_EQ(pad.moves, (std::vector<Point>{{59, 20}, {10, 30}, {80, 20}}));
}

TEST_F(EditorSupport, ATrackingRectShowsInvertedUntilInvertedAgain)
{
    Pad pad;
    ASSERT_TRUE(pad.CreateChild(host, Rect{0, 0, 100, 50}, 303, WS_CHILD | WS_VISIBLE));
    const COLORREF plain = ui::testing::Grab(pad).GetPixel(41, 10);
    pad.InvertTrackingRect(Rect{40, 0, 42, 50});
    EXPECT_EQ(ui::testing::Grab(pad).GetPixel(41, 10), plain ^ 0xFFFFFF);
    EXPECT_EQ(ui::testing::Grab(pad).GetPixel(45, 10), plain) << "only the rectangle is inverted";
    pad.InvertTrackingRect(Rect{40, 0, 42, 50});
    EXPECT_EQ(ui::testing::Grab(pad).GetPixel(41, 10), plain);
}

// A paint of two scattered parts needs drawn what meets them, not what lies between.
TEST_F(EditorSupport, APaintOfScatteredPartsNeedsOnlyWhatMeetsThem)
{
    Canvas canvas;
    ASSERT_TRUE(canvas.CreateChild(host, Rect{0, 0, 100, 100}, 304, WS_CHILD | WS_VISIBLE));
    canvas.probes = {{2, 2, 4, 4}, {40, 40, 50, 50}, {10, 0, 20, 10}, {9, 9, 91, 91}, {95, 95, 120, 120}};
    ui::testing::ProcessEvents();
    canvas.InvalidateRect(Rect{0, 0, 10, 10});
    canvas.InvalidateRect(Rect{90, 90, 100, 100});
    ui::testing::ProcessEvents();
    const std::vector<std::pair<bool, bool>> expected{{true, true}, {false, false}, {false, false}, {true, true}, {true, true}};
    EXPECT_EQ(canvas.needed, expected);
}
