// Qt key events become the virtual-key codes that the game, the dialog and the settings use
#include "KeyTranslation.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

using fendral::virtualKeyCode;

namespace {

int translate(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, quint32 keysym = 0,
    const QString& text = QString())
{
    const QKeyEvent event(QEvent::KeyPress, key, modifiers, 0, keysym, 0, text);
    return virtualKeyCode(event);
}

// X keysyms as X11 reports them in nativeVirtualKey()
constexpr quint32 XK_a = 0x61;
constexpr quint32 XK_Up = 0xff52;
constexpr quint32 XK_KP_Home = 0xff95;
constexpr quint32 XK_KP_Up = 0xff97;
constexpr quint32 XK_KP_Begin = 0xff9d;
constexpr quint32 XK_KP_Insert = 0xff9e;
constexpr quint32 XK_KP_0 = 0xffb0;
constexpr quint32 XK_KP_8 = 0xffb8;
constexpr quint32 XK_KP_Add = 0xffab;
constexpr quint32 XK_KP_Enter = 0xff8d;

} // namespace

TEST(KeyTranslation, LettersAndMainDigitsKeepTheirCharacterCode)
{
    for (int key = Qt::Key_A; key <= Qt::Key_Z; ++key)
        EXPECT_EQ(translate(key), key);
    EXPECT_EQ(translate(Qt::Key_A, Qt::ShiftModifier, XK_a, "A"), 65);
    for (int key = Qt::Key_0; key <= Qt::Key_9; ++key)
        EXPECT_EQ(translate(key), key);
}

TEST(KeyTranslation, KeypadDigitsWithNumLockOnAreNumpadCodes)
{
    for (int digit = 0; digit <= 9; ++digit) {
        EXPECT_EQ(translate(Qt::Key_0 + digit, Qt::KeypadModifier, XK_KP_0 + digit), 96 + digit);
        // Synthetic events carry no keysym
        EXPECT_EQ(translate(Qt::Key_0 + digit, Qt::KeypadModifier), 96 + digit);
    }
}

TEST(KeyTranslation, KeypadDigitsWithNumLockOffAreStillNumpadCodes)
{
    // On X11 keypad 8 with NumLock off is Key_Up with the keysym KP_Up, keypad 5 is Key_Clear
    EXPECT_EQ(translate(Qt::Key_Up, Qt::KeypadModifier, XK_KP_Up), 104);
    EXPECT_EQ(translate(Qt::Key_Clear, Qt::KeypadModifier, XK_KP_Begin), 101);
    EXPECT_EQ(translate(Qt::Key_Home, Qt::KeypadModifier, XK_KP_Home), 103);
    EXPECT_EQ(translate(Qt::Key_Insert, Qt::KeypadModifier, XK_KP_Insert), 96);

    const std::pair<int, int> withoutKeysym[] = { { Qt::Key_Insert, 96 }, { Qt::Key_End, 97 },
        { Qt::Key_Down, 98 }, { Qt::Key_PageDown, 99 }, { Qt::Key_Left, 100 },
        { Qt::Key_Clear, 101 }, { Qt::Key_Right, 102 }, { Qt::Key_Home, 103 }, { Qt::Key_Up, 104 },
        { Qt::Key_PageUp, 105 } };
    for (const auto& [key, code] : withoutKeysym)
        EXPECT_EQ(translate(key, Qt::KeypadModifier), code) << key;
}

TEST(KeyTranslation, ArrowsOfTheMainKeyboardStayArrows)
{
    EXPECT_EQ(translate(Qt::Key_Left), 37);
    EXPECT_EQ(translate(Qt::Key_Up), 38);
    EXPECT_EQ(translate(Qt::Key_Right), 39);
    EXPECT_EQ(translate(Qt::Key_Down), 40);
    EXPECT_EQ(translate(Qt::Key_Up, Qt::NoModifier, XK_Up), 38);
}

TEST(KeyTranslation, PunctuationGoesByTheCharacterItProduces)
{
    const std::pair<int, int> punctuation[] = { { Qt::Key_Semicolon, 186 }, { Qt::Key_Colon, 186 },
        { Qt::Key_Equal, 187 }, { Qt::Key_Plus, 187 }, { Qt::Key_Comma, 188 },
        { Qt::Key_Minus, 189 }, { Qt::Key_Period, 190 }, { Qt::Key_Slash, 191 },
        { Qt::Key_QuoteLeft, 192 }, { Qt::Key_BracketLeft, 219 }, { Qt::Key_Backslash, 220 },
        { Qt::Key_BracketRight, 221 }, { Qt::Key_Apostrophe, 222 }, { Qt::Key_QuoteDbl, 222 } };
    for (const auto& [key, code] : punctuation)
        EXPECT_EQ(translate(key), code) << key;
}

TEST(KeyTranslation, KeypadOperatorsDifferFromTheirMainKeyboardTwins)
{
    EXPECT_EQ(translate(Qt::Key_Asterisk, Qt::KeypadModifier), 106);
    EXPECT_EQ(translate(Qt::Key_Plus, Qt::KeypadModifier), 107);
    EXPECT_EQ(translate(Qt::Key_Plus, Qt::KeypadModifier, XK_KP_Add), 107);
    EXPECT_EQ(translate(Qt::Key_Minus, Qt::KeypadModifier), 109);
    EXPECT_EQ(translate(Qt::Key_Period, Qt::KeypadModifier), 110);
    EXPECT_EQ(translate(Qt::Key_Delete, Qt::KeypadModifier), 110);
    EXPECT_EQ(translate(Qt::Key_Slash, Qt::KeypadModifier), 111);
}

TEST(KeyTranslation, CommandKeysAndUnnamedKeysArriveAsTheirOwnCode)
{
    EXPECT_EQ(translate(Qt::Key_Space), 32);
    EXPECT_EQ(translate(Qt::Key_Return), 13);
    EXPECT_EQ(translate(Qt::Key_Enter, Qt::KeypadModifier), 13);
    EXPECT_EQ(translate(Qt::Key_Enter, Qt::KeypadModifier, XK_KP_Enter), 13);
    EXPECT_EQ(translate(Qt::Key_Escape), 27);
    EXPECT_EQ(translate(Qt::Key_Tab), 9);
    EXPECT_EQ(translate(Qt::Key_Backspace), 8);
    EXPECT_EQ(translate(Qt::Key_F1), 112);
    EXPECT_EQ(translate(Qt::Key_F12), 123);
    EXPECT_EQ(translate(Qt::Key_Shift, Qt::ShiftModifier), 16);
    EXPECT_EQ(translate(Qt::Key_Control, Qt::ControlModifier), 17);
    EXPECT_EQ(translate(Qt::Key_Alt, Qt::AltModifier), 18);
    EXPECT_EQ(translate(Qt::Key_Home), 36);
    EXPECT_EQ(translate(Qt::Key_PageUp), 33);
    EXPECT_EQ(translate(Qt::Key_Insert), 45);
    EXPECT_EQ(translate(Qt::Key_Delete), 46);
    EXPECT_EQ(translate(Qt::Key_CapsLock), 20);
    EXPECT_EQ(translate(Qt::Key_Adiaeresis), 0);
    EXPECT_EQ(translate(Qt::Key_VolumeUp), 0);
    EXPECT_EQ(translate(Qt::Key_unknown), 0);
}
