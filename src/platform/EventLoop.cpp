#include "platform/EventLoop.h"

#include <QCoreApplication>
#include <QThread>

namespace platform {

void DoEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void SleepMs(int milliseconds)
{
    if (milliseconds > 0)
        QThread::msleep(static_cast<unsigned long>(milliseconds));
}

} // namespace platform
