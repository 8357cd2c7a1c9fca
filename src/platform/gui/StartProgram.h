#pragma once
// Starting another program beside this one without waiting for it (the help viewer). Tests
// install a handler that records the start instead of running anything.

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace platform {

// A program started beside this one. It runs on by itself and outlives this program: the
// handle only watches it, and letting go of the handle leaves the program running.
class StartedProgram
{
public:
    virtual ~StartedProgram() = default;
    virtual qint64 ProcessId() const = 0;
    // False once the program has ended.
    virtual bool IsRunning() = 0;
    // Raises the program's windows and asks for them to get the focus, where the window
    // system lets one program do that for another (X11, with or without a window manager);
    // elsewhere nothing happens.
    virtual void BringForward() = 0;
};

using StartProgramHandler =
    std::function<std::unique_ptr<StartedProgram>(const QString& program, const QStringList& arguments)>;

// Starts the program detached: it gets its own window and runs on by itself; nothing waits
// for it. Null when it could not be started.
std::unique_ptr<StartedProgram> StartDetached(const QString& program, const QStringList& arguments);

// Replaces the handler and returns the previous one; an empty handler starts for real.
StartProgramHandler SetStartProgramHandler(StartProgramHandler handler);

// Where Qt's help viewer is installed: among the Qt installation's own programs, which are
// not on PATH. The file need not exist.
QString HelpViewerProgram();
// Tests name another viewer; an empty path restores the installed one. Returns the previous
// path.
QString SetHelpViewerForTesting(QString path);

} // namespace platform
