#include "platform/ui/qt/WindowTimer.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QThread>

#include <vector>

namespace ui {

// Serves due ticks. It lives as long as the program, so a tick that destroys its window, or
// a handler that kills timers, never destroys the object that is serving.
class TickQueue : public QObject {
public:
    static TickQueue& Instance()
    {
        static auto* queue = new TickQueue; // never destroyed: ticks may be pending at exit
        return *queue;
    }

    // A check is posted even for a timer that already was due: the check that would serve it
    // may be held up inside a menu or box opened by input it served first.
    void Expired(const std::shared_ptr<WindowTimer>& timer)
    {
        if (!timer->m_due) {
            timer->m_due = true;
            m_due.push_back(timer);
        }
        PostCheck();
    }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() != CheckType()) return QObject::event(event);
        m_checkPosted = false;
        ServeWaitingMessages();
        // Whatever is due by now; a check nested in the input served above may have served some.
        std::erase_if(m_due, [](const std::weak_ptr<WindowTimer>& entry) {
            const std::shared_ptr<WindowTimer> timer = entry.lock();
            return !timer || !timer->m_due;
        });
        const std::vector<std::weak_ptr<WindowTimer>> due = m_due;
        for (const auto& entry : due) {
            if (const std::shared_ptr<WindowTimer> timer = entry.lock()) Serve(timer); // alive through its tick
        }
        return true;
    }

private:
    // Bounded, so that a stream of input delays a tick but never starves it.
    static constexpr int kMaxRounds = 64;

    static QEvent::Type CheckType()
    {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }

    // Everything but timers: what the display connection holds reaches its windows first.
    static void ServeWaitingMessages()
    {
        auto* dispatcher = QAbstractEventDispatcher::instance(QThread::currentThread());
        if (dispatcher == nullptr) return;
        for (int round = 0; round < kMaxRounds && dispatcher->processEvents(QEventLoop::X11ExcludeTimers); ++round) continue;
    }

    void Serve(const std::shared_ptr<WindowTimer>& timer)
    {
        // A tick that dispatches messages is not entered again: what expires meanwhile stays
        // due and makes one tick after it.
        if (!timer->m_due || timer->m_running) return;
        timer->m_due = false;
        std::erase_if(m_due, [&timer](const std::weak_ptr<WindowTimer>& entry) { return entry.lock() == timer; });
        timer->m_running = true;
        timer->m_tick();
        timer->m_running = false;
        if (timer->m_due) PostCheck();
    }

    void PostCheck()
    {
        if (m_checkPosted) return;
        m_checkPosted = true;
        QCoreApplication::postEvent(this, new QEvent(CheckType()), Qt::LowEventPriority);
    }

    std::vector<std::weak_ptr<WindowTimer>> m_due;
    bool m_checkPosted = false;
};

std::shared_ptr<WindowTimer> WindowTimer::Create(std::function<void()> tick)
{
    std::shared_ptr<WindowTimer> timer(new WindowTimer(std::move(tick)));
    QObject::connect(&timer->m_timer, &QTimer::timeout, [weak = std::weak_ptr<WindowTimer>(timer)] {
        const std::shared_ptr<WindowTimer> self = weak.lock();
        if (self) TickQueue::Instance().Expired(self);
    });
    return timer;
}

void WindowTimer::Start(int intervalMs)
{
    m_timer.start(intervalMs);
}

void WindowTimer::Kill()
{
    m_due = false;
    m_timer.stop();
}

} // namespace ui
