#include "platform/KeyCodes.h"
#include "platform/widgets/RichTextBox.h"

#include <gtest/gtest.h>

#include <QKeyEvent>

using namespace platform;

// Each window sees its own set of keys, and the sets differ on purpose: a key the editor
// knows may mean nothing to the main window, and the 3D window reads the keypad with NumLock
// off as digits where the editor reads it as the arrows and the like.
TEST(KeyCodes, EachWindowGetsItsOwnCodes)
{
    const auto pad = Qt::KeypadModifier;
    const auto shift = Qt::ShiftModifier;
    struct Case
    {
        int key;
        Qt::KeyboardModifiers mods;
        int editor, mainWindow, view3d;
    } cases[] = {
        {Qt::Key_A, {}, 65, 65, 0},
        {Qt::Key_X, shift, 88, 88, 88},
        {Qt::Key_7, {}, 55, 55, 0},
        {Qt::Key_5, pad, 101, 53, 101},
        {Qt::Key_0, pad, 96, 48, 96},
        {Qt::Key_Insert, pad, 45, 0, 96},
        {Qt::Key_End, pad, 35, 0, 97},
        {Qt::Key_Clear, pad, 0, 0, 101},
        {Qt::Key_PageUp, pad, 33, 0, 105},
        {Qt::Key_Up, {}, 38, 0, 0},
        {Qt::Key_Plus, {}, 187, 0, 0},
        {Qt::Key_Minus, {}, 189, 0, 0},
        {Qt::Key_Plus, pad, 107, 0, 107},
        {Qt::Key_Minus, pad, 109, 0, 109},
        {Qt::Key_Asterisk, pad, 106, 0, 0},
        {Qt::Key_Period, pad, 110, 0, 0},
        {Qt::Key_Exclam, shift, 49, 0, 0},
        {Qt::Key_BracketLeft, {}, 219, 0, 0},
        {Qt::Key_Enter, pad, 13, 0, 0},
        {Qt::Key_Escape, {}, 27, 0, 27},
        {Qt::Key_F2, {}, 113, 113, 0},
        {Qt::Key_F5, {}, 116, 116, 116},
        {Qt::Key_F6, pad, 117, 117, 117},
        {Qt::Key_F24, {}, 135, 135, 0},
        {Qt::Key_Eacute, {}, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const QKeyEvent event(QEvent::KeyPress, c.key, c.mods);
        EXPECT_EQ(EditorKeyCode(c.key, c.mods), c.editor) << std::hex << c.key << " " << int(c.mods);
        EXPECT_EQ(RichTextBox::WindowsKeyCode(event), c.editor) << std::hex << c.key << " " << int(c.mods);
        EXPECT_EQ(MainWindowKeyCode(c.key), c.mainWindow) << std::hex << c.key << " " << int(c.mods);
        EXPECT_EQ(View3DKeyCode(c.key, c.mods), c.view3d) << std::hex << c.key << " " << int(c.mods);
    }
}

TEST(KeyCodes, ShiftStateSumsShiftCtrlAndAlt)
{
    EXPECT_EQ(ShiftState(Qt::NoModifier), 0);
    EXPECT_EQ(ShiftState(Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(ShiftState(Qt::ControlModifier | Qt::KeypadModifier | Qt::MetaModifier), 2);
}
