#include "CommandLine.h"

#include "ComputerGameCommand.h"
#include "MainWindow.h"
#include "ReplayFile.h"
#include "ReplayPlayer.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>

namespace fendral {

namespace {

    const QString Usage = QStringLiteral(
        "usage: fendral [--replay FILE | --verify-replay FILE | --computer-game [options]]");

    std::string levelLine(const PlayedLevel& level)
    {
        if (level.mismatchStep)
            return "level " + std::to_string(level.level) + ": MISMATCH at step "
                + std::to_string(*level.mismatchStep);
        char text[96];
        std::snprintf(text, sizeof text, "level %d: field share %.2f%%, hash %016llx, ok",
            level.level, level.fieldShare * 100, static_cast<unsigned long long>(level.hash));
        return text;
    }

    // The options that take a file and what they ask for
    std::optional<CommandLine::Action> fileOption(const QString& argument)
    {
        if (argument == QStringLiteral("--replay"))
            return CommandLine::Action::WatchReplay;
        if (argument == QStringLiteral("--verify-replay"))
            return CommandLine::Action::VerifyReplay;
        return std::nullopt;
    }

} // namespace

CommandLine parseCommandLine(int argc, char** argv)
{
    CommandLine command;
    command.arguments.assign(argv + 1, argv + argc);
    // The computer game reads its own options
    if (std::find(command.arguments.begin(), command.arguments.end(), "--computer-game")
        != command.arguments.end()) {
        command.action = CommandLine::Action::ComputerGame;
        return command;
    }
    for (int i = 1; i < argc; ++i) {
        const std::optional<CommandLine::Action> action
            = fileOption(QString::fromLocal8Bit(argv[i]));
        if (!action)
            continue;
        if (command.action != CommandLine::Action::Play || i + 1 == argc) {
            command.error = Usage;
            return command;
        }
        command.action = *action;
        command.file = QString::fromLocal8Bit(argv[++i]);
    }
    return command;
}

int verifyReplayCommand(const QString& path, std::ostream& out, std::ostream& err)
{
    QString error;
    const std::optional<Replay> replay = readReplayFile(path, error);
    if (!replay) {
        err << "fendral: cannot verify " << path.toStdString() << ": " << error.toStdString()
            << "\n";
        return 2;
    }
    return printVerification(*replay, out);
}

int printVerification(const Replay& replay, std::ostream& out)
{
    const VerifyResult result = verifyReplay(
        replay, [&out](const PlayedLevel& level) { out << levelLine(level) << "\n"; });
    if (!result.ok)
        return 1;
    out << "verified: " << result.levels << " levels (" << result.completed << " completed), "
        << result.steps << " logic steps, reached level " << result.levelReached << ", ended by "
        << endReasonName(result.ended) << "\n";
    return 0;
}

std::optional<Replay> replayToWatch(const QString& path, std::ostream& err)
{
    QString error;
    std::optional<Replay> replay = readReplayFile(path, error);
    if (replay)
        error = MainWindow::replayProblem(*replay);
    if (!error.isEmpty()) {
        err << "fendral: cannot play " << path.toStdString() << ": " << error.toStdString() << "\n";
        return std::nullopt;
    }
    return replay;
}

std::optional<int> runWindowlessCommand(const CommandLine& command)
{
    if (!command.error.isEmpty()) {
        std::cerr << command.error.toStdString() << "\n";
        return 2;
    }
    if (command.action == CommandLine::Action::VerifyReplay)
        return verifyReplayCommand(command.file, std::cout, std::cerr);
    if (command.action == CommandLine::Action::ComputerGame)
        return runComputerGameCommand(command.arguments, std::cout, std::cerr);
    return std::nullopt;
}

} // namespace fendral
