#include "ComputerGameCommand.h"

#include "CommandLine.h"
#include "HeadlessGame.h"
#include "ProgramVersion.h"
#include "ReplayFile.h"
#include "ReplayRecorder.h"

#include <QDateTime>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <sstream>

namespace fendral {

namespace {

    struct CommandError {
        std::string message;
    };

    long long numberIn(const std::string& text, long long low, long long high, const char* what)
    {
        long long value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
            throw CommandError { std::string(what) + " must be a number from " + std::to_string(low)
                + " to " + std::to_string(high) + ", not \"" + text + "\"" };
        return value;
    }

    std::vector<Strength> strengthsIn(const std::string& text)
    {
        std::vector<Strength> strengths;
        std::stringstream list(text);
        for (std::string name; std::getline(list, name, ',');) {
            const std::optional<Strength> strength = strengthNamed(name);
            if (!strength)
                throw CommandError { "a strength is easy, normal or hard, not \"" + name + "\"" };
            strengths.push_back(*strength);
        }
        if (strengths.empty())
            throw CommandError { "--strength needs at least one strength" };
        return strengths;
    }

    uint32_t clockSeed()
    {
        return static_cast<uint32_t>(
            std::chrono::system_clock::now().time_since_epoch().count() & 0xFFFFFFFF);
    }

    // The game to play, and the file its replay goes to (none: it is only verified)
    struct ComputerGameRequest {
        HeadlessOptions options;
        std::string recordFile;
    };

    ComputerGameRequest requestFrom(const std::vector<std::string>& arguments)
    {
        ComputerGameRequest request;
        HeadlessOptions& options = request.options;
        options.seed = clockSeed();
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            const std::string& name = arguments[i];
            if (name == "--computer-game")
                continue;
            if (i + 1 == arguments.size())
                throw CommandError { "\"" + name + "\" needs a value or is unknown" };
            const std::string& value = arguments[++i];
            if (name == "--strength")
                options.strengths = strengthsIn(value);
            else if (name == "--players")
                options.players = static_cast<int>(numberIn(value, 1, PlayerCount, "--players"));
            else if (name == "--level")
                options.level = static_cast<int>(numberIn(value, 1, LastLevel, "--level"));
            else if (name == "--levels")
                options.levels = static_cast<int>(numberIn(value, 1, LastLevel, "--levels"));
            else if (name == "--max-steps")
                options.maxSteps = static_cast<int>(numberIn(value, 1, 100'000'000, "--max-steps"));
            else if (name == "--seed")
                options.seed = static_cast<uint32_t>(numberIn(value, 0, UINT32_MAX, "--seed"));
            else if (name == "--record")
                request.recordFile = value;
            else
                throw CommandError { "unknown option \"" + name + "\"" };
        }
        return request;
    }

    // Plays the game with the recorder as its log; the computer players' seeds go into the header
    Replay recordedGame(const HeadlessOptions& options)
    {
        ReplayRecorder recorder;
        recorder.setProgramVersion(ProgramVersion);
        recorder.setDate(QDateTime::currentMSecsSinceEpoch());
        return recordHeadlessGame(options, recorder);
    }

} // namespace

std::optional<int> runComputerGameCommand(
    const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    if (std::find(arguments.begin(), arguments.end(), "--computer-game") == arguments.end())
        return std::nullopt;
    try {
        const ComputerGameRequest request = requestFrom(arguments);
        const Replay replay = recordedGame(request.options);
        QString error;
        if (!request.recordFile.empty()
            && !writeReplayFile(QString::fromStdString(request.recordFile), replay, error))
            throw CommandError { "cannot write " + request.recordFile + ": "
                + error.toStdString() };
        return printVerification(replay, out);
    } catch (const CommandError& error) {
        err << "fendral: " << error.message << "\n";
        return 2;
    }
}

} // namespace fendral
