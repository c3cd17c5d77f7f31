// The settings file: control keys, pause key, colours, gamepads and who plays in which team,
// kept between runs
#pragma once

class QSettings;
class QString;

namespace fendral {

struct GameState;

// Reads the keys and colours from the file, replacing an invalid key group or colour group by
// its defaults, each player's gamepad, and who plays in which team (Alpha alone in team W unless
// the file holds a set-up the setup dialog allows).
void loadSettings(GameState& state, QSettings& file);

// Writes the keys, colours, gamepads and teams to the file; false when that failed. A file that
// cannot be written leaves everything as it was, in memory and on disk.
bool saveSettings(const GameState& state, QSettings& file);

// Why the settings file at the path cannot be written, in the system's words.
QString settingsWriteProblem(const QString& path);

// Whether the game is shown full screen; a missing or bad value means the window.
bool loadFullScreen(QSettings& file);
// Remembers the choice at once: the game may be ended by anything after a switch.
void saveFullScreen(QSettings& file, bool fullScreen);

} // namespace fendral
