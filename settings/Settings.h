// The settings file: control keys, pause key, colours and gamepads, kept between runs
#pragma once

class QSettings;
class QString;

namespace fendral {

struct GameState;

// Reads the keys and colours from the file, replacing an invalid key group or colour group by
// its defaults, and each player's gamepad.
void loadSettings(GameState& state, QSettings& file);

// Writes the keys, colours and gamepads to the file; false when that failed. A file that cannot
// be written leaves everything as it was, in memory and on disk.
bool saveSettings(const GameState& state, QSettings& file);

// Why the settings file at the path cannot be written, in the system's words.
QString settingsWriteProblem(const QString& path);

// Whether the game is shown full screen; a missing or bad value means the window.
bool loadFullScreen(QSettings& file);
// Remembers the choice at once: the game may be ended by anything after a switch.
void saveFullScreen(QSettings& file, bool fullScreen);

} // namespace fendral
