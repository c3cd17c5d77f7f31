// Replay files: the engine's encoding of a game compressed with zlib, written atomically
#pragma once

#include "Replay.h"

#include <QString>

#include <optional>

namespace fendral {

// Writes the replay to path through a QSaveFile; false with the reason in error on failure.
bool writeReplayFile(const QString& path, const Replay& replay, QString& error);

// Reads a replay file, refusing an oversized, damaged or hostile one with the reason in error.
// No more is allocated than the file's real content can hold.
std::optional<Replay> readReplayFile(const QString& path, QString& error);

} // namespace fendral
