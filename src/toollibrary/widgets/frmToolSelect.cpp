#include "toollibrary/widgets/frmToolSelect.h"

#include "shared/SharedState.h"
#include "toollibrary/ToolTable.h"

#include <QComboBox>

frmToolSelect::frmToolSelect(SharedState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setWindowTitle(QStringLiteral("Tool Library"));
    cmbTools = new QComboBox(this);
    cmbTools->setObjectName(QStringLiteral("cmbTools"));
}

void frmToolSelect::GetToolList()
{
    cmbTools->clear();
    const tooltable::ToolListReading reading = tooltable::ReadToolList(tooltable::ToolListPath(), state_.ToolFiles);
    cmbTools->addItems(reading.items);
    listProblem_ = reading.problem;
}
