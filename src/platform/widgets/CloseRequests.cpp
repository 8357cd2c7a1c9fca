#include "platform/widgets/CloseRequests.h"

#include <QWindow>
#include <QtGui/private/qwindow_p.h>
#include <QtGui/qpa/qwindowsysteminterface_p.h>
#include <vector>

namespace platform {

// The window system's events pass here before the toolkit decides to drop them.
class BlockedCloseHandler : public QWindowSystemEventHandler
{
public:
    bool sendEvent(QWindowSystemInterfacePrivate::WindowSystemEvent* event) override
    {
        if (event->type == QWindowSystemInterfacePrivate::Close) {
            QWindow* window = static_cast<QWindowSystemInterfacePrivate::CloseEvent*>(event)->window.data();
            // The toolkit's own test for dropping it: blocked, and not a close made from code.
            const bool dropped = window && QWindowPrivate::get(window)->blockedByModalWindow &&
                                 !QWindowPrivate::get(window)->inClose;
            for (BlockedCloseCatcher* catcher : catchers) {
                if (dropped && catcher->window_ && catcher->window_->windowHandle() == window) {
                    // Copied: the callback may end the catcher.
                    const std::function<void()> callback = catcher->onBlockedClose_;
                    event->eventAccepted = false;
                    callback();
                    return true;
                }
            }
        }
        return QWindowSystemEventHandler::sendEvent(event);
    }

    std::vector<BlockedCloseCatcher*> catchers;
};

namespace {
BlockedCloseHandler& handler()
{
    static BlockedCloseHandler h;
    return h;
}
} // namespace

BlockedCloseCatcher::BlockedCloseCatcher(QWidget& window, std::function<void()> onBlockedClose)
    : window_(&window), onBlockedClose_(std::move(onBlockedClose))
{
    if (handler().catchers.empty())
        QWindowSystemInterfacePrivate::installWindowSystemEventHandler(&handler());
    handler().catchers.push_back(this);
}

BlockedCloseCatcher::~BlockedCloseCatcher()
{
    auto& list = handler().catchers;
    std::erase(list, this);
    if (list.empty())
        QWindowSystemInterfacePrivate::removeWindowSystemEventhandler(&handler());
}

} // namespace platform
