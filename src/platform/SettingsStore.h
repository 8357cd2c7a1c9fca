#pragma once
// The per-user settings store: application, section and key to a string.

#include <QString>
#include <functional>
#include <memory>

class QSettings;

namespace platform {

class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    // The stored text, or defaultValue when the key is absent.
    virtual QString GetSetting(const QString& appName, const QString& section, const QString& key,
                               const QString& defaultValue = QString()) = 0;
    virtual void SaveSetting(const QString& appName, const QString& section, const QString& key,
                             const QString& value) = 0;
};

// The store on QSettings' native format: on Linux one INI file per application,
// $XDG_CONFIG_HOME/<app>.conf (~/.config/CNC.conf), one group per section.
//
// A file that cannot be parsed is kept for the user under the first free name of
// <file>.bad, <file>.bad1, <file>.bad2, ... and a new file is started; when it cannot be kept
// (the rename fails) it is left untouched and the store runs on in memory for the session.
// Either way a message box says which.
class QSettingsStore : public SettingsStore
{
public:
    // Moves a file to a new name; true on success. Replaceable to show a failing rename.
    using RenameFile = std::function<bool(const QString& from, const QString& to)>;

    explicit QSettingsStore(RenameFile rename = {});
    ~QSettingsStore() override;
    QString GetSetting(const QString& appName, const QString& section, const QString& key,
                       const QString& defaultValue = QString()) override;
    void SaveSetting(const QString& appName, const QString& section, const QString& key,
                     const QString& value) override;

private:
    // Null when the app's file could not be read nor kept aside: the store then runs in memory.
    QSettings* settingsFor(const QString& appName);
    struct Open;
    std::unique_ptr<Open> open_;
};

} // namespace platform
