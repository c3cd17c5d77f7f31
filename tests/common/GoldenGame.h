// A golden game of the engine tests, read for the tests of the files and the command line
#pragma once

#include "FileBytes.h"
#include "Replay.h"

inline fendral::Replay goldenGame(const char* name = "two-teams-revived")
{
    std::string error;
    return fendral::decodeReplay(
        readFileBytes(std::string(FENDRAL_GOLDEN_DIR "/") + name + ".replay"), error)
        .value_or(fendral::Replay {});
}
