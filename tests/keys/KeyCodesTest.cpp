// Qt key events become the virtual-key codes that the game, the dialog and the settings use, and
// the names of those codes decide which keys may steer and pause
#include "KeyNames.h"
#include "KeyTranslation.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

#include <utility>

TEST(KeyCodes, KeypadKeysWithNumLockOnOrOffMainKeysAndUnknownKeys)
{
    const struct {
        int key, modifiers;
        quint32 keysym; // the X keysym; synthetic events carry none
        int code;
    } keys[] = { { Qt::Key_0, Qt::KeypadModifier, 0xffb0, 96 },
        { Qt::Key_9, Qt::KeypadModifier, 0, 105 }, { Qt::Key_7, Qt::KeypadModifier, 0xffb7, 103 },
        { Qt::Key_Period, Qt::KeypadModifier, 0, 110 },
        // NumLock off: keypad 8 arrives as Key_Up with the keysym KP_Up, keypad 5 as Key_Clear
        { Qt::Key_Up, Qt::KeypadModifier, 0xff97, 104 },
        { Qt::Key_Clear, Qt::KeypadModifier, 0xff9d, 101 },
        { Qt::Key_Up, Qt::KeypadModifier, 0, 104 },
        { Qt::Key_Plus, Qt::KeypadModifier, 0xffab, 107 }, { Qt::Key_Up, 0, 0xff52, 38 },
        { Qt::Key_A, 0, 0, 'A' }, { Qt::Key_Z, 0, 0, 'Z' }, { Qt::Key_0, 0, 0, '0' },
        { Qt::Key_9, 0, 0, '9' }, { Qt::Key_Left, 0, 0, 37 }, { Qt::Key_Right, 0, 0, 39 },
        { Qt::Key_Down, 0, 0, 40 }, { Qt::Key_Colon, 0, 0, 186 }, { Qt::Key_Plus, 0, 0, 187 },
        { Qt::Key_Comma, 0, 0, 188 }, { Qt::Key_Minus, 0, 0, 189 }, { Qt::Key_Period, 0, 0, 190 },
        { Qt::Key_Slash, 0, 0, 191 }, { Qt::Key_BracketLeft, 0, 0, 219 },
        { Qt::Key_BracketRight, 0, 0, 221 }, { Qt::Key_QuoteDbl, 0, 0, 222 },
        { Qt::Key_Space, 0, 0, 32 }, { Qt::Key_Return, 0, 0, 13 }, { Qt::Key_Escape, 0, 0, 27 },
        { Qt::Key_Tab, 0, 0, 9 }, { Qt::Key_F1, 0, 0, 112 }, { Qt::Key_F12, 0, 0, 123 },
        { Qt::Key_Delete, 0, 0, 46 }, { Qt::Key_Adiaeresis, 0, 0, 0 } };
    for (const auto& k : keys) {
        const QKeyEvent event(
            QEvent::KeyPress, k.key, Qt::KeyboardModifiers(k.modifiers), 0, k.keysym, 0);
        EXPECT_EQ(fendral::virtualKeyCode(event), k.code) << std::hex << k.key << " " << k.keysym;
    }
}

TEST(KeyCodes, WordsLettersDigitsAndKeypadDigitsAreNamedAndNothingElse)
{
    const std::pair<int, const char*> names[] = { { 32, "Space" }, { 37, "Left" }, { 38, "Up" },
        { 39, "Right" }, { 40, "Down" }, { 219, "[" }, { 221, "]" }, { 186, "Semicol." },
        { 222, "Apostr." }, { 188, "Comma" }, { 190, "Dot" }, { 191, "Slash" }, { 'A', "A" },
        { 'Q', "Q" }, { 'Z', "Z" }, { '0', "0" }, { '8', "8" }, { '9', "9" }, { 96, "Num0" },
        { 100, "Num4" }, { 105, "Num9" },
        // Enter, Esc and keypad + have no name, nor have the neighbours of the named ranges
        { 13, "" }, { 27, "" }, { 107, "" }, { 0, "" }, { 47, "" }, { 58, "" }, { 64, "" },
        { 91, "" }, { 95, "" }, { 106, "" }, { 187, "" }, { 220, "" }, { 256, "" }, { -1, "" } };
    for (const auto& [code, name] : names)
        EXPECT_EQ(fendral::keyName(code), name) << code;
}
