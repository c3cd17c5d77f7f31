// The layout is read from the server once, and again only after the server announced a keymap
#include "FollowedLayout.h"
#include "KeyboardLayout.h"

#include <gtest/gtest.h>

using namespace fendral;

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
