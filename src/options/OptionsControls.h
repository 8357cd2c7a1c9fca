#pragma once
// The small builders and readers the Options dialog's pages share.

#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QPushButton;
class QWidget;

namespace options {

// A drop-down list that cannot be typed in, with nothing chosen until the dialog fills it.
QComboBox* pickList(QWidget* parent, const char* name, const QStringList& items = {});

// The "Font" frame of a page: the font list above the size list, each with its label.
struct FontFrameNames
{
    const char *fontLabel, *fonts, *sizeLabel, *sizes;
};
QGroupBox* fontFrame(QWidget* page, const FontFrameNames& names, QComboBox*& fonts, QComboBox*& sizes,
                     QGridLayout*& grid);

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption);
// A button that Enter does not press.
QPushButton* button(QWidget* parent, const char* name, const QString& caption);

// Selects the entry with this text. A text the list lacks (a font or size the dialog never
// offers, written into the store by hand) is added where it sorts, so the dialog shows what
// is stored and OK keeps it.
void selectText(QComboBox* box, const QString& text, bool numeric);

// A check box as a stored flag, and a number as stored.
int flag(const QCheckBox* box);
QString decimal(qint32 value);

} // namespace options
