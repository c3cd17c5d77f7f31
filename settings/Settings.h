// The settings file: control keys, pause key, colours, gamepads, computer players, who plays in
// which team, and sound, kept between runs
#pragma once

class QSettings;
class QString;

namespace fendral {

struct GameState;

// Reads the keys and colours from the file, replacing an invalid key group or colour group by
// its defaults, each player's gamepad, which players the computer steers, and who plays in which
// team (Alpha alone in team W unless the file holds a set-up the setup dialog allows).
void loadSettings(GameState& state, QSettings& file);

// Writes the keys, colours, gamepads, computer players and teams to the file; false when that
// failed. A file that cannot be written leaves everything as it was, in memory and on disk.
bool saveSettings(const GameState& state, QSettings& file);

// Why the settings file at the path cannot be written, in the system's words.
QString settingsWriteProblem(const QString& path);

// Whether the game is shown full screen; a missing or bad value means the window.
bool loadFullScreen(QSettings& file);
// Remembers the choice at once: the game may be ended by anything after a switch.
void saveFullScreen(QSettings& file, bool fullScreen);

// Sound on or off and its volume in steps of 10 %, in keys of their own
struct SoundChoice {
    static constexpr int VolumeSteps = 10;
    bool on = true;
    int volumeStep = 7;
};

// A missing or bad value gives sound on, at 70 %.
SoundChoice loadSoundChoice(QSettings& file);
// Written with the next saveSettings.
void saveSoundChoice(const SoundChoice& choice, QSettings& file);

} // namespace fendral
