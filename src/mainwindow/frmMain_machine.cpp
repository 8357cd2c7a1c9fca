// What the machine functions need of the main window: the notice window and the tool table.
#include "mainwindow/frmMain.h"

#include "platform/MessageBox.h"
#include "platform/widgets/ModalWindow.h"
#include "simulation/Graphics.h"
#include "splash/frmInfo.h"
#include "toollibrary/widgets/frmToolSelect.h"

#include <QLabel>
#include <QTimer>

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
        platform::ShowModal(*info_);
        // A window that was never shown (tests answer modal windows) is not left behind.
        if (shown && !shown->IsUnloaded())
            shown->Unload();
        return;
    }
    info_->show();
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
