#include "X11KeyboardLayout.h"

#include "FollowedLayout.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

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

    // The number of the XKB extension's first event; 0 when the server has no XKB
    uint8_t xkbFirstEvent(xcb_connection_t* connection)
    {
        static const char Name[] = "XKEYBOARD";
        xcb_query_extension_reply_t* reply = xcb_query_extension_reply(
            connection, xcb_query_extension(connection, std::strlen(Name), Name), nullptr);
        const uint8_t first = reply && reply->present ? reply->first_event : 0;
        std::free(reply);
        return first;
    }

    // Qt reads the keymap events of its connection (it follows the keymap itself); this filter
    // sees them on their way and marks the layout for reading again at the next key
    class KeymapWatcher : public QAbstractNativeEventFilter {
    public:
        KeymapWatcher(FollowedLayout& layout, uint8_t xkbFirstEvent)
            : m_layout(layout)
            , m_xkbFirstEvent(xkbFirstEvent)
        {
        }

        bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override
        {
            if (eventType == "xcb_generic_event_t") {
                const auto* event = static_cast<const xcb_generic_event_t*>(message);
                if (FollowedLayout::isKeymapChange(
                        event->response_type, event->pad0, m_xkbFirstEvent))
                    m_layout.keymapChanged();
            }
            return false;
        }

    private:
        FollowedLayout& m_layout;
        uint8_t m_xkbFirstEvent;
    };

} // namespace

const KeyboardLayout* x11KeyboardLayout()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return nullptr;
    static FollowedLayout layout([connection] { return rulesNames(connection); });
    static KeymapWatcher watcher(layout, xkbFirstEvent(connection));
    static const bool watching = (qGuiApp->installNativeEventFilter(&watcher), true);
    Q_UNUSED(watching);
    return layout.current();
}

} // namespace fendral
