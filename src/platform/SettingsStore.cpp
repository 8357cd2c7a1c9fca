#include "platform/SettingsStore.h"

#include "platform/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <map>

namespace platform {

struct QSettingsStore::Open
{
    struct App
    {
        std::unique_ptr<QSettings> file; // null: the file could not be kept aside
        std::map<QString, QString> memory; // the values of a session without a file
    };
    std::map<QString, App> byApp;
    RenameFile rename;
};

QSettingsStore::QSettingsStore(RenameFile rename) : open_(std::make_unique<Open>())
{
    open_->rename = rename ? std::move(rename) : RenameFile([](const QString& from, const QString& to) {
        return QFile::rename(from, to);
    });
}

QSettingsStore::~QSettingsStore() = default;

QSettings* QSettingsStore::settingsFor(const QString& appName)
{
    const auto known = open_->byApp.find(appName);
    if (known != open_->byApp.end())
        return known->second.file.get();
    Open::App& app = open_->byApp[appName];
    app.file = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, appName);
    if (app.file->status() != QSettings::FormatError)
        return app.file.get();

    // Keep what cannot be read for the user, never over an earlier kept file, and start over
    // beside it.
    const QString path = app.file->fileName();
    app.file.reset();
    QString kept = path + QStringLiteral(".bad");
    for (int n = 1; QFileInfo::exists(kept); ++n)
        kept = path + QStringLiteral(".bad") + QString::number(n);
    if (open_->rename(path, kept)) {
        app.file = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, appName);
        MsgBox(QStringLiteral("The settings file %1 could not be read. It was kept as %2, and a new settings "
                              "file was started.")
                   .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(kept)),
               vbInformation);
    } else {
        // Written to, QSettings would replace the unreadable file in place.
        MsgBox(QStringLiteral("The settings file %1 could not be read, nor kept under another name. It was left "
                              "untouched; this session uses the default settings, and changes to them are not "
                              "saved.")
                   .arg(QDir::toNativeSeparators(path)),
               vbInformation);
    }
    return app.file.get();
}

QString QSettingsStore::GetSetting(const QString& appName, const QString& section, const QString& key,
                                   const QString& defaultValue)
{
    const QString path = section + u'/' + key;
    if (QSettings* s = settingsFor(appName))
        return s->contains(path) ? s->value(path).toString() : defaultValue;
    const auto& memory = open_->byApp[appName].memory;
    const auto it = memory.find(path);
    return it == memory.end() ? defaultValue : it->second;
}

void QSettingsStore::SaveSetting(const QString& appName, const QString& section, const QString& key,
                                 const QString& value)
{
    const QString path = section + u'/' + key;
    if (QSettings* s = settingsFor(appName)) {
        s->setValue(path, value);
        s->sync(); // a store that cannot be written is not fatal: the value lives on in memory
        return;
    }
    open_->byApp[appName].memory[path] = value;
}

} // namespace platform
