#include "platform/widgets/FileDialog.h"

#include "platform/Hook.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>

namespace platform {

namespace {

Hook<FileDialogHandler>& handler()
{
    static Hook<FileDialogHandler> h;
    return h;
}

// The extension of the first pattern of the first filter ("cnc" for "*.cnc"), for names
// typed without one.
QString defaultSuffix(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    if (parts.size() < 2)
        return {};
    const QString pattern = parts[1].section(u';', 0, 0).trimmed();
    if (!pattern.startsWith(QLatin1String("*.")))
        return {};
    const QString ext = pattern.mid(2);
    return ext.contains(u'*') || ext.contains(u'?') ? QString() : ext;
}

} // namespace

FileDialogHandler SetFileDialogHandler(FileDialogHandler h)
{
    return handler().exchange(std::move(h));
}

QString QtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        out << parts[i] + QStringLiteral(" (") + patterns.simplified() + QStringLiteral(")");
    }
    return out.join(QStringLiteral(";;"));
}

std::optional<QString> FileDialog::ShowOpen(QWidget* parent)
{
    return show(FileDialogRequest::Open, parent);
}

std::optional<QString> FileDialog::ShowSave(QWidget* parent)
{
    return show(FileDialogRequest::Save, parent);
}

std::optional<QString> FileDialog::show(FileDialogRequest::Kind kind, QWidget* parent)
{
    FileDialogRequest request;
    request.kind = kind;
    request.filter = Filter;
    request.startDir = FileName.isEmpty() ? InitDir : QFileInfo(FileName).absolutePath();

    std::optional<QString> chosen;
    if (const FileDialogHandler& h = handler().get()) {
        chosen = h(request);
    } else if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        // Nobody can answer a dialog there: it counts as cancelled, so nothing ever waits.
        qWarning("file dialog without a handler on the offscreen platform: cancelled");
    } else {
        QFileDialog dlg(parent, kind == FileDialogRequest::Open ? QStringLiteral("Open") : QStringLiteral("Save As"),
                        request.startDir, QtFileFilter(Filter));
        dlg.setOption(QFileDialog::DontUseNativeDialog);
        if (kind == FileDialogRequest::Open) {
            dlg.setAcceptMode(QFileDialog::AcceptOpen);
            dlg.setFileMode(QFileDialog::ExistingFile);
        } else {
            dlg.setAcceptMode(QFileDialog::AcceptSave);
            dlg.setFileMode(QFileDialog::AnyFile);
            dlg.setDefaultSuffix(defaultSuffix(Filter));
        }
        if (dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty())
            chosen = dlg.selectedFiles().first();
    }
    if (chosen && !chosen->isEmpty())
        FileName = *chosen;
    else
        chosen.reset();
    return chosen;
}

} // namespace platform
