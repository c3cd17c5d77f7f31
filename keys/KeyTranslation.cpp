#include "KeyTranslation.h"

#include "KeyboardLayout.h"
#include "VirtualKeys.h"
#include "X11KeyboardLayout.h"

#include <QKeyEvent>

namespace fendral {

namespace {

    struct KeyCode {
        int key; // a Qt::Key, or an X keysym in the keypad table
        int code; // the virtual-key code
    };

    // Virtual-key codes the game names: the keypad digits and operators
    enum : int {
        Numpad0 = 96,
        Numpad1,
        Numpad2,
        Numpad3,
        Numpad4,
        Numpad5,
        Numpad6,
        Numpad7,
        Numpad8,
        Numpad9,
        NumpadMultiply = 106,
        NumpadAdd = VK_ADD,
        NumpadSubtract = 109,
        NumpadDecimal = 110,
        NumpadDivide = 111,
    };

    // Keypad keys by their X keysym, which tells a keypad key apart from its twin on the main
    // keyboard and names the digit even when NumLock is off (then 8 arrives as KP_Up).
    constexpr KeyCode keypadKeysyms[] = {
        { 0xffb0, Numpad0 }, // KP_0
        { 0xffb1, Numpad1 }, { 0xffb2, Numpad2 }, { 0xffb3, Numpad3 }, { 0xffb4, Numpad4 },
        { 0xffb5, Numpad5 }, { 0xffb6, Numpad6 }, { 0xffb7, Numpad7 }, { 0xffb8, Numpad8 },
        { 0xffb9, Numpad9 }, // KP_9
        { 0xff9e, Numpad0 }, // KP_Insert
        { 0xff9c, Numpad1 }, // KP_End
        { 0xff99, Numpad2 }, // KP_Down
        { 0xff9b, Numpad3 }, // KP_Next
        { 0xff96, Numpad4 }, // KP_Left
        { 0xff9d, Numpad5 }, // KP_Begin
        { 0xff98, Numpad6 }, // KP_Right
        { 0xff95, Numpad7 }, // KP_Home
        { 0xff97, Numpad8 }, // KP_Up
        { 0xff9a, Numpad9 }, // KP_Prior
        { 0xffaa, NumpadMultiply }, // KP_Multiply
        { 0xffab, NumpadAdd }, // KP_Add
        { 0xffad, NumpadSubtract }, // KP_Subtract
        { 0xffae, NumpadDecimal }, // KP_Decimal
        { 0xffac, NumpadDecimal }, // KP_Separator, the decimal key of comma layouts
        { 0xff9f, NumpadDecimal }, // KP_Delete
        { 0xffaf, NumpadDivide }, // KP_Divide
        { 0xff8d, VK_RETURN }, // KP_Enter
    };

    // Keypad keys by Qt key, for events that carry no native codes: the Qt key then only says
    // what the key does, and the keypad modifier says where it is.
    constexpr KeyCode keypadKeys[] = {
        { Qt::Key_0, Numpad0 },
        { Qt::Key_1, Numpad1 },
        { Qt::Key_2, Numpad2 },
        { Qt::Key_3, Numpad3 },
        { Qt::Key_4, Numpad4 },
        { Qt::Key_5, Numpad5 },
        { Qt::Key_6, Numpad6 },
        { Qt::Key_7, Numpad7 },
        { Qt::Key_8, Numpad8 },
        { Qt::Key_9, Numpad9 },
        { Qt::Key_Insert, Numpad0 },
        { Qt::Key_End, Numpad1 },
        { Qt::Key_Down, Numpad2 },
        { Qt::Key_PageDown, Numpad3 },
        { Qt::Key_Left, Numpad4 },
        { Qt::Key_Clear, Numpad5 },
        { Qt::Key_Right, Numpad6 },
        { Qt::Key_Home, Numpad7 },
        { Qt::Key_Up, Numpad8 },
        { Qt::Key_PageUp, Numpad9 },
        { Qt::Key_Asterisk, NumpadMultiply },
        { Qt::Key_Plus, NumpadAdd },
        { Qt::Key_Minus, NumpadSubtract },
        { Qt::Key_Period, NumpadDecimal },
        { Qt::Key_Comma, NumpadDecimal },
        { Qt::Key_Delete, NumpadDecimal },
        { Qt::Key_Slash, NumpadDivide },
        { Qt::Key_Enter, VK_RETURN },
    };

    // Every other key by Qt key. Letters, main-keyboard digits and function keys are ranges
    // (see mainKeyCode); punctuation goes by the character it produces, shifted or not.
    constexpr KeyCode mainKeys[] = {
        { Qt::Key_Backspace, 8 },
        { Qt::Key_Tab, 9 },
        { Qt::Key_Backtab, 9 },
        { Qt::Key_Clear, 12 },
        { Qt::Key_Return, VK_RETURN },
        { Qt::Key_Enter, VK_RETURN },
        { Qt::Key_Shift, 16 },
        { Qt::Key_Control, 17 },
        { Qt::Key_Alt, 18 },
        { Qt::Key_AltGr, 18 },
        { Qt::Key_Pause, 19 },
        { Qt::Key_CapsLock, 20 },
        { Qt::Key_Escape, VK_ESCAPE },
        { Qt::Key_Space, VK_SPACE },
        { Qt::Key_PageUp, 33 },
        { Qt::Key_PageDown, 34 },
        { Qt::Key_End, 35 },
        { Qt::Key_Home, 36 },
        { Qt::Key_Left, 37 },
        { Qt::Key_Up, 38 },
        { Qt::Key_Right, 39 },
        { Qt::Key_Down, 40 },
        { Qt::Key_Print, 44 },
        { Qt::Key_Insert, 45 },
        { Qt::Key_Delete, 46 },
        { Qt::Key_Meta, 91 },
        { Qt::Key_Super_L, 91 },
        { Qt::Key_Super_R, 92 },
        { Qt::Key_Menu, 93 },
        { Qt::Key_NumLock, 144 },
        { Qt::Key_ScrollLock, 145 },
        { Qt::Key_Semicolon, 186 },
        { Qt::Key_Colon, 186 },
        { Qt::Key_Equal, 187 },
        { Qt::Key_Plus, 187 },
        { Qt::Key_Comma, 188 },
        { Qt::Key_Less, 188 },
        { Qt::Key_Minus, 189 },
        { Qt::Key_Underscore, 189 },
        { Qt::Key_Period, 190 },
        { Qt::Key_Greater, 190 },
        { Qt::Key_Slash, 191 },
        { Qt::Key_Question, 191 },
        { Qt::Key_QuoteLeft, 192 },
        { Qt::Key_AsciiTilde, 192 },
        { Qt::Key_BracketLeft, 219 },
        { Qt::Key_BraceLeft, 219 },
        { Qt::Key_Backslash, 220 },
        { Qt::Key_Bar, 220 },
        { Qt::Key_BracketRight, 221 },
        { Qt::Key_BraceRight, 221 },
        { Qt::Key_Apostrophe, 222 },
        { Qt::Key_QuoteDbl, 222 },
    };

    template <size_t N> int lookUp(const KeyCode (&table)[N], int key)
    {
        for (const KeyCode& entry : table) {
            if (entry.key == key)
                return entry.code;
        }
        return 0;
    }

    int mainKeyCode(int key)
    {
        // Qt gives letters as upper case whatever the shift state; their codes are the virtual keys
        if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
            return key;
        if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
            return 112 + (key - Qt::Key_F1);
        return lookUp(mainKeys, key);
    }

} // namespace

int virtualKeyCode(const QKeyEvent& event) { return virtualKeyCode(event, x11KeyboardLayout()); }

int virtualKeyCode(const QKeyEvent& event, const KeyboardLayout* layout)
{
    const quint32 keysym = event.nativeVirtualKey();
    if (const int code = lookUp(keypadKeysyms, static_cast<int>(keysym)))
        return code;
    if (event.modifiers() & Qt::KeypadModifier) {
        if (const int code = lookUp(keypadKeys, event.key()))
            return code;
    }
    if (const quint32 keycode = event.nativeScanCode(); keycode != 0 && keysym != 0) {
        // A keymap that types another keysym on this key is not the one the event came from
        const quint32 state = event.nativeModifiers();
        const int code = layout && layout->keysym(keycode, state) == keysym
            ? layout->virtualKeyCode(keycode, state)
            : KeyboardLayout::codeWithoutKeymap(keycode, keysym);
        if (code != KeyboardLayout::NotALayoutKey)
            return code;
    }
    return mainKeyCode(event.key());
}

} // namespace fendral
