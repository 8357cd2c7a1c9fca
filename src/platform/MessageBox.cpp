#include "platform/MessageBox.h"

#include <QDebug>

namespace platform {

namespace {
MsgBoxHandler& handler()
{
    static MsgBoxHandler h;
    return h;
}
} // namespace

int MsgBox(const QString& text, int flags, const QString& title)
{
    const QString shownTitle = title.isEmpty() ? AppTitle : title;
    if (handler())
        return handler()(text, flags, shownTitle);
    qWarning().noquote() << shownTitle + ": " + text;
    return (flags & 0x0F) == 3 ? vbCancel : vbOK;
}

MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler h)
{
    MsgBoxHandler previous = std::move(handler());
    handler() = std::move(h);
    return previous;
}

} // namespace platform
