#pragma once

// A window's timer. A timer message is the lowest-priority message: an expiry only marks the
// timer due, and the tick is served once nothing else waits (input the display has sent,
// posted messages), so a click, a key or a close queued while a handler ran goes first.

#include <QTimer>

#include <functional>
#include <memory>

namespace ui {

class WindowTimer : public std::enable_shared_from_this<WindowTimer> {
public:
    static std::shared_ptr<WindowTimer> Create(std::function<void()> tick);

    void Start(int intervalMs);
    // For good: no tick is served after this, not even one already due or one whose tick is
    // running now and holds the timer.
    void Kill();

private:
    friend class TickQueue;

    explicit WindowTimer(std::function<void()> tick)
        : m_tick(std::move(tick))
    { }

    QTimer m_timer;
    std::function<void()> m_tick;
    bool m_due = false; // expiries while due merge into one tick
    bool m_running = false; // its tick is being served; it never runs inside itself
};

} // namespace ui
