#pragma once
// The main window as the run and grid tests drive it: shown and active, its sounds and file
// dialogs recorded, and hooks where a run yields, so a test can act in the middle of a move.

#include "TestSupport.h"

#include "platform/widgets/DrawnPictures.h"
#include "mainwindow/frmMain.h"
#include "platform/AppPaths.h"
#include "platform/gui/Sound.h"
#include "platform/widgets/FileDialog.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/RichTextBox.h"
#include "settings/GlobalVariables.h"
#include "shared/SharedState.h"
#include "simulation/Graphics.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSlider>
#include <QTest>
#include <functional>

// The real window with its yields made visible: DoEvents and the pause wait call the hooks
// first, and sleeps are recorded instead of slept.
class RunTestWindow : public frmMain
{
public:
    using frmMain::frmMain;

    std::function<void()> onYield; // every yield of the run loop and the animation
    std::function<void()> onWait;  // every turn of the animation's pause wait
    bool realWait = false;         // wait as the program does, blocking for an event
    std::vector<int> sleeps;
    int waits = 0;

    void DoEvents() override
    {
        ExpectRunFlagsMatchTheButtons();
        if (onYield) {
            const auto hook = onYield;
            hook();
        }
        frmMain::DoEvents();
        ExpectRunFlagsMatchTheButtons();
    }

    // The paused state the animation reads at every point is kept apart from the buttons;
    // at every yield, before and after the handlers that ran in it, it must be theirs.
    void ExpectRunFlagsMatchTheButtons() const
    {
        const bool buttons = ToolbarButton(QStringLiteral("Stop"))->isEnabled() &&
                             !ToolbarButton(QStringLiteral("Pause"))->isEnabled();
        EXPECT_EQ(IsRunPaused(), buttons);
    }
    void SleepMs(int milliseconds) override { sleeps.push_back(milliseconds); }
    void WaitForEvents() override
    {
        ExpectRunFlagsMatchTheButtons();
        ++waits;
        if (onWait) {
            const auto hook = onWait;
            hook();
        }
        if (realWait) {
            frmMain::WaitForEvents();
            return;
        }
        frmMain::DoEvents();
        // A test that forgets to end a pause fails instead of hanging.
        if (waits > 20000) {
            ADD_FAILURE() << "the run stayed paused";
            mnuRunStop_Click();
        }
    }
};

class RunWindow : public ::testing::Test
{
protected:
    void TearDown() override { Finish(); }

    // Closes the window, so that a table of cases can start afresh.
    void Finish()
    {
        if (window) {
            window->onYield = nullptr;
            window->onWait = nullptr;
            MessageBoxRecorder answer(platform::vbNo);
            window->close();
            window.reset();
        }
        state = SharedState();
        store = RecordingStore(); // the view options the window saved
    }

    // New editor text, typed with the editor showing, as a user would.
    void Edit(const QString& text)
    {
        if (!window->mnuViewTextEditor->isChecked())
            window->mnuViewTextEditor_Click();
        window->TextEditor->SetText(text);
    }

    void Start(const QString& program = QString())
    {
        MessageBoxRecorder first;
        window = std::make_unique<RunTestWindow>(state, settings, store);
        window->Form_Load();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window.get());
        window->Slider->setValue(10);
        if (!program.isEmpty())
            window->TextEditor->SetText(program);
        QCoreApplication::processEvents();
        sounds.clear();
    }

    // Fills and shows the grid from the editor, as View > Debug Window does.
    void ShowGrid()
    {
        if (window->mnuViewTextEditor->isChecked())
            window->mnuViewDebugWindow_Click();
        QCoreApplication::processEvents();
    }

    FlexGrid& Grid() { return *window->DebugWindow; }
    bool Enabled(const char* key) { return window->IsButtonEnabled(QString::fromLatin1(key)); }
    bool Paused() { return Enabled("Stop") && !Enabled("Pause"); }
    int StopSounds() const { return int(sounds.filter(QStringLiteral("stop.wav"), Qt::CaseInsensitive).size()); }

    // Every command's state, to compare before and after.
    QString CommandStates()
    {
        QString s;
        for (const QString& key : frmMain::ToolbarKeys)
            if (QAction* b = window->ToolbarButton(key))
                s += key + (b->isEnabled() ? "+ " : "- ");
        for (QAction* a : {window->mnuFileNew, window->mnuFileOpen, window->mnuFileSave, window->mnuFilePrint,
                           window->mnuRunStart, window->mnuRunPause, window->mnuRunStop, window->mnuRunStepInto,
                           window->mnuToolsOptions})
            s += a->objectName() + (a->isEnabled() ? "+ " : "- ");
        for (QMenu* m : {window->mnuFile, window->mnuView, window->mnuTools, window->mnuHelp})
            s += m->objectName() + (m->menuAction()->isEnabled() ? "+ " : "- ");
        s += window->TextEditor->Locked() ? "locked" : "unlocked";
        return s;
    }

    // Idle after a run: the commands back, the menus enabled, the editor unlocked.
    void ExpectIdle()
    {
        EXPECT_TRUE(Enabled("Start"));
        EXPECT_FALSE(Enabled("Pause"));
        EXPECT_FALSE(Enabled("Stop"));
        EXPECT_TRUE(Enabled("New"));
        EXPECT_TRUE(Enabled("Open"));
        EXPECT_TRUE(window->mnuFile->menuAction()->isEnabled());
        EXPECT_TRUE(window->mnuView->menuAction()->isEnabled());
        EXPECT_TRUE(window->mnuTools->menuAction()->isEnabled());
        EXPECT_TRUE(window->mnuHelp->menuAction()->isEnabled());
        EXPECT_FALSE(window->TextEditor->Locked());
    }

    // The row that carries the execution highlight ("Step" or "Both"), -1 for none.
    int ExecutingRow()
    {
        const QImage step = platform::GutterPicture(QStringLiteral("Step")).toImage();
        const QImage both = platform::GutterPicture(QStringLiteral("Both")).toImage();
        for (int r = 0; r < Grid().Rows(); ++r) {
            const QImage p = Grid().CellPicture(r, 1).toImage();
            if (!p.isNull() && (p == step || p == both))
                return r;
        }
        return -1;
    }

    QRect CellRect(int row, int col) { return Grid().visualRect(Grid().model()->index(row, col)); }
    void ClickCell(int row, int col) { QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, CellRect(row, col).center()); }
    // As the window system delivers it: a click, then a press that comes with the double click.
    void DoubleClickAt(QPoint p)
    {
        QWidget* v = Grid().viewport();
        QTest::mouseClick(v, Qt::LeftButton, {}, p);
        QTest::mousePress(v, Qt::LeftButton, {}, p);
        QTest::mouseDClick(v, Qt::LeftButton, {}, p);
        QTest::mouseRelease(v, Qt::LeftButton, {}, p);
    }
    void DoubleClickCell(int row, int col) { DoubleClickAt(CellRect(row, col).center()); }

    RecordingStore store;
    SharedState state;
    GlobalVariables settings;
    std::unique_ptr<RunTestWindow> window;
    QStringList sounds;
    int fileDialogs = 0;

private:
    const platform::ScopedHook<platform::SoundHook> sound_{platform::SetSoundHook, [this](const QString& f) { sounds << f; }};
    const platform::ScopedHook<platform::FileDialogHandler> fileDialog_{
        platform::SetFileDialogHandler, [this](const platform::FileDialogRequest&) {
            ++fileDialogs;
            return std::optional<QString>();
        }};
};
