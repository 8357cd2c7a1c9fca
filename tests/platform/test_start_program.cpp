// Starting another program detached: the call returns at once, the program runs on by itself
// with the arguments given, its handle tells whether it still runs, and a program that cannot
// be started is reported as such.
#include "TestSupport.h"

#include "platform/gui/StartProgram.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

TEST(StartProgram, StartsDetachedWithTheArgumentsAndDoesNotWait)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString program = dir.filePath(QStringLiteral("slow viewer"));
    const QString out = dir.filePath(QStringLiteral("arguments"));
    QFile f(program);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    // Writes its arguments only after a while, so a caller that waited would be seen waiting.
    f.write(QStringLiteral("#!/bin/sh\nsleep 1\nprintf '%s|' \"$@\" > '%1.part'\nmv '%1.part' '%1'\n").arg(out).toUtf8());
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);

    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(platform::StartDetached(program, {QStringLiteral("-collectionFile"), QStringLiteral("/a path/help.qhc")}));
    EXPECT_LT(clock.elapsed(), 900);
    EXPECT_FALSE(QFile::exists(out));

    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(out); }, 10000));
    QFile written(out);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), "-collectionFile|/a path/help.qhc|");
}

TEST(StartProgram, TheHandleSeesTheProgramEndAndLettingGoOfItLeavesItRunning)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Runs until told to stop, then leaves a mark.
    const auto waiter = [&](const QString& name) {
        const QString program = dir.filePath(name);
        QFile f(program);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("#!/bin/sh\nwhile [ ! -e '%1.stop' ]; do sleep 0.05; done\ntouch '%1.done'\n")
                    .arg(program)
                    .toUtf8());
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        return program;
    };
    const auto touch = [](const QString& path) {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    };

    const QString first = waiter(QStringLiteral("first"));
    std::unique_ptr<platform::StartedProgram> handle = platform::StartDetached(first, {});
    ASSERT_TRUE(handle);
    EXPECT_GT(handle->ProcessId(), 0);
    QTest::qWait(200);
    EXPECT_TRUE(handle->IsRunning());
    touch(first + QStringLiteral(".stop"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !handle->IsRunning(); }, 10000));
    EXPECT_TRUE(QFile::exists(first + QStringLiteral(".done")));

    const QString second = waiter(QStringLiteral("second"));
    handle = platform::StartDetached(second, {});
    ASSERT_TRUE(handle);
    handle.reset();
    QTest::qWait(200);
    touch(second + QStringLiteral(".stop"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(second + QStringLiteral(".done")); }, 10000));
}

TEST(StartProgram, AProgramThatCannotStartIsReported)
{
    QTemporaryDir dir;
    EXPECT_FALSE(platform::StartDetached(dir.filePath(QStringLiteral("nothing here")), {}));
}

TEST(StartProgram, TheHelpViewerIsFoundWhereQtInstalledIt)
{
    // The viewer is not on PATH; the package list installs it among Qt's own programs.
    const QString viewer = platform::HelpViewerProgram();
    EXPECT_TRUE(QFileInfo(viewer).isAbsolute()) << viewer.toStdString();
    EXPECT_TRUE(QFileInfo(viewer).isExecutable()) << viewer.toStdString() << ": install assistant-qt6";
}

} // namespace
