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

    void Add(const std::shared_ptr<WindowTimer>& timer)
    {
        m_due.push_back(timer);
        if (m_checkPosted) return;
        m_checkPosted = true;
        QCoreApplication::postEvent(this, new QEvent(CheckType()), Qt::LowEventPriority);
    }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() != CheckType()) return QObject::event(event);
        m_checkPosted = false;
        ServeWaitingMessages();
        std::vector<std::weak_ptr<WindowTimer>> due;
        due.swap(m_due);
        for (const auto& entry : due) {
            const std::shared_ptr<WindowTimer> timer = entry.lock(); // alive through its tick
            if (!timer || !timer->m_due) continue;
            timer->m_due = false;
            timer->m_tick();
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

    std::vector<std::weak_ptr<WindowTimer>> m_due;
    bool m_checkPosted = false;
};

std::shared_ptr<WindowTimer> WindowTimer::Create(std::function<void()> tick)
{
    std::shared_ptr<WindowTimer> timer(new WindowTimer(std::move(tick)));
    QObject::connect(&timer->m_timer, &QTimer::timeout, [weak = std::weak_ptr<WindowTimer>(timer)] {
        const std::shared_ptr<WindowTimer> self = weak.lock();
        if (!self || self->m_due) return;
        self->m_due = true;
        TickQueue::Instance().Add(self);
    });
    return timer;
}

void WindowTimer::Start(int intervalMs)
{
    m_timer.start(intervalMs);
}

} // namespace ui
