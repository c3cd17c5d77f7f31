#include "Settings.h"

#include "GameState.h"
#include "KeyNames.h"
#include "VirtualKeys.h"

#include <QSettings>
#include <QString>

namespace fendral {

namespace {

    const QString section = QStringLiteral("Fendral/");

    QString controlsKey(int p, int d)
    {
        return section + QStringLiteral("Controls") + QString::number(p) + QString::number(d);
    }

    QString colourKey(int p) { return section + QStringLiteral("Colour") + QString::number(p); }

    QString pauseKeyName() { return section + QStringLiteral("Pause"); }

    // A missing key or a value that is not a decimal integer gives the default.
    int readInteger(QSettings& file, const QString& key, int defaultValue)
    {
        bool ok = false;
        const int value = file.value(key).toInt(&ok);
        return ok ? value : defaultValue;
    }

    void writeInteger(QSettings& file, const QString& key, int value) { file.setValue(key, value); }

    bool isValidControlKey(const GameState& state, int p, int d)
    {
        const int key = state.controlKeys[p][d];
        if (keyName(key).isEmpty() || key == state.pauseKey || key == VK_SPACE)
            return false;
        for (int k = 0; k < d; ++k) {
            if (state.controlKeys[p][k] == key)
                return false;
        }
        return true;
    }

    void loadKeys(GameState& state, QSettings& file)
    {
        bool bad = false;
        state.pauseKey = readInteger(file, pauseKeyName(), VK_SPACE);
        if (keyName(state.pauseKey).isEmpty()) {
            bad = true; // the control keys are then not read at all
        } else {
            // All sixteen are read even after one is found bad
            for (int p = 0; p < PlayerCount; ++p) {
                for (int d = 0; d < 4; ++d) {
                    state.controlKeys[p][d]
                        = readInteger(file, controlsKey(p, d), defaultControlKeys[p][d]);
                    if (!isValidControlKey(state, p, d))
                        bad = true;
                }
            }
        }
        if (bad) {
            state.pauseKey = VK_SPACE;
            state.controlKeys = defaultControlKeys;
        }
    }

    void loadColours(GameState& state, QSettings& file)
    {
        bool bad = false;
        for (int p = 0; p < PlayerCount; ++p)
            state.colourChoice[p] = readInteger(file, colourKey(p), p);
        for (int p = 0; p < PlayerCount; ++p) {
            const int colour = state.colourChoice[p];
            if (colour < 0 || colour >= ColourCount) {
                bad = true;
                continue;
            }
            for (int k = 0; k < p; ++k) {
                if (state.colourChoice[k] == colour)
                    bad = true;
            }
        }
        if (bad) {
            for (int p = 0; p < PlayerCount; ++p)
                state.colourChoice[p] = p;
        }
    }

} // namespace

void loadSettings(GameState& state, QSettings& file)
{
    loadKeys(state, file);
    loadColours(state, file);
}

void saveSettings(const GameState& state, QSettings& file)
{
    writeInteger(file, pauseKeyName(), state.pauseKey);
    for (int p = 0; p < PlayerCount; ++p) {
        for (int d = 0; d < 4; ++d)
            writeInteger(file, controlsKey(p, d), state.controlKeys[p][d]);
    }
    for (int p = 0; p < PlayerCount; ++p)
        writeInteger(file, colourKey(p), state.colourChoice[p]);
    // QSettings writes through a temporary file and renames it, so a failed write leaves the old
    // file whole; the in-memory settings were never touched.
    file.sync();
}

} // namespace fendral
