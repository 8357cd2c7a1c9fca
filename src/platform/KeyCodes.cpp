#include "platform/KeyCodes.h"

namespace platform {

namespace {

bool isDigitKey(int k) { return k >= Qt::Key_0 && k <= Qt::Key_9; }
bool isLetterKey(int k) { return k >= Qt::Key_A && k <= Qt::Key_Z; }
bool isFunctionKey(int k) { return k >= Qt::Key_F1 && k <= Qt::Key_F24; }

// The toolkit's letters and digits carry their codes' numbers.
qint16 letterOrDigitCode(int k) { return qint16(k); }
qint16 functionKeyCode(int k) { return qint16(keycode::F1 + (k - Qt::Key_F1)); }
qint16 keypadDigitCode(int k) { return qint16(keycode::Numpad0 + (k - Qt::Key_0)); }

qint16 editorKeypadCode(int k)
{
    if (isDigitKey(k))
        return keypadDigitCode(k);
    switch (k) {
    case Qt::Key_Asterisk: return keycode::NumpadMultiply;
    case Qt::Key_Plus: return keycode::NumpadAdd;
    case Qt::Key_Minus: return keycode::NumpadSubtract;
    case Qt::Key_Period:
    case Qt::Key_Comma: return keycode::NumpadDecimal;
    case Qt::Key_Slash: return keycode::NumpadDivide;
    default: return keycode::None;
    }
}

} // namespace

qint16 ShiftState(Qt::KeyboardModifiers m)
{
    return qint16((m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
                  (m & Qt::AltModifier ? 4 : 0));
}

qint16 EditorKeyCode(int k, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::KeypadModifier) {
        if (const qint16 code = editorKeypadCode(k))
            return code;
    }
    if (isLetterKey(k) || isDigitKey(k))
        return letterOrDigitCode(k);
    if (isFunctionKey(k))
        return functionKeyCode(k);
    using namespace keycode;
    switch (k) {
    // The shifted digits of the US layout report their digit key.
    case Qt::Key_ParenRight: return Digit0;
    case Qt::Key_Exclam: return Digit0 + 1;
    case Qt::Key_At: return Digit0 + 2;
    case Qt::Key_NumberSign: return Digit0 + 3;
    case Qt::Key_Dollar: return Digit0 + 4;
    case Qt::Key_Percent: return Digit0 + 5;
    case Qt::Key_AsciiCircum: return Digit0 + 6;
    case Qt::Key_Ampersand: return Digit0 + 7;
    case Qt::Key_Asterisk: return Digit0 + 8;
    case Qt::Key_ParenLeft: return Digit9;
    case Qt::Key_Backspace: return Backspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return Enter;
    case Qt::Key_Shift: return Shift;
    case Qt::Key_Control: return Control;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return Alt;
    case Qt::Key_Pause: return Pause;
    case Qt::Key_CapsLock: return CapsLock;
    case Qt::Key_Escape: return Escape;
    case Qt::Key_Space: return Space;
    case Qt::Key_PageUp: return PageUp;
    case Qt::Key_PageDown: return PageDown;
    case Qt::Key_End: return End;
    case Qt::Key_Home: return Home;
    case Qt::Key_Left: return Left;
    case Qt::Key_Up: return Up;
    case Qt::Key_Right: return Right;
    case Qt::Key_Down: return Down;
    case Qt::Key_Print: return PrintScreen;
    case Qt::Key_Insert: return Insert;
    case Qt::Key_Delete: return Delete;
    case Qt::Key_Menu: return Menu;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return Semicolon;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return Plus;
    case Qt::Key_Comma:
    case Qt::Key_Less: return Comma;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return Minus;
    case Qt::Key_Period:
    case Qt::Key_Greater: return Period;
    case Qt::Key_Slash:
    case Qt::Key_Question: return Slash;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return Backquote;
    // The key that types "[" (or "{" with Shift) is the "[" key, whatever the layout.
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return BracketLeft;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return Backslash;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return BracketRight;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return Quote;
    default: return None;
    }
}

qint16 MainWindowKeyCode(int k)
{
    if (isFunctionKey(k))
        return functionKeyCode(k);
    if (isDigitKey(k) || isLetterKey(k))
        return letterOrDigitCode(k);
    return keycode::None;
}

qint16 View3DKeyCode(int k, Qt::KeyboardModifiers modifiers)
{
    using namespace keycode;
    switch (k) {
    case Qt::Key_Escape: return Escape;
    case Qt::Key_X: return X;
    case Qt::Key_F5: return F5;
    case Qt::Key_F6: return F6;
    default: break;
    }
    if (!(modifiers & Qt::KeypadModifier))
        return None;
    if (isDigitKey(k))
        return keypadDigitCode(k);
    // With NumLock off the digit keys arrive as the keys printed beneath them.
    switch (k) {
    case Qt::Key_Insert: return Numpad0;
    case Qt::Key_End: return Numpad0 + 1;
    case Qt::Key_Down: return Numpad0 + 2;
    case Qt::Key_PageDown: return Numpad0 + 3;
    case Qt::Key_Left: return Numpad0 + 4;
    case Qt::Key_Clear: return Numpad0 + 5;
    case Qt::Key_Right: return Numpad0 + 6;
    case Qt::Key_Home: return Numpad0 + 7;
    case Qt::Key_Up: return Numpad0 + 8;
    case Qt::Key_PageUp: return Numpad9;
    case Qt::Key_Plus: return NumpadAdd;
    case Qt::Key_Minus: return NumpadSubtract;
    default: return None;
    }
}

} // namespace platform
