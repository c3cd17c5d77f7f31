#include "Settings.h"

#include "GameState.h"
#include "KeyNames.h"
#include "VirtualKeys.h"

#include <QFileInfo>
#include <QSettings>
#include <QString>
#include <QTemporaryFile>

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

namespace fendral {

namespace {

    const QString section = QStringLiteral("Fendral/");

    QString controlsKey(int p, int d)
    {
        return section + QStringLiteral("Controls") + QString::number(p) + QString::number(d);
    }

    QString colourKey(int p) { return section + QStringLiteral("Colour") + QString::number(p); }

    QString pauseKeyName() { return section + QStringLiteral("Pause"); }

    QString gamepadKey(int p) { return section + QStringLiteral("Gamepad") + QString::number(p); }

    QString fullScreenKey() { return section + QStringLiteral("FullScreen"); }
    const QString soundKey = section + QStringLiteral("Sound");
    const QString soundVolumeKey = section + QStringLiteral("SoundVolume"); // per cent
    QString computerKey(int p) { return section + QStringLiteral("Computer") + QString::number(p); }

    constexpr int StrongestComputer = 3;

    // The file holds what the game writes: an optional minus sign and decimal digits, within the
    // 32 bits of an int (leading zeros are still decimal). Anything else is not an integer: a
    // plus sign, hex, a fraction, spaces kept by quotes (" 65"), a number beyond 32 bits (which
    // QVariant::toInt would take modulo 2^32) and a value that QSettings itself turned into
    // another type (a list for a comma, "@Variant(...)"). QSettings already drops the spaces
    // around an unquoted value.
    std::optional<int> decimalInteger(const QVariant& value)
    {
        if (value.typeId() != QMetaType::QString)
            return std::nullopt;
        // A character beyond Latin-1 becomes '?', which is no digit either
        const QByteArray text = value.toString().toLatin1();
        int number = 0;
        const auto [end, error] = std::from_chars(text.cbegin(), text.cend(), number);
        if (error != std::errc() || end != text.cend())
            return std::nullopt;
        return number;
    }

    // A missing key or a value that is not a decimal integer gives the default.
    int readInteger(QSettings& file, const QString& key, int defaultValue)
    {
        return decimalInteger(file.value(key)).value_or(defaultValue);
    }

    // Written as text, not as an int: QSettings keeps what it was given for every object on the
    // same file, and a later read in this run must find the decimal text the file holds.
    void writeInteger(QSettings& file, const QString& key, int value)
    {
        file.setValue(key, QString::number(value));
    }

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

    // The file holds pads as the menu numbers them, 1..4, and 0 for none. A missing key keeps
    // pad p with player p; anything else that is not a pad number, or a pad an earlier player
    // already has, leaves the player with the keys alone.
    void loadPadSlots(GameState& state, QSettings& file)
    {
        for (int p = 0; p < PlayerCount; ++p) {
            const QString key = gamepadKey(p);
            const int number = file.contains(key) ? readInteger(file, key, 0) : p + 1;
            const int slot = number >= 1 && number <= PadCount ? number - 1 : NoPad;
            const auto earlier = state.padSlot.begin() + p;
            state.padSlot[p]
                = std::find(state.padSlot.begin(), earlier, slot) == earlier ? slot : NoPad;
        }
    }

    // 0 or a missing or bad value: a person steers the player; 1..3: a computer player of that
    // strength
    void loadComputers(GameState& state, QSettings& file)
    {
        for (int p = 0; p < PlayerCount; ++p) {
            const int value = readInteger(file, computerKey(p), Person);
            state.computer[p] = value >= Person && value <= StrongestComputer ? value : Person;
        }
    }

    int padNumber(int slot) { return slot >= 0 && slot < PadCount ? slot + 1 : 0; }

    QString teamKey(int p) { return section + QStringLiteral("Team") + QString::number(p); }

    void resetToFirstSetUp(GameState& state)
    {
        state.teamAssignment = {};
        state.teamAssignment[0][0] = 1; // Alpha alone in team W
    }

    bool shareAKey(const GameState& state, int p, int q)
    {
        const auto& keys = state.controlKeys[q];
        return std::any_of(state.controlKeys[p].begin(), state.controlKeys[p].end(),
            [&](int key) { return std::find(keys.begin(), keys.end(), key) != keys.end(); });
    }

    // Each player's team, 0..3, or -1 for one who does not play, as the setup dialog was left;
    // read after the keys and the computer players, since two people who share a key may not
    // both play (a computer player's keys steer nobody). A missing or bad value, or such a pair,
    // gives the set-up of a first start. Nobody playing is a set-up the dialog can be left with,
    // and comes back as it was.
    void loadTeams(GameState& state, QSettings& file)
    {
        std::array<int, PlayerCount> teamOf {};
        for (int p = 0; p < PlayerCount; ++p) {
            teamOf[p] = readInteger(file, teamKey(p), TeamCount);
            if (teamOf[p] < -1 || teamOf[p] >= TeamCount)
                return resetToFirstSetUp(state);
        }
        for (int p = 0; p < PlayerCount; ++p) {
            for (int q = p + 1; q < PlayerCount; ++q) {
                if (teamOf[p] >= 0 && teamOf[q] >= 0 && state.computer[p] == Person
                    && state.computer[q] == Person && shareAKey(state, p, q))
                    return resetToFirstSetUp(state);
            }
        }
        state.teamAssignment = {};
        for (int p = 0; p < PlayerCount; ++p) {
            if (teamOf[p] >= 0)
                state.teamAssignment[teamOf[p]][p] = 1;
        }
    }

    int teamOfPlayer(const GameState& state, int p)
    {
        for (int t = 0; t < TeamCount; ++t) {
            if (state.teamAssignment[t][p] != 0)
                return t;
        }
        return -1;
    }

} // namespace

void loadSettings(GameState& state, QSettings& file)
{
    loadKeys(state, file);
    loadColours(state, file);
    loadPadSlots(state, file);
    loadComputers(state, file);
    loadTeams(state, file);
}

bool saveSettings(const GameState& state, QSettings& file)
{
    writeInteger(file, pauseKeyName(), state.pauseKey);
    for (int p = 0; p < PlayerCount; ++p) {
        for (int d = 0; d < 4; ++d)
            writeInteger(file, controlsKey(p, d), state.controlKeys[p][d]);
    }
    for (int p = 0; p < PlayerCount; ++p)
        writeInteger(file, colourKey(p), state.colourChoice[p]);
    for (int p = 0; p < PlayerCount; ++p)
        writeInteger(file, gamepadKey(p), padNumber(state.padSlot[p]));
    for (int p = 0; p < PlayerCount; ++p)
        writeInteger(file, computerKey(p), state.computer[p]);
    for (int p = 0; p < PlayerCount; ++p)
        writeInteger(file, teamKey(p), teamOfPlayer(state, p));
    // QSettings writes through a temporary file and renames it, so a failed write leaves the old
    // file whole; the in-memory settings were never touched.
    file.sync();
    return file.status() == QSettings::NoError;
}

QString settingsWriteProblem(const QString& path)
{
    const QFileInfo info(path);
    if (!QFileInfo(info.absolutePath()).isDir())
        return QStringLiteral("its folder cannot be created");
    QFile existing(path);
    if (existing.exists() && !existing.open(QIODevice::WriteOnly | QIODevice::Append))
        return existing.errorString();
    // QSettings writes a new file beside the old one and puts it in its place
    QTemporaryFile probe(info.absolutePath() + QStringLiteral("/.fendral-write-test-XXXXXX"));
    if (!probe.open())
        return probe.errorString();
    return QStringLiteral("the write failed");
}

bool loadFullScreen(QSettings& file) { return readInteger(file, fullScreenKey(), 0) == 1; }

void saveFullScreen(QSettings& file, bool fullScreen)
{
    writeInteger(file, fullScreenKey(), fullScreen ? 1 : 0);
    file.sync();
}

SoundChoice loadSoundChoice(QSettings& file)
{
    SoundChoice choice;
    // Only a 0 switches sound off
    choice.on = readInteger(file, soundKey, 1) != 0;
    const int percent = readInteger(file, soundVolumeKey, -1);
    if (percent >= 0 && percent <= 100 && percent % 10 == 0)
        choice.volumeStep = percent / 10;
    return choice;
}

void saveSoundChoice(const SoundChoice& choice, QSettings& file)
{
    writeInteger(file, soundKey, choice.on ? 1 : 0);
    writeInteger(
        file, soundVolumeKey, std::clamp(choice.volumeStep, 0, SoundChoice::VolumeSteps) * 10);
}

} // namespace fendral
