#include "mainwindow/ToolbarCustomizeDialog.h"

#include "platform/widgets/DrawnPictures.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

ToolbarCustomizeDialog::ToolbarCustomizeDialog(const QStringList& keys, const std::vector<bool>& shown, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ToolbarCustomizeDialog"));
    setWindowTitle(tr("Customize Toolbar"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Buttons shown on the toolbar:"), this));
    list_ = new QListWidget(this);
    list_->setIconSize(QSize(platform::ToolbarPictureSize, platform::ToolbarPictureSize));
    for (int i = 0; i < keys.size(); ++i) {
        auto* item = new QListWidgetItem(platform::ToolbarIcon(keys[i]), keys[i], list_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(size_t(i) < shown.size() && !shown[size_t(i)] ? Qt::Unchecked : Qt::Checked);
    }
    list_->setMinimumHeight(keys.size() * (platform::ToolbarPictureSize + 6) + 8);
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Reset, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::Reset), &QPushButton::clicked, this, [this] { Reset(); });
    layout->addWidget(buttons);
}

std::vector<bool> ToolbarCustomizeDialog::Shown() const
{
    std::vector<bool> result;
    for (int i = 0; i < list_->count(); ++i)
        result.push_back(list_->item(i)->checkState() == Qt::Checked);
    return result;
}

void ToolbarCustomizeDialog::SetShown(int index, bool shown)
{
    if (QListWidgetItem* item = list_->item(index))
        item->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
}

void ToolbarCustomizeDialog::Reset()
{
    for (int i = 0; i < list_->count(); ++i)
        list_->item(i)->setCheckState(Qt::Checked);
}
