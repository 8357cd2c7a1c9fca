#include "platform/widgets/RichTextBox.h"

RichTextBox::RichTextBox(QWidget* parent) : QTextEdit(parent)
{
    setAcceptRichText(false);
}
