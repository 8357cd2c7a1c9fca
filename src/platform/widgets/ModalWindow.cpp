#include "platform/widgets/ModalWindow.h"

#include <QDialog>

namespace platform {

namespace {
ModalHandler& handler()
{
    static ModalHandler h;
    return h;
}
} // namespace

void ShowModalForReal(QDialog& window)
{
    window.setWindowModality(Qt::ApplicationModal);
    window.exec();
}

void ShowModal(QDialog& window)
{
    if (handler()) {
        const ModalHandler h = handler(); // a handler may replace itself
        h(window);
        return;
    }
    ShowModalForReal(window);
}

ModalHandler SetModalHandler(ModalHandler h)
{
    ModalHandler previous = std::move(handler());
    handler() = std::move(h);
    return previous;
}

} // namespace platform
