// The program's command line: what the program is asked to do, and the checking of a replay
// without a window
#pragma once

#include "Replay.h"

#include <QString>

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace fendral {

struct CommandLine {
    enum class Action {
        Play, // the window and its menu; arguments the program does not know are left to Qt
        WatchReplay, // --replay FILE: the window shows the file, then its menu
        VerifyReplay, // --verify-replay FILE: no window
        ComputerGame, // --computer-game and its options: no window
    };
    Action action = Action::Play;
    QString file;
    std::vector<std::string> arguments; // all of them, the program's name left out
    QString error; // what is wrong with the arguments; the program then exits with status 2
};

CommandLine parseCommandLine(int argc, char** argv);

// Plays the replay through the engine without a window, printing a line per level and a summary;
// 0 when every check value matches, 1 at the first mismatch.
int printVerification(const Replay& replay, std::ostream& out);

// `fendral --verify-replay FILE`: plays the file through the engine without a window and prints
// a line per level and a summary; 0 when every check value matches, 1 at a mismatch, 2 for a file
// that cannot be read or is refused.
int verifyReplayCommand(const QString& path, std::ostream& out, std::ostream& err);

// `fendral --replay FILE`: the replay to show in the window, or nothing with the reason on err
// (the program then exits with status 2 without opening a window).
std::optional<Replay> replayToWatch(const QString& path, std::ostream& err);

// Runs what the command line asks that needs no window; its exit status, or nothing when the
// program goes on to open its window.
std::optional<int> runWindowlessCommand(const CommandLine& command);

} // namespace fendral
