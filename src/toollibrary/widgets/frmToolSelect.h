#pragma once
// The Tool Library window: the pictures of the tools folder with their descriptions, and the
// picture assigned to each tool number. Assignments live in ToolFiles until Close writes the
// tool list file; closing the window any other way writes nothing.
//
// The tool change calls GetToolList on it while it is hidden, so that ToolFiles holds the tool
// list file as it now stands on disk.

#include "toollibrary/ToolTable.h"

#include <QDialog>
#include <QString>

struct SharedState;
class QComboBox;
class QFrame;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QListWidget;
class QPushButton;
class QWidget;

class frmToolSelect : public QDialog
{
    Q_OBJECT

public:
    explicit frmToolSelect(SharedState& state, QWidget* parent = nullptr);

    // Empties cmbTools, reads the tool list file into ToolFiles and adds "Tool n" for each
    // line read. What was wrong with the file, if anything, is left in ListProblem().
    void GetToolList();
    QString ListProblem() const { return listProblem_; }

    // Prepares an opening: the pictures of the tools folder, the 21 tool numbers, nothing
    // chosen, the details at their first texts. A problem with the list file is reported.
    void Form_Load();

    void cmbTools_Click();
    void FileList_Click();
    void cmdAssign_Click();
    void cmdClose_Click();

    // The tool number chosen in cmbTools (its position), -1 for none.
    int ChosenTool() const { return chosenTool_; }
    // The folder the file list shows.
    QString FileListPath() const { return fileListPath_; }

    // --- Controls ---
    QWidget* Shape1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* cmbTools = nullptr;
    QLabel* Label6 = nullptr;
    QListWidget* FileList = nullptr;
    QGroupBox* Frame1 = nullptr;
    QFrame* picTool = nullptr;
    QWidget* picToolInside = nullptr; // the picture box's inner area, which clips imgTool
    QLabel* imgTool = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* lblName = nullptr;
    QLabel* lblToolWidth = nullptr;
    QLabel* lblToolHeight = nullptr;
    QLabel* lblCuttingPoint = nullptr;
    QPushButton* cmdAssign = nullptr;
    QPushButton* cmdClose = nullptr;

protected:
    // The window has no Cancel: Esc would give up every assignment without a word.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowToolDetails(const QString& Path);
    // Typing into the combo's text box chooses nothing: its text goes back to the chosen item.
    void restoreToolText();

    SharedState& state_;
    // The bytes of the names as the list file held them: Close writes back unchanged names as
    // they were, whatever their code page.
    toollibrary::tooltable::ToolNameBytes namesAsRead_;
    QString listProblem_;
    QString fileListPath_;
    int chosenTool_ = -1;
};
