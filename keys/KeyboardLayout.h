// The keys of the keyboard layouts in use and the virtual-key codes they stand for
#pragma once

#include <QtGlobal>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

struct xkb_context;
struct xkb_keymap;

namespace fendral {

// A keymap of one or more layouts (groups), as the X server or setxkbmap names them, and for each
// group a table from X keycode to virtual-key code. A key is known by its X keycode, the Linux
// input code + 8 that Qt passes as the native scan code on X11, on Wayland and on the console.
class KeyboardLayout {
public:
    // What the layout says of a key it leaves to the Qt key: keypad, arrows, Space, Enter, Esc,
    // Tab, function and modifier keys
    static constexpr int NotALayoutKey = -1;

    // The keymap named by its rules, model, layouts, variants and options (empty names take
    // libxkbcommon's defaults); null when the names describe no keymap.
    static std::unique_ptr<KeyboardLayout> fromNames(const char* rules, const char* model,
        const char* layouts, const char* variants, const char* options);
    ~KeyboardLayout();

    // The keysym a key types under the modifier and group state of an X key event.
    quint32 keysym(quint32 keycode, quint32 nativeModifiers) const;
    // The virtual-key code of a key in the group of an X key event, whatever modifiers are held;
    // 0 for a key that types a character without a code, NotALayoutKey for the others.
    int virtualKeyCode(quint32 keycode, quint32 nativeModifiers) const;

    // The code of the key at this keycode on the US layout's letter, digit and punctuation
    // block, 0 outside it.
    static int usCode(quint32 keycode);
    // The code of a key judged by itself, when no keymap is at hand: the digit row by position,
    // a Latin letter as itself, a key of the US block that types anything beyond ASCII (a letter
    // of another script, an accented letter, a dead key) by position, else NotALayoutKey.
    static int codeWithoutKeymap(quint32 keycode, quint32 keysym);

private:
    struct ContextDeleter {
        void operator()(xkb_context* context) const;
    };
    struct KeymapDeleter {
        void operator()(xkb_keymap* keymap) const;
    };
    using CodeTable = std::array<int16_t, 256>; // indexed by keycode

    KeyboardLayout(std::unique_ptr<xkb_context, ContextDeleter> context,
        std::unique_ptr<xkb_keymap, KeymapDeleter> keymap);
    quint32 baseKeysym(quint32 keycode, quint32 group) const;
    bool typesLatinLetters(quint32 group) const;
    CodeTable latinCodes(quint32 group) const;
    CodeTable usPositionCodes(quint32 group) const;

    std::unique_ptr<xkb_context, ContextDeleter> m_context;
    std::unique_ptr<xkb_keymap, KeymapDeleter> m_keymap;
    std::vector<CodeTable> m_codes; // one table per group
};

} // namespace fendral
