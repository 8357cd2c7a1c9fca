#include "platform/StartProgram.h"

#include <QLibraryInfo>
#include <QProcess>

namespace platform {

namespace {
StartProgramHandler& handler()
{
    static StartProgramHandler h;
    return h;
}

QString& viewerOverride()
{
    static QString p;
    return p;
}
} // namespace

bool StartDetached(const QString& program, const QStringList& arguments)
{
    if (handler())
        return handler()(program, arguments);
    return QProcess::startDetached(program, arguments);
}

StartProgramHandler SetStartProgramHandler(StartProgramHandler h)
{
    StartProgramHandler previous = std::move(handler());
    handler() = std::move(h);
    return previous;
}

QString HelpViewerProgram()
{
    if (!viewerOverride().isEmpty())
        return viewerOverride();
    return QLibraryInfo::path(QLibraryInfo::BinariesPath) + QStringLiteral("/assistant");
}

void SetHelpViewerForTesting(const QString& path)
{
    viewerOverride() = path;
}

} // namespace platform
