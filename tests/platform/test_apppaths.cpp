#include "platform/AppPaths.h"
#include "platform/Hook.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

TEST(AppPaths, FindsWindowsStyleNamesWhateverTheirCase)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("tools");
    QDir(dir.path()).mkpath("sound");
    QFile(dir.path() + "/tools/ToolList.ini").open(QIODevice::WriteOnly);
    QFile(dir.path() + "/sound/SLOW.wav").open(QIODevice::WriteOnly);

    EXPECT_EQ(platform::ResolvePath(dir.path() + "\\Tools\\ToolList.ini"), dir.path() + "/tools/ToolList.ini");
    EXPECT_EQ(platform::ResolvePath(dir.path() + "\\sound\\slow.WAV"), dir.path() + "/sound/SLOW.wav");
    // A name that matches nothing stays as spelled, for creating it.
    EXPECT_EQ(platform::ResolvePath(dir.path() + "\\tools\\new.bmp"), dir.path() + "/tools/new.bmp");
}

TEST(AppPaths, ProgramFolderCanBeRedirected)
{
    {
        const platform::ScopedHook redirected(platform::SetAppPathForTesting, "/tmp/somewhere");
        EXPECT_EQ(platform::AppPath(), "/tmp/somewhere");
    }
    EXPECT_FALSE(platform::AppPath().isEmpty());
}
