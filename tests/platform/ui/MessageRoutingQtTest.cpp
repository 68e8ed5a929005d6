// How input that the display delivers while a handler runs meets the timers, in the toolkit's
// own loop: the display connection is a socket the loop polls.

#include "MessageRoutingFixture.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <stdexcept>
#include <unistd.h>

namespace {

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

TEST_F(MessageRouting, AClickThatArrivesDuringATickIsServedBeforeTheNextTick)
{
    DisplayConnection display([this] { ui::testing::Click(dialog.control, Point{2, 2}); });
    dialog.control.duringTimer = [&display] { display.Arrive(); };
    dialog.control.SetTimer(1, 0);
    for (int round = 0; round < 4 && log.size() < 4; ++round) ui::testing::ProcessEvents();
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(Log(log.begin(), log.begin() + 4), (Log{"timer 1", "control pre click 2,2", "control click 2,2", "timer 1"}));
}

// Input that arrives once the next tick is due is served first; a menu it opens must not hold
// that tick up.
TEST_F(MessageRouting, TicksGoOnInsideAMenuOpenedByInputThatArrivedDuringATick)
{
    const struct {
        const char* name;
        std::function<void()> input;
    } cases[] = {
        {"right-click",
            [this] {
                ui::testing::RightClick(dialog, Point{290, 190});
            }},
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
