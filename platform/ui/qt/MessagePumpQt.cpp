#include "platform/ui/MessagePump.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>

namespace ui {

bool PumpMessage()
{
    auto* dispatcher = QAbstractEventDispatcher::instance(QThread::currentThread());
    if (dispatcher == nullptr) return false;
    // A pump step inside a handler of a posted message must still deliver messages posted
    // before it; the dispatcher alone leaves those to the outer loop.
    QCoreApplication::sendPostedEvents();
    return dispatcher->processEvents(QEventLoop::AllEvents);
}

} // namespace ui
