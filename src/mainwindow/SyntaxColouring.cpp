#include "mainwindow/SyntaxColouring.h"

#include "platform/gui/WinColour.h"

namespace mainwindow {

qint32 UncolouredTextColour(qint32 backColor)
{
    const QColor back = platform::FromWinRgb(backColor);
    const int luminance = (299 * back.red() + 587 * back.green() + 114 * back.blue()) / 1000;
    return luminance < 128 ? platform::WinRgb(255, 255, 255) : platform::WinRgb(0, 0, 0);
}

} // namespace mainwindow
