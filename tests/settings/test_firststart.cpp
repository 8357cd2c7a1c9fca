#include "platform/SettingsStore.h"
#include "settings/GlobalVariables.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

TEST(FirstStart, WritesTheDefaultsIntoAnEmptyConfigFolder)
{
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    {
        platform::QSettingsStore store;
        GlobalVariables g;
        g.LoadSettings(store);
    }
    QSettings written(dir.path() + "/CNC.conf", QSettings::IniFormat);
    int keys = 0;
    for (const char* section : {"TextEditor", "General", "Debug", "SimulationWindow"}) {
        written.beginGroup(section);
        keys += int(written.childKeys().size());
        written.endGroup();
    }
    EXPECT_EQ(keys, 28);
    EXPECT_EQ(written.value("TextEditor/Font").toString(), "Courier New");
    EXPECT_EQ(written.value("SimulationWindow/EffectColor").toString(), "16750230");
    EXPECT_EQ(written.value("General/AutoComplete").toString(), "1");

    // The second start reads them back and writes nothing new.
    const auto before = QFileInfo(dir.path() + "/CNC.conf").lastModified();
    platform::QSettingsStore store;
    GlobalVariables g;
    g.LoadSettings(store);
    EXPECT_EQ(g.DebugC2Width, 3500);
    EXPECT_EQ(QFileInfo(dir.path() + "/CNC.conf").lastModified(), before);
}

TEST(FirstStart, UnparsableFileIsKeptAsideAndDefaultsAreWritten)
{
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    {
        QFile f(dir.path() + "/CNC.conf");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[TextEditor\nFont=\"unterminated\n\x01\x02[[[");
    }
    platform::QSettingsStore store;
    GlobalVariables g;
    g.LoadSettings(store);
    EXPECT_EQ(g.EditorFontName, "Courier New");
    EXPECT_EQ(store.GetSetting("CNC", "TextEditor", "Font"), "Courier New");
}
