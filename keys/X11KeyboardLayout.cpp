#include "X11KeyboardLayout.h"

#include "KeyboardLayout.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QList>

#include <xcb/xcb.h>

#include <cstdlib>

namespace fendral {

namespace {

    xcb_atom_t rulesNamesAtom(xcb_connection_t* connection)
    {
        static const char PropertyName[] = "_XKB_RULES_NAMES";
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(connection,
            xcb_intern_atom(connection, 1, sizeof PropertyName - 1, PropertyName), nullptr);
        if (!atom)
            return XCB_ATOM_NONE;
        const xcb_atom_t property = atom->atom;
        std::free(atom);
        return property;
    }

    // The root window property in which the server names its keymap: rules, model, layouts,
    // variants and options, each ended by a null byte
    QByteArray rulesNames(xcb_connection_t* connection)
    {
        // The program keeps one connection to one server
        static const xcb_atom_t property = rulesNamesAtom(connection);
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        if (property == XCB_ATOM_NONE || !screen)
            return {};
        xcb_get_property_reply_t* reply = xcb_get_property_reply(connection,
            xcb_get_property(connection, 0, screen->root, property, XCB_ATOM_STRING, 0, 1024),
            nullptr);
        if (!reply)
            return {};
        const QByteArray names(static_cast<const char*>(xcb_get_property_value(reply)),
            xcb_get_property_value_length(reply));
        std::free(reply);
        return names;
    }

    std::unique_ptr<KeyboardLayout> layoutNamed(const QByteArray& names)
    {
        QList<QByteArray> parts = names.split('\0');
        if (parts.size() < 5 || parts[2].isEmpty())
            return nullptr;
        return KeyboardLayout::fromNames(parts[0].constData(), parts[1].constData(),
            parts[2].constData(), parts[3].constData(), parts[4].constData());
    }

} // namespace

const KeyboardLayout* x11KeyboardLayout()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return nullptr;
    // One round trip per key press; the keymap is compiled again only when the names change
    static QByteArray knownNames;
    static std::unique_ptr<KeyboardLayout> layout;
    const QByteArray names = rulesNames(connection);
    if (names != knownNames) {
        knownNames = names;
        layout = layoutNamed(names);
    }
    return layout.get();
}

} // namespace fendral
