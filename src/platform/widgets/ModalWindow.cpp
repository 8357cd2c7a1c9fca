#include "platform/widgets/ModalWindow.h"

#include "platform/Hook.h"

#include <QDialog>

namespace platform {

namespace {
Hook<ModalHandler>& handler()
{
    static Hook<ModalHandler> h;
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
    if (handler().get()) {
        const ModalHandler h = handler().get(); // a handler may replace itself
        h(window);
        return;
    }
    ShowModalForReal(window);
}

ModalHandler SetModalHandler(ModalHandler h)
{
    return handler().exchange(std::move(h));
}

} // namespace platform
