#pragma once
// Modal windows as the program shows them: the caller waits inside the show until the window
// has closed, while the window system keeps running. Tests install a handler, so that no test
// waits on a window meant for a person (the splash waits for a click).

#include <functional>

class QDialog;

namespace platform {

// Called instead of the real modal show; it returns when the window counts as closed.
using ModalHandler = std::function<void(QDialog& window)>;

// Shows `window` modally and returns when it has closed.
void ShowModal(QDialog& window);

// Replaces the handler and returns the previous one; an empty handler restores the real show.
ModalHandler SetModalHandler(ModalHandler handler);

// The real modal show, for handlers that want it after all.
void ShowModalForReal(QDialog& window);

} // namespace platform
