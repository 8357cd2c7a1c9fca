#pragma once
// The per-user settings store: application, section and key to a string.

#include <QString>
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
class QSettingsStore : public SettingsStore
{
public:
    QSettingsStore();
    ~QSettingsStore() override;
    QString GetSetting(const QString& appName, const QString& section, const QString& key,
                       const QString& defaultValue = QString()) override;
    void SaveSetting(const QString& appName, const QString& section, const QString& key,
                     const QString& value) override;

private:
    QSettings& settingsFor(const QString& appName);
    struct Open;
    std::unique_ptr<Open> open_;
};

} // namespace platform
