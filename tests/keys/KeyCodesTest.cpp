// Qt key events become the virtual-key codes that the game, the dialog and the settings use, and
// the names of those codes decide which keys may steer and pause
#include "KeyNames.h"
#include "KeyTranslation.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

TEST(KeyCodes, KeypadKeysWithNumLockOnOrOffMainKeysAndUnknownKeysAndTheNamesOfTheirCodes)
{
    const struct {
        int key, modifiers;
        quint32 keysym; // the X keysym; synthetic events carry none
        int code;
        const char* name; // words, letters, digits and keypad digits are named, nothing else
    } keys[] = { { Qt::Key_0, Qt::KeypadModifier, 0xffb0, 96, "Num0" },
        { Qt::Key_9, Qt::KeypadModifier, 0, 105, "Num9" },
        { Qt::Key_7, Qt::KeypadModifier, 0xffb7, 103, "Num7" },
        { Qt::Key_Period, Qt::KeypadModifier, 0, 110, "" },
        // NumLock off: keypad 8 comes as Key_Up with its keysym KP_Up, 5 as Clear, 3 as PageDown
        { Qt::Key_Up, Qt::KeypadModifier, 0xff97, 104, "Num8" },
        { Qt::Key_Clear, Qt::KeypadModifier, 0xff9d, 101, "Num5" },
        { Qt::Key_PageDown, Qt::KeypadModifier, 0xff9b, 99, "Num3" },
        { Qt::Key_Up, Qt::KeypadModifier, 0, 104, "Num8" },
        { Qt::Key_Plus, Qt::KeypadModifier, 0xffab, 107, "" }, { Qt::Key_Up, 0, 0xff52, 38, "Up" },
        { Qt::Key_A, 0, 0, 'A', "A" }, { Qt::Key_Z, 0, 0, 'Z', "Z" }, { Qt::Key_0, 0, 0, '0', "0" },
        { Qt::Key_9, 0, 0, '9', "9" }, { Qt::Key_Left, 0, 0, 37, "Left" },
        { Qt::Key_Right, 0, 0, 39, "Right" }, { Qt::Key_Down, 0, 0, 40, "Down" },
        { Qt::Key_Colon, 0, 0, 186, "Semicol." }, { Qt::Key_Plus, 0, 0, 187, "" },
        { Qt::Key_Comma, 0, 0, 188, "Comma" }, { Qt::Key_Minus, 0, 0, 189, "" },
        { Qt::Key_Period, 0, 0, 190, "Dot" }, { Qt::Key_Slash, 0, 0, 191, "Slash" },
        { Qt::Key_BracketLeft, 0, 0, 219, "[" }, { Qt::Key_BracketRight, 0, 0, 221, "]" },
        { Qt::Key_QuoteDbl, 0, 0, 222, "Apostr." }, { Qt::Key_Space, 0, 0, 32, "Space" },
        { Qt::Key_Return, 0, 0, 13, "" }, { Qt::Key_Escape, 0, 0, 27, "" },
        { Qt::Key_Tab, 0, 0, 9, "" }, { Qt::Key_F1, 0, 0, 112, "" }, { Qt::Key_F12, 0, 0, 123, "" },
        { Qt::Key_Delete, 0, 0, 46, "" }, { Qt::Key_Adiaeresis, 0, 0, 0, "" } };
    for (const auto& k : keys) {
        const QKeyEvent event(
            QEvent::KeyPress, k.key, Qt::KeyboardModifiers(k.modifiers), 0, k.keysym, 0);
        EXPECT_EQ(fendral::virtualKeyCode(event), k.code) << std::hex << k.key << " " << k.keysym;
        EXPECT_EQ(fendral::keyName(k.code), k.name) << k.code;
    }
    // Nor are the neighbours of the named ranges
    for (const int code : { 47, 58, 64, 91, 95, 106, 220, 256, -1 })
        EXPECT_EQ(fendral::keyName(code), "") << code;
}
