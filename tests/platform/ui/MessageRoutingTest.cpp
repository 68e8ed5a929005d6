#include "UiFixture.h"

#include "platform/ui/MessageBox.h"
#include "platform/ui/MessagePump.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <utility>

using namespace ui;
using namespace uitest;

namespace {

using Log = std::vector<std::string>;

// Timers in these tests have no delay, so they expire at every turn of the loop: a tick that is
// due comes within a turn or two, and one that must not come would within a few.
constexpr int kQuietMs = 50;
constexpr int kBoundMs = 2000;
constexpr int kTurns = 8; // of the loop dispatched inside a tick

size_t Ticks(const Log& log, int id)
{
    return static_cast<size_t>(std::count(log.begin(), log.end(), "timer " + std::to_string(id)));
}

// A custom-drawn control that logs what reaches it, and optionally eats keys early.
class LoggingControl : public Window {
public:
    Log log;
    bool consumeKeys = false;
    std::function<void()> duringTimer; // runs inside the next tick
    uintptr_t pumpingTimer = 0;        // whose ticks dispatch messages, as the link's wait does

    bool PreTranslateMessage(Msg& msg) override
    {
        if (msg.message == WM_KEYDOWN) log.push_back("control pre " + std::to_string(msg.wParam));
        if (msg.message == WM_LBUTTONDOWN) log.push_back("control pre click " + std::to_string(msg.pt.x) + "," + std::to_string(msg.pt.y));
        return consumeKeys && msg.message == WM_KEYDOWN;
    }

protected:
    void OnKeyDown(UINT vk, UINT, UINT) override { log.push_back("control key " + std::to_string(vk)); }
    void OnChar(UINT ch, UINT, UINT) override { log.push_back("control char " + std::to_string(ch)); }
    void OnLButtonDown(UINT, Point at) override { log.push_back("control click " + std::to_string(at.x) + "," + std::to_string(at.y)); }
    void OnTimer(uintptr_t id) override
    {
        log.push_back("timer " + std::to_string(id));
        if (id == pumpingTimer) {
            for (int turn = 0; turn < kTurns; ++turn) PumpMessage();
            log.push_back("tick ends");
        }
        if (duringTimer) std::exchange(duringTimer, nullptr)();
    }
    UINT OnGetDlgCode() override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
};

// Logs into its control's log, so one log shows the order of the whole walk.
class HostDialog : public DialogHost<LoggingControl, kHostDialog, kCustom> {
public:
    bool PreTranslateMessage(Msg& msg) override
    {
        if (msg.message == WM_KEYDOWN) control.log.push_back("dialog pre " + std::to_string(msg.wParam));
        return Dialog::PreTranslateMessage(msg);
    }

protected:
    void OnSysCommand(UINT id, LPARAM lParam) override
    {
        control.log.push_back("system " + std::to_string(id));
        Dialog::OnSysCommand(id, lParam);
    }
};

class MessageRouting : public UiFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Create());
        ui::testing::ShowAndActivate(dialog);
        dialog.control.SetFocus();
    }

    HostDialog dialog;
    Log& log = dialog.control.log;
};

// Stands for the display connection: what arrives on it is read when the loop polls it and
// handed to the windows as a queued event, a loop turn later, as the toolkit does.
class DisplayConnection {
public:
    explicit DisplayConnection(std::function<void()> deliver)
    {
        if (::pipe(m_fds) != 0) throw std::runtime_error("pipe");
        m_notifier = std::make_unique<QSocketNotifier>(m_fds[0], QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this, deliver] {
            char byte = 0;
            if (::read(m_fds[0], &byte, 1) == 1) QMetaObject::invokeMethod(qApp, deliver, Qt::QueuedConnection);
        });
    }
    ~DisplayConnection()
    {
        m_notifier.reset();
        ::close(m_fds[0]);
        ::close(m_fds[1]);
    }
    void Arrive() { EXPECT_EQ(::write(m_fds[1], "c", 1), 1); }

private:
    int m_fds[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace

// Innermost first, then outwards, then the control itself; a consumed key goes no further.
TEST_F(MessageRouting, PreTranslationSeesInputInnermostFirstAndBeforeTheControl)
{
    const struct { const char* name; bool consume; std::function<void()> input; Log expected; } cases[] = {
        {"key", false, [] { ui::testing::PressKey(VK_DOWN); }, {"control pre 40", "dialog pre 40", "control key 40"}},
        {"character", false, [] { ui::testing::TypeText("7"); }, {"control pre 55", "dialog pre 55", "control key 55", "control char 55"}},
        {"consumed key", true, [] { ui::testing::PressKey('A'); }, {"control pre 65"}},
        {"click", false, [this] { ui::testing::Click(dialog.control, Point{5, 9}); }, {"control pre click 5,9", "control click 5,9"}},
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
    const struct { const char* name; unsigned vk; unsigned modifiers; } cases[] = {
        {"Return", VK_RETURN, ui::testing::None}, {"keypad Enter", VK_RETURN, ui::testing::Keypad},
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
    const struct { std::vector<unsigned> keys; Log expected; } cases[] = {
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

TEST_F(MessageRouting, AClickThatArrivesDuringATickIsServedBeforeTheNextTick)
{
    DisplayConnection display([this] { ui::testing::Click(dialog.control, Point{2, 2}); });
    dialog.control.duringTimer = [&display] { display.Arrive(); };
    dialog.control.SetTimer(1, 0);
    for (int round = 0; round < 4 && log.size() < 4; ++round) ui::testing::ProcessEvents();
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(Log(log.begin(), log.begin() + 4), (Log{"timer 1", "control pre click 2,2", "control click 2,2", "timer 1"}));
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

// Input that arrives once the next tick is due is served first; a menu it opens must not hold
// that tick up.
TEST_F(MessageRouting, TicksGoOnInsideAMenuOpenedByInputThatArrivedDuringATick)
{
    const struct { const char* name; std::function<void()> input; } cases[] = {
        {"right-click", [this] { ui::testing::RightClick(dialog, Point{290, 190}); }},
        {"Alt+Space", [] { ui::testing::PressKey(VK_SPACE, ui::testing::Alt); }},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        DisplayConnection display(each.input);
        QTimer arrival; // expires just after the tick's own timer, in the same turn of the loop
        arrival.setSingleShot(true);
        QObject::connect(&arrival, &QTimer::timeout, [&display] { display.Arrive(); });
        dialog.control.duringTimer = [&arrival] { arrival.start(0); };
        std::optional<size_t> ticksInTheMenu;
        recorder.WhilePopupOpen([&] {
            const size_t before = Ticks(log, 1);
            ui::testing::RunUntil([&] { return Ticks(log, 1) > before + 1; }, kBoundMs / 4);
            ticksInTheMenu = Ticks(log, 1) - before;
            ui::testing::PressKey(VK_ESCAPE);
        });
        dialog.control.SetTimer(1, 0);
        const bool opened = ui::testing::RunUntil([&] { return ticksInTheMenu.has_value(); }, kBoundMs);
        dialog.control.KillTimer(1);
        ASSERT_TRUE(opened) << "no menu opened";
        EXPECT_GE(*ticksInTheMenu, 2u);
        EXPECT_EQ(recorder.PopupsLeftOpen(), 0);
    }
}

TEST_F(MessageRouting, NoTickReachesADialogEndedByInputThatArrivedDuringATick)
{
    HostDialog modal;
    DisplayConnection display([&modal] { ui::testing::PressKey(VK_RETURN, ui::testing::None, &modal); });
    recorder.OnDialog(kHostDialog, [&](Dialog&) {
        modal.control.duringTimer = [&display] { display.Arrive(); };
        modal.control.SetTimer(1, 0);
        ui::testing::RunUntil([&] { return Ticks(modal.control.log, 1) > 1; }, kQuietMs);
    });
    EXPECT_EQ(modal.DoModal(), IDOK) << "Return never arrived";
    EXPECT_EQ(modal.control.log, (Log{"timer 1", "dialog pre 13"}));
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
