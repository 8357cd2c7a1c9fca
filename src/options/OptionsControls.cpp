#include "options/OptionsControls.h"

#include "platform/VbNumbers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace options {

namespace {

const QStringList FontNames{QStringLiteral("Arial"), QStringLiteral("Courier"), QStringLiteral("Courier New"),
                            QStringLiteral("Tahoma"), QStringLiteral("Times New Roman"), QStringLiteral("Vardana")};

} // namespace

QComboBox* pickList(QWidget* parent, const char* name, const QStringList& items)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setEditable(false);
    const QSignalBlocker quiet(box);
    box->addItems(items);
    box->setCurrentIndex(-1); // no selection until the dialog fills it
    return box;
}

QGroupBox* fontFrame(QWidget* page, const FontFrameNames& names, QComboBox*& fonts, QComboBox*& sizes,
                     QGridLayout*& grid)
{
    auto* frame = new QGroupBox(QStringLiteral("Font"), page);
    grid = new QGridLayout(frame);
    auto* fontLabel = new QLabel(QStringLiteral("Font:"), frame);
    fontLabel->setObjectName(QLatin1String(names.fontLabel));
    fonts = pickList(frame, names.fonts, FontNames);
    auto* sizeLabel = new QLabel(QStringLiteral("Size:"), frame);
    sizeLabel->setObjectName(QLatin1String(names.sizeLabel));
    sizes = pickList(frame, names.sizes);
    grid->addWidget(fontLabel, 0, 0);
    grid->addWidget(fonts, 0, 1);
    grid->addWidget(sizeLabel, 1, 0);
    grid->addWidget(sizes, 1, 1);
    grid->setColumnStretch(1, 1);
    return frame;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

void selectText(QComboBox* box, const QString& text, bool numeric)
{
    int index = box->findText(text);
    if (index < 0) {
        index = 0;
        while (index < box->count()) {
            const QString other = box->itemText(index);
            const bool after = numeric ? platform::vb::ParseNumber(other).value_or(0) > platform::vb::ParseNumber(text).value_or(0)
                                       : QString::compare(other, text, Qt::CaseInsensitive) > 0;
            if (after)
                break;
            ++index;
        }
        const QSignalBlocker quiet(box);
        box->insertItem(index, text);
        box->setCurrentIndex(-1);
    }
    box->setCurrentIndex(index);
}

int flag(const QCheckBox* box)
{
    return box->isChecked() ? 1 : 0;
}

QString decimal(qint32 value)
{
    return QString::number(value);
}

} // namespace options
