// Settings files made to break the loader, all from one seed: random bytes, huge lines, numbers
// beyond 32 bits, duplicate sections and keys, foreign sections, valid files with one value
// mutated. Shared by the settings tests and the window tests that start a game on such a file.
#pragma once

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <random>
#include <string>

class FuzzedSettingsFiles {
public:
    explicit FuzzedSettingsFiles(uint32_t seed)
        : m_random(seed)
    {
    }

    QByteArray next()
    {
        switch (pick(12)) {
        case 0:
            return randomBytes(pick(3000));
        case 1:
            // Huge lines are slow to write and read: one file in four hundred or so
            return pick(32) == 0 ? hugeLine() : randomBytes(pick(200));
        case 2:
        case 3:
        case 4:
            return mutated(validFile());
        case 5:
            return duplicated();
        case 6:
            return tokenSoup();
        case 7:
            return foreignSection() + mutated(validFile()) + foreignSection();
        default:
            return foreignSection() + mutated(mutated(validFile())) + foreignSection();
        }
    }

private:
    int pick(int n) { return static_cast<int>(m_random() % static_cast<uint32_t>(n)); }
    bool chance(int n) { return pick(n) == 0; }

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
        static const int named[] = { 32, 37, 38, 39, 40, 186, 188, 190, 191, 219, 221, 222 };
        switch (pick(4)) {
        case 0:
            return 'A' + pick(26);
        case 1:
            return '0' + pick(10);
        case 2:
            return 96 + pick(10);
        default:
            return named[pick(std::size(named))];
        }
    }

    static QByteArray number(long long value) { return QByteArray::number(value); }

    QList<QByteArray> keyNames()
    {
        QList<QByteArray> names { "Pause" };
        for (int p = 0; p < 4; ++p)
            for (int d = 0; d < 4; ++d)
                names << "Controls" + number(p) + number(d);
        for (int p = 0; p < 4; ++p)
            names << "Colour" + number(p);
        for (int p = 0; p < 4; ++p)
            names << "Gamepad" + number(p);
        return names;
    }

    // The 25 values as the game writes them, mostly of the right kind
    QByteArray validFile()
    {
        QByteArray file = "[Fendral]\n";
        for (const QByteArray& key : keyNames()) {
            const int value = key.startsWith("Colour") ? pick(6)
                : key.startsWith("Gamepad")            ? pick(5)
                                                       : namedCode();
            file += key + '=' + number(value) + '\n';
        }
        return file;
    }

    QByteArray mutatedValue()
    {
        const long long wrap = 1LL << 32;
        switch (pick(16)) {
        case 0:
            return number(namedCode() + wrap * (1 + pick(100))); // toInt's modulo 2^32 trap
        case 1:
            return number(namedCode() - wrap * (1 + pick(100)));
        case 2:
            return QByteArray::number(static_cast<qulonglong>(m_random()) << (pick(33)));
        case 3:
            return number(-1 - pick(300));
        case 4:
            return "0x" + QByteArray::number(namedCode(), 16);
        case 5:
            return (chance(2) ? "+" : "$") + number(namedCode());
        case 6:
            return '"' + QByteArray(pick(3), ' ') + number(namedCode()) + QByteArray(pick(3), ' ')
                + '"';
        case 7:
            return number(namedCode()) + ".0";
        case 8:
            return QByteArray(1 + pick(500), '0' + static_cast<char>(pick(10)));
        case 9:
            return number(static_cast<int32_t>(m_random()));
        case 10:
            return "@Variant(" + randomBytes(pick(40)) + ')';
        case 11:
            return number(namedCode()) + ',' + number(namedCode());
        case 12:
            return QByteArray("\xd9\xa6\xd9\xa5"); // Arabic-Indic digits
        case 13:
            return randomBytes(pick(12));
        case 14:
            return QByteArray(pick(3), '-') + number(pick(6));
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

    // The section, or one of its keys, twice with other values
    QByteArray duplicated()
    {
        QByteArray file = validFile();
        if (chance(2))
            return file + foreignSection() + mutated(validFile());
        const QList<QByteArray> names = keyNames();
        for (int i = 1 + pick(6); i > 0; --i)
            file += names[pick(names.size())] + '=' + mutatedValue() + '\n';
        return file;
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

    QByteArray hugeLine()
    {
        const QByteArray body(50'000 + pick(150'000), chance(2) ? '9' : 'x');
        switch (pick(3)) {
        case 0:
            return "[Fendral]\nPause=" + body + "\n";
        case 1:
            return "[" + body + "]\nPause=80\n";
        default:
            return "[Fendral]\n" + body + "=1\nControls00=" + body + '\n';
        }
    }

    // Lines built from the pieces of an INI file in any order
    QByteArray tokenSoup()
    {
        static const char* const tokens[] = { "[", "]", "=", "Fendral", "Pause", "Controls",
            "Colour", "0", "1", "3", "65", "-", ";", "#", "\\", "\"", ",", " ", "\n", "\r\n",
            "@Variant(", ")", "%", "\t", "\xff" };
        QByteArray file;
        for (int i = pick(300); i > 0; --i)
            file += tokens[pick(std::size(tokens))];
        return file;
    }

    std::mt19937 m_random;
};
