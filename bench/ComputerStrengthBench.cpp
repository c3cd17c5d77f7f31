// How strong the computer players are: seeded games of one lone computer player per strength,
// headless and as fast as the machine goes, from levels 1, 5, 10, 25 and 50, and the time its
// decisions take; then the decision time of four hard players at level 50.
//   fendral_bench_computer [--seeds N] [--strengths easy,normal,hard] [--levels 1,5,10,25,50]
//                          [--max-steps M]
#include "HeadlessGame.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sstream>
#include <string>
#include <vector>

namespace fendral {
namespace {

    // A logic step on the 128-cell field: 8 ticks of trunc(1250 / 128) = 9 ms
    constexpr double StepMinutes = 8 * 9 / 60000.0;

    struct Row {
        int games = 0;
        int completed = 0;
        double share = 0;
        int steps = 0;
        int deaths = 0;
        std::vector<double> decisionMs;
    };

    struct Options {
        int seeds = 100;
        std::vector<Strength> strengths { Strength::Easy, Strength::Normal, Strength::Hard };
        std::vector<int> levels { 1, 5, 10, 25, 50 };
        int maxSteps = 20000;
    };

    std::vector<std::string> splitList(const std::string& text)
    {
        std::vector<std::string> items;
        std::stringstream stream(text);
        for (std::string item; std::getline(stream, item, ',');)
            items.push_back(item);
        return items;
    }

    Options parse(int argc, char** argv)
    {
        Options options;
        for (int i = 1; i + 1 < argc; i += 2) {
            const std::string name = argv[i];
            const std::string value = argv[i + 1];
            if (name == "--seeds")
                options.seeds = std::atoi(value.c_str());
            else if (name == "--max-steps")
                options.maxSteps = std::atoi(value.c_str());
            else if (name == "--strengths") {
                options.strengths.clear();
                for (const std::string& item : splitList(value))
                    if (auto strength = strengthNamed(item))
                        options.strengths.push_back(*strength);
            } else if (name == "--levels") {
                options.levels.clear();
                for (const std::string& item : splitList(value))
                    options.levels.push_back(std::atoi(item.c_str()));
            }
        }
        return options;
    }

    // The processor time of this thread: other programs on a shared machine do not count
    double threadMilliseconds()
    {
        timespec now {};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
    }

    // Runs the decisions of a step under a stop watch
    void timeDecisions(HeadlessGame& game, std::vector<double>& times)
    {
        game.setDecisionRunner([&times](const std::function<void()>& decide) {
            const double start = threadMilliseconds();
            decide();
            times.push_back(threadMilliseconds() - start);
        });
    }

    double percentile(std::vector<double>& values, double q)
    {
        if (values.empty())
            return 0;
        const auto k = static_cast<std::size_t>(q * (values.size() - 1));
        std::nth_element(
            values.begin(), values.begin() + static_cast<std::ptrdiff_t>(k), values.end());
        return values[k];
    }

    Row playRow(const Options& options, Strength strength, int level)
    {
        Row row;
        for (int seed = 1; seed <= options.seeds; ++seed) {
            HeadlessOptions game;
            game.strengths = { strength };
            game.level = level;
            game.levels = 1;
            game.maxSteps = options.maxSteps;
            game.seed = static_cast<uint32_t>(seed);
            HeadlessGame headless(game);
            timeDecisions(headless, row.decisionMs);
            const HeadlessResult result = headless.play();
            const LevelResult& played = result.levels.front();
            ++row.games;
            row.completed += played.completed;
            row.share += played.shareGained;
            row.steps += played.steps;
            row.deaths += played.deaths;
        }
        return row;
    }

    void printRow(Strength strength, int level, Row& row)
    {
        const double perMinute = row.share / std::max(row.steps * StepMinutes, 1e-9);
        const std::string deaths = row.completed > 0
            ? std::to_string(static_cast<double>(row.deaths) / row.completed).substr(0, 4)
            : std::string("-");
        std::printf("| %-6s | %5d | %5.1f %% of %3d | %5.1f %% | %6s | %.3f / %.3f ms |\n",
            std::string(strengthName(strength)).c_str(), level,
            100.0 * row.completed / std::max(row.games, 1), row.games, 100 * perMinute,
            deaths.c_str(), percentile(row.decisionMs, 0.5),
            row.decisionMs.empty()
                ? 0.0
                : *std::max_element(row.decisionMs.begin(), row.decisionMs.end()));
        std::fflush(stdout);
    }

    // Four hard players at level 50, the busiest field: the time of all four decisions of a step
    void printFourPlayers(const Options& options)
    {
        std::vector<double> times;
        for (int seed = 1; seed <= std::max(options.seeds / 10, 3); ++seed) {
            HeadlessOptions game;
            game.players = 4;
            game.level = 50;
            game.levels = 1;
            game.maxSteps = 3000;
            game.seed = static_cast<uint32_t>(seed);
            HeadlessGame headless(game);
            timeDecisions(headless, times);
            headless.play();
        }
        const double worst = times.empty() ? 0.0 : *std::max_element(times.begin(), times.end());
        std::printf("\nFour hard players at level 50, %zu steps: decisions of a step %.3f ms "
                    "median, %.3f ms worst\n",
            times.size(), percentile(times, 0.5), worst);
    }

} // namespace
} // namespace fendral

int main(int argc, char** argv)
{
    using namespace fendral;
    const Options options = parse(argc, argv);
    std::printf("| strength | level | completes the level | field share per minute | deaths "
                "per completed level | decision per step, median / worst |\n");
    std::printf("|---|---|---|---|---|---|\n");
    for (Strength strength : options.strengths)
        for (int level : options.levels) {
            Row row = playRow(options, strength, level);
            printRow(strength, level, row);
        }
    printFourPlayers(options);
    return 0;
}
