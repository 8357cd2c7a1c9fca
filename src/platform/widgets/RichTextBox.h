#pragma once
// A plain-text box with coloured runs whose every position counts a line break as two
// characters (CR LF), as the program's colouring and syntax check compute them.

#include <QTextEdit>

class RichTextBox : public QTextEdit
{
    Q_OBJECT

public:
    explicit RichTextBox(QWidget* parent = nullptr);
};
