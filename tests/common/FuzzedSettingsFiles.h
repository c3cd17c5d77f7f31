// Settings files made to break the loader, all from one seed: random bytes, numbers beyond 32
// bits, foreign sections, valid files with values mutated. Shared by the settings tests and the
// window tests that start a game on such a file.
#pragma once

#include "ValidSettings.h"

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <random>

class FuzzedSettingsFiles {
public:
    explicit FuzzedSettingsFiles(uint32_t seed)
        : m_random(seed)
    {
    }

    QByteArray next()
    {
        switch (pick(7)) {
        case 0:
            return randomBytes(pick(chance(2) ? 200 : 3000));
        case 1:
        case 2:
            return mutated(validFile());
        default:
            return foreignSection() + mutated(mutated(validFile())) + foreignSection();
        }
    }

private:
    int pick(int n) { return static_cast<int>(m_random() % static_cast<uint32_t>(n)); }
    bool chance(int n) { return pick(n) == 0; }
    static QByteArray number(long long value) { return QByteArray::number(value); }

    QByteArray randomBytes(int length)
    {
        QByteArray bytes(length, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(pick(256));
        return bytes;
    }

    // A key code the game names, so that valid files are common
    int namedCode()
    {
        int code = 0;
        while (!isNamedKey(code))
            code = pick(256);
        return code;
    }

    // The 25 values as the game writes them, mostly of the right kind
    QByteArray validFile()
    {
        QByteArray file = "[Fendral]\nPause=" + number(namedCode()) + '\n';
        for (int p = 0; p < 4; ++p) {
            for (int d = 0; d < 4; ++d)
                file += "Controls" + number(p) + number(d) + '=' + number(namedCode()) + '\n';
            file += "Colour" + number(p) + '=' + number(pick(6)) + '\n';
            file += "Gamepad" + number(p) + '=' + number(pick(5)) + '\n';
        }
        return file;
    }

    // What a hand, another program or a careless conversion may leave in place of a number
    QByteArray mutatedValue()
    {
        // A named code around which a number is no longer a plain decimal one
        static const char* const around[][2] = { { "+", "" }, { "$", "" }, { "0x", "" },
            { "\"  ", "\"" }, { "\"", " \"" }, { "", ".0" }, { "", ",65" }, { "", "e0" } };
        const long long wrap = (chance(2) ? 1LL : -1LL) << 32;
        switch (pick(9)) {
        case 0:
            return number(namedCode() + wrap * (1 + pick(100))); // toInt's modulo 2^32 trap
        case 1:
            return QByteArray::number(static_cast<qulonglong>(m_random()) << (pick(33)));
        case 2:
            return QByteArray(pick(3), '-') + number(-1 - pick(300));
        case 3: {
            const auto& [before, after] = around[pick(std::size(around))];
            return before + number(namedCode()) + after;
        }
        case 4:
            return QByteArray(1 + pick(500), '0' + static_cast<char>(pick(10)));
        case 5:
            return number(static_cast<int32_t>(m_random()));
        case 6: // Arabic-Indic digits
            return chance(2) ? "@Variant(" + randomBytes(pick(40)) + ')' : "\xd9\xa6\xd9\xa5";
        case 7:
            return randomBytes(pick(12));
        default:
            return QByteArray();
        }
    }

    // Replaces one value of a file of "key=value" lines
    QByteArray mutated(const QByteArray& file)
    {
        QList<QByteArray> lines = file.split('\n');
        QByteArray& line = lines[1 + pick(lines.size() - 2)];
        const qsizetype equals = line.indexOf('=');
        if (equals >= 0)
            line = line.left(equals + 1) + mutatedValue();
        return lines.join(chance(5) ? "\r\n" : "\n");
    }

    // Sections of other programs, which a save must keep
    QByteArray foreignSection()
    {
        static const char* const sections[]
            = { "Other", "fendral", "General", "Fendral Extra", "%General", "a/b", "Window" };
        static const char* const keys[] = { "name", "Pause", "Controls00", "size", "x y", "k%20" };
        QByteArray section = QByteArray("[") + sections[pick(std::size(sections))] + "]\n";
        for (int i = pick(5); i > 0; --i)
            section += QByteArray(keys[pick(std::size(keys))]) + number(pick(3)) + '='
                + (chance(2) ? number(static_cast<int32_t>(m_random())) : mutatedValue()) + '\n';
        return section;
    }

    std::mt19937 m_random;
};
