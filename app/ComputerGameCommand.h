// The command line's computer game: computer players play without a window or a display
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace fendral {

// With "--computer-game" among the arguments (the program's name left out), plays the game they
// describe, records it (to FILE with --record), prints on out the lines that --verify-replay
// prints for it (problems with the arguments on err) and returns the program's exit code; nothing
// for any other command line.
//   --computer-game [--strength S1[,S2...]] [--players N] [--level L] [--levels K]
//                   [--max-steps M] [--seed S] [--record FILE]
std::optional<int> runComputerGameCommand(
    const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace fendral
