// Codes from the X server's key events: by the keysym where no keymap can be trusted; the layout
// is read from the server once, and again only after the server announced a keymap
#include "KeyboardLayout.h"
#include "FollowedLayout.h"
#include "KeyTranslation.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

using fendral::FollowedLayout;
using fendral::KeyboardLayout;

// A key press as the X server reports it; the Qt key is unknown, so only the native codes count
static int press(const KeyboardLayout* layout, quint32 keycode, quint32 keysym)
{
    return fendral::virtualKeyCode(
        QKeyEvent(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, keycode, keysym, 0), layout);
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
        EXPECT_EQ(press(nullptr, keycode, keysym), code) << keycode;
        EXPECT_EQ(press(french.get(), keycode, keysym), code) << keycode;
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
