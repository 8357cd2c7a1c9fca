#pragma once
// The Tool Library window. The tool change calls GetToolList on it while it is hidden, so
// that ToolFiles holds the tool list file as it now stands on disk.

#include <QDialog>
#include <QString>

struct SharedState;
class QComboBox;

class frmToolSelect : public QDialog
{
    Q_OBJECT

public:
    explicit frmToolSelect(SharedState& state, QWidget* parent = nullptr);

    // Empties cmbTools, reads the tool list file into ToolFiles and adds "Tool n" for each
    // line read. What was wrong with the file, if anything, is left in ListProblem().
    void GetToolList();
    QString ListProblem() const { return listProblem_; }

    QComboBox* cmbTools = nullptr;

private:
    SharedState& state_;
    QString listProblem_;
};
