// What custom-drawn windows, an in-place editor and a drag need of the window layer.

#include "UiFixture.h"

#include "platform/ui/DeviceContext.h"
#include "platform/ui/Edit.h"
#include "platform/ui/SystemMetrics.h"

#include <string>

using namespace ui;
using namespace uitest;

namespace {

using Log = std::vector<std::string>;

// A custom-drawn child that remembers how it was asked to scroll.
class Pad : public Window {
public:
    Log scrolls;

protected:
    void OnHScroll(int code, int) override { scrolls.push_back("across " + std::to_string(code)); }
    void OnVScroll(int code, int) override { scrolls.push_back("down " + std::to_string(code)); }
    void OnPaint(DC& dc) override { dc.FillSolidRect(GetClientRect(), RGB(200, 40, 10)); }
};

// Asks its dialog for every key and takes Return and "い" for itself; everything else edits as
// usual.
class KeyTakingEdit : public Edit {
public:
    Log log;

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
    void OnKillFocus(Window* next) override { log.push_back("lost focus to " + std::to_string(next->GetDlgCtrlID())); }
};

class WindowServices : public UiFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Create());
        ASSERT_TRUE(pad.CreateChild(host, Rect{0, 0, 100, 80}, 77, WS_CHILD | WS_VISIBLE));
        ui::testing::ShowAndActivate(host);
    }

    Dialog host{kFormDialog};
    Pad pad;
};

} // namespace

// A shown bar takes its edge of the client area. A click on its arrow or beside its thumb asks
// the window to scroll that way, towards the bar's track position; where the bar ends up is the
// window's choice, short of the last page's start.
TEST_F(WindowServices, AClickOnAShownScrollBarAsksTheWindowToScrollAlongThatBar)
{
    for (const int bar : {SB_VERT, SB_HORZ}) {
        pad.ShowScrollBar(bar, true);
        pad.SetScrollInfo(bar, ScrollInfo{0, 399, 80, 40});
    }
    const Rect client = pad.GetClientRect();
    const int across = (client.right + 100) / 2;
    const int down = (client.bottom + 80) / 2;
    // Just above the down arrow, which is as long as the bar is thick, however thick the system makes it.
    const int aboveTheDownArrow = client.bottom - GetScrollBarSize() - 2;
    // The way is that of the track position the click asks for.
    const struct {
        Point at;
        int bar;
        int code;
        int way;
    } cases[] = {
        {{across, 2}, SB_VERT, SB_LINEUP, -1},
        {{across, client.bottom - 2}, SB_VERT, SB_LINEDOWN, 1},
        {{across, aboveTheDownArrow}, SB_VERT, SB_PAGEDOWN, 1},
        {{2, down}, SB_HORZ, SB_LINELEFT, -1},
        {{client.right - 2, down}, SB_HORZ, SB_LINERIGHT, 1},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(::testing::Message() << each.at.x << "," << each.at.y);
        pad.scrolls.clear();
        ui::testing::Click(pad, each.at);
        EXPECT_EQ(pad.scrolls, Log{(each.bar == SB_VERT ? "down " : "across ") + std::to_string(each.code)});
        EXPECT_GT((pad.GetScrollInfo(each.bar).trackPos - 40) * each.way, 0);
        EXPECT_EQ(pad.GetScrollPos(each.bar), 40);
    }
    EXPECT_EQ(pad.SetScrollPos(SB_VERT, 1000), 40);
    EXPECT_EQ(pad.GetScrollInfo(SB_VERT).pos, 320);
    for (const int bar : {SB_VERT, SB_HORZ}) pad.ShowScrollBar(bar, false);
    EXPECT_EQ(pad.GetClientRect(), (Rect{0, 0, 100, 80}));
}

TEST_F(WindowServices, DestroyingAWindowDetachesTheObjectsOfItAndItsChildren)
{
    pad.SetTimer(1, 100);
    pad.SetWindowText("kept");
    host.DestroyWindow();
    EXPECT_FALSE(pad.IsWindow());
    EXPECT_FALSE(pad.HasTimer(1));
    pad.SetWindowText("ignored");
    EXPECT_EQ(pad.GetWindowText(), "") << "the text went with the window";
}

// Input-method text and keys without a virtual key of ours ('.') come as characters only.
TEST_F(WindowServices, AnEditMadeInCodeSeesItsKeysCharactersAndTheLossOfFocusFirst)
{
    KeyTakingEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, Rect{10, 90, 90, 110}, host, 300));
    edit.SetFocus();
    ui::testing::TypeText(".1");
    ui::testing::CommitText("あいう");
    ui::testing::PressKey(VK_LEFT);
    ui::testing::TypeText("2");
    ui::testing::PressKey(VK_RETURN);
    host.GetDlgItem(kEdit)->SetFocus();
    EXPECT_EQ(edit.GetWindowText(), ".1あ2う");
    EXPECT_EQ(edit.log,
        (Log{"char 46", "key 49", "char 49", "char 12354", "char 12356", "char 12358", "key 37", "key 50", "char 50", "key 13", "char 13",
            "lost focus to " + std::to_string(kEdit)}));
}

TEST_F(WindowServices, StyleBitsAlignTheEditsText)
{
    for (const auto& [style, third] : {std::pair{ES_LEFT, 0}, {ES_CENTER, 1}, {ES_RIGHT, 2}}) {
        SCOPED_TRACE(third);
        Edit edit;
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | style, Rect{0, 90, 120, 110}, host, 301));
        edit.SetWindowText("1");
        const Rect ink = DarkInk(ui::testing::Grab(edit));
        ASSERT_FALSE(ink.IsEmpty());
        EXPECT_EQ((ink.left + ink.right) / 80, third) << ink.left << ".." << ink.right;
    }
}
