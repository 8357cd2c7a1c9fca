#include "platform/widgets/ColourDialog.h"

#include "platform/Hook.h"
#include "platform/gui/WinColour.h"

#include <QColorDialog>
#include <QGuiApplication>

namespace platform {

namespace {
Hook<ColourDialogHandler>& handler()
{
    static Hook<ColourDialogHandler> h;
    return h;
}
} // namespace

ColourDialogHandler SetColourDialogHandler(ColourDialogHandler h)
{
    return handler().exchange(std::move(h));
}

bool ColourDialog::ShowColor(QWidget* parent)
{
    std::optional<qint32> chosen;
    if (const ColourDialogHandler& h = handler().get()) {
        chosen = h(Color);
    } else if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        // Nobody can answer a dialog there: it counts as cancelled, so nothing ever waits.
        qWarning("colour dialog without a handler on the offscreen platform: cancelled");
    } else {
        QColorDialog dlg(FromWinRgb(Color), parent);
        dlg.setOption(QColorDialog::DontUseNativeDialog);
        if (dlg.exec() == QDialog::Accepted && dlg.selectedColor().isValid())
            chosen = ToWinRgb(dlg.selectedColor());
    }
    if (!chosen)
        return false;
    Color = *chosen & 0xFFFFFF;
    return true;
}

} // namespace platform
