// The program's command line where it needs no window: the check of a replay and the computer
// game, each with what it prints and the status it ends with, and the arguments it refuses
#include "CommandLine.h"
#include "GoldenGame.h"
#include "HeadlessGame.h"
#include "ReplayFile.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

using namespace fendral;

namespace {

// The status the program ends with (-1: it goes on to open its window) and all it printed
std::pair<int, std::string> run(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "fendral");
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    std::ostringstream printed;
    std::streambuf* const out = std::cout.rdbuf(printed.rdbuf());
    std::streambuf* const err = std::cerr.rdbuf(printed.rdbuf());
    const CommandLine command = parseCommandLine(static_cast<int>(argv.size()), argv.data());
    const std::optional<int> status = runWindowlessCommand(command);
    std::cout.rdbuf(out);
    std::cerr.rdbuf(err);
    return { status.value_or(-1), printed.str() };
}

} // namespace

TEST(CommandLine, ChecksAReplayPlaysAComputerGameAndRefusesBadArguments)
{
    QTemporaryDir folder;
    const std::string file = folder.filePath("game").toStdString();
    const std::string recorded = folder.filePath("recorded").toStdString();
    Replay replay = goldenGame();
    QString error;
    ASSERT_TRUE(writeReplayFile(QString::fromStdString(file), replay, error));
    EXPECT_EQ(run({ "--fullscreen" }), std::pair(-1, std::string())); // left to the window
    for (const std::vector<std::string>& refused :
        std::initializer_list<std::vector<std::string>> { { "--verify-replay" },
            { "--replay", file, "--verify-replay", file }, { "--verify-replay", file + "-none" },
            { "--computer-game", "--players", "5" }, { "--computer-game", "--players", "0" },
            { "--computer-game", "--strength", "hard,wild" },
            { "--computer-game", "--level", "51" }, { "--computer-game", "--seed", "-1" },
            { "--computer-game", "--max-steps", "1e3" }, { "--computer-game", "--levels" },
            { "--computer-game", "--colour", "2" } }) {
        const auto [status, printed] = run(refused);
        EXPECT_EQ(status, 2) << refused.back();
        EXPECT_TRUE(printed.starts_with("fendral: ") || printed.starts_with("usage: fendral"));
    }
    const auto [status, golden] = run({ "--verify-replay", file });
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(QString::fromStdString(golden).contains(QRegularExpression(
        "^level 1: field share \\d+\\.\\d\\d%, hash [0-9a-f]{16}, ok\n(level [2-7]: .*, ok\n){6}"
        "verified: 7 levels \\(6 completed\\), 12000 logic steps, "
        "reached level 7, ended by menu\n$")));
    const auto played = run({ "--computer-game", "--strength", "hard,easy", "--players", "3",
        "--levels", "2", "--seed", "7", "--max-steps", "400", "--record", recorded });
    EXPECT_EQ(played.first, 0);
    EXPECT_NE(played.second.find("verified: 2 levels"), std::string::npos);
    // The computer game's record names the computer players' strengths and seeds
    const auto computerGame = readReplayFile(QString::fromStdString(recorded), error);
    ASSERT_TRUE(computerGame) << error.toStdString();
    EXPECT_EQ(computerGame->header.players[2].strength, 1); // easy
    EXPECT_EQ(computerGame->header.players[2].controllerSeed, computerSeed(7, 2));
    // A check value of level 7 changed: the levels before it as before, then the mismatch, and
    // nothing more
    auto check
        = std::find_if(replay.events.rbegin(), replay.events.rend(), [](const ReplayEvent& event) {
              return event.kind == EventKind::Check && event.step < 11000;
          });
    check->hash ^= 1;
    writeReplayFile(QString::fromStdString(file), replay, error);
    EXPECT_EQ(run({ "--verify-replay", file }),
        std::pair(1,
            golden.substr(0, golden.find("level 7")) + "level 7: MISMATCH at step "
                + std::to_string(check->step) + "\n"));
    replay.header.logicVersion = LogicVersion + 1;
    writeReplayFile(QString::fromStdString(file), replay, error);
    const std::string refused = run({ "--verify-replay", file }).second;
    EXPECT_NE(refused.find("logic version " + std::to_string(LogicVersion + 1)), std::string::npos);
}
