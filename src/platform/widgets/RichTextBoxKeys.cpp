// The box's keys as the program's handlers see them: Windows key codes and shift states,
// reported before the box acts on a key.
#include "platform/widgets/RichTextBox.h"

#include <QKeyEvent>
#include <QTextCursor>

qint16 RichTextBox::ShiftState(Qt::KeyboardModifiers m)
{
    return qint16((m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
                  (m & Qt::AltModifier ? 4 : 0));
}

qint16 RichTextBox::WindowsKeyCode(const QKeyEvent& event)
{
    const int k = event.key();
    if (event.modifiers() & Qt::KeypadModifier) {
        if (k >= Qt::Key_0 && k <= Qt::Key_9)
            return qint16(96 + (k - Qt::Key_0));
        switch (k) {
        case Qt::Key_Asterisk: return 106;
        case Qt::Key_Plus: return 107;
        case Qt::Key_Minus: return 109;
        case Qt::Key_Period:
        case Qt::Key_Comma: return 110;
        case Qt::Key_Slash: return 111;
        default: break;
        }
    }
    if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9))
        return qint16(k);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return qint16(112 + (k - Qt::Key_F1));
    switch (k) {
    // The shifted digits of the US layout report their digit key.
    case Qt::Key_ParenRight: return 48;
    case Qt::Key_Exclam: return 49;
    case Qt::Key_At: return 50;
    case Qt::Key_NumberSign: return 51;
    case Qt::Key_Dollar: return 52;
    case Qt::Key_Percent: return 53;
    case Qt::Key_AsciiCircum: return 54;
    case Qt::Key_Ampersand: return 55;
    case Qt::Key_Asterisk: return 56;
    case Qt::Key_ParenLeft: return 57;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Print: return 44;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Menu: return 93;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return 186;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return 187;
    case Qt::Key_Comma:
    case Qt::Key_Less: return 188;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return 189;
    case Qt::Key_Period:
    case Qt::Key_Greater: return 190;
    case Qt::Key_Slash:
    case Qt::Key_Question: return 191;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return 192;
    // The key that types "[" (or "{" with Shift) is the "[" key, whatever the layout.
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return 219;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return 221;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return 222;
    default: return 0;
    }
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
