#include "FollowedLayout.h"

#include "KeyboardLayout.h"

#include <QList>

namespace fendral {

namespace {

    constexpr uint8_t MappingNotify = 34; // the core protocol's event
    constexpr uint8_t XkbNewKeyboardNotify = 0;
    constexpr uint8_t XkbMapNotify = 1;

    std::unique_ptr<KeyboardLayout> layoutNamed(const QByteArray& names)
    {
        QList<QByteArray> parts = names.split('\0');
        if (parts.size() < 5 || parts[2].isEmpty())
            return nullptr;
        return KeyboardLayout::fromNames(parts[0].constData(), parts[1].constData(),
            parts[2].constData(), parts[3].constData(), parts[4].constData());
    }

} // namespace

FollowedLayout::FollowedLayout(NamesReader readNames)
    : m_readNames(std::move(readNames))
{
}

FollowedLayout::~FollowedLayout() = default;

const KeyboardLayout* FollowedLayout::current()
{
    if (m_stale) {
        m_stale = false;
        if (QByteArray names = m_readNames(); names != m_names || !m_layout) {
            m_layout = layoutNamed(names);
            m_names = std::move(names);
        }
    }
    return m_layout.get();
}

bool FollowedLayout::isKeymapChange(uint8_t responseType, uint8_t xkbType, uint8_t xkbFirstEvent)
{
    // The top bit marks an event sent by another client
    const uint8_t type = responseType & 0x7f;
    if (type == MappingNotify)
        return true;
    return xkbFirstEvent != 0 && type == xkbFirstEvent
        && (xkbType == XkbNewKeyboardNotify || xkbType == XkbMapNotify);
}

} // namespace fendral
