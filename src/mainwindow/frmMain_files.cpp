// Program files: New, Open, Save, Save As, Print, the save-changes question and the recent
// files. Each window saves to the path its document was opened from or saved as; the recent
// list is shared with every other window on the same settings store.
#include "mainwindow/frmMain.h"

#include "mainwindow/RecentFiles.h"
#include "mainwindow/SimPicture.h"
#include "platform/MessageBox.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/RichTextBox.h"

#include <QAction>

namespace {

const QString CncFilter = QStringLiteral("CNC Code Files|*.cnc|All Files|*.*");
const QString Untitled = QStringLiteral("Untitled");
const QString ErrorTitle = QStringLiteral("Error!");

QString cannotSave(const QString& reason)
{
    return QStringLiteral("The program was not saved. ") + reason;
}

} // namespace

QString frmMain::GetFileName(const QString& Path) const
{
    return mainwindow::recent::GetFileName(Path);
}

bool frmMain::HasUnsavedChanges() const
{
    return runActive_ ? SaveWasEnabled : IsButtonEnabled(QStringLiteral("Save"));
}

void frmMain::documentSaved()
{
    EnableCommands(QStringLiteral("Save"), false);
    // Saved during a run (closing asks then): the run's Stop must not mark it unsaved again.
    if (runActive_)
        SaveWasEnabled = false;
}

bool frmMain::AskToSaveChanges(const QString& failureTitle)
{
    if (!HasUnsavedChanges())
        return true;
    const int answer = platform::MsgBox(QStringLiteral("Save changes to ") + PanelText(QStringLiteral("FileName")) +
                                            QStringLiteral("?"),
                                        platform::vbYesNoCancelQuestion, QStringLiteral("Save Changes?"));
    if (answer == platform::vbYes) {
        saveDocument(failureTitle);
        return !HasUnsavedChanges();
    }
    return answer == platform::vbNo;
}

void frmMain::mnuFileNew_Click()
{
    if (!AskToSaveChanges(ErrorTitle))
        return;
    TextEditor->SetText(QString());
    TextEditor->SetEncoding(RichTextBox::FileEncoding::Utf8);
    documentPath_.clear();
    DebugWindow->SetRows(1);
    if (!mnuViewTextEditor->isChecked())
        mnuViewTextEditor_Click();
    SetPanelText(QStringLiteral("FileName"), Untitled);
    EnableCommands(QStringLiteral("Save,Print,Start,Step,Pause,Stop"), false);
    // Cls: the picture is cleared, the back buffer is not.
    QImage blank(picSim->Image().size(), QImage::Format_RGB32);
    blank.fill(picSim->BackColor());
    picSim->Show(blank, blank.rect());
    TextEditor->setFocus();
}

void frmMain::mnuFileOpen_Click()
{
    if (!AskToSaveChanges(ErrorTitle))
        return;
    com.Filter = CncFilter;
    const std::optional<QString> path = com.ShowOpen(this);
    if (!path)
        return;
    QString error;
    if (!TextBuffer->LoadFile(*path, &error)) {
        platform::MsgBox(error, platform::vbCritical, ErrorTitle);
        return;
    }
    // The document keeps the encoding it was read in; the scratch box is only passed through.
    TextEditor->SetEncoding(TextBuffer->Encoding());
    HighLightSyntax();
    EnableCommands(QStringLiteral("Start,Print,Step"), true);
    SetPanelText(QStringLiteral("FileName"), GetFileName(*path));
    documentPath_ = *path;
    AddRecentFile(*path, -1);
    LoadDebugWindow();
    TextChanged = false;
    // A program just opened is shown from its first line.
    TextEditor->SetSelStart(0);
}

void frmMain::mnuFileSave_Click()
{
    saveDocument(ErrorTitle);
}

void frmMain::saveDocument(const QString& failureTitle)
{
    // Not the list's newest entry: another window may have put its own file there.
    const QString path = documentPath_;
    if (PanelText(QStringLiteral("FileName")) == Untitled || path.isEmpty()) {
        saveDocumentAs(failureTitle);
        return;
    }
    QString error;
    if (!TextEditor->SaveFile(path, &error)) {
        // The document stays dirty, and the user learns why.
        platform::MsgBox(cannotSave(error), platform::vbCritical, failureTitle);
        return;
    }
    documentSaved();
}

void frmMain::mnuFileSaveAS_Click()
{
    saveDocumentAs(ErrorTitle);
}

void frmMain::saveDocumentAs(const QString& failureTitle)
{
    com.Filter = CncFilter;
    const std::optional<QString> path = com.ShowSave(this);
    if (!path)
        return;
    QString error;
    if (!TextEditor->SaveFile(*path, &error)) {
        platform::MsgBox(cannotSave(error), platform::vbCritical, failureTitle);
        return;
    }
    documentSaved();
    SetPanelText(QStringLiteral("FileName"), GetFileName(*path));
    documentPath_ = *path;
    AddRecentFile(*path, -1);
}

void frmMain::mnuFilePrint_Click() {}

void frmMain::mnuFileRecentFiles_Click(qint16 Index)
{
    if (Index < 0 || Index > 3)
        return;
    // The file the caption names, taken before the question: a Save As in answer to it, or
    // another window, may move the stored entries under the menu.
    const QString path = mnuFileRecentFiles[size_t(Index)]->data().toString();
    // Its failures, a failed save included, stand under the application's title.
    if (!AskToSaveChanges(QString()))
        return;
    QString error;
    if (!TextBuffer->LoadFile(path, &error)) {
        // The list stays as it is: the file may come back (a drive plugged in again).
        platform::MsgBox(error, platform::vbCritical);
        return;
    }
    TextEditor->SetEncoding(TextBuffer->Encoding());
    HighLightSyntax();
    SetPanelText(QStringLiteral("FileName"), GetFileName(TextBuffer->FileName()));
    documentPath_ = path;
    EnableCommands(QStringLiteral("Start,Print,Step"), true);
    EnableCommands(QStringLiteral("Save"), false);
    if (mainwindow::recent::RecentFileEntry(store_, Index) == path) {
        AddRecentFile(mnuFileRecentFiles[size_t(Index)]->text(), Index);
    } else {
        // The entries moved since the menu was built: the file's own entry goes to the top,
        // or, gone from the list, it is added there as a file opened anew.
        LoadRecentFiles();
        qint16 found = -1;
        for (qint16 i = 0; i <= 3 && found < 0; ++i)
            if (mainwindow::recent::RecentFileEntry(store_, i) == path)
                found = i;
        AddRecentFile(path, found);
    }
    LoadDebugWindow();
    TextChanged = false;
    TextEditor->SetSelStart(0);
}

void frmMain::AddRecentFile(const QString& Path, qint16 Index)
{
    if (Index == -1) {
        int shown = 0;
        for (const QAction* item : mnuFileRecentFiles)
            shown += item->isVisible() ? 1 : 0;
        const bool empty = shown <= 1 && mnuFileRecentFiles[0]->text() == mainwindow::recent::NoRecentFilesCaption;
        mainwindow::recent::PushRecentFile(store_, Path, qMax(1, shown), empty);
    } else if (Index >= 0 && Index <= 3) {
        mainwindow::recent::RaiseRecentFile(store_, Index);
    }
    LoadRecentFiles();
}

void frmMain::LoadRecentFiles()
{
    const QStringList captions = mainwindow::recent::RecentFileCaptions(store_);
    if (captions.isEmpty()) {
        mnuFileRecentFiles[0]->setText(mainwindow::recent::NoRecentFilesCaption);
        mnuFileRecentFiles[0]->setEnabled(false);
    } else {
        mnuFileRecentFiles[0]->setText(captions[0]);
        mnuFileRecentFiles[0]->setEnabled(true);
    }
    for (qsizetype i = 1; i < qsizetype(mnuFileRecentFiles.size()); ++i) {
        QAction* item = mnuFileRecentFiles[size_t(i)];
        item->setVisible(i < captions.size());
        item->setEnabled(true);
        item->setText(i < captions.size() ? captions[i] : QString());
    }
    // Each item keeps the path its caption was made from.
    for (qsizetype i = 0; i < qsizetype(mnuFileRecentFiles.size()); ++i)
        mnuFileRecentFiles[size_t(i)]->setData(i < captions.size() ? mainwindow::recent::RecentFileEntry(store_, int(i)) : QString());
}
