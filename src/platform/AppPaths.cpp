#include "platform/AppPaths.h"

#include "platform/Hook.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {

namespace {
Hook<QString>& overridePath()
{
    static Hook<QString> p;
    return p;
}
} // namespace

QString AppPath()
{
    if (!overridePath().get().isEmpty())
        return overridePath().get();
    return QCoreApplication::applicationDirPath();
}

QString SetAppPathForTesting(QString path)
{
    return overridePath().exchange(std::move(path));
}

QString ResolvePath(const QString& windowsStylePath)
{
    QString p = windowsStylePath;
    p.replace(u'\\', u'/');
    const bool absolute = p.startsWith(u'/');
    const QStringList parts = p.split(u'/', Qt::SkipEmptyParts);
    QString current = absolute ? QStringLiteral("/") : QString();
    for (const QString& part : parts) {
        QString next = current.isEmpty() || current.endsWith(u'/') ? current + part : current + u'/' + part;
        if (!QFileInfo::exists(next) && part != u"." && part != u"..") {
            const QDir dir(current.isEmpty() ? QStringLiteral(".") : current);
            const QStringList entries = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
            for (const QString& e : entries) {
                if (e.compare(part, Qt::CaseInsensitive) == 0) {
                    next = current.isEmpty() || current.endsWith(u'/') ? current + e : current + u'/' + e;
                    break;
                }
            }
        }
        current = next;
    }
    return current;
}

QString ProgramFile(const QString& relative)
{
    return ResolvePath(AppPath() + relative);
}

} // namespace platform
