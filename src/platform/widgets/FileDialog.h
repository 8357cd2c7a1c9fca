#pragma once
// The open and save dialogs as the program uses them: a filter in the "Name|*.ext|..." form,
// a starting folder, the chosen path. Tests install a handler that answers without a person.

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace platform {

struct FileDialogRequest
{
    enum Kind { Open, Save };
    Kind kind = Open;
    QString filter;    // "CNC Code Files|*.cnc|All Files|*.*"
    QString startDir;  // where the dialog opens
};

// The chosen path, or nothing when the dialog was cancelled. Without a handler the real
// dialog shows, except on the offscreen platform, where it counts as cancelled.
using FileDialogHandler = std::function<std::optional<QString>(const FileDialogRequest&)>;

// Replaces the handler and returns the previous one.
FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);

// "CNC Code Files|*.cnc|All Files|*.*" -> "CNC Code Files (*.cnc);;All Files (*.*)".
QString QtFileFilter(const QString& filter);

// The main window's file dialog: it opens in the folder of the file chosen last, or in
// InitDir before the first choice.
class FileDialog
{
public:
    QString Filter;
    QString InitDir;
    QString FileName; // the path chosen last

    std::optional<QString> ShowOpen(QWidget* parent = nullptr);
    // The save dialog takes names of files that do not exist yet and asks before replacing one.
    std::optional<QString> ShowSave(QWidget* parent = nullptr);

private:
    std::optional<QString> show(FileDialogRequest::Kind kind, QWidget* parent);
};

} // namespace platform
