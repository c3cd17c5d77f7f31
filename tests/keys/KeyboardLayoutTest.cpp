// Keys by where they are on the keyboard, whatever the layout and whatever is held; the layout is
// read from the server once, and again only after the server announced a keymap
#include "KeyboardLayout.h"
#include "FollowedLayout.h"
#include "KeyNames.h"
#include "KeyTranslation.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

#include <map>

using fendral::FollowedLayout;
using fendral::KeyboardLayout;

// A key press as the X server reports it; the Qt key is unknown, so only the native codes count
static int press(const KeyboardLayout* layout, quint32 keycode, quint32 state, int keysym = -1)
{
    return fendral::virtualKeyCode(
        QKeyEvent(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, keycode,
            keysym < 0 ? layout->keysym(keycode, state) : keysym, state),
        layout);
}

TEST(KeyboardLayout, EveryKeyGivesOneCodeWhateverIsHeldAndNoTwoKeysShareOne)
{
    // Layouts, variant, X group; whether letters follow the layout, or else the US positions
    const std::tuple<const char*, const char*, quint32, bool> cases[] = { { "us", "", 0, true },
        { "fr", "", 0, true }, { "de", "", 0, true }, { "us", "dvorak", 0, true },
        { "be", "", 0, true }, { "ru", "", 0, false }, { "gr", "", 0, false },
        { "il", "", 0, false }, { "us,ru", "", 0, true }, { "us,ru", "", 1 << 13, false } };
    // X states: Shift, Lock, Control, NumLock, AltGr and some together
    const quint32 held[] = { 0, 1, 2, 3, 4, 16, 128, 129 };
    const char usLetters[] = "QWERTYUIOP    ASDFGHJKL     ZXCVBNM"; // from X keycode 24
    for (const auto& [layouts, variants, group, latin] : cases) {
        SCOPED_TRACE(std::string(layouts) + "(" + variants + ")");
        const auto layout = KeyboardLayout::fromNames("evdev", "pc105", layouts, variants, "");
        ASSERT_NE(layout, nullptr);
        std::map<int, quint32> keyOfCode;
        for (quint32 keycode = 9; keycode < 256; ++keycode) {
            const int code = press(layout.get(), keycode, group);
            for (const quint32 state : held) {
                if (layout->keysym(keycode, group | state) != 0) {
                    EXPECT_EQ(press(layout.get(), keycode, group | state), code)
                        << keycode << " " << state;
                }
            }
            // Keys the game does not accept may share a code (the keypad's decimal and comma)
            if (fendral::keyName(code).isEmpty())
                continue;
            const auto [other, fresh] = keyOfCode.emplace(code, keycode);
            EXPECT_TRUE(fresh) << other->second << " and " << keycode << " give " << code;
            const quint32 base = layout->keysym(keycode, group);
            const char us = keycode >= 24 && keycode < 59 ? usLetters[keycode - 24] : ' ';
            if (latin ? base >= 'a' && base <= 'z' : us != ' ') {
                EXPECT_EQ(code, latin ? static_cast<int>(base) - 'a' + 'A' : us) << keycode;
            }
        }
        // Every letter and digit can steer, so every scheme of keys can be played
        for (int code = 'A'; code <= 'Z'; ++code)
            EXPECT_TRUE(keyOfCode.count(code)) << "no key " << char(code);
        for (int digit = 0; digit <= 9; ++digit)
            EXPECT_EQ(keyOfCode['0' + digit], digit == 0 ? 19u : 9u + digit);
    }
}

// Without a keymap, or with one that did not type what the event says, the keysym decides
TEST(KeyboardLayout, WithoutATrustedKeymapTheKeysymDecides)
{
    const auto french = KeyboardLayout::fromNames("evdev", "pc105", "fr", "", "");
    // Cyrillic tse and zhe, Greek capital sigma, o umlaut, French "&", 0 and a, dead circumflex
    const std::tuple<quint32, int, int> keys[]
        = { { 25, 0x6c3, 'W' }, { 47, 0x6d6, 186 }, { 39, 0x7d2, 'S' }, { 47, 0xf6, 186 },
              { 10, 0x26, '1' }, { 19, 0x30, '0' }, { 24, 0x61, 'A' }, { 34, 0xfe52, 219 } };
    for (const auto& [keycode, keysym, code] : keys) {
        EXPECT_EQ(press(nullptr, keycode, 0, keysym), code) << keycode;
        EXPECT_EQ(press(french.get(), keycode, 0, keysym), code) << keycode;
    }
    EXPECT_EQ(KeyboardLayout::fromNames("evdev", "pc105", "no-such-layout", "", ""), nullptr);
}

TEST(FollowedLayout, KeysCostNoRoundTripUntilTheKeymapChanges)
{
    QByteArray names("evdev\0pc105\0us\0\0\0", 16);
    int reads = 0;
    FollowedLayout layout([&] { return ++reads, names; });
    const KeyboardLayout* us = layout.current();
    ASSERT_NE(us, nullptr);
    for (int key = 0; key < 1000; ++key)
        EXPECT_EQ(layout.current(), us);
    EXPECT_EQ(reads, 1);
    layout.keymapChanged(); // the same names: read, not built again
    EXPECT_EQ(layout.current(), us);
    names.replace("us", "ru");
    layout.current();
    EXPECT_EQ(reads, 2) << "the new names wait for the server's word";
    layout.keymapChanged();
    const KeyboardLayout* ru = layout.current();
    EXPECT_EQ(reads, 3);
    EXPECT_TRUE(ru != nullptr && ru != us) << "built again for the new names";
    names = QByteArray("evdev\0pc105\0\0\0\0", 15);
    layout.keymapChanged();
    EXPECT_EQ(layout.current(), nullptr) << "no layout named";

    // Which X events announce a keymap, with XKB's events from 85: MappingNotify, XKB's
    // NewKeyboardNotify and MapNotify, also when sent by another client; not XKB's StateNotify
    const struct {
        uint8_t type, xkbType, first;
        bool change;
    } events[] = { { 34, 0, 85, true }, { 34 | 0x80, 7, 85, true }, { 85, 0, 85, true },
        { 85, 1, 85, true }, { 85 | 0x80, 1, 85, true }, { 85, 2, 85, false }, { 2, 0, 85, false },
        { 86, 0, 85, false }, { 0, 0, 0, false } };
    for (const auto& e : events)
        EXPECT_EQ(FollowedLayout::isKeymapChange(e.type, e.xkbType, e.first), e.change)
            << int(e.type) << " " << int(e.xkbType);
}
