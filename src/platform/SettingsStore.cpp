#include "platform/SettingsStore.h"

#include <QDebug>
#include <QFile>
#include <QSettings>
#include <map>

namespace platform {

struct QSettingsStore::Open
{
    std::map<QString, std::unique_ptr<QSettings>> byApp;
};

QSettingsStore::QSettingsStore() : open_(std::make_unique<Open>()) {}
QSettingsStore::~QSettingsStore() = default;

QSettings& QSettingsStore::settingsFor(const QString& appName)
{
    auto& slot = open_->byApp[appName];
    if (!slot) {
        slot = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, appName);
        if (slot->status() == QSettings::FormatError) {
            // Keep what cannot be read for the user, and start over beside it.
            const QString path = slot->fileName();
            slot.reset();
            QFile::remove(path + QStringLiteral(".bad"));
            QFile::rename(path, path + QStringLiteral(".bad"));
            qWarning().noquote() << "Unreadable settings kept as" << path + QStringLiteral(".bad");
            slot = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, appName);
        }
    }
    return *slot;
}

QString QSettingsStore::GetSetting(const QString& appName, const QString& section, const QString& key,
                                   const QString& defaultValue)
{
    QSettings& s = settingsFor(appName);
    const QString path = section + u'/' + key;
    if (!s.contains(path))
        return defaultValue;
    return s.value(path).toString();
}

void QSettingsStore::SaveSetting(const QString& appName, const QString& section, const QString& key,
                                 const QString& value)
{
    QSettings& s = settingsFor(appName);
    s.setValue(section + u'/' + key, value);
    s.sync(); // a store that cannot be written is not fatal: the value lives on in memory
}

} // namespace platform
