// Settings files made from one seed to break the loader: random bytes, or files as the game writes
// them with values mutated, among sections of other programs that a save must keep
#pragma once

#include "ValidSettings.h"

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <random>

class FuzzedSettingsFiles {
public:
    explicit FuzzedSettingsFiles(uint32_t seed) { m_random.seed(seed); }
    QByteArray next()
    {
        if (chance(7))
            return bytes(pick(chance(2) ? 200 : 3000));
        QByteArray file = "[Fendral]\n";
        for (int k = -1; k < 16; ++k)
            file += (k < 0 ? "Pause" : "Controls" + number(k / 4) + number(k % 4)) + '='
                + namedCode() + '\n';
        for (int p = 0; p < 4; ++p)
            file += "Colour" + number(p) + '=' + number(pick(6)) + "\nGamepad" + number(p) + '='
                + number(pick(5)) + "\nTeam" + number(p) + '=' + number(pick(5) - 1) + "\nComputer"
                + number(p) + '=' + number(pick(8) / 2) + '\n';
        QList<QByteArray> lines = file.split('\n');
        for (int i = 1 + pick(3); i > 0; --i) {
            QByteArray& line = lines[1 + pick(lines.size() - 2)];
            line = line.left(line.indexOf('=') + 1) + mutatedValue();
        }
        return foreignSection() + lines.join(chance(5) ? "\r\n" : "\n") + foreignSection();
    }

private:
    int pick(int n) { return static_cast<int>(m_random() % static_cast<uint32_t>(n)); }
    bool chance(int n) { return pick(n) == 0; }
    static QByteArray number(long long value) { return QByteArray::number(value); }
    QByteArray bytes(int n) { return n > 0 ? bytes(n - 1).append(char(pick(256))) : QByteArray(); }
    QByteArray namedCode(int c = 0) { return isNamedKey(c) ? number(c) : namedCode(pick(256)); }
    // What a hand or a careless conversion may leave for a number; toInt wraps the first to code
    QByteArray mutatedValue()
    {
        const QByteArray code = namedCode();
        const QByteArray values[] = { number(code.toInt() + (pick(201) - 100) * (1LL << 32)),
            QByteArray::number(static_cast<qulonglong>(m_random()) << pick(33)),
            QByteArray(pick(3), '-') + number(-1 - pick(300)),
            number(static_cast<int32_t>(m_random())), "+" + code, "0x" + code, "\"  " + code + '"',
            code + ".0", code + ",65", "\xd9\xa6\xd9\xa5", "@Variant(" + bytes(pick(40)) + ')',
            bytes(pick(12)), "" };
        return values[pick(std::size(values))];
    }
    // Some with the game's own key names
    QByteArray foreignSection()
    {
        const char* const sections[] = { "Other", "fendral", "General", "%General", "a/b" };
        QByteArray section = chance(3) ? QByteArray() : QByteArray("[") + sections[pick(5)] + "]\n";
        for (int i = section.isEmpty() ? 0 : pick(5); i > 0; --i)
            section += QByteArray(chance(2) ? "Pause" : "k%20") + number(pick(3)) + '='
                + mutatedValue() + '\n';
        return section;
    }
    std::mt19937 m_random;
};
