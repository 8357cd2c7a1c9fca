// The box's keys as the program's handlers see them: Windows key codes and shift states,
// reported before the box acts on a key.
#include "platform/widgets/RichTextBox.h"

#include "platform/KeyCodes.h"

#include <QKeyEvent>
#include <QTextCursor>

qint16 RichTextBox::ShiftState(Qt::KeyboardModifiers m)
{
    return platform::ShiftState(m);
}

qint16 RichTextBox::WindowsKeyCode(const QKeyEvent& event)
{
    return platform::EditorKeyCode(event.key(), event.modifiers());
}

void RichTextBox::keyPressEvent(QKeyEvent* event)
{
    const qint16 shift = ShiftState(event->modifiers());
    qint16 keyCode = WindowsKeyCode(*event);
    if (keyCode != 0) {
        emit KeyDown(keyCode, shift);
        if (keyCode == 0) {
            event->accept();
            return;
        }
    }

    const int key = event->key();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);

    // Left and Right with a selection drop it at its start or end, as the program expects
    // of "{RIGHT}" after a selection.
    if ((key == Qt::Key_Left || key == Qt::Key_Right) && shift == 0 && textCursor().hasSelection()) {
        QTextCursor c = textCursor();
        c.setPosition(key == Qt::Key_Right ? c.selectionEnd() : c.selectionStart());
        setTextCursor(c);
        event->accept();
        return;
    }

    const QString text = event->text();
    if (!command && text.size() == 1) {
        const char16_t ch = text[0].unicode();
        if ((ch >= 32 && ch != 127 && ch < 0x8000) || ch == 8 || ch == 9 || ch == 13 || ch == 27) {
            qint16 keyAscii = qint16(ch);
            emit KeyPress(keyAscii);
            if (keyAscii == 0) {
                event->accept();
                return;
            }
            if (keyAscii != qint16(ch) || (event->modifiers() & Qt::ShiftModifier && ch == 13)) {
                // The changed character is typed in place of the original; a line break is
                // always a new line, never the toolkit's soft break.
                const Qt::KeyboardModifiers mods = ch == 13 ? event->modifiers() & ~Qt::ShiftModifier : event->modifiers();
                QKeyEvent typed(event->type(), key, mods, QString(QChar(char16_t(keyAscii))),
                                event->isAutoRepeat(), event->count());
                QTextEdit::keyPressEvent(&typed);
                event->setAccepted(typed.isAccepted());
                return;
            }
        }
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && (event->modifiers() & Qt::ShiftModifier)) {
        QKeyEvent plain(event->type(), key, event->modifiers() & ~Qt::ShiftModifier, event->text(),
                        event->isAutoRepeat(), event->count());
        QTextEdit::keyPressEvent(&plain);
        event->setAccepted(plain.isAccepted());
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void RichTextBox::keyReleaseEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat()) {
        const qint16 keyCode = WindowsKeyCode(*event);
        if (keyCode != 0)
            emit KeyUp(keyCode, ShiftState(event->modifiers()));
    }
    QTextEdit::keyReleaseEvent(event);
}
