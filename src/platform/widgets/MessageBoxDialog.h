#pragma once

namespace platform {
// Makes MsgBox show real dialogs (called once by the program at start).
void InstallDialogMessageBoxes();
} // namespace platform
