#pragma once
// Starting another program beside this one without waiting for it (the help viewer). Tests
// install a handler that records the start instead of running anything.

#include <QString>
#include <QStringList>
#include <functional>

namespace platform {

using StartProgramHandler = std::function<bool(const QString& program, const QStringList& arguments)>;

// Starts the program detached: it gets its own window and runs on by itself; nothing waits
// for it. False when it could not be started.
bool StartDetached(const QString& program, const QStringList& arguments);

// Replaces the handler and returns the previous one; an empty handler starts for real.
StartProgramHandler SetStartProgramHandler(StartProgramHandler handler);

// Where Qt's help viewer is installed: among the Qt installation's own programs, which are
// not on PATH. The file need not exist.
QString HelpViewerProgram();
// Tests name another viewer; an empty path restores the installed one.
void SetHelpViewerForTesting(const QString& path);

} // namespace platform
