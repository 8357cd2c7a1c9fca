// Help > Contents through the real window: the help viewer is started beside the program with
// the installed help's full path, one at a time, and whatever is missing is said without
// stopping the window.
#include "TestSupport.h"

#include "mainwindow/frmMain.h"
#include "platform/AppPaths.h"
#include "platform/gui/StartProgram.h"
#include "settings/GlobalVariables.h"
#include "shared/SharedState.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

namespace {

struct Start
{
    QString program;
    QStringList arguments;
};

// What the test knows of a viewer it let the window start.
struct Viewer
{
    bool running = true;
    int broughtForward = 0;
};

class RecordedViewer : public platform::StartedProgram
{
public:
    explicit RecordedViewer(std::shared_ptr<Viewer> viewer) : viewer_(std::move(viewer)) {}
    qint64 ProcessId() const override { return 0; }
    bool IsRunning() override { return viewer_->running; }
    void BringForward() override { ++viewer_->broughtForward; }

private:
    std::shared_ptr<Viewer> viewer_;
};

class HelpCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // A stand-in viewer that exists and may be run; the recorder never runs it.
        ASSERT_TRUE(scratch.isValid());
        viewer = scratch.filePath(QStringLiteral("viewer"));
        QFile f(viewer);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n");
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        viewer_.emplace(platform::SetHelpViewerForTesting, viewer);

        window = std::make_unique<frmMain>(state, settings, store);
        window->Form_Load();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void TearDown() override
    {
        if (window) {
            MessageBoxRecorder answer(platform::vbNo);
            window->close();
        }
    }

    std::vector<Start> starts;
    std::vector<std::shared_ptr<Viewer>> viewers;
    bool startSucceeds = true;
    QTemporaryDir scratch;
    QString viewer;
    RecordingStore store;
    SharedState state;
    GlobalVariables settings;
    std::unique_ptr<frmMain> window;

private:
    // The program is closed before the stand-ins go, so that nothing it does on closing starts
    // a real program or reads the real folder.
    const platform::ScopedHook<platform::StartProgramHandler> start_{
        platform::SetStartProgramHandler, [this](const QString& program, const QStringList& arguments) {
            starts.push_back({program, arguments});
            if (!startSucceeds)
                return std::unique_ptr<platform::StartedProgram>();
            viewers.push_back(std::make_shared<Viewer>());
            return std::unique_ptr<platform::StartedProgram>(std::make_unique<RecordedViewer>(viewers.back()));
        }};
    const platform::ScopedHook<QString> appPath_{platform::SetAppPathForTesting, QString()};
    std::optional<platform::ScopedHook<QString>> viewer_;
};

TEST_F(HelpCommand, ContentsStartsTheViewerWithTheInstalledHelpAndDoesNotWait)
{
    const QString collection = QCoreApplication::applicationDirPath() + QStringLiteral("/help.qhc");
    ASSERT_TRUE(QFileInfo(collection).isFile()) << "the build places the help beside the program";
    MessageBoxRecorder boxes;

    EXPECT_EQ(window->mnuHelpContents->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F1));
    ASSERT_TRUE(window->mnuHelpContents->isEnabled());
    window->mnuHelpContents->trigger();

    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].program, viewer);
    EXPECT_EQ(starts[0].arguments, (QStringList{"-collectionFile", collection}));
    EXPECT_TRUE(QFileInfo(starts[0].arguments[1]).isAbsolute());
    EXPECT_TRUE(boxes.shown.empty());
    // The viewer ended: the next opening starts another one; so does the key.
    viewers.back()->running = false;
    window->mnuHelpContents->trigger();
    EXPECT_EQ(starts.size(), 2u);
    viewers.back()->running = false;
    QTest::keyClick(window.get(), Qt::Key_F1, Qt::ControlModifier);
    EXPECT_EQ(starts.size(), 3u);
    viewers.back()->running = false;
    // A run disables the Help menu, and its key with it.
    window->mnuHelp->menuAction()->setEnabled(false);
    QTest::keyClick(window.get(), Qt::Key_F1, Qt::ControlModifier);
    EXPECT_EQ(starts.size(), 3u);
}

TEST_F(HelpCommand, WhileTheViewerRunsTheKeyBringsItForwardAndStartsNoOther)
{
    MessageBoxRecorder boxes;
    for (int press = 0; press < 10; ++press)
        QTest::keyClick(window.get(), Qt::Key_F1, Qt::ControlModifier);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(viewers[0]->broughtForward, 9);

    // Closed by the user: the key starts a new one, which is the one brought forward next.
    viewers[0]->running = false;
    QTest::keyClick(window.get(), Qt::Key_F1, Qt::ControlModifier);
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_EQ(starts[1].arguments, starts[0].arguments);
    window->mnuHelpContents->trigger();
    EXPECT_EQ(starts.size(), 2u);
    EXPECT_EQ(viewers[0]->broughtForward, 9);
    EXPECT_EQ(viewers[1]->broughtForward, 1);

    // A viewer that could not be started is tried again at the next press.
    viewers[1]->running = false;
    startSucceeds = false;
    window->mnuHelpContents_Click();
    startSucceeds = true;
    window->mnuHelpContents_Click();
    EXPECT_EQ(starts.size(), 4u);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains(QLatin1String("could not be started")));
}

TEST_F(HelpCommand, WhatIsMissingIsSaidAndTheWindowGoesOn)
{
    struct Case
    {
        const char* name;
        bool helpPresent, viewerPresent, startSucceeds;
        const char* says; // a piece of the message that tells how to get what is missing
        size_t starts;
    } cases[] = {
        {"no help file", false, true, true, "scripts/build", 0},
        {"no viewer", true, false, true, "assistant-qt6", 0},
        {"viewer does not start", true, true, false, "could not be started", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        starts.clear();
        startSucceeds = c.startSucceeds;
        QTemporaryDir elsewhere;
        platform::SetAppPathForTesting(c.helpPresent ? QString() : elsewhere.path());
        platform::SetHelpViewerForTesting(c.viewerPresent ? viewer : scratch.filePath(QStringLiteral("no-viewer")));
        MessageBoxRecorder boxes;

        window->mnuHelpContents_Click();

        EXPECT_EQ(starts.size(), c.starts);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].flags, 16);
        EXPECT_TRUE(boxes.shown[0].text.contains(QLatin1String(c.says))) << boxes.shown[0].text.toStdString();
        // The window is still there and its commands still work.
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->mnuHelpContents->isEnabled());
        window->mnuToolsPlaySound_Click();
        EXPECT_FALSE(window->mnuToolsPlaySound->isChecked());
        window->mnuToolsPlaySound_Click();
    }
}

} // namespace
