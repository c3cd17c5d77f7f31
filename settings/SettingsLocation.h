// Where the settings file lives: beside a portable copy, or in the player's configuration folder
#pragma once

class QString;

namespace fendral {

// The name of the settings file, wherever it lives.
extern const char* const SettingsFileName;

// Whether a file can be created in the folder: tried for real, since permission bits do not tell
// (root may write anywhere, a read-only mount refuses everyone).
bool isWritableFolder(const QString& folder);

// Fendral.ini beside the executable when its folder can be written (a copy unpacked anywhere);
// otherwise (an installed game) Fendral.ini in the user's configuration folder, created if need
// be. A configuration folder that cannot be created still gives its path: the game then plays
// with the settings in memory, and a later write fails without losing them.
QString settingsFilePath(const QString& programFolder, const QString& userConfigFolder);

// settingsFilePath for the running program: its folder and the per-user configuration folder
// (which follows XDG_CONFIG_HOME).
QString defaultSettingsFilePath();

} // namespace fendral
