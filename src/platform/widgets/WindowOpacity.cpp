#include "platform/widgets/WindowOpacity.h"

#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

namespace platform {

void SetWindowOpacityNow(QWidget& window, double opacity)
{
    window.setWindowOpacity(opacity);
#if QT_CONFIG(xcb)
    // Only the xcb platform's connection carries windows (the offscreen one may hold an X
    // connection of its own for GL). A flush only writes what is queued; unlike a sync it
    // waits for no answer.
    if (QGuiApplication::platformName() != u"xcb")
        return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (xcb_connection_t* connection = x11 ? x11->connection() : nullptr)
        xcb_flush(connection);
#endif
}

} // namespace platform
