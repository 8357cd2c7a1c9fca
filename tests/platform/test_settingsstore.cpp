#include "platform/SettingsStore.h"

#include "TestSupport.h"

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

namespace {
// Contents the INI reader cannot parse.
const QByteArray Unreadable = "[General\n\x01\x02=\n";

} // namespace

TEST(SettingsStore, AnUnreadableFileIsKeptUnderAFreeNameAndANewOneStarted)
{
    TempConfig cfg;
    WriteFileBytes(cfg.file(), Unreadable);
    WriteFileBytes(cfg.file() + ".bad", "kept last time");
    MessageBoxRecorder boxes;
    {
        platform::QSettingsStore store;
        EXPECT_EQ(store.GetSetting("CNC", "General", "AutoComplete", "1"), "1");
        store.SaveSetting("CNC", "General", "AutoComplete", "0");
    }
    EXPECT_EQ(ReadFileBytes(cfg.file() + ".bad"), "kept last time");
    EXPECT_EQ(ReadFileBytes(cfg.file() + ".bad1"), Unreadable);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains("CNC.conf.bad1")) << boxes.shown[0].text.toStdString();
    platform::QSettingsStore again;
    EXPECT_EQ(again.GetSetting("CNC", "General", "AutoComplete"), "0");
}

TEST(SettingsStore, AnUnreadableFileThatCannotBeKeptIsLeftUntouched)
{
    TempConfig cfg;
    WriteFileBytes(cfg.file(), Unreadable);
    MessageBoxRecorder boxes;
    platform::QSettingsStore store([](const QString&, const QString&) { return false; });
    EXPECT_EQ(store.GetSetting("CNC", "General", "AutoComplete", "1"), "1");
    store.SaveSetting("CNC", "General", "AutoComplete", "0");
    store.SaveSetting("CNC", "RecentFilePaths", "0", "/home/a/p.cnc");
    // The session goes on with what it saved, in memory only.
    EXPECT_EQ(store.GetSetting("CNC", "General", "AutoComplete", "1"), "0");
    EXPECT_EQ(store.GetSetting("CNC", "RecentFilePaths", "0"), "/home/a/p.cnc");
    EXPECT_EQ(ReadFileBytes(cfg.file()), Unreadable);
    EXPECT_FALSE(QFile::exists(cfg.file() + ".bad"));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains("left untouched")) << boxes.shown[0].text.toStdString();
    EXPECT_TRUE(boxes.shown[0].text.contains("default settings")) << boxes.shown[0].text.toStdString();
}

// What the README tells a user who edits the file by hand.
TEST(SettingsStore, TheGeneralSectionIsWrittenWithAPercentSign)
{
    TempConfig cfg;
    {
        platform::QSettingsStore store;
        store.SaveSetting("CNC", "General", "AutoComplete", "0");
    }
    EXPECT_TRUE(ReadFileBytes(cfg.file()).contains("[%General]\nAutoComplete=0"));
    WriteFileBytes(cfg.file(), "[General]\nAutoComplete=1\n");
    platform::QSettingsStore again;
    EXPECT_EQ(again.GetSetting("CNC", "General", "AutoComplete", "default"), "default");
}
