#pragma once
// The colour dialog as the program uses it: it opens on Color and leaves the chosen colour
// there. Tests install a handler that answers without a person.

#include "platform/widgets/FileDialog.h"

#include <QtGlobal>
#include <functional>
#include <optional>

class QWidget;

namespace platform {

// Given the colour the dialog opens on (Windows RGB), the chosen colour, or nothing when the
// dialog was cancelled. Without a handler the real dialog shows, except on the offscreen
// platform, where it counts as cancelled.
using ColourDialogHandler = std::function<std::optional<qint32>(qint32 initial)>;

// Replaces the handler and returns the previous one.
ColourDialogHandler SetColourDialogHandler(ColourDialogHandler handler);

class ColourDialog
{
public:
    qint32 Color = 0; // Windows RGB

    // True with the chosen colour in Color; false, and Color as it was, when cancelled.
    bool ShowColor(QWidget* parent = nullptr);
};

// The main window's one common dialog: open, save and colour.
struct CommonDialog : FileDialog, ColourDialog
{
};

} // namespace platform
