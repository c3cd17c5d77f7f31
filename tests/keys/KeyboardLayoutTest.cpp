// Keys by where they are: every key of a layout gives one code whatever is held, no two keys share
// one, letters follow the layout's Latin letters or the US positions, digits the digit row
#include "KeyboardLayout.h"
#include "KeyNames.h"
#include "KeyTranslation.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

#include <map>
#include <memory>

using fendral::KeyboardLayout;

namespace {

// X key event state bits
constexpr quint32 Shift = 1, Lock = 2, Control = 4, NumLock = 16, AltGr = 128,
                  SecondGroup = 1 << 13;

std::unique_ptr<KeyboardLayout> layoutNamed(const char* layouts, const char* variants = "")
{
    return KeyboardLayout::fromNames("evdev", "pc105", layouts, variants, "");
}

// A key press as the X server reports it; the Qt key is unknown, so only the native codes count
int press(const KeyboardLayout* layout, quint32 keycode, quint32 state, quint32 keysym,
    int qtKey = Qt::Key_unknown)
{
    return fendral::virtualKeyCode(
        QKeyEvent(QEvent::KeyPress, qtKey, Qt::NoModifier, keycode, keysym, state), layout);
}

int press(const KeyboardLayout& layout, quint32 keycode, quint32 state = 0)
{
    return press(&layout, keycode, state, layout.keysym(keycode, state));
}

} // namespace

TEST(KeyboardLayout, EveryKeyGivesOneCodeWhateverIsHeldAndNoTwoKeysShareOne)
{
    const struct {
        const char *layouts, *variants;
        quint32 group;
        bool latin;
    } cases[] = { { "us", "", 0, true }, { "fr", "", 0, true }, { "de", "", 0, true },
        { "us", "dvorak", 0, true }, { "be", "", 0, true }, { "ru", "", 0, false },
        { "gr", "", 0, false }, { "il", "", 0, false }, { "us,ru", "", 0, true },
        { "us,ru", "", SecondGroup, false } };
    const quint32 held[] = { 0, Shift, Lock, Shift | Lock, Control, NumLock, AltGr, Shift | AltGr };
    // The US letter rows by X keycode, an oracle apart from the code's own table
    std::map<quint32, int> usLetters;
    for (const auto& [first, row] :
        { std::pair { 24u, "QWERTYUIOP" }, { 38u, "ASDFGHJKL" }, { 52u, "ZXCVBNM" } }) {
        for (quint32 i = 0; row[i]; ++i)
            usLetters[first + i] = row[i];
    }
    for (const auto& c : cases) {
        const auto layout = layoutNamed(c.layouts, c.variants);
        ASSERT_NE(layout, nullptr) << c.layouts;
        const std::string name = std::string(c.layouts) + "(" + c.variants + ")";
        std::map<int, quint32> keyOfCode;
        for (quint32 keycode = 9; keycode < 256; ++keycode) {
            const int code = press(*layout, keycode, c.group);
            for (const quint32 state : held) {
                if (layout->keysym(keycode, c.group | state) != 0)
                    EXPECT_EQ(press(*layout, keycode, c.group | state), code)
                        << name << " keycode " << keycode << " state " << state;
            }
            // Keys the game does not accept may share a code (the keypad's decimal and comma)
            if (fendral::keyName(code).isEmpty())
                continue;
            const auto [other, fresh] = keyOfCode.emplace(code, keycode);
            EXPECT_TRUE(fresh) << name << ": keycodes " << other->second << " and " << keycode
                               << " give " << code;
            const quint32 base = layout->keysym(keycode, c.group);
            if (c.latin && base >= 'a' && base <= 'z')
                EXPECT_EQ(code, static_cast<int>(base) - 'a' + 'A') << name << " " << keycode;
            if (!c.latin && usLetters.count(keycode))
                EXPECT_EQ(code, usLetters.at(keycode)) << name << " " << keycode;
        }
        // Every letter and digit can steer, so every scheme of keys can be played
        for (int code = 'A'; code <= 'Z'; ++code)
            EXPECT_TRUE(keyOfCode.count(code)) << name << " has no key " << char(code);
        for (int digit = 0; digit <= 9; ++digit)
            EXPECT_EQ(keyOfCode['0' + digit], digit == 0 ? 19u : 9u + digit) << name;
    }
}

// Punctuation is the mark on the key on Latin layouts and the US key on others; without a
// keymap, or with one that does not type what the event says, the key is judged by itself
TEST(KeyboardLayout, PunctuationAndKeysWithoutATrustedKeymap)
{
    const auto french = layoutNamed("fr");
    const struct {
        const char* layout;
        quint32 keycode, keysym;
        int code;
    } keys[] = {
        { "us", 47, 0, 186 }, { "us", 61, 0, 191 }, { "fr", 58, 0, 188 }, { "fr", 47, 0, 'M' },
        { "de", 60, 0, 190 }, { "de", 61, 0, 189 }, { "ru", 59, 0, 188 }, { "gr", 47, 0, 186 },
        { nullptr, 25, 0x6c3, 'W' }, // Russian: Cyrillic_tse on W
        { nullptr, 39, 0x7d2, 'S' }, // Greek: capital sigma, Shift held
        { nullptr, 47, 0x6d6, 186 }, // Russian: zhe on ";"
        { nullptr, 10, 0x26, '1' }, // French: "&" on 1
        { nullptr, 24, 0x61, 'A' }, // French: a on the US layout's Q
        { nullptr, 47, 0xf6, 186 }, // German: o umlaut on ";"
        { nullptr, 34, 0xfe52, 219 }, // French: dead circumflex on "["
    };
    for (const auto& key : keys) {
        if (key.layout) {
            EXPECT_EQ(press(*layoutNamed(key.layout), key.keycode), key.code)
                << key.layout << key.keycode;
            continue;
        }
        for (const KeyboardLayout* layout : { static_cast<KeyboardLayout*>(nullptr), french.get() })
            EXPECT_EQ(press(layout, key.keycode, 0, key.keysym), key.code) << key.keycode;
    }
    EXPECT_EQ(layoutNamed("no-such-layout"), nullptr);
    // Punctuation by the character: the US layout's Shift marks with it
    EXPECT_EQ(press(nullptr, 47, Shift, 0x3a, Qt::Key_Colon), 186);
    EXPECT_EQ(press(nullptr, 59, Shift, 0x3c, Qt::Key_Less), 188);
}
