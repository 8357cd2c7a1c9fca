#pragma once
// A top-level window's opacity, sent to the window system when it is set.

class QWidget;

namespace platform {

// Sets the opacity (0 to 1) and hands it to the window system at once. The toolkit keeps such
// a change in its queue until other traffic goes out, so a fade stepped by timers alone would
// not be seen while the program is idle. Nothing here yields to the event loop.
void SetWindowOpacityNow(QWidget& window, double opacity);

} // namespace platform
