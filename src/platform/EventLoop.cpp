#include "platform/EventLoop.h"

#include <QCoreApplication>
#include <QThread>

namespace platform {

namespace {
int doEventsDepth = 0;
}

void DoEvents()
{
    ++doEventsDepth;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    --doEventsDepth;
}

void WaitForEvents()
{
    ++doEventsDepth;
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    --doEventsDepth;
}

int DoEventsDepth()
{
    return doEventsDepth;
}

void SleepMs(int milliseconds)
{
    if (milliseconds > 0)
        QThread::msleep(static_cast<unsigned long>(milliseconds));
}

} // namespace platform
