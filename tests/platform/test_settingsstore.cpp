#include "platform/SettingsStore.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {
// Points the native store at a fresh folder for one test.
struct TempConfig
{
    TempConfig() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path()); }
    QString file() const { return dir.path() + QStringLiteral("/CNC.conf"); }
    QTemporaryDir dir;
};
} // namespace

TEST(SettingsStore, RoundTripsAndUsesOneFileWithAGroupPerSection)
{
    TempConfig cfg;
    {
        platform::QSettingsStore store;
        EXPECT_EQ(store.GetSetting("CNC", "ViewOptions", "Toolbar"), QString());
        EXPECT_EQ(store.GetSetting("CNC", "ViewOptions", "Toolbar", "True"), "True");
        store.SaveSetting("CNC", "ViewOptions", "Toolbar", "False");
        store.SaveSetting("CNC", "RecentFilePaths", "0", "/home/a/part, one.cnc");
        store.SaveSetting("CNC", "TextEditor", "Font", "");
    }
    ASSERT_TRUE(QFile::exists(cfg.file()));
    platform::QSettingsStore again;
    EXPECT_EQ(again.GetSetting("CNC", "ViewOptions", "Toolbar", "True"), "False");
    EXPECT_EQ(again.GetSetting("CNC", "RecentFilePaths", "0"), "/home/a/part, one.cnc");
    // A stored empty text is present, not absent.
    EXPECT_EQ(again.GetSetting("CNC", "TextEditor", "Font", "x"), QString());

    QFile f(cfg.file());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    EXPECT_TRUE(text.contains("[ViewOptions]"));
    EXPECT_TRUE(text.contains("[RecentFilePaths]"));
}

TEST(SettingsStore, UnwritableFolderIsNotFatal)
{
    TempConfig cfg;
    QFile::setPermissions(cfg.dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    platform::QSettingsStore store;
    store.SaveSetting("CNC", "General", "AutoComplete", "1");
    EXPECT_EQ(store.GetSetting("CNC", "General", "AutoComplete"), "1"); // still known in memory
    QFile::setPermissions(cfg.dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
