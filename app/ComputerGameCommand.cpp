#include "ComputerGameCommand.h"

#include "HeadlessGame.h"

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

    HeadlessOptions optionsFrom(const std::vector<std::string>& arguments)
    {
        HeadlessOptions options;
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
            else
                throw CommandError { "unknown option \"" + name + "\"" };
        }
        return options;
    }

    std::string percent(double share)
    {
        std::ostringstream text;
        text.setf(std::ios::fixed);
        text.precision(1);
        text << 100 * share << " %";
        return text.str();
    }

    void report(const HeadlessOptions& options, const HeadlessResult& result, std::ostream& out)
    {
        out << "Computer game: seed " << options.seed << ", " << options.players << " player"
            << (options.players == 1 ? "" : "s") << " (";
        for (int p = 0; p < options.players; ++p) {
            const std::size_t last = options.strengths.size() - 1;
            out << (p > 0 ? ", " : "")
                << strengthName(options.strengths[std::min<std::size_t>(p, last)]);
        }
        out << "), from level " << options.level << "\n";
        for (const LevelResult& level : result.levels)
            out << "Level " << level.level << (level.completed ? " completed" : " not completed")
                << " after " << level.steps << " logic steps: " << percent(level.shareGained)
                << " of the field captured, " << level.deaths << " death"
                << (level.deaths == 1 ? "" : "s") << "\n";
        for (int p = 0; p < options.players; ++p)
            out << "Player " << p + 1 << ": " << percent(result.totalShares[p])
                << " of the field in all, " << result.deaths[p] << " death"
                << (result.deaths[p] == 1 ? "" : "s") << "\n";
        out << result.levels.size() << " level" << (result.levels.size() == 1 ? "" : "s")
            << " played (" << result.levelsCompleted() << " completed)\n";
    }

} // namespace

std::optional<int> runComputerGameCommand(
    const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    if (std::find(arguments.begin(), arguments.end(), "--computer-game") == arguments.end())
        return std::nullopt;
    try {
        const HeadlessOptions options = optionsFrom(arguments);
        HeadlessGame game(options);
        report(options, game.play(), out);
        return 0;
    } catch (const CommandError& error) {
        err << "fendral: " << error.message << "\n";
        return 2;
    }
}

} // namespace fendral
