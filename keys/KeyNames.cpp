#include "KeyNames.h"

#include <QString>

namespace fendral {

namespace {

    struct NamedKey {
        int code;
        const char* name;
    };

    constexpr NamedKey namedKeys[] = {
        { 32, "Space" },
        { 37, "Left" },
        { 38, "Up" },
        { 39, "Right" },
        { 40, "Down" },
        { 219, "[" },
        { 221, "]" },
        { 186, "Semicol." },
        { 222, "Apostr." },
        { 188, "Comma" },
        { 190, "Dot" },
        { 191, "Slash" },
    };

} // namespace

QString keyName(int code)
{
    for (const NamedKey& key : namedKeys) {
        if (key.code == code)
            return QString::fromLatin1(key.name);
    }
    // Letters and main-keyboard digits have the code of their own character
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9'))
        return QString(QChar(code));
    if (code >= 96 && code <= 105)
        return QStringLiteral("Num") + QString::number(code - 96);
    return QString();
}

} // namespace fendral
