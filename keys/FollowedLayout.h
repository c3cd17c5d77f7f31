// The keyboard layout the X server names, read again only when the server says it changed
#pragma once

#include <QByteArray>

#include <cstdint>
#include <functional>
#include <memory>

namespace fendral {

class KeyboardLayout;

// Holds the layout built from the server's names for its keymap (rules, model, layouts, variants
// and options, each ended by a null byte). Reading the names is a blocking round trip to the
// server, so it happens once, and again only after keymapChanged; the layout is built again only
// when the names differ.
class FollowedLayout {
public:
    using NamesReader = std::function<QByteArray()>;
    explicit FollowedLayout(NamesReader readNames);
    ~FollowedLayout();

    // The layout the names describe; null when they describe none.
    const KeyboardLayout* current();
    void keymapChanged() { m_stale = true; }

    // Whether an X event (its first two bytes: the response type and, for an XKB event, its
    // kind) tells of a new keymap: a core MappingNotify, or XKB's NewKeyboardNotify or MapNotify
    // when the XKB extension's events begin at xkbFirstEvent.
    static bool isKeymapChange(uint8_t responseType, uint8_t xkbType, uint8_t xkbFirstEvent);

private:
    NamesReader m_readNames;
    bool m_stale = true;
    QByteArray m_names;
    std::unique_ptr<KeyboardLayout> m_layout;
};

} // namespace fendral
