// Where the settings file lives: beside a copy run from its own folder, or in the player's
// configuration folder
#pragma once

class QString;

namespace fendral {

// The name of the settings file, wherever it lives.
extern const char* const SettingsFileName;

// Whether a file can be created in the folder: tried for real, since permission bits do not tell
// (root may write anywhere, a read-only mount refuses everyone).
bool isWritableFolder(const QString& folder);

// Whether the program's folder is an installed bin folder: `cmake --install` and the package put
// the program in bin beside a share folder that holds the game's desktop entry.
bool isInstalledProgramFolder(const QString& programFolder);

// Where the settings live:
// - an installed copy: Fendral.ini in the user's configuration folder, whoever runs it;
// - a copy run from its build or unpacked folder: Fendral.ini beside the program where that file
//   (or, with none, the folder) can be written;
// - otherwise the configuration folder's file, first filled from the file beside the program when
//   it has none yet.
// The configuration folder is created if need be; one that cannot be created still gives its
// path: the game then plays with the settings in memory, and says so when it saves.
QString settingsFilePath(const QString& programFolder, const QString& userConfigFolder);

// settingsFilePath for the running program: its folder and the per-user configuration folder
// (which follows XDG_CONFIG_HOME).
QString defaultSettingsFilePath();

} // namespace fendral
