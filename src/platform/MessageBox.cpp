#include "platform/MessageBox.h"

#include "platform/Hook.h"

#include <QDebug>

namespace platform {

namespace {
Hook<MsgBoxHandler>& handler()
{
    static Hook<MsgBoxHandler> h;
    return h;
}
} // namespace

int MsgBox(const QString& text, int flags, const QString& title)
{
    const QString shownTitle = title.isEmpty() ? AppTitle : title;
    if (const MsgBoxHandler& h = handler().get())
        return h(text, flags, shownTitle);
    qWarning().noquote() << shownTitle + ": " + text;
    return (flags & 0x0F) == 3 ? vbCancel : vbOK;
}

MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler h)
{
    return handler().exchange(std::move(h));
}

} // namespace platform
