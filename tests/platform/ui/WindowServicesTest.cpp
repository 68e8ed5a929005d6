#include "UiFixture.h"

#include "platform/ui/Colors.h"
#include "platform/ui/Geometry.h"

using namespace ui;
using namespace uitest;

namespace {

// A plain child window that remembers who took the mouse capture from it.
class Child : public Window {
public:
    std::vector<Window*> captureLost;

protected:
    void OnCaptureChanged(Window* newCapture) override { captureLost.push_back(newCapture); }
};

class WindowServices : public UiFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Create());
        ASSERT_TRUE(child.CreateChild(host, Rect{0, 0, 100, 80}, 77, WS_CHILD | WS_VISIBLE));
        ASSERT_TRUE(other.CreateChild(host, Rect{100, 0, 150, 50}, 78, WS_CHILD | WS_VISIBLE));
        ui::testing::ShowAndActivate(host);
    }

    Dialog host{kHostDialog};
    Child child;
    Child other;
};

} // namespace

TEST_F(WindowServices, AShownScrollBarNarrowsTheClientArea)
{
    EXPECT_EQ(child.GetClientRect(), (Rect{0, 0, 100, 80}));
    child.ShowScrollBar(SB_VERT, true);
    EXPECT_TRUE(child.IsScrollBarShown(SB_VERT));
    EXPECT_LT(child.GetClientRect().right, 100);
    EXPECT_EQ(child.GetClientRect().bottom, 80);
    child.ShowScrollBar(SB_VERT, false);
    EXPECT_EQ(child.GetClientRect().right, 100);
}

TEST_F(WindowServices, AShownScrollBarKeepsItsInformation)
{
    child.ShowScrollBar(SB_VERT, true);
    child.SetScrollInfo(SB_VERT, ScrollInfo{0, 399, 80, 0});
    EXPECT_EQ(child.SetScrollPos(SB_VERT, 120), 0);
    const ScrollInfo info = child.GetScrollInfo(SB_VERT);
    EXPECT_EQ(info.max, 399);
    EXPECT_EQ(info.page, 80);
    EXPECT_EQ(info.pos, 120);
    EXPECT_EQ(child.SetScrollPos(SB_VERT, 1000), 120);
    EXPECT_EQ(child.GetScrollPos(SB_VERT), 320) << "a position ends where the last page starts";
}

TEST_F(WindowServices, CaptureGoesToOneWindowAndTellsTheOneThatLosesIt)
{
    child.SetCapture();
    EXPECT_EQ(Window::GetCapture(), &child);
    other.SetCapture();
    EXPECT_EQ(Window::GetCapture(), &other);
    EXPECT_EQ(child.captureLost, std::vector<Window*>{&other});
    Window::ReleaseCapture();
    EXPECT_EQ(Window::GetCapture(), nullptr);
    EXPECT_EQ(other.captureLost, std::vector<Window*>{nullptr});
}

TEST_F(WindowServices, DestroyingAWindowDetachesItsObject)
{
    child.SetTimer(1, 100);
    child.DestroyWindow();
    EXPECT_FALSE(child.IsWindow());
    EXPECT_FALSE(child.HasTimer(1));
    EXPECT_EQ(child.GetClientRect(), Rect{});
}

TEST_F(WindowServices, DestroyingAWindowDetachesTheObjectsOfItsChildren)
{
    host.DestroyWindow();
    EXPECT_FALSE(other.IsWindow());
    other.Invalidate();
    other.SetWindowText("ignored");
    EXPECT_EQ(other.GetWindowText(), "");
}

// What a user sees of the system colours: text darker than its window, highlighted text
// standing out from the highlight, and the 3-D shades from light to dark in their order.
TEST(SystemColours, KeepTheirLightToDarkOrder)
{
    const auto brightness = [](int index) {
        const COLORREF c = GetSysColor(index);
        return 299 * GetRValue(c) + 587 * GetGValue(c) + 114 * GetBValue(c);
    };
    struct Pair {
        int lighter, darker;
    };
    for (Pair p : {Pair{COLOR_WINDOW, COLOR_WINDOWTEXT}, Pair{COLOR_HIGHLIGHTTEXT, COLOR_HIGHLIGHT}, Pair{COLOR_WINDOW, COLOR_HIGHLIGHT},
             Pair{COLOR_BTNHIGHLIGHT, COLOR_3DFACE}, Pair{COLOR_3DFACE, COLOR_3DSHADOW}, Pair{COLOR_3DSHADOW, COLOR_3DDKSHADOW}}) {
        EXPECT_GT(brightness(p.lighter), brightness(p.darker)) << "colour " << p.lighter << " against " << p.darker;
    }
}

TEST(Geometry, MulDivRoundsHalfAwayFromZero)
{
    EXPECT_EQ(MulDiv(7, 6, 4), 11); // 10.5
    EXPECT_EQ(MulDiv(-7, 6, 4), -11);
    EXPECT_EQ(MulDiv(90, 96, 720), 12);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}
