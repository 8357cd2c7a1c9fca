// Run control: Start (resume or fresh start), Pause, Stop, Step and Run To Breakpoint, and
// the run loop. The toolbar buttons' enabled states are the run state, with the few flags
// listed at the top of frmMain.h beside them; every handler here may run inside a yield of a
// running move.
#include "mainwindow/frmMain.h"

#include "mainwindow/ProgramGridColumns.h"
#include "interpreter/ModCNC.h"
#include "platform/AppPaths.h"
#include "platform/EventLoop.h"
#include "platform/MessageBox.h"
#include "platform/QuotedText.h"
#include "platform/VbNumbers.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/RichTextBox.h"
#include "program/BilletLine.h"
#include "shared/SharedState.h"
#include "simulation/Graphics.h"

#include <QAction>
#include <QMenu>
#include <QProgressBar>
#include <tuple>

void frmMain::mnuRunStart_Click()
{
    if (IsRunPaused()) {
        EnableCommands(QStringLiteral("Start"), false);
        EnableCommands(QStringLiteral("Pause"), true);
        return;
    }
    if (runActive_) {
        // A fresh start inside a run: the interrupted loops and cycles unwind first, then the
        // run starts again from the first row out here, so starts never nest however often
        // the key comes.
        restartRun_ = true;
        state_.StopRequested = true;
        return;
    }

    bool restarting = false;
    for (;;) {
        restartRun_ = false;
        ReformatText(TextEditor);
        if (CheckSyntax(TextEditor)) {
            // The interrupted run has already unwound: it ends as every run ends.
            if (restarting) {
                graphics_->DrawEdgeEffect();
                mnuRunStop_Click();
            }
            break;
        }
        // Inside a run Save is disabled; the document's real state is already recorded.
        if (!restarting)
            SaveWasEnabled = IsButtonEnabled(QStringLiteral("Save"));
        runActive_ = true;
        EnableCommands(QStringLiteral("New,Open,Save,Print,Start,Step,Options"), false);
        for (QMenu* menu : {mnuFile, mnuView, mnuTools, mnuHelp})
            menu->menuAction()->setEnabled(false);
        TextEditor->SetLocked(true);
        if (!IsButtonEnabled(QStringLiteral("Stop")))
            graphics_->LoadTool(platform::ProgramFile(QStringLiteral("\\tools\\tool.bmp")), 67, 101);
        EnableCommands(QStringLiteral("Pause,Stop"), true);
        // Cleared before showing the grid yields, so that a Stop, a close or another start
        // made in that yield is not undone.
        state_.StopRequested = false;
        toolListReported_ = false;
        if (mnuViewTextEditor->isChecked()) {
            mnuViewDebugWindow_Click();
        } else if (!DebugWindow->isHidden()) {
            // The grid shows what it was filled with, and the run reads its rows: they must
            // be the text just reformatted and checked, not the one typed or opened.
            updateShownGrid();
        } else if (TextChanged) {
            // Neither pane shows: the rows are refilled as showing the grid would, so that
            // the run runs the text the user has.
            LoadDebugWindow();
            TextChanged = false;
        }
        if (state_.StopRequested) {
            if (restartRun_ && !closing_) {
                restarting = true;
                continue;
            }
            break; // a Stop already ended the start; a close ends everything
        }
        graphics_->ToolPrevX = -500;
        graphics_->ToolPrevY = -500;
        graphics_->ClearSimBuffer();
        DebugWindow->SetTopRow(0);
        RunProgram();
        if (closing_)
            break;
        if (restartRun_) {
            RemoveHighLighting(state_.CurrentLine);
            restarting = true;
            continue;
        }
        graphics_->DrawEdgeEffect();
        mnuRunStop_Click();
        break;
    }
    runActive_ = false;
    restartRun_ = false;
}

void frmMain::RunProgram()
{
    if (!ReadBilletSize())
        return;
    graphics_->DrawBillet(state_.BilletLength, state_.BilletDiameter);

    InterpreterState& cnc = state_.Cnc;
    const auto startZ = platform::vb::ToInt16(double(state_.SimWidth - state_.ToolWidth - 20 - state_.BilletLength));
    if (!startZ) {
        platform::MsgBox(QStringLiteral("The billet is too long for the simulation picture."), platform::vbCritical);
        return;
    }
    cnc.CurrentX = state_.BilletDiameter;
    cnc.CurrentZ = *startZ;
    graphics_->DrawTool(cnc.CurrentZ, cnc.CurrentX);
    graphics_->RefreshSimulation();

    ProgressBar->setMaximum(qMax(1, DebugWindow->Rows()));
    ProgressBar->setValue(0);

    // The bound is read once: nothing refills the grid during a run.
    const int lastRow = DebugWindow->Rows() - 1;
    for (int i = 0; i <= lastRow; ++i) {
        ProgressBar->setValue(i + 1);
        state_.CurrentLine = i;
        const QString s = DebugWindow->TextMatrix(i, mainwindow::programgrid::TextCol);
        if (state_.StopRequested)
            return;
        RemoveHighLighting(i - 1);
        HighLightExecutingLine(i);
        DoEvents();
        if (!s.startsWith(u'[')) {
            if (!s.contains(u'['))
                cnc_->ExecuteBlock(s);
            DoEvents();
        }
        if (ToolbarButton(QStringLiteral("Step"))->isChecked()) {
            mnuRunPause_Click();
            EnableCommands(QStringLiteral("Step"), true);
        }
    }
}

bool frmMain::ReadBilletSize()
{
    const QString keyword = QStringLiteral("[BILLET");
    if (TextEditor->Find(keyword) == -1) {
        platform::MsgBox(QStringLiteral("Billet Size Not Found"), platform::vbCritical);
        return false;
    }
    int row = -1;
    for (int r = 0; r < DebugWindow->Rows() && row < 0; ++r)
        if (DebugWindow->TextMatrix(r, mainwindow::programgrid::TextCol).contains(keyword))
            row = r;
    if (row < 0) {
        platform::MsgBox(QStringLiteral("No line of the program grid holds \"[BILLET\" in capitals: "
                                        "write the billet line as [BILLET X<diameter> Z<length>."),
                         platform::vbCritical);
        return false;
    }
    const program::BilletReading billet = program::ReadBilletLine(DebugWindow->TextMatrix(row, mainwindow::programgrid::TextCol));
    if (!billet.error.isEmpty()) {
        platform::MsgBox(QStringLiteral("Line %1: %2").arg(row + 1).arg(billet.error), platform::vbCritical);
        return false;
    }
    if (billet.Diameter)
        state_.BilletDiameter = *billet.Diameter;
    if (billet.Length)
        state_.BilletLength = *billet.Length;
    // A size the line does not give is kept from the last run; when there is none either,
    // there is no billet to cut.
    for (const auto& [size, name, letter] : {std::tuple{state_.BilletDiameter, "diameter", 'X'},
                                             std::tuple{state_.BilletLength, "length", 'Z'}}) {
        if (size <= 0) {
            platform::MsgBox(QStringLiteral("Line %1: the billet line \"%2\" gives no %3 (%4) greater than 0, and no "
                                            "earlier run left one.")
                                 .arg(row + 1)
                                 .arg(platform::QuotedText(DebugWindow->TextMatrix(row, mainwindow::programgrid::TextCol).trimmed()),
                                      QLatin1String(name), QChar(letter)),
                             platform::vbCritical);
            return false;
        }
    }
    return true;
}

void frmMain::mnuRunPause_Click()
{
    EnableCommands(QStringLiteral("Start"), true);
    EnableCommands(QStringLiteral("Pause"), false);
    TextEditor->SetLocked(false);
    graphics_->PlaySound(platform::ProgramFile(QStringLiteral("\\sound\\stop.wav")));
}

void frmMain::mnuRunStop_Click()
{
    EnableCommands(QStringLiteral("Save"), SaveWasEnabled);
    EnableCommands(QStringLiteral("New,Open,Print,Start,Step,Options"), true);
    EnableCommands(QStringLiteral("Pause,Stop"), false);
    for (QMenu* menu : {mnuFile, mnuView, mnuTools, mnuHelp})
        menu->menuAction()->setEnabled(true);
    TextEditor->SetLocked(false);
    state_.StopRequested = true;
    restartRun_ = false; // a Stop pressed after a restart key wins
    RemoveHighLighting(state_.CurrentLine);
    state_.CurrentLine = 0;
    InterpreterState& cnc = state_.Cnc;
    cnc.TargetX = cnc.CurrentX = cnc.TargetZ = cnc.CurrentZ = 0;
    graphics_->PlaySound(platform::ProgramFile(QStringLiteral("\\sound\\stop.wav")));
}

void frmMain::mnuRunStepInto_Click()
{
    mnuRunStepInto->setChecked(!mnuRunStepInto->isChecked());
    ToolbarButton(QStringLiteral("Step"))->setChecked(mnuRunStepInto->isChecked());
}

void frmMain::mnuRunRunToBreakpoint_Click()
{
    state_.RunToBreakpoint = true;
    mnuRunStart_Click();
}

void frmMain::WaitForEvents()
{
    // Only an event can end a pause, so wait for one instead of spinning.
    platform::WaitForEvents();
}
