#include "platform/widgets/MessageBoxDialog.h"

#include "platform/MessageBox.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace platform {

namespace {
// The title bar's icon and its three buttons, with some air.
constexpr int TitleBarExtras = 160;

int showDialog(const QString& text, int flags, const QString& title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setText(text);
    switch (flags & 0xF0) {
    case 16: box.setIcon(QMessageBox::Critical); break;
    case 32: box.setIcon(QMessageBox::Question); break;
    case 48: box.setIcon(QMessageBox::Warning); break;
    case 64: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    if ((flags & 0x0F) == 3) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    // A box sized to a short text cuts its own title short in the title bar; a spacer as wide
    // as the title, with room for the bar's icon and buttons, keeps it whole.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
        titleFont.setBold(true);
        const int width = QFontMetrics(titleFont).horizontalAdvance(title) + TitleBarExtras;
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                      grid->columnCount());
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return vbYes;
    case QMessageBox::No: return vbNo;
    case QMessageBox::Cancel: return vbCancel;
    default: return vbOK;
    }
}
} // namespace

void InstallDialogMessageBoxes()
{
    SetMsgBoxHandler(showDialog);
}

} // namespace platform
