// Qt key events become the virtual-key codes that the game, the dialog and the settings use
#include "KeyTranslation.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

static int translate(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, quint32 keysym = 0)
{
    return fendral::virtualKeyCode(QKeyEvent(QEvent::KeyPress, key, modifiers, 0, keysym, 0));
}

TEST(KeyTranslation, KeypadKeysGiveNumpadCodesWithNumLockOnOrOffAndWithoutNativeCodes)
{
    for (int digit = 0; digit <= 9; ++digit) {
        EXPECT_EQ(translate(Qt::Key_0 + digit, Qt::KeypadModifier, 0xffb0 + digit), 96 + digit);
        // Synthetic events carry no keysym
        EXPECT_EQ(translate(Qt::Key_0 + digit, Qt::KeypadModifier), 96 + digit) << digit;
    }
    // NumLock off: keypad 8 arrives as Key_Up with the keysym KP_Up, keypad 5 as Key_Clear
    EXPECT_EQ(translate(Qt::Key_Up, Qt::KeypadModifier, 0xff97), 104);
    EXPECT_EQ(translate(Qt::Key_Clear, Qt::KeypadModifier, 0xff9d), 101);
    EXPECT_EQ(translate(Qt::Key_Up, Qt::KeypadModifier), 104);
    EXPECT_EQ(translate(Qt::Key_Plus, Qt::KeypadModifier, 0xffab), 107); // KP_Add
}

TEST(KeyTranslation, MainKeysKeepTheirOwnCodeAndUnknownKeysGiveZero)
{
    const std::pair<int, int> keys[] = { { Qt::Key_A, 'A' }, { Qt::Key_Z, 'Z' }, { Qt::Key_0, '0' },
        { Qt::Key_9, '9' }, { Qt::Key_Left, 37 }, { Qt::Key_Up, 38 }, { Qt::Key_Right, 39 },
        { Qt::Key_Down, 40 }, { Qt::Key_Colon, 186 }, { Qt::Key_Plus, 187 }, { Qt::Key_Comma, 188 },
        { Qt::Key_Minus, 189 }, { Qt::Key_Period, 190 }, { Qt::Key_Slash, 191 },
        { Qt::Key_BracketLeft, 219 }, { Qt::Key_BracketRight, 221 }, { Qt::Key_QuoteDbl, 222 },
        { Qt::Key_Space, 32 }, { Qt::Key_Return, 13 }, { Qt::Key_Escape, 27 }, { Qt::Key_Tab, 9 },
        { Qt::Key_F1, 112 }, { Qt::Key_Delete, 46 }, { Qt::Key_Adiaeresis, 0 } };
    for (const auto& [key, code] : keys)
        EXPECT_EQ(translate(key), code) << key;
    EXPECT_EQ(translate(Qt::Key_Up, Qt::NoModifier, 0xff52), 38); // XK_Up
}
