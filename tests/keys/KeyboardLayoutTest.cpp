// Keys by where they are: every key of a layout gives one code whatever is held, no two keys share
// one, letters follow the layout's Latin letters or the US positions, digits the digit row
#include "KeyboardLayout.h"
#include "KeyNames.h"
#include "KeyTranslation.h"

#include <QKeyEvent>
#include <QString>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

using fendral::KeyboardLayout;

namespace {

// X key event state bits
constexpr quint32 Shift = 1, Lock = 2, Control = 4, NumLock = 16, AltGr = 128;
constexpr quint32 SecondGroup = 1 << 13;

std::unique_ptr<KeyboardLayout> layoutNamed(const char* layouts, const char* variants = "")
{
    auto layout = KeyboardLayout::fromNames("evdev", "pc105", layouts, variants, "");
    EXPECT_NE(layout, nullptr) << layouts;
    return layout;
}

// A key press as the X server reports it under this keymap; the Qt key is left unknown, so
// only what the native codes say counts
int press(const KeyboardLayout* layout, quint32 keycode, quint32 state, quint32 keysym)
{
    return fendral::virtualKeyCode(
        QKeyEvent(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, keycode, keysym, state),
        layout);
}

int press(const KeyboardLayout& layout, quint32 keycode, quint32 state = 0)
{
    return press(&layout, keycode, state, layout.keysym(keycode, state));
}

// The US letter rows by X keycode: an oracle independent of the code's own table
std::map<quint32, int> usLetters()
{
    std::map<quint32, int> letters;
    const std::pair<quint32, const char*> rows[]
        = { { 24, "QWERTYUIOP" }, { 38, "ASDFGHJKL" }, { 52, "ZXCVBNM" } };
    for (const auto& [first, row] : rows) {
        for (quint32 i = 0; row[i]; ++i)
            letters[first + i] = row[i];
    }
    return letters;
}

struct LayoutCase {
    const char* layouts;
    const char* variants;
    quint32 group;
    bool latin;
};

} // namespace

TEST(KeyboardLayout, EveryKeyGivesOneCodeWhateverIsHeldAndNoTwoKeysShareOne)
{
    const LayoutCase cases[] = { { "us", "", 0, true }, { "fr", "", 0, true },
        { "de", "", 0, true }, { "us", "dvorak", 0, true }, { "be", "", 0, true },
        { "ru", "", 0, false }, { "gr", "", 0, false }, { "il", "", 0, false },
        { "us,ru", "", 0, true }, { "us,ru", "", SecondGroup, false } };
    const quint32 held[] = { 0, Shift, Lock, Shift | Lock, Control, NumLock, AltGr, Shift | AltGr };
    const std::map<quint32, int> letters = usLetters();

    for (const LayoutCase& c : cases) {
        const auto layout = layoutNamed(c.layouts, c.variants);
        if (!layout)
            continue;
        const std::string name = std::string(c.layouts) + "(" + c.variants + ")";
        std::map<int, quint32> keyOfCode;
        for (quint32 keycode = 9; keycode < 256; ++keycode) {
            const int code = press(*layout, keycode, c.group);
            for (const quint32 state : held) {
                if (layout->keysym(keycode, c.group | state) != 0) {
                    EXPECT_EQ(press(*layout, keycode, c.group | state), code)
                        << name << " keycode " << keycode << " state " << state;
                }
            }
            // Keys the game does not accept may share a code (the keypad's decimal and comma)
            if (fendral::keyName(code).isEmpty())
                continue;
            const auto [other, fresh] = keyOfCode.emplace(code, keycode);
            EXPECT_TRUE(fresh) << name << ": keycodes " << other->second << " and " << keycode
                               << " both give " << code;
            const quint32 base = layout->keysym(keycode, c.group);
            if (c.latin && base >= 'a' && base <= 'z') {
                EXPECT_EQ(code, static_cast<int>(base) - 'a' + 'A') << name << " " << keycode;
            }
            if (!c.latin && letters.count(keycode)) {
                EXPECT_EQ(code, letters.at(keycode)) << name << " " << keycode;
            }
        }
        // Every letter and digit can steer, so every scheme of keys can be played
        for (int code = 'A'; code <= 'Z'; ++code)
            EXPECT_TRUE(keyOfCode.count(code)) << name << " has no key " << char(code);
        for (int digit = 0; digit <= 9; ++digit)
            EXPECT_EQ(keyOfCode['0' + digit], digit == 0 ? 19u : 9u + digit) << name;
    }
}

TEST(KeyboardLayout, PunctuationIsTheMarkOnTheKeyOnLatinLayoutsAndTheUsKeyOnOthers)
{
    const struct {
        const char* layouts;
        const char* variants;
        quint32 keycode;
        int code;
    } keys[] = {
        { "us", "", 47, 186 }, { "us", "", 59, 188 }, { "us", "", 61, 191 }, // ; , /
        { "fr", "", 58, 188 }, { "fr", "", 59, 186 }, { "fr", "", 47, 'M' }, // , ; m
        { "de", "", 59, 188 }, { "de", "", 60, 190 }, { "de", "", 61, 189 }, // , . -
        { "us", "dvorak", 25, 188 }, { "us", "dvorak", 34, 191 }, { "ru", "", 47, 186 },
        { "ru", "", 59, 188 }, { "ru", "", 61, 191 }, // ж б and "."
        { "gr", "", 47, 186 }, // a dead accent on ";"
    };
    for (const auto& key : keys) {
        const auto layout = layoutNamed(key.layouts, key.variants);
        if (layout) {
            EXPECT_EQ(press(*layout, key.keycode), key.code)
                << key.layouts << "(" << key.variants << ") keycode " << key.keycode;
        }
    }
}

// Without a keymap, or with one that does not type what the event says (the server's names say
// French but the key typed q), the key is judged by itself
TEST(KeyboardLayout, WithoutATrustedKeymapLettersDigitsAndOtherScriptsGoByTheKey)
{
    const struct {
        quint32 keycode;
        quint32 keysym;
        int code;
    } keys[] = {
        { 25, 0x6c3, 'W' }, // Russian: Cyrillic_tse on W
        { 39, 0x7d2, 'S' }, // Greek: capital sigma, Shift held
        { 47, 0x6d6, 186 }, // Russian: zhe on ";"
        { 10, 0x26, '1' }, // French: "&" on 1
        { 19, 0xe0, '0' }, // French: a grave on 0
        { 24, 0x61, 'A' }, // French: a on the US layout's Q
        { 24, 0x71, 'Q' }, // US: q
        { 47, 0xf6, 186 }, // German: o umlaut on ";"
        { 34, 0xfe52, 219 }, // French: dead circumflex on "["
    };
    const auto french = layoutNamed("fr");
    for (const KeyboardLayout* layout : { static_cast<KeyboardLayout*>(nullptr), french.get() }) {
        for (const auto& key : keys)
            EXPECT_EQ(press(layout, key.keycode, 0, key.keysym), key.code) << key.keycode;
    }
    EXPECT_EQ(KeyboardLayout::fromNames("evdev", "pc105", "no-such-layout", "", ""), nullptr);

    // Punctuation is judged by the character, the US layout's Shift marks with it
    auto punctuation = [](int qtKey, quint32 keycode, quint32 keysym) {
        return fendral::virtualKeyCode(
            QKeyEvent(QEvent::KeyPress, qtKey, Qt::ShiftModifier, keycode, keysym, Shift), nullptr);
    };
    EXPECT_EQ(punctuation(Qt::Key_Colon, 47, 0x3a), 186);
    EXPECT_EQ(punctuation(Qt::Key_Less, 59, 0x3c), 188);
}
