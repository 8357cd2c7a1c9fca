// What the machine functions need of the main window: the notice window and the tool table.
#include "mainwindow/frmMain.h"

#include "platform/MessageBox.h"
#include "platform/widgets/CloseRequests.h"
#include "platform/widgets/ModalWindow.h"
#include "simulation/Graphics.h"
#include "splash/frmInfo.h"
#include "toollibrary/widgets/frmToolSelect.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <utility>

frmToolSelect& frmMain::ToolSelect()
{
    if (!toolSelect_)
        toolSelect_ = new frmToolSelect(state_, this);
    return *toolSelect_;
}

frmInfo* frmMain::Notice() const
{
    return info_ && !info_->IsUnloaded() ? info_.data() : nullptr;
}

void frmMain::SetNoticeText(const QString& text)
{
    if (!Notice()) {
        info_ = new frmInfo(this);
        info_->setAttribute(Qt::WA_DeleteOnClose);
    }
    info_->lblInfo->setText(text);
}

void frmMain::ShowNotice(qint16 Modal, qint16 Interval)
{
    if (!Notice())
        SetNoticeText(QString());
    if (Modal == 1 && info_->isVisible()) {
        // A visible window cannot become modal: the earlier notice ends at once and the
        // modal one starts afresh in a window of its own.
        const QString text = info_->lblInfo->text();
        info_->Unload();
        SetNoticeText(text);
    }
    info_->Timer4->setInterval(Interval);
    if (Modal == 1) {
        info_->SetTakesFocus(true);
        QPointer<frmInfo> shown = info_;
        {
            // The notice blocks this window until it closes; what the user asks of the window
            // meanwhile is kept for then (the keys in eventFilter).
            const QPointer<frmInfo> outer = std::exchange(modalNotice_, info_);
            const platform::BlockedCloseCatcher closeRequests(*this, [this] { pendingClose_ = true; });
            platform::ShowModal(*info_);
            modalNotice_ = outer;
        }
        // A window that was never shown (tests answer modal windows) is not left behind.
        if (shown && !shown->IsUnloaded())
            shown->Unload();
        if (!modalNotice_)
            carryOutPending();
        return;
    }
    info_->show();
}

QAction* frmMain::runCommandFor(const QKeyEvent& key) const
{
    const QKeySequence pressed(key.keyCombination());
    for (QAction* command : {mnuRunStart, mnuRunPause, mnuRunStop, mnuRunStepInto, mnuRunRunToBreakpoint})
        if (command->shortcut() == pressed)
            return command;
    return nullptr;
}

void frmMain::carryOutPending()
{
    // Each command acts as its key would now: one that is disabled by now does nothing.
    const QList<QPointer<QAction>> commands = std::exchange(pendingCommands_, {});
    for (const QPointer<QAction>& command : commands)
        if (command && command->isEnabled() && !closing_)
            command->trigger();
    // Closing asks the save question as any close does, and may be cancelled.
    if (std::exchange(pendingClose_, false) && !closing_)
        close();
}

void frmMain::GetToolList()
{
    frmToolSelect& tools = ToolSelect();
    tools.GetToolList();
    if (!tools.ListProblem().isEmpty() && !toolListReported_) {
        toolListReported_ = true;
        platform::MsgBox(tools.ListProblem(), platform::vbCritical);
    }
}

void frmMain::ChangeTool(const QString& Path, qint16 Width, qint16 Height)
{
    graphics_->DeleteToolDCs();
    graphics_->LoadTool(Path, Width, Height);
}
