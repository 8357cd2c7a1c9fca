#pragma once
// The numeric key codes the program's handlers compare against (the window system's
// virtual-key codes), and the translators from the toolkit's keys to them. Each window has
// its own translator because each has always seen a different set of keys: the editor every
// key of the US keyboard, the main window only letters, digits and function keys, the 3D
// window only the keys it acts on, with the keypad read the same with NumLock on or off.

#include <QtGlobal>
#include <qnamespace.h>

namespace platform {

namespace keycode {
constexpr qint16 None = 0;
constexpr qint16 Backspace = 8;
constexpr qint16 Tab = 9;
constexpr qint16 Enter = 13;
constexpr qint16 Shift = 16;
constexpr qint16 Control = 17;
constexpr qint16 Alt = 18;
constexpr qint16 Pause = 19;
constexpr qint16 CapsLock = 20;
constexpr qint16 Escape = 27;
constexpr qint16 Space = 32;
constexpr qint16 PageUp = 33;
constexpr qint16 PageDown = 34;
constexpr qint16 End = 35;
constexpr qint16 Home = 36;
constexpr qint16 Left = 37;
constexpr qint16 Up = 38;
constexpr qint16 Right = 39;
constexpr qint16 Down = 40;
constexpr qint16 PrintScreen = 44;
constexpr qint16 Insert = 45;
constexpr qint16 Delete = 46;
constexpr qint16 Digit0 = 48; // the digit row: Digit0 + n
constexpr qint16 Digit9 = 57;
constexpr qint16 A = 65;      // the letters: A + n
constexpr qint16 X = 88;
constexpr qint16 Z = 90;
constexpr qint16 Menu = 93;
constexpr qint16 Numpad0 = 96; // the keypad digits: Numpad0 + n
constexpr qint16 Numpad9 = 105;
constexpr qint16 NumpadMultiply = 106;
constexpr qint16 NumpadAdd = 107;
constexpr qint16 NumpadSubtract = 109;
constexpr qint16 NumpadDecimal = 110;
constexpr qint16 NumpadDivide = 111;
constexpr qint16 F1 = 112; // the function keys: F1 + n - 1
constexpr qint16 F2 = 113;
constexpr qint16 F5 = 116;
constexpr qint16 F6 = 117;
constexpr qint16 F24 = 135;
constexpr qint16 Semicolon = 186;
constexpr qint16 Plus = 187; // the "=" / "+" key of the main keyboard
constexpr qint16 Comma = 188;
constexpr qint16 Minus = 189;
constexpr qint16 Period = 190;
constexpr qint16 Slash = 191;
constexpr qint16 Backquote = 192;
constexpr qint16 BracketLeft = 219; // the key that types "[" on the US layout
constexpr qint16 Backslash = 220;
constexpr qint16 BracketRight = 221;
constexpr qint16 Quote = 222;
} // namespace keycode

// The modifier state handed with a key: 1 Shift, 2 Ctrl, 4 Alt, summed.
qint16 ShiftState(Qt::KeyboardModifiers modifiers);

// The editor and the grid's in-place editor: every key of the US keyboard, the keypad's
// digits and operators when they come from the keypad (keypad Insert is Insert), the main
// keyboard's "+" as the "=" key; 0 for keys it does not know.
qint16 EditorKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);

// The main window's preview of every key: letters, digits (the keypad's as the digit row's)
// and function keys; 0 for all others.
qint16 MainWindowKeyCode(int qtKey);

// The 3D window: Esc, X, F5, F6 and the keypad's digits, "+" and "-", its digits also with
// NumLock off (arriving as the keys printed beneath them); 0 for all others, the main
// keyboard's "+" and "-" among them.
qint16 View3DKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);

} // namespace platform
