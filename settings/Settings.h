// The settings file: control keys, pause key and colours, kept between runs
#pragma once

class QSettings;

namespace fendral {

struct GameState;

// Reads the keys and colours from the file, replacing an invalid key group or colour group by
// its defaults.
void loadSettings(GameState& state, QSettings& file);

// Writes the keys and colours to the file. A file that cannot be written leaves everything as it
// was, in memory and on disk.
void saveSettings(const GameState& state, QSettings& file);

} // namespace fendral
