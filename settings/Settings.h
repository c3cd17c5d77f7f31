// The settings file: control keys, pause key, colours, gamepads and computer players, kept
// between runs
#pragma once

class QSettings;

namespace fendral {

struct GameState;

// Reads the keys and colours from the file, replacing an invalid key group or colour group by
// its defaults, each player's gamepad, and which players the computer steers.
void loadSettings(GameState& state, QSettings& file);

// Writes the keys, colours, gamepads and computer players to the file. A file that cannot be
// written leaves everything as it was, in memory and on disk.
void saveSettings(const GameState& state, QSettings& file);

} // namespace fendral
