// The settings file: control keys, pause key, colours, gamepads and who plays in which team,
// kept between runs
#pragma once

class QSettings;

namespace fendral {

struct GameState;

// Reads the keys and colours from the file, replacing an invalid key group or colour group by
// its defaults, each player's gamepad, and who plays in which team (Alpha alone in team W unless
// the file holds a set-up the setup dialog allows).
void loadSettings(GameState& state, QSettings& file);

// Writes the keys, colours, gamepads and teams to the file. A file that cannot be written leaves
// everything as it was, in memory and on disk.
void saveSettings(const GameState& state, QSettings& file);

} // namespace fendral
