#include "MessageRoutingFixture.h"

// Innermost first, then outwards, then the control itself; a consumed key goes no further.
TEST_F(MessageRouting, PreTranslationSeesInputInnermostFirstAndBeforeTheControl)
{
    const struct {
        const char* name;
        bool consume;
        std::function<void()> input;
        Log expected;
    } cases[] = {
        {"key", false, [] { ui::testing::PressKey(VK_DOWN); }, {"control pre 40", "dialog pre 40", "control key 40"}},
        {"character", false, [] { ui::testing::TypeText("7"); }, {"control pre 55", "dialog pre 55", "control key 55", "control char 55"}},
        {"consumed key", true, [] { ui::testing::PressKey('A'); }, {"control pre 65"}},
        {"click", false,
            [this] {
                ui::testing::Click(dialog.control, Point{5, 9});
            },
            {"control pre click 5,9", "control click 5,9"}},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        log.clear();
        dialog.control.consumeKeys = each.consume;
        each.input();
        EXPECT_EQ(log, each.expected);
    }
}

TEST_F(MessageRouting, AKeyInARealMessageBoxClosesItAndNeverReachesTheWindowBehindIt)
{
    const struct {
        const char* name;
        unsigned vk;
        unsigned modifiers;
    } cases[] = {{"Return", VK_RETURN, ui::testing::None}, {"keypad Enter", VK_RETURN, ui::testing::Keypad},
        {"Escape", VK_ESCAPE, ui::testing::None}, {"Space", VK_SPACE, ui::testing::None}};
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        recorder.WhilePopupOpen([&each] { ui::testing::PressKey(each.vk, each.modifiers); });
        EXPECT_EQ(MessageBox(&dialog, "通信エラー", "CVelmoraDlg::GetPFCID()", MB_ICONERROR), IDOK);
        EXPECT_EQ(recorder.PopupsLeftOpen(), 0) << "the key did not close the box";
        EXPECT_TRUE(log.empty()) << "the window behind the box saw: " << (log.empty() ? "" : log.front());
    }
    EXPECT_EQ(recorder.Boxes().size(), 4u);
}

TEST_F(MessageRouting, KeysInARealPopupMenuStayInTheMenu)
{
    const struct {
        std::vector<unsigned> keys;
        Log expected;
    } cases[] = {
        {{VK_ESCAPE}, {}},
        {{VK_DOWN, VK_RETURN}, {"system " + std::to_string(SC_CLOSE)}},
    };
    for (const auto& each : cases) {
        HostDialog host;
        ASSERT_TRUE(host.Create());
        ui::testing::ShowAndActivate(host);
        host.control.SetFocus();
        recorder.WhilePopupOpen([&each] { std::ranges::for_each(each.keys, [](unsigned vk) { ui::testing::PressKey(vk); }); });
        ui::testing::RightClick(host, Point{290, 190});
        EXPECT_EQ(host.control.log, each.expected) << "after " << each.keys.size() << " key(s)";
        EXPECT_EQ(recorder.PopupsLeftOpen(), 0);
    }
}

// As a failing poll does: its tick kills the timer, then opens a box. The messages dispatched
// first let the timer fall due again meanwhile.
TEST_F(MessageRouting, ATimerKilledInItsOwnTickNeverTicksAgainUnderTheBoxOrAfter)
{
    dialog.control.pumpingTimer = 7;
    dialog.control.duringTimer = [this] {
        EXPECT_TRUE(dialog.control.KillTimer(7));
        MessageBox(&dialog, "通信タイムアウト", "OnTimer()", MB_ICONERROR);
    };
    size_t ticksUnderTheBox = 0;
    recorder.WhilePopupOpen([&] {
        ui::testing::RunUntil([&] { return Ticks(log, 7) > 1; }, kQuietMs);
        ticksUnderTheBox = Ticks(log, 7);
        ui::testing::PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(dialog.control.SetTimer(7, 0), 7u);
    ASSERT_TRUE(ui::testing::RunUntil([&] { return ticksUnderTheBox > 0; }, kBoundMs)) << "no tick opened the box";
    EXPECT_FALSE(ui::testing::RunUntil([&] { return Ticks(log, 7) > ticksUnderTheBox; }, kQuietMs)) << "ticked after the box";
    EXPECT_EQ(ticksUnderTheBox, 1u);
    EXPECT_EQ(recorder.PopupsLeftOpen(), 0);
}

// A window that goes takes its running timers with it.
TEST_F(MessageRouting, ADestroyedWindowNeverTicks)
{
    EXPECT_EQ(dialog.control.SetTimer(7, 0), 7u);
    dialog.control.DestroyWindow();
    EXPECT_FALSE(ui::testing::RunUntil([&] { return Ticks(log, 7) > 0; }, kQuietMs));
}

// A tick that dispatches messages, as the link's wait does, is not entered again: what expired
// meanwhile makes one tick after it.
TEST_F(MessageRouting, ATickThatDispatchesMessagesIsNotEnteredAgain)
{
    dialog.control.pumpingTimer = 1;
    dialog.control.SetTimer(1, 0);
    ASSERT_TRUE(ui::testing::RunUntil([&] { return log.size() >= 3; }, kBoundMs));
    EXPECT_EQ(Log(log.begin(), log.begin() + 3), (Log{"timer 1", "tick ends", "timer 1"}));
}

TEST_F(MessageRouting, TwoTimersKeepTickingWhileOneOfThemDispatchesMessagesInItsTicks)
{
    dialog.control.pumpingTimer = 1;
    dialog.control.SetTimer(1, 0);
    dialog.control.SetTimer(2, 0);
    EXPECT_TRUE(ui::testing::RunUntil([&] { return Ticks(log, 1) > 3 && Ticks(log, 2) > 3; }, kBoundMs))
        << Ticks(log, 1) << " and " << Ticks(log, 2) << " ticks";
}
