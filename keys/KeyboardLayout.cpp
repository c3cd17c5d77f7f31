#include "KeyboardLayout.h"

#include <xkbcommon/xkbcommon.h>

#include <algorithm>

namespace fendral {

namespace {

    constexpr quint32 EvdevOffset = 8; // X keycode = Linux input code + 8
    constexpr quint32 FirstDigitKey = 2 + EvdevOffset; // KEY_1; KEY_0 is FirstDigitKey + 9

    struct PositionCode {
        int inputCode; // the Linux input code of the key (linux/input-event-codes.h)
        int code;
    };

    // The US layout's letter, digit and punctuation block: every key's code by its position
    constexpr PositionCode usPositions[] = {
        { 41, 192 }, { 2, '1' }, { 3, '2' }, { 4, '3' }, { 5, '4' }, { 6, '5' }, { 7, '6' },
        { 8, '7' }, { 9, '8' }, { 10, '9' }, { 11, '0' }, { 12, 189 }, { 13, 187 }, // ` 1..0 - =
        { 16, 'Q' }, { 17, 'W' }, { 18, 'E' }, { 19, 'R' }, { 20, 'T' }, { 21, 'Y' }, { 22, 'U' },
        { 23, 'I' }, { 24, 'O' }, { 25, 'P' }, { 26, 219 }, { 27, 221 }, // [ ]
        { 30, 'A' }, { 31, 'S' }, { 32, 'D' }, { 33, 'F' }, { 34, 'G' }, { 35, 'H' }, { 36, 'J' },
        { 37, 'K' }, { 38, 'L' }, { 39, 186 }, { 40, 222 }, { 43, 220 }, // ; ' backslash
        { 44, 'Z' }, { 45, 'X' }, { 46, 'C' }, { 47, 'V' }, { 48, 'B' }, { 49, 'N' }, { 50, 'M' },
        { 51, 188 }, { 52, 190 }, { 53, 191 }, // , . /
    };

    struct CharacterCode {
        char32_t character;
        int code;
    };

    // The punctuation the US layout types without Shift, with the codes of its keys
    constexpr CharacterCode usPunctuation[] = {
        { U'`', 192 },
        { U'-', 189 },
        { U'=', 187 },
        { U'[', 219 },
        { U']', 221 },
        { U'\\', 220 },
        { U';', 186 },
        { U'\'', 222 },
        { U',', 188 },
        { U'.', 190 },
        { U'/', 191 },
    };

    bool isLatinLetter(char32_t c) { return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z'); }

    // Whether a key with this keysym types something: a character (keypad keys, Space and the
    // control characters of Tab, Enter, Esc and Delete excepted) or a dead key's accent
    bool typesCharacter(xkb_keysym_t keysym)
    {
        if (keysym >= XKB_KEY_dead_grave && keysym <= 0xfe93)
            return true;
        if (keysym >= XKB_KEY_KP_Space && keysym <= XKB_KEY_KP_Equal)
            return false;
        const char32_t c = xkb_keysym_to_utf32(keysym);
        return c > U' ' && c != 0x7f;
    }

    struct StateDeleter {
        void operator()(xkb_state* state) const { xkb_state_unref(state); }
    };

    // The keyboard state of an X key event: the eight modifier bits, and the group in bits 13, 14
    std::unique_ptr<xkb_state, StateDeleter> eventState(xkb_keymap* keymap, quint32 nativeModifiers)
    {
        std::unique_ptr<xkb_state, StateDeleter> state(xkb_state_new(keymap));
        if (state) {
            xkb_state_update_mask(
                state.get(), nativeModifiers & 0xff, 0, 0, 0, 0, (nativeModifiers >> 13) & 3);
        }
        return state;
    }

} // namespace

void KeyboardLayout::ContextDeleter::operator()(xkb_context* context) const
{
    xkb_context_unref(context);
}

void KeyboardLayout::KeymapDeleter::operator()(xkb_keymap* keymap) const
{
    xkb_keymap_unref(keymap);
}

std::unique_ptr<KeyboardLayout> KeyboardLayout::fromNames(const char* rules, const char* model,
    const char* layouts, const char* variants, const char* options)
{
    // Without the environment's include paths and names the result depends on the names alone
    std::unique_ptr<xkb_context, ContextDeleter> context(
        xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES));
    if (!context)
        return nullptr;
    // Names that describe no keymap are answered with null, not with messages on the terminal
    xkb_context_set_log_level(context.get(), XKB_LOG_LEVEL_CRITICAL);
    const xkb_rule_names names { rules, model, layouts, variants, options };
    std::unique_ptr<xkb_keymap, KeymapDeleter> keymap(
        xkb_keymap_new_from_names(context.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (!keymap)
        return nullptr;
    return std::unique_ptr<KeyboardLayout>(
        new KeyboardLayout(std::move(context), std::move(keymap)));
}

KeyboardLayout::KeyboardLayout(std::unique_ptr<xkb_context, ContextDeleter> context,
    std::unique_ptr<xkb_keymap, KeymapDeleter> keymap)
    : m_context(std::move(context))
    , m_keymap(std::move(keymap))
{
    const quint32 groups = xkb_keymap_num_layouts(m_keymap.get());
    for (quint32 group = 0; group < groups; ++group)
        m_codes.push_back(typesLatinLetters(group) ? latinCodes(group) : usPositionCodes(group));
}

KeyboardLayout::~KeyboardLayout() = default;

int KeyboardLayout::usCode(quint32 keycode)
{
    for (const PositionCode& key : usPositions) {
        if (static_cast<quint32>(key.inputCode) + EvdevOffset == keycode)
            return key.code;
    }
    return 0;
}

int KeyboardLayout::codeWithoutKeymap(quint32 keycode, quint32 keysym)
{
    const char32_t c = xkb_keysym_to_utf32(keysym);
    if (keycode >= FirstDigitKey && keycode <= FirstDigitKey + 9)
        return usCode(keycode);
    if (isLatinLetter(c))
        return c & ~0x20;
    const bool typesAscii = c >= U'!' && c <= U'~';
    if (typesCharacter(keysym) && !typesAscii && usCode(keycode) != 0)
        return usCode(keycode);
    return NotALayoutKey;
}

quint32 KeyboardLayout::keysym(quint32 keycode, quint32 nativeModifiers) const
{
    const auto state = eventState(m_keymap.get(), nativeModifiers);
    return state ? xkb_state_key_get_one_sym(state.get(), keycode) : XKB_KEY_NoSymbol;
}

int KeyboardLayout::virtualKeyCode(quint32 keycode, quint32 nativeModifiers) const
{
    if (keycode >= 256 || m_codes.empty())
        return NotALayoutKey;
    const auto state = eventState(m_keymap.get(), nativeModifiers);
    const quint32 group = state ? xkb_state_key_get_layout(state.get(), keycode) : 0;
    return group < m_codes.size() ? m_codes[group][keycode] : NotALayoutKey;
}

quint32 KeyboardLayout::baseKeysym(quint32 keycode, quint32 group) const
{
    const xkb_keysym_t* keysyms = nullptr;
    const int count = xkb_keymap_key_get_syms_by_level(m_keymap.get(), keycode, group, 0, &keysyms);
    return count > 0 ? keysyms[0] : XKB_KEY_NoSymbol;
}

// A Latin layout types Latin letters on most of the US layout's letter keys; layouts of other
// scripts type none there (a few Latin keys, such as the Greek layout's ";" on Q, do not count)
bool KeyboardLayout::typesLatinLetters(quint32 group) const
{
    int latinKeys = 0;
    for (const PositionCode& key : usPositions) {
        if (key.code >= 'A' && key.code <= 'Z'
            && isLatinLetter(xkb_keysym_to_utf32(baseKeysym(key.inputCode + EvdevOffset, group))))
            ++latinKeys;
    }
    return latinKeys > 13;
}

// On a Latin layout letters are the letter on the key and punctuation the mark it types without
// Shift; what remains of the US block keeps its US code when no other key has it, so that no two
// keys share a code
KeyboardLayout::CodeTable KeyboardLayout::latinCodes(quint32 group) const
{
    CodeTable codes;
    codes.fill(NotALayoutKey);
    std::array<bool, 256> taken {};
    const quint32 first = xkb_keymap_min_keycode(m_keymap.get());
    const quint32 last = std::min<quint32>(xkb_keymap_max_keycode(m_keymap.get()), 255);
    const auto assign = [&](quint32 keycode, int code) {
        if (code > 0 && !taken[code]) {
            codes[keycode] = static_cast<int16_t>(code);
            taken[code] = true;
        }
    };
    const auto eachUnassignedKey = [&](const auto& decide) {
        for (quint32 keycode = first; keycode <= last; ++keycode) {
            if (codes[keycode] == NotALayoutKey)
                decide(keycode, baseKeysym(keycode, group));
        }
    };

    for (quint32 keycode = FirstDigitKey; keycode <= FirstDigitKey + 9; ++keycode)
        assign(keycode, usCode(keycode));
    eachUnassignedKey([&](quint32 keycode, quint32 keysym) {
        const char32_t c = xkb_keysym_to_utf32(keysym);
        if (isLatinLetter(c))
            assign(keycode, c & ~0x20); // the upper case
    });
    eachUnassignedKey([&](quint32 keycode, quint32 keysym) {
        const char32_t c = xkb_keysym_to_utf32(keysym);
        for (const CharacterCode& mark : usPunctuation) {
            if (mark.character == c)
                assign(keycode, mark.code);
        }
    });
    eachUnassignedKey([&](quint32 keycode, quint32 keysym) {
        if (typesCharacter(keysym))
            assign(keycode, usCode(keycode));
    });
    eachUnassignedKey([&](quint32 keycode, quint32 keysym) {
        if (typesCharacter(keysym))
            codes[keycode] = 0;
    });
    return codes;
}

// A layout of another script is read as the US layout: every key of its block by position
KeyboardLayout::CodeTable KeyboardLayout::usPositionCodes(quint32 group) const
{
    CodeTable codes;
    codes.fill(NotALayoutKey);
    const quint32 first = xkb_keymap_min_keycode(m_keymap.get());
    const quint32 last = std::min<quint32>(xkb_keymap_max_keycode(m_keymap.get()), 255);
    for (quint32 keycode = first; keycode <= last; ++keycode) {
        if (const int code = usCode(keycode))
            codes[keycode] = static_cast<int16_t>(code);
        else if (typesCharacter(baseKeysym(keycode, group)))
            codes[keycode] = 0;
    }
    return codes;
}

} // namespace fendral
