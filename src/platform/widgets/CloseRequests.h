#pragma once
// Close requests of the window system that a modal window would swallow.

#include <QPointer>
#include <QWidget>
#include <functional>

namespace platform {

// Qt drops the window system's request to close a window that a modal window blocks (the
// title bar's close button, the desktop's "close window"). While a catcher lives, such a
// request for `window` goes to `onBlockedClose` instead, which can remember it and carry it
// out once the modal window has closed. Requests for windows that are not blocked, and
// closes made from code, go their usual way.
class BlockedCloseCatcher
{
public:
    BlockedCloseCatcher(QWidget& window, std::function<void()> onBlockedClose);
    ~BlockedCloseCatcher();
    BlockedCloseCatcher(const BlockedCloseCatcher&) = delete;
    BlockedCloseCatcher& operator=(const BlockedCloseCatcher&) = delete;

private:
    friend class BlockedCloseHandler;
    QPointer<QWidget> window_;
    std::function<void()> onBlockedClose_;
};

} // namespace platform
